#include "dialogs/ui/fazirdialog.h"

#include "dialogs/ui/buttonrow.h"
#include "dialogs/ui/modaldialog.h"
#include "dialogs/ui/rowlist.h"
#include "dialogs/ui/uitext.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

FazirDialog::FazirDialog(CFazirDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName("FazirDialog");
    setWindowTitle(U("Фазировка проводов"));
    m_model.OnInitDialog();

    m_place = new QLabel(U(m_model.placeText));
    m_element = new QLabel(U(m_model.elementText));
    m_wire = new QComboBox;
    m_phase = new QComboBox;
    for (const std::string& s : m_model.wireItems)
        m_wire->addItem(U(s));
    for (const std::string& s : m_model.phaseItems)
        m_phase->addItem(U(s));
    m_list = NewRowList(m_model.Count(), 2);
    m_list->setHorizontalHeaderLabels({U("Провод"), U(m_model.phaseHeader)});
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setColumnWidth(0, 70);
    m_list->setMinimumSize(240, 200);
    m_ok = new QPushButton(U(m_model.okText));
    m_ok->setDefault(true);
    m_ok->setEnabled(m_model.okEnabled);
    auto* cancel = new QPushButton(U("Отменить"));

    auto* form = new QFormLayout;
    form->addRow(U("Провод"), m_wire);
    form->addRow(U(m_model.phaseHeader), m_phase);
    auto* top = new QHBoxLayout;
    top->addWidget(m_place);
    top->addStretch();
    top->addWidget(m_element);
    auto* buttons = ButtonRow({m_ok, cancel});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(form);
    layout->addWidget(m_list);
    layout->addLayout(buttons);

    ShowRows();
    ShowChoice();
    connect(m_wire, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_model.OnWireChosen(i);
        ShowChoice();
    });
    // A row reached with the mouse or the keys chooses its wire, so the
    // highlighted row is always the wire the phase combo edits.
    connect(m_list, &QTableWidget::currentCellChanged, this, [this](int row) {
        m_model.OnWireChosen(row);
        ShowChoice();
    });
    connect(m_phase, &QComboBox::currentIndexChanged, this, [this](int j) {
        m_model.OnPhaseChosen(j);
        ShowRows();
        ShowChoice();
    });
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FazirDialog::ShowRows()
{
    for (int i = 0; i < m_model.Count(); ++i) {
        m_list->setItem(i, 0, new QTableWidgetItem(U(m_model.RowNumber(i))));
        m_list->setItem(i, 1, new QTableWidgetItem(U(m_model.RowName(i))));
    }
}

void FazirDialog::ShowChoice()
{
    const QSignalBlocker b1(m_wire), b2(m_phase), b3(m_list);
    m_wire->setCurrentIndex(m_model.wireChoice);
    m_phase->setCurrentIndex(m_model.phaseChoice);
    m_list->selectRow(m_model.wireChoice);
}

void FazirDialog::accept()
{
    m_model.OnOK();
    QDialog::accept();
}

void RegisterFazirDialog()
{
    RegisterModalDialog<FazirDialog, CFazirDlg>();
}

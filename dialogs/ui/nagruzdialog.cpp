#include "dialogs/ui/nagruzdialog.h"

#include "dialogs/ui/buttonrow.h"
#include "dialogs/ui/modaldialog.h"
#include "dialogs/ui/rowlist.h"
#include "dialogs/ui/uitext.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

NagruzDialog::NagruzDialog(CNagruzDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName("NagruzDialog");
    setWindowTitle(U("Концевая нагрузка"));
    m_model.OnInitDialog();
    const bool readOnly = m_model.readOnly;
    m_name = new QLineEdit(U(m_model.name));
    m_name->setReadOnly(readOnly);
    auto* circuits = new QLineEdit(QString::number(m_model.circuits));
    auto* ground = new QLineEdit(QString::number(m_model.groundWires));
    for (QLineEdit* e : {circuits, ground}) {
        e->setReadOnly(true);
        e->setMaximumWidth(50);
    }
    m_wire = new QSpinBox;
    m_wire->setRange(1, std::max(1, m_model.wireCount));
    m_value = new QLineEdit;
    m_value->setReadOnly(readOnly);
    m_list = NewRowList(m_model.wireCount, 2);
    m_list->setHorizontalHeaderLabels({U("Провод"), U("R,Ом")});
    m_list->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_list->setMinimumSize(220, 200);
    m_enter = new QPushButton(U("Ввести"));
    m_delete = new QPushButton(U("Удалить"));
    m_phasing = new QPushButton(U("Фазировка"));
    m_ok = new QPushButton(U("OK"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(U("Отменить"));
    m_enter->setVisible(!readOnly);
    m_delete->setVisible(!readOnly);
    m_cancel->setVisible(!readOnly);
    m_phasing->setVisible(m_model.isFirstElement);

    auto* form = new QFormLayout;
    form->addRow(U("Название"), m_name);
    auto* counts = new QHBoxLayout;
    counts->addWidget(new QLabel(U(m_model.countLabel)));
    counts->addWidget(circuits);
    counts->addWidget(new QLabel(U("Число тросов ")));
    counts->addWidget(ground);
    counts->addStretch();
    auto* values = new QFormLayout;
    values->addRow(U("Нагрузка в проводах"), m_wire);
    values->addRow(U("R, Ом"), m_value);
    auto* entry = new QHBoxLayout;
    entry->addWidget(m_enter);
    entry->addWidget(m_delete);
    auto* left = new QVBoxLayout;
    left->addLayout(values);
    left->addLayout(entry);
    left->addStretch();
    left->addWidget(m_phasing);
    auto* middle = new QHBoxLayout;
    middle->addLayout(left);
    middle->addWidget(m_list, 1);
    auto* buttons = ButtonRow({m_ok, m_cancel});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(counts);
    layout->addLayout(middle);
    layout->addLayout(buttons);

    connect(m_wire, &QSpinBox::valueChanged, this, [this](int n) {
        m_model.valueText = S(m_value->text());
        m_model.OnWireNumberChanged(n);
        ShowModel();
    });
    connect(m_list, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (row + 1 != m_model.wireNumber) {
            m_model.valueText = S(m_value->text());
            m_model.OnWireNumberChanged(row + 1);
            ShowModel();
        }
    });
    connect(m_value, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_model.valueText = S(text);
        m_model.OnValueTextChanged();
        m_enter->setEnabled(m_model.enterEnabled);
    });
    connect(m_enter, &QPushButton::clicked, this, [this] {
        m_model.valueText = S(m_value->text());
        m_model.OnEnter();
        ShowModel();
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        m_model.OnDelete();
        ShowModel();
    });
    connect(m_phasing, &QPushButton::clicked, this, [this] {
        if (m_model.OnPhasing())
            ShowRows();
    });
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    ShowModel();
}

void NagruzDialog::ShowRows()
{
    for (int i = 0; i < m_model.wireCount; ++i) {
        m_list->setItem(i, 0, new QTableWidgetItem(U(m_model.RowWire(i))));
        m_list->setItem(i, 1, new QTableWidgetItem(U(m_model.RowValue(i))));
    }
}

void NagruzDialog::ShowModel()
{
    {
        const QSignalBlocker block(m_wire);
        m_wire->setValue(m_model.wireNumber);
    }
    m_value->setText(U(m_model.valueText));
    m_enter->setEnabled(m_model.enterEnabled);
    m_delete->setEnabled(m_model.deleteEnabled);
    m_ok->setEnabled(m_model.OkEnabled());
    ShowRows();
    m_list->selectRow(m_model.wireNumber - 1);
}

void NagruzDialog::accept()
{
    m_model.name = S(m_name->text());
    const int answer = m_model.OnOK();
    if (answer == IDOK)
        QDialog::accept();
    else if (answer == IDCANCEL)
        QDialog::reject();
}

void RegisterNagruzDialog()
{
    RegisterModalDialog<NagruzDialog, CNagruzDlg>();
}

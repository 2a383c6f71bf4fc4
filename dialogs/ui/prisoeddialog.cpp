#include "dialogs/ui/prisoeddialog.h"

#include "dialogs/ui/buttonrow.h"
#include "dialogs/ui/drawingwidget.h"
#include "dialogs/ui/modaldialog.h"
#include "dialogs/ui/rowlist.h"
#include "dialogs/ui/uitext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

PrisoedDialog::PrisoedDialog(CPrisoedDlg& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName("PrisoedDialog");
    setWindowTitle(U("Устройство присоединения"));
    m_model.OnInitDialog();
    const EditPolicy policy = m_model.Policy();

    m_name = new QLineEdit(U(m_model.m_strName));
    m_name->setReadOnly(policy.EditsReadOnly());
    m_phasing = new QPushButton(U("Фазировка"));
    m_phasing->setVisible(m_model.m_bFirstElement);

    m_filter = new QComboBox;
    m_newFilter = new QPushButton(U("Новый"));
    m_filterParams = new QPushButton(U("Параметры"));
    m_polarity = new QCheckBox(U("Меняется полярность"));
    m_polarityLine2 = new QLabel(U("обмотки"));
    m_cable = new QComboBox;
    m_newCable = new QPushButton(U("Новый"));
    m_cableParams = new QPushButton(U("Параметры"));
    m_length = new QLineEdit;
    m_r = new QLineEdit;
    m_l = new QLineEdit;
    m_c = new QLineEdit;
    for (QLineEdit* e : {m_length, m_r, m_l, m_c})
        e->setReadOnly(policy.EditsReadOnly());
    m_filter->setEnabled(policy.CombosEnabled());
    m_cable->setEnabled(policy.CombosEnabled());
    m_polarity->setEnabled(policy.ChecksEnabled());
    m_polarityLine2->setEnabled(policy.ChecksEnabled());
    m_enter = new QPushButton(U("Ввести"));
    m_delete = new QPushButton(U("Удалить"));
    m_enter->setVisible(policy.EntryButtonsShown());
    m_delete->setVisible(policy.EntryButtonsShown());

    auto* filterGroup = new QGroupBox(U("Фильтр присоединения"));
    auto* fg = new QGridLayout(filterGroup);
    fg->addWidget(m_filter, 0, 0, 1, 2);
    fg->addWidget(m_newFilter, 1, 0);
    fg->addWidget(m_filterParams, 1, 1);
    fg->addWidget(m_polarity, 2, 0, 1, 2);
    fg->addWidget(m_polarityLine2, 3, 0, 1, 2);
    auto* cableGroup = new QGroupBox(U("ВЧ кабель"));
    auto* cg = new QGridLayout(cableGroup);
    cg->addWidget(m_cable, 0, 0, 1, 2);
    cg->addWidget(m_newCable, 1, 0);
    cg->addWidget(m_cableParams, 1, 1);
    auto* lengthForm = new QFormLayout;
    lengthForm->addRow(U("Длина кабеля, м"), m_length);
    cg->addLayout(lengthForm, 2, 0, 1, 2);
    auto* loadGroup = new QGroupBox(U("Нагрузка кабеля"));
    auto* lf = new QFormLayout(loadGroup);
    lf->addRow(U("R, Ом"), m_r);
    lf->addRow(U("L, мГн"), m_l);
    lf->addRow(U("С, пФ"), m_c);
    m_wireGroup = new QGroupBox;
    auto* wg = new QHBoxLayout(m_wireGroup);
    wg->addWidget(filterGroup);
    wg->addWidget(cableGroup);
    wg->addWidget(loadGroup);
    auto* entry = new QVBoxLayout;
    entry->addWidget(m_enter);
    entry->addWidget(m_delete);
    entry->addStretch();
    wg->addLayout(entry);

    m_list = NewRowList(m_model.m_nWires, 8);
    m_list->setHorizontalHeaderLabels({U("No"), U("Тип фильтра"), U("Тип кабеля"), U("Длина,м"), U("R,Ом"),
                                       U("L,мГн"), U("C,пФ"), U("Полярн.")});
    m_list->setMinimumSize(760, 180);
    m_list->viewport()->installEventFilter(this);
    m_stepper = new ListStepper;
    auto* ok = new QPushButton(U("OK"));
    ok->setDefault(true);
    m_cancel = new QPushButton(U("Отменить"));
    m_cancel->setVisible(policy.CancelShown());

    auto* top = new QHBoxLayout;
    auto* nameForm = new QFormLayout;
    nameForm->addRow(U("Название"), m_name);
    top->addLayout(nameForm, 1);
    top->addWidget(m_phasing);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(m_list, 1);
    listRow->addWidget(m_stepper, 0, Qt::AlignTop);
    auto* buttons = ButtonRow({ok, m_cancel});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_wireGroup);
    layout->addLayout(listRow);
    layout->addLayout(buttons);

    connect(m_filter, &QComboBox::activated, this, [this](int i) {
        ReadControls();
        m_model.OnSelchangeFilter(i);
        ShowCombos();
        ShowRows();
        ShowControls();
    });
    connect(m_cable, &QComboBox::activated, this, [this](int i) {
        ReadControls();
        m_model.OnSelchangeCable(i);
        ShowCombos();
        ShowRows();
        ShowControls();
    });
    auto afterEditor = [this] {
        ShowCombos();
        ShowRows();
        ShowControls();
    };
    connect(m_newFilter, &QPushButton::clicked, this, [this, afterEditor] {
        ReadControls();
        m_model.OnNewFilter();
        afterEditor();
    });
    connect(m_filterParams, &QPushButton::clicked, this, [this, afterEditor] {
        ReadControls();
        m_model.OnFilterParams();
        afterEditor();
    });
    connect(m_newCable, &QPushButton::clicked, this, [this, afterEditor] {
        ReadControls();
        m_model.OnNewCable();
        afterEditor();
    });
    connect(m_cableParams, &QPushButton::clicked, this, [this, afterEditor] {
        ReadControls();
        m_model.OnCableParams();
        afterEditor();
    });
    connect(m_enter, &QPushButton::clicked, this, [this] {
        ReadControls();
        if (m_model.OnEnter()) {
            ShowCombos();
            ShowRows();
            ShowControls();
        }
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        m_model.OnDelete();
        ShowRows();
    });
    connect(m_stepper, &ListStepper::Stepped, this, [this](int delta) {
        ReadControls();
        m_model.OnStep(-delta);  // the down arrow goes on to the next wire
        ShowCombos();
        ShowControls();
    });
    connect(m_list, &QTableWidget::cellClicked, this, [this](int row, int) {
        ReadControls();
        m_model.OnClickList(row);
        ShowCombos();
        ShowControls();
    });
    connect(m_phasing, &QPushButton::clicked, this, [this] {
        if (m_model.OnPhasing())
            ShowRows();
    });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    ShowCombos();
    ShowRows();
    ShowControls();
}

void PrisoedDialog::ReadControls()
{
    m_model.m_strName = S(m_name->text());
    m_model.lengthText = S(m_length->text());
    m_model.rText = S(m_r->text());
    m_model.lText = S(m_l->text());
    m_model.cText = S(m_c->text());
    m_model.m_bPolarity = m_polarity->isChecked() ? 1 : 0;
}

void PrisoedDialog::ShowCombos()
{
    const QSignalBlocker b1(m_filter), b2(m_cable);
    m_filter->clear();
    for (const ComboEntry& e : m_model.filterCombo.entries)
        m_filter->addItem(U(e.text), e.data);
    m_filter->setCurrentIndex(m_model.filterChoice);
    m_cable->clear();
    for (const ComboEntry& e : m_model.cableCombo.entries)
        m_cable->addItem(U(e.text), e.data);
    m_cable->setCurrentIndex(m_model.cableChoice);
}

void PrisoedDialog::ShowControls()
{
    m_wireGroup->setTitle(U(m_model.groupCaption));
    m_length->setText(U(m_model.lengthText));
    m_r->setText(U(m_model.rText));
    m_l->setText(U(m_model.lText));
    m_c->setText(U(m_model.cText));
    m_polarity->setChecked(m_model.m_bPolarity);
    m_polarity->setVisible(m_model.polarityShown);
    m_polarityLine2->setVisible(m_model.polarityShown);
    m_filterParams->setEnabled(m_model.filterParamsEnabled);
    m_cableParams->setEnabled(m_model.cableParamsEnabled);
    m_newFilter->setEnabled(m_model.filterNewEnabled);
    m_newCable->setEnabled(m_model.cableNewEnabled);
    m_list->selectRow(m_model.m_nCurWire);
}

void PrisoedDialog::ShowRows()
{
    for (int i = 0; i < m_model.m_nWires; ++i) {
        const std::vector<std::string> cells = m_model.ShowRow(i);
        for (int k = 0; k < 8; ++k) {
            auto* item = new QTableWidgetItem(U(cells[std::size_t(k)]));
            item->setTextAlignment(Qt::AlignCenter);
            m_list->setItem(i, k, item);
        }
    }
}

// Eight columns in 54ths of the list's width less 5 pixels.
void PrisoedDialog::SetColumnWidths()
{
    static const int parts[8] = {5, 13, 11, 5, 5, 5, 5, 5};
    const int width = m_list->viewport()->width() - 5;
    for (int k = 0; k < 8; ++k)
        m_list->setColumnWidth(k, width * parts[k] / 54);
}

bool PrisoedDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::Resize)
        SetColumnWidths();
    return QDialog::eventFilter(watched, event);
}

void PrisoedDialog::accept()
{
    ReadControls();
    const int answer = m_model.OnOK();
    if (answer == IDOK)
        QDialog::accept();
    else if (answer == IDCANCEL)
        QDialog::reject();
}

void RegisterPrisoedDialog()
{
    RegisterModalDialog<PrisoedDialog, CPrisoedDlg>();
}

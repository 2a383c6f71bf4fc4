#include "dialogs/ui/obhobhpage.h"

#include "dialogs/catalogrequests.h"
#include "dialogs/editpolicy.h"
#include "dialogs/ui/propertysheetdialog.h"
#include "dialogs/ui/trapcombo.h"
#include "dialogs/ui/uitext.h"
#include "model/catalogstore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

void ShowEntries(QComboBox* combo, const CatalogCombo& entries, int choice)
{
    const QSignalBlocker blocker(combo);
    combo->clear();
    for (const ComboEntry& e : entries.entries)
        combo->addItem(U(e.text), e.data);
    combo->setCurrentIndex(choice);
}

} // namespace

ObhObhPage::ObhObhPage(CObhObh& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    setObjectName("ObhObhPage");
    auto* sides = new QHBoxLayout;
    for (int s = 0; s < 2; ++s) {
        BuildSide(s);
        sides->addWidget(m_side[s].group);
    }
    m_equipmentGroup = new QGroupBox(U("Аппаратура уплотнения"));
    m_equipment = new QCheckBox(U("Наличие"));
    m_r = new QLineEdit;
    m_l = new QLineEdit;
    m_c = new QLineEdit;
    auto* eq = new QFormLayout(m_equipmentGroup);
    eq->addRow(m_equipment);
    eq->addRow(U("R,Ом"), m_r);
    eq->addRow(U("L,мГн"), m_l);
    eq->addRow(U("C,пФ"), m_c);
    m_enter = new QPushButton(U("Ввести"));
    m_delete = new QPushButton(U("Удалить"));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_equipmentGroup);
    buttons->addStretch();
    buttons->addWidget(m_enter);
    buttons->addWidget(m_delete);
    sides->addLayout(buttons);
    m_list = NewReportTable(640, 150);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sides);
    layout->addWidget(m_list, 1);

    connect(m_equipment, &QCheckBox::clicked, this, [this](bool on) {
        ReadControls();
        m_model.OnEquipment(on);
        ShowControls();
    });
    connect(m_enter, &QPushButton::clicked, this, [this] {
        ReadControls();
        if (m_model.OnEnter())
            Refresh();
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        ReadControls();
        m_model.OnDelete();
        Refresh();
    });
    connect(m_list, &QTableWidget::cellClicked, this, [this](int row, int) {
        ReadControls();
        m_model.OnClickList(row);
        Refresh();
    });
}

void ObhObhPage::BuildSide(int s)
{
    Side& w = m_side[s];
    w.group = new QGroupBox;
    w.wire = new QComboBox;
    w.filter = new QComboBox;
    w.filter->setMinimumWidth(170);
    w.newFilter = new QPushButton(U("Новый"));
    w.filterParams = new QPushButton(U("Параметры"));
    w.cableGroup = new QGroupBox(U("Кабель"));
    w.cable = new QComboBox;
    w.newCable = new QPushButton(U("Новый"));
    w.cableParams = new QPushButton(U("Параметры"));
    w.lengthLabel = new QLabel(U("Длина кабеля,м"));
    w.length = new QLineEdit;
    w.polarity = new QCheckBox(U("Изменение полярности обмотки"));
    auto* filterGroup = new QGroupBox(U("Фильтр"));
    auto* fg = new QGridLayout(filterGroup);
    fg->addWidget(w.filter, 0, 0, 1, 2);
    fg->addWidget(w.newFilter, 1, 0);
    fg->addWidget(w.filterParams, 1, 1);
    fg->addWidget(w.polarity, 2, 0, 1, 2);
    auto* cg = new QGridLayout(w.cableGroup);
    cg->addWidget(w.cable, 0, 0, 1, 2);
    cg->addWidget(w.newCable, 1, 0);
    cg->addWidget(w.cableParams, 1, 1);
    cg->addWidget(w.lengthLabel, 2, 0);
    cg->addWidget(w.length, 2, 1);
    auto* wire = new QFormLayout;
    wire->addRow(U("Провод"), w.wire);
    auto* layout = new QVBoxLayout(w.group);
    layout->addLayout(wire);
    layout->addWidget(filterGroup);
    layout->addWidget(w.cableGroup);
    // With the cable hidden the filter stays at the top.
    layout->addStretch();

    connect(w.wire, &QComboBox::activated, this, [this, s](int k) {
        ReadControls();
        if (s == 0)
            m_model.OnSelchangeWireBefore(k);
        else
            m_model.OnSelchangeWireAfter(k);
        ShowControls();
    });
    connect(w.filter, &QComboBox::activated, this, [this, s](int i) {
        ReadControls();
        m_model.OnSelchangeFilter(s, i);
        Refresh();
    });
    connect(w.cable, &QComboBox::activated, this, [this, s](int i) {
        ReadControls();
        m_model.OnSelchangeCable(s, i);
        Refresh();
    });
    connect(w.newFilter, &QPushButton::clicked, this, [this, s] {
        ReadControls();
        m_model.OnNewFilter(s);
        Refresh();
    });
    connect(w.filterParams, &QPushButton::clicked, this, [this, s] {
        ReadControls();
        m_model.OnFilterParams(s);
        Refresh();
    });
    connect(w.newCable, &QPushButton::clicked, this, [this, s] {
        ReadControls();
        m_model.OnNewCable(s);
        Refresh();
    });
    connect(w.cableParams, &QPushButton::clicked, this, [this, s] {
        ReadControls();
        m_model.OnCableParams(s);
        Refresh();
    });
}

void ObhObhPage::AddTo(PropertySheetDialog& sheet)
{
    sheet.AddPage(this, [this] { Refresh(); }, [this] { ReadControls(); });
}

void ObhObhPage::ReadControls()
{
    for (int s = 0; s < 2; ++s) {
        m_model.lengthText[s] = S(m_side[s].length->text());
        m_model.m_bPolarity[s] = m_side[s].polarity->isChecked() ? 1 : 0;
    }
    m_model.m_nWireBefore = std::max(m_side[0].wire->currentIndex(), 0);
    m_model.m_nWireAfter = std::max(m_side[1].wire->currentIndex(), 0);
    m_model.m_bEquipment = m_equipment->isChecked() ? 1 : 0;
    m_model.rText = S(m_r->text());
    m_model.lText = S(m_l->text());
    m_model.cText = S(m_c->text());
}

void ObhObhPage::Refresh()
{
    for (int s = 0; s < 2; ++s) {
        Side& w = m_side[s];
        const QSignalBlocker blocker(w.wire);
        w.wire->clear();
        for (const std::string& label : m_model.m_WireLabels[s])
            w.wire->addItem(U(label));
        ShowEntries(w.filter, m_model.filterCombo, m_model.filterChoice[s]);
        ShowEntries(w.cable, m_model.cableCombo, m_model.cableChoice[s]);
        w.length->setText(U(m_model.lengthText[s]));
    }
    m_r->setText(U(m_model.rText));
    m_l->setText(U(m_model.lText));
    m_c->setText(U(m_model.cText));
    ShowControls();
    ShowRows();
}

void ObhObhPage::ShowControls()
{
    const EditPolicy policy = m_model.Policy();
    const bool second = m_model.HasSecondCable();
    for (int s = 0; s < 2; ++s) {
        Side& w = m_side[s];
        w.group->setTitle(U(m_model.GroupCaption(s)));
        {
            const QSignalBlocker blocker(w.wire);
            w.wire->setCurrentIndex(s == 0 ? m_model.m_nWireBefore : m_model.m_nWireAfter);
        }
        w.filter->setEnabled(policy.CombosEnabled());
        w.cable->setEnabled(policy.CombosEnabled());
        w.newFilter->setEnabled(policy.NewButtonsEnabled() && HasItemEditor(kCatFilters));
        w.newCable->setEnabled(policy.NewButtonsEnabled() && HasItemEditor(kCatHfCables));
        w.filterParams->setEnabled(m_model.filterParamsEnabled[s]);
        w.cableParams->setEnabled(m_model.cableParamsEnabled[s]);
        w.length->setReadOnly(policy.EditsReadOnly());
        w.polarity->setChecked(m_model.m_bPolarity[s]);
        w.polarity->setVisible(m_model.polarityShown[s]);
        w.polarity->setEnabled(policy.ChecksEnabled());
    }
    // In the field and around a cable insert the line has one HF cable and no equipment.
    m_side[1].cableGroup->setVisible(second);
    m_equipmentGroup->setVisible(second);
    m_equipment->setChecked(m_model.m_bEquipment);
    m_equipment->setEnabled(policy.ChecksEnabled());
    for (QLineEdit* e : {m_r, m_l, m_c}) {
        e->setReadOnly(policy.EditsReadOnly());
        e->setEnabled(m_model.EquipmentEnabled());
    }
    m_enter->setVisible(policy.EntryButtonsShown());
    m_delete->setVisible(policy.EntryButtonsShown());
    m_delete->setEnabled(m_model.deleteEnabled);
}

void ObhObhPage::ShowRows()
{
    ShowTable(m_list, m_model.Columns(std::max(m_list->width(), 640)), m_model.Rows());
}

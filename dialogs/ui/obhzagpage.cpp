#include "dialogs/ui/obhzagpage.h"

#include "dialogs/editpolicy.h"
#include "dialogs/ui/propertysheetdialog.h"
#include "dialogs/ui/trapcombo.h"
#include "dialogs/ui/uitext.h"

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

ObhZagPage::ObhZagPage(CObhZag& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    setObjectName("ObhZagPage");
    m_name = new QLineEdit;
    auto* nameForm = new QFormLayout;
    nameForm->addRow(U("Название"), m_name);
    auto* sides = new QHBoxLayout;
    for (int s = 0; s < 2; ++s) {
        BuildSide(s);
        sides->addWidget(m_side[s].group);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameForm);
    layout->addLayout(sides, 1);
}

void ObhZagPage::BuildSide(int s)
{
    Side& w = m_side[s];
    w.group = new QGroupBox;
    w.wire = new QComboBox;
    w.trap = new QComboBox;
    w.trap->setMinimumWidth(160);
    w.newTrap = new QPushButton(U("Новый"));
    w.params = new QPushButton(U("Параметры"));
    w.enter = new QPushButton(U("Ввести"));
    w.remove = new QPushButton(U("Удалить"));
    w.list = NewReportTable(280, 160);
    auto* grid = new QGridLayout(w.group);
    grid->addWidget(new QLabel(U("В проводе")), 0, 0);
    grid->addWidget(w.wire, 0, 1, 1, 2);
    grid->addWidget(w.trap, 1, 0, 1, 3);
    grid->addWidget(w.newTrap, 2, 0);
    grid->addWidget(w.params, 2, 1);
    grid->addWidget(w.enter, 3, 0);
    grid->addWidget(w.remove, 3, 1);
    grid->addWidget(w.list, 4, 0, 1, 3);

    connect(w.wire, &QComboBox::activated, this, [this, s](int k) {
        ReadControls();
        m_model.OnSelchangeWire(s, k);
        Refresh();
    });
    connect(w.trap, &QComboBox::activated, this, [this, s](int i) {
        ReadControls();
        m_model.OnSelchangeTrap(s, i);
        Refresh();
    });
    connect(w.newTrap, &QPushButton::clicked, this, [this, s] {
        ReadControls();
        m_model.OnNew(s);
        Refresh();
    });
    connect(w.params, &QPushButton::clicked, this, [this, s] {
        ReadControls();
        m_model.OnParams(s);
        Refresh();
    });
    connect(w.enter, &QPushButton::clicked, this, [this, s] {
        ReadControls();
        if (m_model.OnEnter(s))
            Refresh();
    });
    connect(w.remove, &QPushButton::clicked, this, [this, s] {
        ReadControls();
        m_model.OnDelete(s);
        Refresh();
    });
    connect(w.list, &QTableWidget::cellClicked, this, [this, s](int row, int) {
        ReadControls();
        m_model.OnClickList(s, row);
        Refresh();
    });
}

void ObhZagPage::AddTo(PropertySheetDialog& sheet)
{
    sheet.AddPage(this, [this] { Refresh(); }, [this] { ReadControls(); });
}

void ObhZagPage::ReadControls()
{
    m_model.m_strName = S(m_name->text());
}

void ObhZagPage::ShowSide(int s)
{
    Side& w = m_side[s];
    const EditPolicy policy(m_model.editing);
    w.group->setTitle(U(m_model.groupCaption[s]));
    {
        const QSignalBlocker blocker(w.wire);
        w.wire->clear();
        for (const std::string& label : m_model.labels[s])
            w.wire->addItem(U(label));
        w.wire->setCurrentIndex(m_model.current[s]);
    }
    ShowTrapCombo(w.trap, m_model.traps[s]);
    w.trap->setEnabled(policy.CombosEnabled());
    w.newTrap->setEnabled(m_model.traps[s].NewEnabled());
    w.params->setEnabled(m_model.traps[s].paramsEnabled);
    w.enter->setVisible(policy.EntryButtonsShown());
    w.remove->setVisible(policy.EntryButtonsShown());
    w.remove->setEnabled(m_model.deleteEnabled[s]);
    std::vector<std::vector<std::string>> rows;
    for (int k = 0; k < m_model.m_nWires; ++k)
        rows.push_back(m_model.Row(s, k));
    const int width = std::max(w.list->width(), 280) - 18;
    ShowTable(w.list, {{"Провод", width / 4}, {"Заградитель", 3 * (width / 4)}}, rows);
    w.list->selectRow(m_model.current[s]);
}

void ObhZagPage::Refresh()
{
    m_name->setText(U(m_model.m_strName));
    m_name->setReadOnly(!m_model.editing);
    ShowSide(0);
    ShowSide(1);
}

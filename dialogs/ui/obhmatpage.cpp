#include "dialogs/ui/obhmatpage.h"

#include "dialogs/editpolicy.h"
#include "dialogs/ui/drawingwidget.h"
#include "dialogs/ui/propertysheetdialog.h"
#include "dialogs/ui/trapcombo.h"
#include "dialogs/ui/uitext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

ObhMatPage::ObhMatPage(CObhMat& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    setObjectName("ObhMatPage");
    m_cequiv = new QLineEdit;
    m_mutual = new QCheckBox(U("Учитывать взаимные емкости шин"));
    m_group = new QGroupBox(U("Матрица взаимных емкостей (пФ)"));
    m_row = new QComboBox;
    m_column = new QComboBox;
    m_rowStep = new ListStepper;
    m_columnStep = new ListStepper;
    m_c = new QLineEdit;
    m_enter = new QPushButton(U("Ввести"));
    m_matrix = NewReportTable(360, 160);
    auto* grid = new QGridLayout(m_group);
    grid->addWidget(new QLabel(U("i=")), 0, 0);
    grid->addWidget(m_row, 0, 1);
    grid->addWidget(m_rowStep, 0, 2);
    grid->addWidget(new QLabel(U("j=")), 0, 3);
    grid->addWidget(m_column, 0, 4);
    grid->addWidget(m_columnStep, 0, 5);
    grid->addWidget(new QLabel(U("C=")), 0, 6);
    grid->addWidget(m_c, 0, 7);
    grid->addWidget(m_enter, 0, 8);
    grid->addWidget(m_matrix, 1, 0, 1, 9);
    auto* form = new QFormLayout;
    form->addRow(U("Cэкв сборных шин, пФ"), m_cequiv);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_mutual);
    layout->addWidget(m_group, 1);
    layout->addStretch();

    connect(m_mutual, &QCheckBox::clicked, this, [this](bool on) {
        m_model.m_bMutual = on ? 1 : 0;
        ShowControls();
    });
    connect(m_row, &QComboBox::activated, this, [this](int i) {
        m_model.OnSelchangeRowI(i);
        ShowControls();
    });
    connect(m_column, &QComboBox::activated, this, [this](int j) {
        m_model.OnSelchangeColJ(j);
        ShowControls();
    });
    connect(m_rowStep, &ListStepper::Stepped, this, [this](int delta) {
        m_model.OnDeltaposRowI(delta);
        ShowControls();
    });
    connect(m_columnStep, &ListStepper::Stepped, this, [this](int delta) {
        m_model.OnDeltaposColJ(delta);
        ShowControls();
    });
    connect(m_c, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (m_filling)
            return;
        m_model.OnChangeC(S(text));
        ShowControls();
    });
    connect(m_enter, &QPushButton::clicked, this, [this] {
        if (m_model.OnEnterC())
            ShowControls();
    });
    connect(m_matrix, &QTableWidget::cellClicked, this, [this](int row, int) {
        m_model.OnClickMatrix(row);
        ShowControls();
    });
    connect(m_matrix->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        m_model.OnColumnClickMatrix(column);
        ShowControls();
    });
}

void ObhMatPage::AddTo(PropertySheetDialog& sheet)
{
    sheet.AddPage(this, [this] { Refresh(); }, [this] { ReadControls(); });
}

void ObhMatPage::ReadControls()
{
    m_model.cequivText = S(m_cequiv->text());
    m_model.m_bMutual = m_mutual->isChecked() ? 1 : 0;
}

void ObhMatPage::Refresh()
{
    m_filling = true;
    const EditPolicy policy(m_model.editing);
    m_cequiv->setReadOnly(policy.EditsReadOnly());
    m_c->setReadOnly(policy.EditsReadOnly());
    m_rowStep->setEnabled(policy.ChecksEnabled());
    m_columnStep->setEnabled(policy.ChecksEnabled());
    m_enter->setVisible(policy.EntryButtonsShown());
    // Fewer than two phase wires: no pair to enter.
    m_mutual->setEnabled(policy.ChecksEnabled() && m_model.MatrixPossible());
    m_cequiv->setText(U(m_model.cequivText));
    {
        const QSignalBlocker b1(m_row), b2(m_column);
        m_row->clear();
        m_column->clear();
        for (const std::string& label : m_model.m_strLabels) {
            m_row->addItem(U(label));
            m_column->addItem(U(label));
        }
    }
    ShowControls();
    m_filling = false;
}

void ObhMatPage::ShowControls()
{
    const bool wasFilling = m_filling;
    m_filling = true;
    m_mutual->setChecked(m_model.m_bMutual);
    m_group->setVisible(m_model.MatrixShown());
    {
        const QSignalBlocker b1(m_row), b2(m_column);
        m_row->setCurrentIndex(m_model.m_nRowI);
        m_column->setCurrentIndex(m_model.m_nColJ);
    }
    if (m_c->text() != U(m_model.m_strC))
        m_c->setText(U(m_model.m_strC));
    m_enter->setEnabled(m_model.EnterEnabled());
    const int m = m_model.m_nPhaseWires;
    std::vector<ListColumn> columns = {{"No", 90}};
    for (int c = 0; c < m; ++c)
        columns.push_back({m_model.m_strLabels[std::size_t(c)], 70});
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < m; ++r) {
        std::vector<std::string> row;
        for (int c = 0; c <= m; ++c)
            row.push_back(m_model.Cell(r, c));
        rows.push_back(std::move(row));
    }
    ShowTable(m_matrix, columns, rows);
    m_filling = wasFilling;
}

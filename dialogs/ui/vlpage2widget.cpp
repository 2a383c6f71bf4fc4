#include "dialogs/ui/vlpage2widget.h"

#include "dialogs/ui/drawingwidget.h"
#include "dialogs/ui/numericedit.h"
#include "dialogs/ui/uitext.h"
#include "dialogs/vlpage2.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

VLPage2Widget::VLPage2Widget(CVLPage2& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    m_group = new QGroupBox;
    m_wireType = new QComboBox;
    m_wireType->setMinimumWidth(160);
    m_newWire = new QPushButton(U("Новый"));
    m_wireParams = new QPushButton(U("Параметры"));
    m_bundle = new QSpinBox;
    m_bundle->setRange(1, CVLPage2::kMaxBundle);
    m_stepLabel = new QLabel(U("Шаг,см"));
    m_step = new NumericEdit;
    m_sag = new NumericEdit;
    for (QWidget* w : {static_cast<QWidget*>(m_bundle), static_cast<QWidget*>(m_step), static_cast<QWidget*>(m_sag)})
        w->setMaximumWidth(80);
    m_iceGroup = new QGroupBox(U("Гололед"));
    m_iceWall = new NumericEdit;
    m_iceDensity = new NumericEdit;
    m_iceWall->setMaximumWidth(80);
    m_iceDensity->setMaximumWidth(80);
    auto* iceLayout = new QFormLayout(m_iceGroup);
    iceLayout->addRow(U("D,см"), m_iceWall);
    iceLayout->addRow(U("Плотность"), m_iceDensity);
    m_height = new QLabel;
    m_enter = new QPushButton(U("Ввести"));

    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(m_wireType, 1);
    typeRow->addWidget(m_newWire);
    typeRow->addWidget(m_wireParams);
    auto* values = new QFormLayout;
    values->addRow(U("Nрасщ"), m_bundle);
    values->addRow(m_stepLabel, m_step);
    values->addRow(U("Провис,м"), m_sag);
    auto* valuesRow = new QHBoxLayout;
    valuesRow->addLayout(values);
    valuesRow->addWidget(m_iceGroup);
    valuesRow->addStretch(1);
    auto* groupLayout = new QVBoxLayout(m_group);
    groupLayout->addLayout(typeRow);
    groupLayout->addLayout(valuesRow);
    auto* heightRow = new QHBoxLayout;
    heightRow->addWidget(m_height, 1);
    heightRow->addWidget(m_enter);
    groupLayout->addLayout(heightRow);

    m_list = new QTreeWidget;
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(CVLPage2::kColumns);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumSize(640, 150);  // room for the column titles at the list's proportions
    QStringList titles;
    for (const auto& [title, width] : CVLPage2::Columns(400))
        titles << U(title);
    m_list->setHeaderLabels(titles);
    m_drawing = new DrawingWidget([this](QPainter& p, const PixelRect& area) {
        const TowerDrawing d = m_model.Drawing(area);
        QPen dashed(Qt::black, 1, Qt::DashDotDotLine);
        if (d.axisShown) {
            p.setPen(dashed);
            p.drawLine(d.axisX, d.axisBottom, d.axisX, d.axisTop);
        }
        p.setPen(QPen(Qt::black, 3));
        if (d.groundShown)
            p.drawLine(d.groundLeft, d.groundY, d.groundRight, d.groundY);
        p.setPen(QPen(Qt::black, 1));
        for (const TowerDrawing::Point& pt : d.points) {
            p.drawEllipse(QPoint(pt.x, pt.y), 2, 2);
            p.drawText(pt.x + 5, pt.y + p.fontMetrics().ascent() / 2, U(pt.label));
        }
    });
    m_stack = new QStackedWidget;
    m_stack->addWidget(m_list);
    m_stack->addWidget(m_drawing);
    m_stepper = new ListStepper;
    m_drawingButton = new QPushButton;
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(m_stack, 1);
    listRow->addWidget(m_stepper, 0, Qt::AlignTop);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(m_drawingButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_group);
    layout->addLayout(listRow, 1);
    layout->addLayout(bottom);

    connect(m_wireType, &QComboBox::activated, this, [this](int index) {
        m_model.OnSelchangeWireType(index);
        FillWires();
        ShowRows();
    });
    connect(m_newWire, &QPushButton::clicked, this, [this] {
        m_model.OnNewWire();
        FillWires();
        ShowRows();
    });
    connect(m_wireParams, &QPushButton::clicked, this, [this] {
        m_model.OnWireParams();
        FillWires();
        ShowRows();
    });
    connect(m_bundle, &QSpinBox::valueChanged, this, [this](int value) {
        if (m_model.m_bRefreshing)
            return;
        m_model.m_nBundle = value;
        m_model.OnBundleChanged();
        if (m_model.m_nBundle == 1)
            m_step->SetValue(m_model.m_fBundleStep);
        ShowStates();
    });
    connect(m_enter, &QPushButton::clicked, this, [this] {
        if (!Read())
            return;
        m_model.OnEnter();
        FillWires();
        ShowWire();
        ShowRows();
    });
    connect(m_list, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        m_model.OnListClick(m_list->indexOfTopLevelItem(item));
        FillWires();
        ShowWire();
        ShowRows();
    });
    connect(m_stepper, &ListStepper::Stepped, this, [this](int delta) {
        m_model.OnStep(-delta);  // the down arrow goes on to the next wire
        FillWires();
        ShowWire();
        ShowRows();
    });
    connect(m_drawingButton, &QPushButton::clicked, this, [this] {
        m_model.OnToggleDrawing();
        ShowStates();
    });
}

void VLPage2Widget::FillWires()
{
    const QSignalBlocker block(m_wireType);
    m_wireType->clear();
    for (const ComboEntry& e : m_model.m_wireCombo.entries)
        m_wireType->addItem(U(e.text), e.data);
    m_wireType->setCurrentIndex(m_model.m_nWireChoice);
    ShowStates();
}

// The current wire's values and every state that depends on them.
void VLPage2Widget::ShowWire()
{
    CVLPage2& m = m_model;
    m_group->setTitle(U(m.m_strGroupTitle));
    {
        const QSignalBlocker block(m_bundle);
        m_bundle->setValue(m.m_nBundle);
    }
    m_step->SetValue(m.m_fBundleStep);
    m_sag->SetValue(m.m_fSag);
    m_iceWall->SetValue(m.m_fIceWall);
    m_iceDensity->SetValue(m.m_fIceDensity);
    m_height->setText(U(m.m_strHeight));
    ShowStates();
}

void VLPage2Widget::ShowStates()
{
    const CVLPage2& m = m_model;
    const EditPolicy& policy = m.m_policy;
    m_wireType->setEnabled(policy.CombosEnabled());
    m_newWire->setEnabled(m.m_bNewWireEnabled);
    m_wireParams->setEnabled(m.m_bWireParamsEnabled);
    m_bundle->setEnabled(policy.Editing() && m.m_bBundleEnabled);
    for (NumericEdit* e : {m_step, m_sag, m_iceWall, m_iceDensity})
        e->setReadOnly(policy.EditsReadOnly());
    m_stepLabel->setVisible(m.m_bStepShown);
    m_step->setVisible(m.m_bStepShown);
    m_iceGroup->setVisible(m.m_bIceShown);
    m_enter->setVisible(m.EnterShown());
    m_enter->setEnabled(m.EnterEnabled());
    m_drawingButton->setText(U(m.DrawingButtonText()));
    m_stack->setCurrentWidget(m.ListShown() ? static_cast<QWidget*>(m_list) : m_drawing);
    m_drawing->update();
}

void VLPage2Widget::ShowRows()
{
    const CVLPage2& m = m_model;
    const QSignalBlocker block(m_list);
    if (m_list->topLevelItemCount() != static_cast<int>(m.m_rows.size())) {
        m_list->clear();
        for (std::size_t i = 0; i < m.m_rows.size(); ++i)
            m_list->addTopLevelItem(new QTreeWidgetItem);
    }
    for (std::size_t i = 0; i < m.m_rows.size(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(static_cast<int>(i));
        for (int c = 0; c < CVLPage2::kColumns; ++c)
            item->setText(c, U(m.m_rows[i][static_cast<std::size_t>(c)]));
    }
    if (m.m_nCurWire < m_list->topLevelItemCount())
        m_list->setCurrentItem(m_list->topLevelItem(m.m_nCurWire));
}

void VLPage2Widget::SetColumnWidths()
{
    const auto columns = CVLPage2::Columns(m_list->viewport()->width());
    for (int c = 0; c < CVLPage2::kColumns; ++c)
        m_list->setColumnWidth(c, columns[static_cast<std::size_t>(c)].second);
}

void VLPage2Widget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    SetColumnWidths();
}

void VLPage2Widget::Show()
{
    m_model.m_bRefreshing = 1;
    FillWires();
    ShowWire();
    ShowRows();
    SetColumnWidths();
    m_model.m_bRefreshing = 0;
}

bool VLPage2Widget::Read()
{
    bool ok = true;
    for (auto [edit, value] : {std::pair{m_step, &m_model.m_fBundleStep}, std::pair{m_sag, &m_model.m_fSag},
                               std::pair{m_iceWall, &m_model.m_fIceWall},
                               std::pair{m_iceDensity, &m_model.m_fIceDensity}})
        if (ok && !edit->ReadValue(*value))
            ok = false;
    m_model.m_nBundle = m_bundle->value();
    m_model.m_bControlsInvalid = !ok;
    return ok;
}

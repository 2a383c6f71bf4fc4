#include "dialogs/ui/cablelayoutpanel.h"

#include "dialogs/ui/drawingwidget.h"
#include "dialogs/ui/numericedit.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString U(const std::string& s)
{
    return QString::fromStdString(s);
}

QString U(const char* s)
{
    return QString::fromUtf8(s);
}

} // namespace

CableLayoutPanel::CableLayoutPanel(CablePanelHooks hooks, Selector selector, QWidget* parent)
    : QWidget(parent), m_hooks(std::move(hooks)), m_selector(selector)
{
    auto* kind = new QGroupBox(U("Тип кабеля"));
    m_solid = new QRadioButton(U("В твердой изоляции"));
    m_pipe = new QRadioButton(U("В проводящей трубе"));
    auto* kindLayout = new QVBoxLayout(kind);
    kindLayout->addWidget(m_solid);
    kindLayout->addWidget(m_pipe);

    auto* cable = new QGroupBox(U("Кабель"));
    m_type = new QComboBox;
    m_type->setMinimumContentsLength(18);
    m_new = new QPushButton(U("Новый"));
    m_params = new QPushButton(U("Параметры"));
    auto* cableLayout = new QGridLayout(cable);
    cableLayout->addWidget(m_type, 0, 0, 1, 2);
    cableLayout->addWidget(m_new, 1, 0);
    cableLayout->addWidget(m_params, 1, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(kind);
    top->addWidget(cable, 1);

    auto* values = new QGridLayout;
    m_diameterLabel = new QLabel(U("Диаметр трубы, мм"));
    m_diameter = new NumericEdit;
    m_resistivityLabel = new QLabel;
    m_resistivity = new NumericEdit;
    m_power = new QLabel(U("*10<sup>-8</sup>"));
    m_permeabilityLabel = new QLabel(U("Магнитная проницаемость"));
    m_permeability = new NumericEdit;
    m_length = new NumericEdit;
    m_circuits = new QLabel;
    values->addWidget(m_diameterLabel, 0, 0);
    values->addWidget(m_diameter, 0, 1);
    values->addWidget(m_resistivityLabel, 1, 0);
    values->addWidget(m_resistivity, 1, 1);
    values->addWidget(m_power, 1, 2);
    values->addWidget(m_permeabilityLabel, 2, 0);
    values->addWidget(m_permeability, 2, 1);
    values->addWidget(new QLabel(U("Длина линии, км")), 3, 0);
    values->addWidget(m_length, 3, 1);
    values->addWidget(m_circuits, 4, 0);
    values->setColumnStretch(3, 1);

    m_group = new QGroupBox;
    auto* coords = new QHBoxLayout;
    if (m_selector == Selector::Number) {
        m_number = new QSpinBox;
        coords->addWidget(m_number);
    } else {
        m_cableCombo = new QComboBox;
        m_cableCombo->setMinimumContentsLength(8);
        m_stepper = new ListStepper;
        coords->addWidget(m_cableCombo);
        coords->addWidget(m_stepper);
    }
    m_coord1 = new NumericEdit;
    m_coord2 = new NumericEdit;
    m_enter = new QPushButton(U("Ввести"));
    coords->addWidget(m_coord1);
    coords->addWidget(m_coord2);
    coords->addWidget(m_enter);
    m_list = new QTreeWidget;
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(3);
    m_list->header()->setDefaultAlignment(Qt::AlignCenter);
    m_list->installEventFilter(this);
    m_list->setMinimumHeight(170);
    m_drawingWidget = new DrawingWidget([this](QPainter& p, const PixelRect& area) { Paint(p, area); });
    m_stack = new QStackedWidget;
    m_stack->addWidget(m_list);
    m_stack->addWidget(m_drawingWidget);
    m_view = new QPushButton;
    auto* viewRow = new QHBoxLayout;
    viewRow->addStretch();
    viewRow->addWidget(m_view);
    auto* groupLayout = new QVBoxLayout(m_group);
    groupLayout->addLayout(coords);
    groupLayout->addWidget(m_stack, 1);
    groupLayout->addLayout(viewRow);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addLayout(values);
    layout->addWidget(m_group, 1);

    auto onRadio = [this](int layout) {
        if (m_refreshing)
            return;
        ReadControls();
        m_hooks.onLayout(layout);
        Refresh();
    };
    connect(m_solid, &QRadioButton::clicked, this, [onRadio] { onRadio(0); });
    connect(m_pipe, &QRadioButton::clicked, this, [onRadio] { onRadio(1); });
    connect(m_type, &QComboBox::activated, this, [this](int index) {
        const int data = index < 0 ? -1 : m_type->itemData(index).toInt();
        m_hooks.cables->ChooseType(data, m_hooks.chain, m_hooks.skipIndex, *m_hooks.otherBase, *m_hooks.otherPath);
        Refresh();
    });
    connect(m_new, &QPushButton::clicked, this, [this] {
        m_hooks.cables->EditType(true, m_hooks.chain, m_hooks.skipIndex);
        Refresh();
    });
    connect(m_params, &QPushButton::clicked, this, [this] {
        m_hooks.cables->EditType(false, m_hooks.chain, m_hooks.skipIndex);
        Refresh();
    });
    connect(m_enter, &QPushButton::clicked, this, [this] {
        if (!ReadControls())
            return;
        m_hooks.cables->Enter();
        Refresh();
    });
    connect(m_list, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        SelectCable(m_list->indexOfTopLevelItem(item));
    });
    if (m_number)
        connect(m_number, &QSpinBox::valueChanged, this, [this](int v) { SelectCable(v - 1); });
    if (m_cableCombo)
        connect(m_cableCombo, &QComboBox::activated, this, [this](int i) { SelectCable(i); });
    if (m_stepper)
        connect(m_stepper, &ListStepper::Stepped, this, [this](int delta) {
            if (!m_hooks.cables->policy.Editing() || !ReadControls())
                return;
            m_hooks.onStep(delta);
            Refresh();
        });
    connect(m_view, &QPushButton::clicked, this, [this] {
        if (!ReadControls())
            return;
        m_hooks.onToggleView();
        Refresh();
    });
}

// Each column takes a third of the list's width less 18 pixels, as the list is resized.
void CableLayoutPanel::SetColumnWidths()
{
    const int width = std::max(m_list->width() - 18, 0) / 3;
    for (int k = 0; k < 3; ++k)
        m_list->setColumnWidth(k, width);
}

bool CableLayoutPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::Resize)
        SetColumnWidths();
    return QWidget::eventFilter(watched, event);
}

void CableLayoutPanel::SelectCable(int index)
{
    if (m_refreshing)
        return;
    ReadControls();
    m_hooks.cables->Select(index);
    Refresh();
}

bool CableLayoutPanel::ReadControls()
{
    CableLayout& c = *m_hooks.cables;
    if (c.policy.EditsReadOnly())
        return true;
    return m_diameter->ReadValue(c.pipeDiameter) && m_resistivity->ReadValue(c.resistivity) &&
           m_permeability->ReadValue(c.permeability) && m_length->ReadValue(c.length) &&
           m_coord1->ReadValue(c.coord1) && m_coord2->ReadValue(c.coord2);
}

void CableLayoutPanel::FillList()
{
    CableLayout& c = *m_hooks.cables;
    const auto columns = c.Columns();
    m_list->setHeaderLabels({U(columns[0]), U(columns[1]), U(columns[2])});
    m_list->clear();
    if (m_cableCombo)
        m_cableCombo->clear();
    for (const auto& row : c.Rows()) {
        auto* item = new QTreeWidgetItem({U(row[0]), U(row[1]), U(row[2])});
        for (int k = 0; k < 3; ++k)
            item->setTextAlignment(k, Qt::AlignCenter);
        m_list->addTopLevelItem(item);
        if (m_cableCombo)
            m_cableCombo->addItem(U(row[0]));
    }
    SetColumnWidths();
}

void CableLayoutPanel::Refresh()
{
    m_refreshing = true;
    CableLayout& c = *m_hooks.cables;
    const EditPolicy& policy = c.policy;
    const bool pipe = c.layout == 1;
    m_solid->setChecked(!pipe);
    m_pipe->setChecked(pipe);
    m_solid->setEnabled(m_hooks.radioEnabled(0));
    m_pipe->setEnabled(m_hooks.radioEnabled(1));

    int selected = -1;
    const CatalogCombo combo = c.FillTypeCombo(selected);
    m_type->clear();
    for (const ComboEntry& e : combo.entries)
        m_type->addItem(U(e.text), e.data);
    m_type->setCurrentIndex(selected);
    m_type->setEnabled(policy.CombosEnabled());
    const bool editor = c.TypeEditorAvailable();
    m_new->setEnabled(policy.NewButtonsEnabled() && editor);
    m_params->setEnabled(editor && !c.TypeName().empty());

    m_diameter->SetValue(c.pipeDiameter);
    m_resistivity->SetValue(c.resistivity);
    m_permeability->SetValue(c.permeability);
    m_length->SetValue(c.length);
    for (QWidget* w : {static_cast<QWidget*>(m_diameterLabel), static_cast<QWidget*>(m_diameter),
                       static_cast<QWidget*>(m_power), static_cast<QWidget*>(m_permeabilityLabel),
                       static_cast<QWidget*>(m_permeability)})
        w->setVisible(pipe);
    for (NumericEdit* e : {m_diameter, m_resistivity, m_permeability, m_length, m_coord1})
        e->setReadOnly(policy.EditsReadOnly());
    m_resistivityLabel->setText(U(c.ResistivityLabel()));
    m_circuits->setText(U(c.CircuitsText()));
    m_group->setTitle(U(c.GroupCaption()));

    FillList();
    if (m_number) {
        m_number->setRange(1, std::max(1, c.CableCount()));
        m_number->setValue(c.current + 1);
        m_number->setEnabled(policy.Editing());
    }
    if (m_cableCombo) {
        m_cableCombo->setCurrentIndex(c.current);
        m_cableCombo->setEnabled(policy.Editing());
        m_stepper->setEnabled(policy.Editing());
    }
    m_coord1->SetValue(c.coord1);
    m_coord2->SetValue(c.coord2);
    m_coord2->setReadOnly(c.SecondCoordReadOnly());

    const bool drawing = m_hooks.drawingShown();
    m_stack->setCurrentIndex(drawing ? 1 : 0);
    m_drawingWidget->update();
    m_enter->setVisible(policy.EntryButtonsShown());
    m_enter->setEnabled(!drawing);
    m_view->setText(drawing ? U("Таблица") : U("Просмотр"));
    m_refreshing = false;
}

void CableLayoutPanel::Paint(QPainter& p, const PixelRect& area) const
{
    if (!m_hooks.drawingShown())
        return;
    const CableDrawing d = m_hooks.drawing(area);
    p.setRenderHint(QPainter::Antialiasing);
    const QPen thick(Qt::black, 3, Qt::SolidLine);
    p.setPen(thick);
    p.setBrush(Qt::NoBrush);
    for (const CableCircle& c : d.circles) {
        p.drawEllipse(QPoint(c.x, c.y), c.radius, c.radius);
        if (!c.label.empty())
            p.drawText(QPoint(c.x + c.radius + d.labelOffset, c.y + p.fontMetrics().ascent() / 2), U(c.label));
    }
    if (d.surface) {
        p.setPen(d.dashedSurface ? QPen(Qt::black, 1, Qt::DashDotDotLine) : thick);
        p.drawLine(d.surfaceX1, d.surfaceY, d.surfaceX2, d.surfaceY);
    }
}

#include "dialogs/ui/obhklpage.h"

#include "dialogs/ui/cablelayoutpanel.h"
#include "dialogs/ui/propertysheetdialog.h"

#include <QVBoxLayout>

ObhKLPage::ObhKLPage(CObhKL& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    CablePanelHooks hooks;
    hooks.cables = &m_model.cables;
    hooks.onLayout = [this](int layout) { m_model.OnLayout(layout); };
    hooks.radioEnabled = [this](int layout) {
        return layout == 1 ? m_model.pipeRadioEnabled : m_model.solidRadioEnabled;
    };
    hooks.onToggleView = [this] { return m_model.OnToggleView(); };
    hooks.drawingShown = [this] { return m_model.m_bDrawing != 0; };
    hooks.drawing = [this](const PixelRect& area) { return m_model.Drawing(area); };
    hooks.onStep = [this](int delta) { m_model.OnStep(delta); };
    hooks.chain = m_model.chain;
    hooks.skipIndex = m_model.m_nElementIndex;
    hooks.otherBase = &m_model.m_OtherBase;
    hooks.otherPath = &m_model.m_strOtherBasePath;
    m_panel = new CableLayoutPanel(std::move(hooks), CableLayoutPanel::Selector::Combo);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_panel);
}

void ObhKLPage::AddTo(PropertySheetDialog& sheet)
{
    sheet.AddPage(this, [this] { m_panel->Refresh(); }, [this] { m_model.controlsRead = m_panel->ReadControls(); });
}

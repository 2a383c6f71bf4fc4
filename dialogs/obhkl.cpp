#include "dialogs/obhkl.h"

#include "model/conductors.h"
#include "model/coupling.h"
#include "model/element.h"
#include "platform/format.h"
#include "platform/messages.h"

void CObhKL::OnInitPage()
{
    m_bDrawing = 0;
    m_pEObhod = m_pElement->Data<CEObhod>();
    if (!m_pEObhod->cableInsert)
        m_pEObhod->cableInsert = std::make_unique<CKLine>();
    m_pKLine = m_pEObhod->cableInsert.get();
    cables.line = m_pKLine;
    cables.policy = EditPolicy(editing);
    cables.solidLabel = [this](int i) { return SolidLabel(i); };
    cables.LoadValues();
}

void CObhKL::OnSetActive()
{
    // The bypassed phase wires, rebuilt each time: the circuit choice may have changed them.
    m_Codes.clear();
    m_WireIndex.clear();
    for (int i = 0; i < kMaxWires && i < m_pElement->wirePositions; ++i) {
        const int code = m_pElement->inMap[i];
        if (m_pEObhod->flags[i] && code >= 0 && code % 4 < 3) {
            m_Codes.push_back(code);
            m_WireIndex.push_back(i);
        }
    }
    m_nCircuits = int(m_Codes.size()) / 3;
    cables.circuits = m_nCircuits;
    LayoutStep();
    cables.ShowCable();
}

void CObhKL::LayoutStep()
{
    solidRadioEnabled = editing || cables.layout == 0;
    pipeRadioEnabled = editing || cables.layout == 1;
    m_pKLine->elementWires = std::uint8_t(std::min(3 * m_nCircuits, kMaxWires));
    cables.current = 0;
}

bool CObhKL::OnKillActive()
{
    if (!editing)
        return true;
    if (!controlsRead)
        return false;
    cables.StoreValues();
    return true;
}

void CObhKL::OnLayout(int layout)
{
    cables.layout = layout;
    LayoutStep();
    cables.Select(0);
}

void CObhKL::OnStep(int delta)
{
    cables.Select(cables.current - delta);
}

bool CObhKL::OnToggleView()
{
    if (!m_bDrawing) {
        const std::string refusal = cables.DrawingRefusal();
        if (!refusal.empty()) {
            ShowMessage(refusal, kLayoutDataCaption, MsgIcon::Stop);
            return false;
        }
    }
    m_bDrawing = !m_bDrawing;
    return true;
}

std::string CObhKL::SolidLabel(int i) const
{
    if (i >= int(m_Codes.size()))
        return StrFormat("%d (?)", i + 1);
    const std::string name = FormatConductorName(m_Codes.data(), -1, std::uint8_t(i));
    return StrFormat("%d (%s)", m_WireIndex[std::size_t(i)] + 1, name.c_str());
}

#include "dialogs/klinedlg.h"

#include "model/conductors.h"
#include "model/element.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "platform/storedtext.h"

#include <algorithm>

namespace {

void Examine(const CElement& e, CableNeighbours& flags)
{
    if (e.type == kOverheadLine) {
        flags.sameLineNearby = 1;
    } else if (e.type == kCableLine && e.entered) {
        const CKLine* k = e.Data<CKLine>();
        if (k && k->elementWires == e.wirePositions)
            flags.sameLineNearby = 1;
        else
            flags.screenedCableNearby = 1;
    }
}

bool EndsScan(const CElement& e)
{
    return e.type == kWireCountChange || e.type == kAttachedEnd;
}

} // namespace

CableNeighbours FindCableNeighbours(const ElementChain& chain, int index, int sectionKind)
{
    CableNeighbours flags;
    if (index < 0 || index >= int(chain.size()))
        return flags;
    const CElement& self = *chain[std::size_t(index)];
    if (self.wirePositions >= 126) {
        flags.sameLineNearby = 1;
        return flags;
    }
    if (sectionKind == 0) {
        for (int i = 0; i < int(chain.size()); ++i)
            if (i != index && chain[std::size_t(i)]->wirePositions == self.wirePositions)
                Examine(*chain[std::size_t(i)], flags);
        return flags;
    }
    for (int i = index - 1; i >= 1 && !EndsScan(*chain[std::size_t(i)]); --i)
        Examine(*chain[std::size_t(i)], flags);
    for (int i = index + 1; i < int(chain.size()) && !EndsScan(*chain[std::size_t(i)]); ++i)
        Examine(*chain[std::size_t(i)], flags);
    return flags;
}

std::string CKLineDlg::SolidLabel(int i) const
{
    // With screens the element's wires alternate core and screen.
    const int entry = m_pElement->groundWires > 0 ? i * 2 : i;
    std::string name = "?";
    if (entry < kMaxWires && entry < m_pElement->wirePositions)
        name = FormatConductorName(m_pElement->inMap, m_pElement->splitConductor, std::uint8_t(entry));
    return StrFormat("%d (%s)", i + 1, name.c_str());
}

void CKLineDlg::OnInitDialog()
{
    m_bDrawing = 0;
    if (!m_pKLine) {
        if (!m_pElement->Data<CKLine>())
            m_pElement->data = std::make_unique<CKLine>();
        m_pKLine = m_pElement->Data<CKLine>();
    }
    m_strName = m_pElement->name;
    cables.line = m_pKLine;
    cables.policy = EditPolicy(editing);
    cables.circuits = m_pElement->circuits;
    cables.solidLabel = [this](int i) { return SolidLabel(i); };
    // Cables with screens are laid in the ground only.
    cables.LoadValues(m_pElement->groundWires > 0 ? 0 : -1);
    cables.current = 0;
    UpdateKindControls();
    cables.ShowCable();
}

void CKLineDlg::UpdateKindControls()
{
    // The pipe radio: cables with screens here or nearby rule the pipe out;
    // a line of the same wires nearby leaves the radio as it is.
    if (m_pElement->groundWires > 0 || m_bScreenedCableNearby) {
        cables.layout = 0;
        pipeRadioEnabled = false;
    } else if (!m_bSameLineNearby) {
        pipeRadioEnabled = editing || cables.layout == 1;
    }
    solidRadioEnabled = editing || cables.layout == 0;
    m_pKLine->elementWires = std::uint8_t(std::min(3 * int(m_pElement->circuits), kMaxWires));
}

void CKLineDlg::OnLayout(int layout)
{
    if (layout == 1 && !pipeRadioEnabled)
        return;
    cables.layout = layout;
    UpdateKindControls();
    cables.Select(0);
}

bool CKLineDlg::OnToggleView()
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

bool CKLineDlg::OnOK()
{
    if (!editing)
        return true;  // OK acts as Cancel: the opener writes nothing
    if (!CheckStoredText(m_strName, kNameField, kAppName))
        return false;
    m_pElement->name = m_strName;
    cables.circuits = m_pElement->circuits;
    cables.StoreValues();
    std::string fault;
    if (!CheckCableLayout(*m_pKLine, &fault)) {
        ShowMessage(CableLayoutRefusal(kIncompleteDataText, fault), kAppName, MsgIcon::Stop);
        m_pElement->entered = 0;
        return false;
    }
    AcceptElement(*m_pElement, m_strName, true);
    return true;
}

int RunCableLineDialog(CElement& element, ElementChain& chain, int index, int sectionKind, bool editing)
{
    CKLineDlg dlg;
    dlg.m_pElement = &element;
    dlg.m_pKLine = element.Data<CKLine>();
    const CableNeighbours flags = FindCableNeighbours(chain, index, sectionKind);
    dlg.m_bSameLineNearby = flags.sameLineNearby;
    dlg.m_bScreenedCableNearby = flags.screenedCableNearby;
    dlg.m_nElementIndex = index;
    dlg.editing = editing;
    dlg.chain = &chain;
    return dlg.DoModal();
}

#include "dialogs/obhvib.h"

#include "dialogs/bypassvalidation.h"
#include "dialogs/dialogglobals.h"
#include "model/coupling.h"
#include "model/element.h"

#include <algorithm>

CObhVib::CObhVib()
{
    g_nBypassPageToken = 1;
}

void CObhVib::OnInitPage()
{
    const CElement& e = *m_pElement;
    const int wires = std::min<int>(e.wirePositions, kMaxWires);
    m_nKind = m_pEObhod->kind;
    m_nSelective = m_pEObhod->selectionMode ? 1 : 0;
    buttons.Build(e.inMap, wires, CircuitButtons::Numbering::Wrapped64);
    if (m_nSelective)
        buttons.CheckFromFlags(e.inMap, m_pEObhod->flags, wires);
    else
        for (CircuitButton& b : buttons.buttons)
            b.checked = true;
    // A class whose boxes are all ticked or all clear cannot move: its count never changes here.
    for (CircuitButton& b : buttons.buttons) {
        const int checked = buttons.CheckedCount(b.IsGround());
        b.enabled = editing && checked != 0 && checked != buttons.Count(b.IsGround());
    }
}

void CObhVib::OnClick(int k)
{
    if (k >= 0 && k < int(buttons.buttons.size()))
        buttons.KeepCount(k);
}

bool CObhVib::OnKillActive()
{
    if (editing)
        buttons.FlagsFromChecked(m_pElement->inMap, m_pEObhod->flags,
                                 std::min<int>(m_pElement->wirePositions, kMaxWires));
    return true;
}

void CObhVib::OnOK()
{
    if (validateOnOK && g_nBypassPageToken == 1)
        ValidateBypassSheet(*m_pElement, editing);
}

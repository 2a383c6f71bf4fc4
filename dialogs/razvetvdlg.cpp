#include "dialogs/razvetvdlg.h"

#include "dialogs/editpolicy.h"
#include "model/branches.h"
#include "model/element.h"
#include "platform/messages.h"
#include "platform/storedtext.h"

#include <algorithm>

void CRazvetvDlg::OnInitDialog()
{
    CElement& e = *m_pElement;
    m_strName = e.name;
    m_buttons.buttons.clear();
    COtvet* branching = e.Data<COtvet>();
    if (!branching)
        return;
    if (!m_bKeepCounts)
        std::fill(std::begin(branching->flags), std::end(branching->flags), std::uint8_t(1));
    const int wires = std::min<int>(e.wirePositions, kMaxWires);
    m_buttons.Build(e.inMap, wires, CircuitButtons::Numbering::Plain);
    m_buttons.CheckFromFlags(e.inMap, branching->flags, wires);

    const int circuitBoxes = m_buttons.Count(false), groundBoxes = m_buttons.Count(true);
    const int checkedCircuits = m_buttons.CheckedCount(false), checkedGround = m_buttons.CheckedCount(true);
    if (circuitBoxes > 0 && checkedCircuits == circuitBoxes) {
        // The second branch keeps at least one circuit: the last one.
        for (auto it = m_buttons.buttons.rbegin(); it != m_buttons.buttons.rend(); ++it)
            if (!it->IsGround()) {
                it->checked = false;
                break;
            }
    }
    for (CircuitButton& b : m_buttons.buttons) {
        const int checked = b.IsGround() ? checkedGround : checkedCircuits;
        const int boxes = b.IsGround() ? groundBoxes : circuitBoxes;
        b.enabled = editing && (!m_bKeepCounts || (checked != 0 && checked != boxes));
    }
}

void CRazvetvDlg::ToggleLine(int k)
{
    if (k < 0 || k >= int(m_buttons.buttons.size()))
        return;
    if (m_bKeepCounts) {
        m_buttons.KeepCount(k);
        return;
    }
    if (m_buttons.buttons[std::size_t(k)].IsGround())
        return;  // ground wires may all go into either branch
    const int checked = m_buttons.CheckedCount(false);
    if (checked == 0 || checked == m_buttons.Count(false))
        m_buttons.KeepCount(k);
}

bool CRazvetvDlg::OnOK()
{
    if (!editing)
        return true;
    if (!CheckStoredText(m_strName, kNameField, "Выбор"))
        return false;
    CElement& e = *m_pElement;
    COtvet* branching = e.Data<COtvet>();
    if (!branching)
        return true;
    const int c = m_buttons.CheckedCount(false), g = m_buttons.CheckedCount(true);
    if (m_bKeepCounts && (c != e.circuitsAfter || g != e.groundWiresAfter)) {
        ShowMessage("При корректировке элемента не должно меняться\nчисло отходящих в первую ветвь цепей и тросов!",
                    "Выбор", MsgIcon::Stop);
        return false;
    }
    if (c == e.circuits || c == 0) {
        ShowMessage("В каждой из ветвей\nдолжна быть хотя бы одна цепь!", "Выбор", MsgIcon::Stop);
        return false;
    }
    const int wires = std::min<int>(e.wirePositions, kMaxWires);
    const int f = m_buttons.FlagsFromChecked(e.inMap, branching->flags, wires);
    if (!m_bKeepCounts) {
        e.circuitsAfter = std::uint8_t(c);
        e.groundWiresAfter = std::uint8_t(g);
        e.circuitsPart = std::uint8_t(e.circuits - c);
        e.groundWiresPart = std::uint8_t(std::max(0, e.groundWires - g));
        int first = 0, second = 0;
        for (int i = 0; i < wires; ++i) {
            if (branching->flags[i])
                e.outMap[first++] = e.inMap[i];
            else
                branching->map[second++] = e.inMap[i];
        }
        branching->count = std::uint8_t(wires - f);
    }
    e.name = m_strName;
    return true;
}

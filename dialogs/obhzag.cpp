#include "dialogs/obhzag.h"

#include "dialogs/bypassvalidation.h"
#include "dialogs/dialogglobals.h"
#include "dialogs/editpolicy.h"
#include "model/conductors.h"
#include "model/coupling.h"
#include "model/element.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "platform/storedtext.h"

#include <algorithm>

CObhZag::CObhZag()
{
    g_nBypassPageToken = 2;
}

void CObhZag::OnInitPage()
{
    m_nWires = std::uint8_t(std::min<int>(m_pEObhod->n, kMaxWires));
    m_strName = m_pElement->name;
    if (m_pEObhod->kind == 1) {
        groupCaption[0] = "До обходов";
        groupCaption[1] = "После обходов";
    } else if (m_pEObhod->kind == 2) {
        groupCaption[0] = "До кабельной линии";
        groupCaption[1] = "После кабельной линии";
    }
    for (int s = 0; s < 2; ++s) {
        traps[s].editing = editing;
        traps[s].chain = chain;
        traps[s].skipIndex = m_nElementIndex;
        for (int k = 0; k < kMaxWires; ++k) {
            hasTrap[s][k] = 0;
            pending[s][k] = CShunt();
        }
        // A trap whose position the bypass no longer has is skipped; leaving drops it.
        for (const CShunt& record : m_pEObhod->traps[s].branches)
            if (record.firstWire < m_nWires) {
                hasTrap[s][record.firstWire] = 1;
                pending[s][record.firstWire] = record;
            }
        current[s] = 0;
    }
    FillTrapCombos();
}

void CObhZag::FillTrapCombos()
{
    for (int s = 0; s < 2; ++s)
        traps[s].Fill(pending[s][current[s]].trap.name);
}

void CObhZag::BuildLabels()
{
    const CElement& e = *m_pElement;
    CEObhod& b = *m_pEObhod;
    const int n = m_nWires;
    labels[0].assign(std::size_t(n), std::string());
    labels[1].assign(std::size_t(n), std::string());
    auto label = [](int number, const int* map, int entry) {
        return StrFormat("%d (%s)", number, FormatConductorName(map, -1, std::uint8_t(entry)).c_str());
    };
    if (!b.insideDoubling || b.kind != 0) {
        const int wires = std::min<int>(e.wirePositions, kMaxWires);
        int k = 0;
        for (int i = 0; i < wires && k < n; ++i) {
            if (!b.flags[i])
                continue;
            labels[0][std::size_t(k)] = label(i + 1, e.inMap, i);
            labels[1][std::size_t(k)] = label(i + 1, e.outMap, i);
            b.map[k] = e.outMap[i];
            ++k;
        }
    } else {
        // A bypass closing a doubling: the wires after it are the second half of the input map.
        for (int k = 0; k < n; ++k) {
            labels[0][std::size_t(k)] = label(k + 1, e.inMap, k);
            if (n + k < kMaxWires)
                labels[1][std::size_t(k)] = label(k + 1, e.inMap, n + k);
            b.map[k] = e.inMap[k];
        }
    }
}

void CObhZag::OnSetActive()
{
    BuildLabels();
    current[0] = current[1] = 0;
    ShowWire(0);
    ShowWire(1);
}

std::vector<std::string> CObhZag::Row(int side, int k) const
{
    const std::string& label = labels[side][std::size_t(k)];
    return {label, hasTrap[side][k] ? pending[side][k].trap.name : std::string("Нет")};
}

void CObhZag::ShowWire(int s)
{
    const int k = current[s];
    if (k < 0 || k >= m_nWires) {
        deleteEnabled[s] = false;
        return;
    }
    if (hasTrap[s][k]) {
        traps[s].Select(pending[s][k].trap.name);
    } else if (traps[s].choice >= 0 && traps[s].choice < int(traps[s].combo.entries.size())) {
        // The trap last chosen is carried to the next untrapped wire.
        const int data = traps[s].combo.entries[std::size_t(traps[s].choice)].data;
        if (const CZagrad* chosen = ChosenItem(g_TaskBase.traps, g_CurBase.traps, data))
            pending[s][k].trap.Copy(*chosen);
    }
    deleteEnabled[s] = hasTrap[s][k] != 0;
}

void CObhZag::OnSelchangeWire(int side, int k)
{
    if (k < 0 || k >= m_nWires)
        return;
    current[side] = k;
    ShowWire(side);
}

void CObhZag::SpreadOnPage(int side, const CZagrad& trap)
{
    for (int s = 0; s < 2; ++s)
        for (int k = 0; k < m_nWires; ++k)
            if (!(s == side && k == current[side]) && pending[s][k].trap.name == trap.name)
                pending[s][k].trap.Copy(trap);
}

void CObhZag::OnSelchangeTrap(int side, int entry)
{
    if (m_nWires == 0)
        return;
    CZagrad& trap = pending[side][current[side]].trap;
    if (traps[side].Choose(entry, trap) == TrapChoice::Outcome::Fetched) {
        traps[1 - side].Fill(pending[1 - side][current[1 - side]].trap.name);
        SpreadOnPage(side, trap);
    }
}

void CObhZag::EditTrap(int side, CZagrad record)
{
    if (m_nWires == 0 || !traps[side].Edit(record))
        return;
    // The wire is not marked here: only "Ввести" puts the trap on it.
    pending[side][current[side]].trap.Copy(record);
    traps[1 - side].Fill(pending[1 - side][current[1 - side]].trap.name);
    SpreadOnPage(side, record);
}

void CObhZag::OnNew(int side)
{
    EditTrap(side, CZagrad());
}

void CObhZag::OnParams(int side)
{
    if (m_nWires > 0)
        EditTrap(side, pending[side][current[side]].trap);
}

bool CObhZag::OnEnter(int side)
{
    const int k = current[side];
    if (k >= m_nWires || pending[side][k].trap.name.empty()) {
        ShowMessage(kNoTrapChosenText, kAppName, MsgIcon::Stop);
        return false;
    }
    hasTrap[side][k] = 1;
    deleteEnabled[side] = true;
    if (k < m_nWires - 1) {
        current[side] = k + 1;
        ShowWire(side);
    }
    return true;
}

void CObhZag::OnDelete(int side)
{
    const int k = current[side];
    if (k < m_nWires)
        hasTrap[side][k] = 0;
    deleteEnabled[side] = false;
}

bool CObhZag::OnKillActive()
{
    if (editing && !CheckStoredText(m_strName, kNameField, kAppName))
        return false;
    m_pElement->name = m_strName;
    for (int s = 0; s < 2; ++s) {
        CEShunt& part = m_pEObhod->traps[s];
        part.branches.clear();
        for (int k = 0; k < m_nWires; ++k)
            if (hasTrap[s][k]) {
                part.branches.push_back(pending[s][k]);
                part.branches.back().firstWire = std::uint8_t(k);
            }
        part.count = std::uint8_t(part.branches.size());
    }
    return true;
}

void CObhZag::OnOK()
{
    if (validateOnOK && g_nBypassPageToken == 2)
        ValidateBypassSheet(*m_pElement, editing);
}

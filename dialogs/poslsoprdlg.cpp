#include "dialogs/poslsoprdlg.h"

#include "dialogs/numericfield.h"
#include "model/conductors.h"
#include "model/element.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "platform/storedtext.h"

#include <algorithm>

void CPoslSoprDlg::OnInitDialog()
{
    CElement& e = *m_pElement;
    const int wires = (dc ? 1 : 3) * e.circuits + e.groundWires + (e.splitConductor >= 0 ? 1 : 0);
    m_nWires = std::uint8_t(std::clamp(wires, 0, kMaxWires));
    m_slots = WireSlots<CShunt, &CShunt::firstWire>(m_nWires);
    // A record whose wire the element no longer has is skipped; OK drops it.
    m_slots.Load(m_pEShunt->branches);
    m_nKind = m_pEShunt->trapKind ? 1 : 0;
    m_strName = e.name;
    wireLabels.clear();
    for (int i = 0; i < m_nWires; ++i)
        wireLabels.push_back(StrFormat("%d (%s)", i + 1,
                                       FormatConductorName(e.inMap, split, std::uint8_t(i)).c_str()));
    rText = lText = cText = FormatNumericField(0.0f);
    m_bOpen = 0;
    m_Current = CShunt();
    traps.editing = editing;
    traps.chain = chain;
    traps.skipIndex = m_nElementIndex;
    RefreshRows();
    traps.Fill(m_Current.trap.name);
    m_nCurWire = 0;
    ShowCurrentWire();
}

std::vector<ListColumn> CPoslSoprDlg::BuildColumns(int width) const
{
    const int w = width - 18;
    std::vector<ListColumn> columns = {{"Провод", w * 2 / 19}};
    if (m_nKind == 1) {
        columns.push_back({"Заградитель", w * 15 / 19});
    } else {
        for (const char* title : {"R,Ом", "L,мГн", "C,пФ"})
            columns.push_back({title, w * 5 / 19});
    }
    return columns;
}

std::vector<std::string> CPoslSoprDlg::Row(int wire) const
{
    std::vector<std::string> cells = {wire < int(wireLabels.size()) ? wireLabels[std::size_t(wire)] : ""};
    if (!m_slots.IsSet(wire)) {
        cells.push_back("Нет");
        if (m_nKind == 0)
            cells.insert(cells.end(), {"", ""});
        return cells;
    }
    const CShunt& s = m_slots.At(wire);
    if (m_nKind == 1) {
        cells.push_back(s.trap.name);
    } else if (s.r + s.l * 1000 + s.c * 1e12 >= 0.001) {
        cells.push_back(StrFormat("%g", s.r));
        cells.push_back(StrFormat("%g", s.l * 1000));
        cells.push_back(StrFormat("%g", s.c * 1e12));
    } else {
        cells.insert(cells.end(), {"Обрыв", "провода", ""});
    }
    return cells;
}

void CPoslSoprDlg::RefreshRows()
{
    if (m_nKind != 1)
        return;
    for (int w = 0; w < m_nWires; ++w)
        if (m_slots.IsSet(w) && m_slots.At(w).trap.name.empty())
            m_slots.Clear(w);
}

void CPoslSoprDlg::ShowCurrentWire()
{
    if (m_slots.IsSet(m_nCurWire)) {
        m_Current = m_slots.At(m_nCurWire);
        if (m_nKind == 0) {
            m_bOpen = m_Current.r < 0.001 && m_Current.c < 1e-15 && m_Current.l < 1e-6 ? 1 : 0;
            rText = FormatNumericField(float(m_Current.r));
            cText = FormatNumericField(float(m_Current.c * 1e12));
            lText = FormatNumericField(float(m_Current.l * 1000));
        } else {
            traps.Select(m_Current.trap.name);
        }
    }
    deleteEnabled = m_slots.IsSet(m_nCurWire) && editing;
}

bool CPoslSoprDlg::OnEnter()
{
    float r = 0, l = 0, c = 0;
    if (m_nKind == 0 && !m_bOpen &&
        (!ReadNumericField(rText, r) || !ReadNumericField(lText, l) || !ReadNumericField(cText, c)))
        return false;
    const bool accepted = m_nKind == 1 ? !m_Current.trap.name.empty() : r >= 0 && l >= 0 && c >= 0;
    if (!accepted || m_nCurWire >= m_nWires) {
        ShowMessage(kBadSeriesText, kAppName, MsgIcon::Stop);
        return false;
    }
    m_Current.r = r;
    m_Current.l = double(l) * 0.001;
    m_Current.c = double(c) * 1e-12;
    m_slots.Set(m_nCurWire, m_Current);
    deleteEnabled = editing;
    if (m_nCurWire + 1 < m_nWires) {
        ++m_nCurWire;
        ShowCurrentWire();
    }
    return true;
}

void CPoslSoprDlg::OnDelete()
{
    m_slots.Clear(m_nCurWire);
    deleteEnabled = false;
}

void CPoslSoprDlg::OnClickList(int row)
{
    if (row < 0 || row >= m_nWires)
        return;
    m_nCurWire = row;
    ShowCurrentWire();
}

void CPoslSoprDlg::OnSelchangeWire(int wire)
{
    OnClickList(wire);
}

void CPoslSoprDlg::OnKind(int kind)
{
    if (kind == m_nKind || (kind != 0 && kind != 1))
        return;
    // The entries of the other kind are discarded without a question.
    for (int w = 0; w < m_nWires; ++w) {
        m_slots.At(w) = CShunt();
        m_slots.Clear(w);
    }
    m_nKind = kind;
    if (kind == 0)
        traps.choice = -1;
    else
        traps.Select(m_Current.trap.name);
    ShowCurrentWire();
}

void CPoslSoprDlg::OnOpenWire(bool on)
{
    m_bOpen = on ? 1 : 0;
    if (on)
        rText = lText = cText = FormatNumericField(0.0f);
}

void CPoslSoprDlg::OnSelchangeTrap(int entry)
{
    if (traps.Choose(entry, m_Current.trap) != TrapChoice::Outcome::Fetched)
        return;
    // A trap fetched from another file reaches the flagged wires that use it.
    for (int w = 0; w < m_nWires; ++w)
        if (m_slots.IsSet(w) && m_slots.At(w).trap.name == m_Current.trap.name)
            m_slots.At(w).trap.Copy(m_Current.trap);
}

void CPoslSoprDlg::EditTrap(CZagrad record)
{
    if (!traps.Edit(record))
        return;
    m_Current.trap.Copy(record);
    // A trap saved in the editor reaches every slot that holds it, flagged or not.
    for (int w = 0; w < m_nWires; ++w)
        if (m_slots.At(w).trap.name == record.name)
            m_slots.At(w).trap.Copy(record);
}

void CPoslSoprDlg::OnNewTrap()
{
    EditTrap(CZagrad());
}

void CPoslSoprDlg::OnTrapParams()
{
    EditTrap(m_Current.trap);
}

int CPoslSoprDlg::OnOK()
{
    if (!editing)
        return IDCANCEL;
    if (!CheckStoredText(m_strName, kNameField, kAppName))
        return 0;
    m_pEShunt->branches.clear();
    m_pEShunt->trapKind = std::uint8_t(m_nKind == 1 ? 1 : 0);
    for (const CShunt& s : m_slots.Rebuild())
        if (m_nKind == 0 || !s.trap.name.empty())
            m_pEShunt->branches.push_back(s);
    m_pEShunt->count = std::uint8_t(m_pEShunt->branches.size());
    const bool stored = !m_pEShunt->branches.empty();
    if (!stored)
        ShowMessage(kNoLoadedWireText, kAppName, MsgIcon::Stop);
    AcceptElement(*m_pElement, m_strName, stored);
    return IDOK;
}

int RunPoslSoprDialog(CElement& element, int elementIndex, bool editing, ElementChain* chain)
{
    if (!element.Data<CEShunt>())
        element.data = std::make_unique<CEShunt>();
    CPoslSoprDlg dlg;
    dlg.m_pElement = &element;
    dlg.m_pEShunt = element.Data<CEShunt>();
    dlg.m_nElementIndex = std::uint16_t(elementIndex);
    dlg.editing = editing;
    dlg.chain = chain;
    dlg.split = element.splitConductor;
    dlg.dc = IsDCTask();
    return dlg.DoModal();
}

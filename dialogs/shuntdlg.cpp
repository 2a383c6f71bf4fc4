#include "dialogs/shuntdlg.h"

#include "dialogs/numericfield.h"
#include "model/conductors.h"
#include "model/element.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "platform/storedtext.h"

#include <algorithm>

namespace {

// A branch to ground (second wire = first) sorts after every wire of its first wire.
int SortKey(const CShunt& s)
{
    const int second = s.secondWire == s.firstWire ? 256 : s.secondWire;
    return s.firstWire * 512 + second;
}

} // namespace

void CShuntDlg::OnInitDialog()
{
    CElement& e = *m_pElement;
    const int wires = e.circuits * (dc ? 1 : 3) + (split >= 0 ? 1 : 0) + e.groundWires;
    m_nWires = std::uint16_t(std::clamp(wires, 0, kMaxWires));
    m_nCurShunt = 0;
    m_strName = e.name;
    wireLabels.clear();
    for (int i = 0; i < m_nWires; ++i)
        wireLabels.push_back(WireLabel(i));
    m_bUseCequiv = m_pEShunt->capacitance > 1e-16 ? 1 : 0;
    cequivText = m_bUseCequiv ? FormatStoredField(m_pEShunt->capacitance, 1e12) : FormatNumericField(0.0f);
    m_nKind = m_pEShunt->trapKind ? 1 : 0;
    rText = lText = cText = FormatNumericField(0.0f);
    m_bShort = 0;
    m_nWire1 = 0;
    m_nWire2 = -1;
    m_Current = CShunt();
    traps.editing = editing;
    traps.chain = chain;
    traps.skipIndex = m_nElementIndex;
    traps.Fill(m_Current.trap.name);
    deleteEnabled = false;
    ShowShunt();
}

std::string CShuntDlg::WireLabel(int wire) const
{
    // A wire the element no longer has (its counts changed since the branch was entered).
    if (wire < 0 || wire >= m_nWires)
        return "?";
    return StrFormat("%d (%s)", wire + 1,
                     FormatConductorName(m_pElement->inMap, split, std::uint8_t(wire)).c_str());
}

std::vector<ListColumn> CShuntDlg::BuildShuntColumns(int width) const
{
    const int w = width - 18;
    std::vector<ListColumn> columns = {{"No", w * 3 / 26}, {"Пров.1", 2 * w / 13}, {"Пров.2", 2 * w / 13}};
    if (m_nKind == 1) {
        columns.push_back({"Заградитель", w * 15 / 26});
    } else {
        for (const char* title : {"R,Ом", "L,мГн", "C,пФ"})
            columns.push_back({title, w * 5 / 26});
    }
    return columns;
}

std::vector<std::string> CShuntDlg::Row(int i) const
{
    const CShunt& s = m_pEShunt->branches[std::size_t(i)];
    std::vector<std::string> cells = {StrFormat("%d", i + 1), WireLabel(s.firstWire),
                                      s.secondWire == s.firstWire ? kGroundLabel : WireLabel(s.secondWire)};
    if (m_nKind == 1) {
        cells.push_back(s.trap.name);
    } else if (s.c * 1e12 + s.l * 1e3 + s.r >= 0.001) {
        cells.push_back(StrFormat("%g", s.r));
        cells.push_back(StrFormat("%g", s.l * 1e3));
        cells.push_back(StrFormat("%g", s.c * 1e12));
    } else {
        cells.insert(cells.end(), {"КЗ", "", ""});
    }
    return cells;
}

void CShuntDlg::ShowShunt()
{
    if (m_nCurShunt >= Rows()) {
        m_nWire2 = -1;
        return;
    }
    m_Current = m_pEShunt->branches[m_nCurShunt];
    m_nWire1 = m_Current.firstWire;
    m_nWire2 = m_Current.secondWire == m_Current.firstWire ? int(m_nWires) : m_Current.secondWire;
    if (m_nKind == 1) {
        traps.Select(m_Current.trap.name);
    } else {
        const double c = m_Current.c * 1e12, r = m_Current.r, l = m_Current.l * 1e3;
        cText = FormatNumericField(float(c));
        rText = FormatNumericField(float(r));
        lText = FormatNumericField(float(l));
        m_bShort = c + r + l < 0.001 ? 1 : 0;
    }
}

void CShuntDlg::OnUseCequiv(bool on)
{
    m_bUseCequiv = on ? 1 : 0;
}

void CShuntDlg::OnKind(int kind)
{
    if (kind == m_nKind || (kind != 0 && kind != 1))
        return;
    // The branches of the other kind are discarded without a question.
    m_nKind = kind;
    m_pEShunt->branches.clear();
    m_nCurShunt = 0;
    deleteEnabled = false;
    if (kind == 0)
        traps.choice = -1;
    else
        traps.Select(m_Current.trap.name);
}

int CShuntDlg::FindBranch(int first, int second) const
{
    const auto& list = m_pEShunt->branches;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].firstWire == first && list[i].secondWire == second)
            return int(i);
    return -1;
}

void CShuntDlg::OnSelchangeWires()
{
    m_Current.firstWire = std::uint8_t(std::max(m_nWire1, 0));
    if (m_nWire2 < 0) {
        deleteEnabled = false;
        return;
    }
    if (m_nWire2 == m_nWire1 || m_nWire2 >= m_nWires) {
        m_nWire2 = m_nWires;  // "Земля"
        m_Current.secondWire = m_Current.firstWire;
    } else {
        m_Current.secondWire = std::uint8_t(m_nWire2);
    }
    const int found = FindBranch(m_Current.firstWire, m_Current.secondWire);
    if (found >= 0) {
        m_nCurShunt = std::uint16_t(found);
        ShowShunt();
    }
    deleteEnabled = found >= 0 && editing;
}

bool CShuntDlg::OnEnterShunt()
{
    float r = 0, l = 0, c = 0;
    if (m_nKind == 0 && !m_bShort &&
        (!ReadNumericField(rText, r) || !ReadNumericField(lText, l) || !ReadNumericField(cText, c)))
        return false;
    const bool accepted = m_nWire1 >= 0 && m_nWire1 < m_nWires && m_nWire2 >= 0 &&
                          (m_nKind == 1 ? !m_Current.trap.name.empty() : r >= 0 && l >= 0 && c >= 0);
    if (!accepted) {
        ShowMessage(kBadShuntText, kAppName, MsgIcon::Stop);
        return false;
    }
    m_Current.firstWire = std::uint8_t(m_nWire1);
    m_Current.secondWire = m_nWire2 >= m_nWires ? std::uint8_t(m_nWire1) : std::uint8_t(m_nWire2);
    m_Current.r = r;
    m_Current.l = double(l) * 0.001;
    m_Current.c = double(c) * 1e-12;
    auto& list = m_pEShunt->branches;
    int at = FindBranch(m_Current.firstWire, m_Current.secondWire);
    if (at >= 0) {
        list[std::size_t(at)] = m_Current;
    } else {
        if (list.size() >= std::size_t(kMaxShunts)) {
            ShowMessage(kTooManyShuntsText, kAppName, MsgIcon::Stop);
            return false;
        }
        const int key = SortKey(m_Current);
        const auto pos = std::find_if(list.begin(), list.end(), [&](const CShunt& s) { return SortKey(s) > key; });
        at = int(pos - list.begin());
        list.insert(pos, m_Current);
    }
    m_nCurShunt = std::uint16_t(at);
    deleteEnabled = editing;
    return true;
}

void CShuntDlg::OnDeleteShunt()
{
    const int at = FindBranch(m_Current.firstWire, m_Current.secondWire);
    if (at >= 0)
        m_pEShunt->branches.erase(m_pEShunt->branches.begin() + at);
    m_nCurShunt = 0;
    deleteEnabled = false;
}

void CShuntDlg::OnClickShuntList(int row)
{
    if (row < 0 || row >= Rows())
        return;
    m_nCurShunt = std::uint16_t(row);
    ShowShunt();
    deleteEnabled = editing;
}

void CShuntDlg::OnShortCircuit(bool on)
{
    m_bShort = on ? 1 : 0;
    if (on)
        rText = lText = cText = FormatNumericField(0.0f);
}

void CShuntDlg::SpreadOverList(const CZagrad& trap)
{
    auto& list = m_pEShunt->branches;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (int(i) != m_nCurShunt && list[i].trap.name == trap.name)
            list[i].trap.Copy(trap);
}

void CShuntDlg::OnSelchangeTrap(int entry)
{
    if (traps.Choose(entry, m_Current.trap) == TrapChoice::Outcome::Fetched)
        SpreadOverList(m_Current.trap);
}

void CShuntDlg::EditShuntTrap(CZagrad record)
{
    if (!traps.Edit(record))
        return;
    m_Current.trap.Copy(record);
    SpreadOverList(record);
}

void CShuntDlg::OnNewTrap()
{
    EditShuntTrap(CZagrad());
}

void CShuntDlg::OnTrapParams()
{
    EditShuntTrap(m_Current.trap);
}

int CShuntDlg::OnOK()
{
    if (!editing)
        return IDCANCEL;
    if (!CheckStoredText(m_strName, kNameField, kAppName))
        return 0;
    // A stored capacitance no float holds stays as stored unless retyped.
    const bool keepCequiv = m_bUseCequiv && KeepsUnshowableValue(cequivText, m_pEShunt->capacitance, 1e12);
    float cequiv = 0;
    if (m_bUseCequiv && !keepCequiv && !ReadNumericField(cequivText, cequiv))
        return 0;
    m_pElement->name = m_strName;
    if (!keepCequiv)
        m_pEShunt->capacitance = m_bUseCequiv ? double(cequiv) * 1e-12 : 0.0;
    m_pEShunt->trapKind = std::uint8_t(m_nKind == 1 ? 1 : 0);
    const auto& list = m_pEShunt->branches;
    if (m_nKind == 1 &&
        std::any_of(list.begin(), list.end(), [](const CShunt& s) { return s.trap.name.empty(); })) {
        ShowMessage(kShuntsUndefinedText, kAppName, MsgIcon::Stop);
        return 0;
    }
    if (list.empty()) {
        ShowMessage(kEmptyShuntText, kAppName, MsgIcon::Stop);
        return 0;
    }
    m_pEShunt->count = std::uint8_t(list.size());
    AcceptElement(*m_pElement, m_strName, true);
    return IDOK;
}

int RunShuntDialog(CElement& element, int elementIndex, bool editing, ElementChain* chain)
{
    if (!element.Data<CEShunt>())
        element.data = std::make_unique<CEShunt>();
    CShuntDlg dlg;
    dlg.m_pElement = &element;
    dlg.m_pEShunt = element.Data<CEShunt>();
    dlg.m_nElementIndex = std::uint16_t(elementIndex);
    dlg.editing = editing;
    dlg.chain = chain;
    dlg.split = element.splitConductor;
    dlg.dc = IsDCTask();
    return dlg.DoModal();
}

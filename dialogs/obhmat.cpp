#include "dialogs/obhmat.h"

#include "dialogs/numericfield.h"
#include "model/conductors.h"
#include "model/coupling.h"
#include "model/element.h"
#include "platform/format.h"
#include "platform/messages.h"

#include <algorithm>
#include <cmath>

void CObhMat::CountPhaseWires()
{
    const CElement& e = *m_pElement;
    const CEObhod& b = *m_pEObhod;
    m_nWires = std::min<int>(b.n, kMaxWires);
    m_bGroundAt.assign(std::size_t(m_nWires), 1);
    m_PhaseIndex.assign(std::size_t(m_nWires), -1);
    m_strLabels.clear();
    // The positions: the flagged wires, or the first n input wires of a bypass
    // closing a doubling; only positions that exist are walked.
    std::vector<int> wires;
    if (!b.insideDoubling || b.kind != 0) {
        for (int i = 0; i < std::min<int>(e.wirePositions, kMaxWires) && int(wires.size()) < m_nWires; ++i)
            if (b.flags[i])
                wires.push_back(i);
    } else {
        for (int k = 0; k < m_nWires; ++k)
            wires.push_back(k);
    }
    m_nPhaseWires = 0;
    for (std::size_t k = 0; k < wires.size(); ++k) {
        const int code = e.inMap[wires[k]];
        if (code >= 0 && code % 4 < 3) {
            m_bGroundAt[k] = 0;
            m_PhaseIndex[k] = m_nPhaseWires++;
            m_strLabels.push_back(StrFormat("%d (%s)", wires[k] + 1,
                                            FormatConductorName(e.inMap, -1, std::uint8_t(wires[k])).c_str()));
        }
    }
}

void CObhMat::OnInitPage()
{
    CountPhaseWires();
    m_Matrix.clear();
}

float CObhMat::Entry(int i, int j) const
{
    const int m = m_nPhaseWires;
    if (i < 0 || j < 0 || i >= m || j >= m || m_Matrix.size() != std::size_t(m) * m)
        return 0.0f;
    return m_Matrix[std::size_t(i) * m + j];
}

std::optional<double> CObhMat::UnshownEntry(int i, int j) const
{
    const int m = m_nPhaseWires;
    if (i < 0 || j < 0 || i >= m || j >= m || m_Unshown.size() != std::size_t(m) * m)
        return std::nullopt;
    return m_Unshown[std::size_t(i) * m + j];
}

std::string CObhMat::EntryText(int i, int j) const
{
    if (const std::optional<double> kept = UnshownEntry(i, j))
        return FormatStoredField(*kept, 1e12);
    return StrFormat("%g", Entry(i, j));
}

void CObhMat::SetEntry(int i, int j, float value)
{
    const int m = m_nPhaseWires;
    if (i < 0 || j < 0 || i >= m || j >= m || i == j)
        return;
    m_Matrix[std::size_t(i) * m + j] = value;
    m_Matrix[std::size_t(j) * m + i] = value;
    m_Unshown[std::size_t(i) * m + j].reset();
    m_Unshown[std::size_t(j) * m + i].reset();
}

void CObhMat::LoadEntry(int i, int j, double farads)
{
    const float pF = float(farads * 1e12);
    const bool shown = std::isfinite(pF);
    SetEntry(i, j, shown ? pF : 0.0f);
    const int m = m_nPhaseWires;
    if (!shown && i >= 0 && j >= 0 && i < m && j < m && i != j)
        m_Unshown[std::size_t(i) * m + j] = m_Unshown[std::size_t(j) * m + i] = farads;
}

void CObhMat::OnSetActive()
{
    CountPhaseWires();
    const int m = m_nPhaseWires;
    m_nRowI = 0;
    m_nColJ = 1;
    m_bMutual = m_pEObhod->triangle && MatrixPossible() ? 1 : 0;
    cequivText = FormatStoredField(m_pEObhod->equivalentCapacitance, 1e12);
    if (m_Matrix.size() != std::size_t(m) * m)
        m_Matrix.assign(std::size_t(m) * m, 0.0f);
    m_Unshown.assign(std::size_t(m) * m, std::nullopt);
    if (m_pEObhod->triangle && MatrixPossible()) {
        const std::vector<double>& t = *m_pEObhod->triangle;
        std::size_t index = 0;
        for (int a = 0; a < m_nWires; ++a)
            for (int b = a + 1; b < m_nWires; ++b, ++index)
                if (index < t.size() && m_PhaseIndex[a] >= 0 && m_PhaseIndex[b] >= 0)
                    LoadEntry(m_PhaseIndex[a], m_PhaseIndex[b], t[index]);
    }
    m_strC = MatrixPossible() ? EntryText(0, 1) : std::string();
}

std::string CObhMat::Cell(int row, int column) const
{
    if (column == 0)
        return row < int(m_strLabels.size()) ? m_strLabels[std::size_t(row)] : std::string();
    if (row == column - 1)
        return "-";
    return EntryText(row, column - 1);
}

void CObhMat::ShowEntry(int i, int j)
{
    if (Entry(i, j) > 0.00001f || UnshownEntry(i, j))
        m_strC = EntryText(i, j);
}

void CObhMat::OnSelchangeRowI(int i)
{
    const int m = m_nPhaseWires;
    if (m < 2)
        return;
    m_nRowI = std::clamp(i, 0, m - 1);
    if (m_nRowI == m_nColJ)
        m_nColJ = m_nRowI == m - 1 ? m_nRowI - 1 : m_nRowI + 1;
    ShowEntry(m_nRowI, m_nColJ);
}

void CObhMat::OnSelchangeColJ(int j)
{
    const int m = m_nPhaseWires;
    if (m < 2)
        return;
    m_nColJ = std::clamp(j, 0, m - 1);
    if (m_nColJ == m_nRowI)
        m_nRowI = m_nColJ == 0 ? 1 : m_nColJ - 1;
    ShowEntry(m_nRowI, m_nColJ);
}

void CObhMat::OnDeltaposRowI(int delta)
{
    const int next = std::clamp(m_nRowI + (delta < 0 ? 1 : -1), 0, std::max(m_nPhaseWires - 1, 0));
    if (next != m_nRowI)
        OnSelchangeRowI(next);
}

void CObhMat::OnDeltaposColJ(int delta)
{
    const int next = std::clamp(m_nColJ + (delta < 0 ? 1 : -1), 0, std::max(m_nPhaseWires - 1, 0));
    if (next != m_nColJ)
        OnSelchangeColJ(next);
}

void CObhMat::OnChangeC(const std::string& text)
{
    m_strC = text;
    if (!MatrixPossible() || m_nRowI == m_nColJ)
        return;
    // A non-positive or unreadable text, or a number no float holds, stores
    // 0: the pair counts as not entered.
    const float value = LeadingNumericField(text).value_or(0.0f);
    SetEntry(m_nRowI, m_nColJ, value > 0 ? value : 0.0f);
}

bool CObhMat::OnEnterC()
{
    const std::optional<float> value = ParseNumericField(m_strC);
    if (!MatrixPossible() || !value || !(*value > 0)) {
        ShowMessage(kBadCapacitanceText, kAppName, MsgIcon::Stop);
        return false;
    }
    SetEntry(m_nRowI, m_nColJ, *value);
    const int m = m_nPhaseWires;
    if (m_nColJ < m - 1) {
        ++m_nColJ;
    } else if (m_nRowI < m - 2) {
        ++m_nRowI;
        m_nColJ = m_nRowI + 1;
    }
    OnSelchangeColJ(m_nColJ);
    return true;
}

void CObhMat::OnClickMatrix(int row)
{
    if (row < 0 || row >= m_nPhaseWires)
        return;
    m_nRowI = row;
    m_strC = EntryText(m_nRowI, m_nColJ);
}

void CObhMat::OnColumnClickMatrix(int column)
{
    if (column < 1 || column > m_nPhaseWires)
        return;
    m_nColJ = column - 1;
    m_strC = EntryText(m_nRowI, m_nColJ);
}

bool CObhMat::OnKillActive()
{
    CEObhod& b = *m_pEObhod;
    // A stored capacitance no float holds stays as stored unless retyped.
    const bool keepCequiv = KeepsUnshowableValue(cequivText, b.equivalentCapacitance, 1e12);
    float cequiv = 0;
    if (!keepCequiv && !ReadNumericField(cequivText, cequiv))
        return false;
    if (MatrixShown()) {
        std::vector<double> t(CEObhod::TriangleSize(m_nWires), 0.0);
        std::size_t index = 0;
        for (int a = 0; a < m_nWires; ++a)
            for (int c = a + 1; c < m_nWires; ++c, ++index)
                if (m_PhaseIndex[a] >= 0 && m_PhaseIndex[c] >= 0) {
                    const int i = m_PhaseIndex[a], j = m_PhaseIndex[c];
                    const std::optional<double> kept = UnshownEntry(i, j);
                    t[index] = kept ? *kept : double(Entry(i, j)) * 1e-12;
                }
        b.triangle = std::move(t);
    } else {
        b.triangle.reset();
    }
    if (!keepCequiv)
        b.equivalentCapacitance = double(cequiv) * 1e-12;
    return true;
}

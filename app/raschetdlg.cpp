#include "app/raschetdlg.h"

#include "app/docfile.h"
#include "dialogs/numericfield.h"

#include <algorithm>

CRaschetDlg::CRaschetDlg(CKestrinDoc& doc) : m_doc(doc) {}

CRaschetDlg::~CRaschetDlg() = default;

bool CRaschetDlg::ModeEnabled(int mode) const
{
    return mode == kWireToGround || (m_session && m_session->ModeEnabled(mode));
}

bool CRaschetDlg::RegenerateShown() const
{
    return m_session && m_session->RegenerateSpansShown();
}

bool CRaschetDlg::CanCalculate() const
{
    if (!m_session)
        return false;
    for (int side : {kTransmitSide, kReceiveSide}) {
        if (m_nSel[side][0] < 0)
            return false;
        if (SecondWiresShown() && m_nSel[side][1] < 0)
            return false;
    }
    return true;
}

std::string CRaschetDlg::MissingWiresText() const
{
    if (!m_session)
        return {};
    const bool transmitter = m_Combo[kTransmitSide][0].empty();
    const bool receiver = m_Combo[kReceiveSide][0].empty();
    if (transmitter && receiver)
        return "Передатчик и приемник не к чему подключить: на концах тракта не введены устройства "
               "присоединения или нагрузки.";
    if (transmitter)
        return "Передатчик не к чему подключить: в начале тракта не введены устройства присоединения или "
               "нагрузки.";
    if (receiver)
        return "Приемник не к чему подключить: в конце тракта не введены устройства присоединения или "
               "нагрузки.";
    return {};
}

std::string CRaschetDlg::SelectedText(int side, int which) const
{
    const int i = m_nSel[side][which];
    const auto& items = m_Combo[side][which];
    return i >= 0 && i < int(items.size()) ? items[std::size_t(i)].text : std::string();
}

void CRaschetDlg::OnInitDialog()
{
    m_session = std::make_unique<CalcSession>(m_doc);
    m_nMode = kWireToGround;
    for (int side : {kTransmitSide, kReceiveSide}) {
        Fill(side, 0, std::string(), true);
        m_Combo[side][1].clear();
        m_nSel[side][1] = -1;
    }
    m_bStatusShown = false;
    m_bRegenSpans = 0;
    const FrequencyInput in = m_session->RestoredFrequencies();
    m_nFreqMode = in.mode;
    m_strFreq = FormatNumericField(in.single);
    m_strStart = FormatNumericField(in.start);
    m_strEnd = FormatNumericField(in.end);
    m_strStep = FormatNumericField(in.step);
    if (m_strResistance.empty())
        m_strResistance = FormatNumericField(0.0f);
}

void CRaschetDlg::Fill(int side, int which, const std::string& keepText, bool firstIfNone)
{
    if (!m_session || (which == 1 && m_nMode == kWireToGround))
        return;
    auto& items = m_Combo[side][which];
    items = m_session->WireChoices(side, which, m_nMode, SelectedText(side, 0));
    auto it = std::find_if(items.begin(), items.end(), [&](const WireEntry& w) { return w.text == keepText; });
    int& sel = m_nSel[side][which];
    if (it != items.end())
        sel = int(it - items.begin());
    else
        sel = firstIfNone && !items.empty() ? 0 : -1;
}

void CRaschetDlg::SetMode(int mode)
{
    if (mode == m_nMode || !ModeEnabled(mode))
        return;
    const int previous = m_nMode;
    m_nMode = mode;
    m_bStatusShown = false;
    if (mode == kWireToGround) {
        // Back to one wire: the first wires stay, the second ones are dropped.
        for (int side : {kTransmitSide, kReceiveSide}) {
            Fill(side, 0, SelectedText(side, 0), true);
            m_nSel[side][1] = -1;
        }
        return;
    }
    // Between two-wire modes the second wires are kept where the new mode
    // still offers them.
    for (int side : {kTransmitSide, kReceiveSide}) {
        const std::string first = SelectedText(side, 0);
        const std::string second = previous != kWireToGround ? SelectedText(side, 1) : std::string();
        Fill(side, 0, first, true);
        Fill(side, 1, second, true);
    }
}

void CRaschetDlg::WireChanged(int side)
{
    m_bStatusShown = false;
    Fill(side, 0, SelectedText(side, 0), true);
    if (m_nMode != kWireToGround)
        Fill(side, 1, SelectedText(side, 1), true);
}

void CRaschetDlg::SelectWire(int side, int which, int index)
{
    if (index < 0 || index >= int(m_Combo[side][which].size()))
        return;
    m_nSel[side][which] = index;
    WireChanged(side);
}

void CRaschetDlg::SpinWire(int side, int which, bool up)
{
    const int count = int(m_Combo[side][which].size());
    const int next = m_nSel[side][which] + (up ? -1 : 1);
    if (m_nSel[side][which] < 0 || next < 0 || next >= count)
        return;
    SelectWire(side, which, next);
}

void CRaschetDlg::SetFrequencyMode(int mode)
{
    m_nFreqMode = mode == 0 ? 0 : 1;
}

bool CRaschetDlg::ReadRequest(CalcRequest& r) const
{
    // The values are kept in floats: a number beyond their range is refused
    // as a non-number.
    FrequencyInput& f = r.frequencies;
    f.mode = m_nFreqMode;
    if (m_nFreqMode == 0) {
        if (!ReadNumericField(m_strFreq, f.single))
            return false;
    } else {
        for (auto [text, target] : {std::pair{&m_strStep, &f.step}, std::pair{&m_strStart, &f.start},
                                    std::pair{&m_strEnd, &f.end}})
            if (!ReadNumericField(*text, *target))
                return false;
    }
    if (m_nMode == kWireToWireGrounded) {
        float resistance = 0.0f;
        if (!ReadNumericField(m_strResistance, resistance))
            return false;
        r.resistance = resistance;
    }
    r.mode = m_nMode;
    r.regenerateSpans = m_bRegenSpans != 0 && RegenerateShown();
    r.txWire1 = m_Combo[kTransmitSide][0][std::size_t(m_nSel[kTransmitSide][0])].wire;
    r.rxWire1 = m_Combo[kReceiveSide][0][std::size_t(m_nSel[kReceiveSide][0])].wire;
    if (m_nMode != kWireToGround) {
        r.txWire2 = m_Combo[kTransmitSide][1][std::size_t(m_nSel[kTransmitSide][1])].wire;
        r.rxWire2 = m_Combo[kReceiveSide][1][std::size_t(m_nSel[kReceiveSide][1])].wire;
    }
    return true;
}

CalcOutcome CRaschetDlg::OnCalc(const std::function<void(int, int)>& progress)
{
    CalcOutcome outcome;
    CalcRequest request;
    if (!CanCalculate() || !ReadRequest(request))
        return outcome;
    outcome = m_session->Run(request, progress);
    if (outcome.status == CalcStatus::Refused)
        return outcome;
    if (m_nFreqMode == 1)
        m_strEnd = FormatNumericField(outcome.snappedEnd);
    if (outcome.status == CalcStatus::Done)
        SetModifiedFlag();
    m_strStatus = outcome.statusText;
    m_bStatusShown = true;
    return outcome;
}

void CRaschetDlg::OnClose()
{
    m_session.reset();
}

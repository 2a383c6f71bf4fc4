#include "dialogs/obhobh.h"

#include "dialogs/catalogitemstore.h"
#include "dialogs/catalogrequests.h"
#include "dialogs/numericfield.h"
#include "dialogs/polarityrule.h"
#include "model/catalogstore.h"
#include "model/conductors.h"
#include "model/element.h"
#include "platform/format.h"
#include "platform/messages.h"

#include <algorithm>

namespace {

// A filter in the list: "%s, тип %d" (with a comma, unlike the combos).
std::string FilterRowLabel(const CFiltr& f)
{
    return StrFormat("%s, тип %d", f.name.c_str(), f.type + 1);
}

bool SameFilter(const CFiltr& a, const CFiltr& b)
{
    return a.name == b.name && a.type == b.type;
}

} // namespace

void CObhObh::OnInitPage()
{
    m_nKind = m_pEObhod->kind;
    m_bInField = m_nKind == 1 ? 1 : 0;
    cText = lText = rText = lengthText[0] = lengthText[1] = FormatNumericField(0.0f);
    m_Current = CObhod();
    m_strFilterLabels[0].clear();
    m_strFilterLabels[1].clear();
    FillCombos();
    deleteEnabled = false;
    ShowCurrent();
}

std::string CObhObh::GroupCaption(int side) const
{
    static const char* const captions[3][2] = {{"До подстанции", "После подстанции"},
                                               {"В начале", "В конце"},
                                               {"До кабельной линии", "После кабельной линии"}};
    return captions[m_nKind >= 0 && m_nKind <= 2 ? m_nKind : 0][side];
}

void CObhObh::BuildLabels()
{
    const CElement& e = *m_pElement;
    const CEObhod& b = *m_pEObhod;
    const int n = std::min<int>(b.n, kMaxWires);
    m_WireLabels[0].clear();
    m_WireLabels[1].clear();
    auto label = [](int number, const int* map, int entry) {
        return StrFormat("%d (%s)", number, FormatConductorName(map, -1, std::uint8_t(entry)).c_str());
    };
    if (!b.insideDoubling || b.kind != 0) {
        // At most the bypass's n positions, however many flags a damaged file sets.
        for (int i = 0; i < std::min<int>(e.wirePositions, kMaxWires) && int(m_WireLabels[0].size()) < n; ++i)
            if (b.flags[i]) {
                m_WireLabels[0].push_back(label(i + 1, e.inMap, i));
                m_WireLabels[1].push_back(label(i + 1, e.outMap, i));
            }
    } else {
        // A bypass closing a doubling: the wires after it are the second half of the input map.
        for (int p = 0; p < n && n + p < kMaxWires; ++p) {
            m_WireLabels[0].push_back(label(p + 1, e.inMap, p));
            m_WireLabels[1].push_back(label(p + 1, e.inMap, n + p));
        }
    }
    m_nWires = int(m_WireLabels[0].size());
}

std::string CObhObh::WireLabel(int side, int k) const
{
    // A stored wire past the lists built has no label.
    return k >= 0 && k < int(m_WireLabels[side].size()) ? m_WireLabels[side][std::size_t(k)] : std::string();
}

void CObhObh::OnSetActive()
{
    BuildLabels();
    m_nWireBefore = 0;
    m_nWireAfter = 0;
    if (!m_pEObhod->lines.empty()) {
        deleteEnabled = editing;
        ShowLine(0);
    }
}

std::vector<ListColumn> CObhObh::Columns(int width) const
{
    const double w = width - 18;
    if (m_nKind == 1)
        return {{"", int(4 * w / 25)},
                {"Провод", int(0.1 * w)},
                {"Тип фильтра", int(0.34 * w)},
                {"Тип кабеля", int(7 * w / 25)},
                {"Длина,м", int(3 * w / 25)}};
    return {{"", int(4 * w / 28)},
            {"Провод", int(0.08928571428571427 * w)},
            {"Тип фильтра", int(0.30357142857142855 * w)},
            {"Тип кабеля", int(7 * w / 28)},
            {"Длина,м", int(3 * w / 28)},
            {"Полярн.", int(3 * w / 28)}};
}

std::vector<std::vector<std::string>> CObhObh::Rows() const
{
    static const char* const sides[3][2] = {
        {"До п/ст", "После п/ст"}, {"В начале", "В конце"}, {"До КЛ", "После КЛ"}};
    const int kind = m_nKind >= 0 && m_nKind <= 2 ? m_nKind : 0;
    const std::size_t columns = m_nKind == 1 ? 5 : 6;
    auto polarity = [](const CFiltr& f, int flag) {
        return FilterHasPolarity(f.type) ? std::string(flag ? "Да" : "Нет") : std::string();
    };
    std::vector<std::vector<std::string>> rows;
    for (const CObhod& line : m_pEObhod->lines) {
        std::vector<std::string> before(columns), after(columns), equipment(columns);
        before[0] = sides[kind][0];
        before[1] = WireLabel(0, line.wireBefore);
        before[2] = FilterRowLabel(line.filters[0]);
        before[3] = line.cables[0].name;
        before[4] = StrFormat("%g", line.lengthBefore);
        after[0] = sides[kind][1];
        after[1] = WireLabel(1, line.wireAfter);
        after[2] = FilterRowLabel(line.filters[1]);
        if (kind == 0) {
            after[3] = line.cables[1].name;
            after[4] = StrFormat("%g", line.lengthAfter);
            equipment[2] = "Аппаратура уплотнения";
            equipment[3] = line.equipment ? StrFormat("%g/%g/%g", line.r, line.l * 1000, line.c * 1e12) : "Нет";
        }
        if (columns == 6) {
            before[5] = polarity(line.filters[0], line.polarity1);
            after[5] = polarity(line.filters[1], line.polarity2);
        }
        rows.push_back(std::move(before));
        rows.push_back(std::move(after));
        rows.push_back(std::move(equipment));
    }
    return rows;
}

void CObhObh::FillCombos()
{
    filterCombo.FillFilters(g_TaskBase, g_CurBase);
    filterCombo.Sort();
    cableCombo.Fill<CProvod>(g_TaskBase.hfCables, g_CurBase.hfCables);
    cableCombo.Sort();
    for (int s = 0; s < 2; ++s) {
        // The exact label: a filter of the same name and another type is another filter.
        filterChoice[s] = m_strFilterLabels[s].empty() ? -1 : filterCombo.Find(m_strFilterLabels[s]);
        cableChoice[s] = m_Current.cables[s].name.empty() ? -1 : cableCombo.Find(m_Current.cables[s].name);
        filterParamsEnabled[s] = !m_Current.filters[s].name.empty() && HasItemEditor(kCatFilters);
        cableParamsEnabled[s] = !m_Current.cables[s].name.empty() && HasItemEditor(kCatHfCables);
    }
}

void CObhObh::PolarityRule(int side)
{
    bool shown = !m_bInField;
    if (shown && filterChoice[side] >= 0 && filterChoice[side] < int(filterCombo.entries.size())) {
        const ComboChoice c = DecodeFilterData(filterCombo.entries[std::size_t(filterChoice[side])].data);
        shown = c.source == ComboChoice::OtherBase || FilterHasPolarity(std::uint8_t(c.type));
    }
    polarityShown[side] = shown;
    if (!shown)
        m_bPolarity[side] = 0;
}

void CObhObh::ShowCurrent()
{
    if (!m_Current.filters[0].name.empty()) {
        for (int s = 0; s < 2; ++s) {
            filterChoice[s] = m_strFilterLabels[s].empty() ? -1 : filterCombo.Find(m_strFilterLabels[s]);
            cableChoice[s] = m_Current.cables[s].name.empty() ? -1 : cableCombo.Find(m_Current.cables[s].name);
            filterParamsEnabled[s] = HasItemEditor(kCatFilters);
            cableParamsEnabled[s] = HasItemEditor(kCatHfCables);
        }
    } else {
        for (int s = 0; s < 2; ++s) {
            filterChoice[s] = cableChoice[s] = -1;
            filterParamsEnabled[s] = cableParamsEnabled[s] = false;
        }
    }
    if (!m_bInField) {
        m_bPolarity[0] = m_Current.polarity1 ? 1 : 0;
        m_bPolarity[1] = m_Current.polarity2 ? 1 : 0;
        m_bEquipment = m_Current.equipment ? 1 : 0;
    }
    lengthText[0] = FormatNumericField(float(m_Current.lengthBefore));
    lengthText[1] = FormatNumericField(float(m_Current.lengthAfter));
    const bool eq = m_Current.equipment != 0;
    rText = FormatNumericField(eq ? float(m_Current.r) : 0.0f);
    lText = FormatNumericField(eq ? float(m_Current.l * 1000) : 0.0f);
    cText = FormatNumericField(eq ? float(m_Current.c * 1e12) : 0.0f);
    PolarityRule(0);
    PolarityRule(1);
}

void CObhObh::ShowLine(int line)
{
    if (line < 0 || line >= int(m_pEObhod->lines.size()))
        return;
    m_Current = m_pEObhod->lines[std::size_t(line)];
    for (int s = 0; s < 2; ++s)
        m_strFilterLabels[s] = FilterLabel(m_Current.filters[s]);
    m_nWireBefore = m_Current.wireBefore;
    m_nWireAfter = m_Current.wireAfter;
    ShowCurrent();
}

void CObhObh::OnSelchangeWireBefore(int k)
{
    m_nWireBefore = std::clamp(k, 0, std::max(m_nWires - 1, 0));
    const auto& lines = m_pEObhod->lines;
    deleteEnabled = editing && std::any_of(lines.begin(), lines.end(), [&](const CObhod& l) {
                        return l.wireBefore == m_nWireBefore;
                    });
}

void CObhObh::OnSelchangeWireAfter(int k)
{
    m_nWireAfter = std::clamp(k, 0, std::max(m_nWires - 1, 0));
}

void CObhObh::TakeFilter(int side, const CFiltr& filter)
{
    m_Current.filters[side].Copy(filter);
    m_strFilterLabels[side] = FilterLabel(filter);
    StoreCatalogItem(filter);
    FillCombos();
    if (chain)
        SpreadFilter(*chain, filter, m_nElementIndex);
    // The lines of this element with that filter take it too.
    for (CObhod& line : m_pEObhod->lines)
        for (CFiltr& f : line.filters)
            if (SameFilter(f, filter))
                f.Copy(filter);
    PolarityRule(side);
}

void CObhObh::TakeCable(int side, const CProvod& cable)
{
    m_Current.cables[side].Copy(cable);
    StoreCatalogItem(kCatHfCables, cable);
    FillCombos();
    if (chain)
        SpreadHfCable(*chain, cable, m_nElementIndex);
    for (CObhod& line : m_pEObhod->lines)
        for (CProvod& c : line.cables)
            if (c.name == cable.name)
                c.Copy(cable);
}

void CObhObh::OnSelchangeFilter(int side, int entry)
{
    if (entry < 0 || entry >= int(filterCombo.entries.size())) {
        m_Current.filters[side].Clear();
        m_strFilterLabels[side].clear();
        filterChoice[side] = -1;
        filterParamsEnabled[side] = false;
    } else if (filterCombo.entries[std::size_t(entry)].data == kFilterComboOtherBase) {
        COtherCatalogRequest road(kCatFilters, m_OtherBase, m_strOtherBasePath);
        road.DoModal();
        if (const CFiltr* picked = road.PickedFilter()) {
            const CFiltr filter = *picked;
            TakeFilter(side, filter);
        } else {
            filterChoice[side] = m_strFilterLabels[side].empty() ? -1 : filterCombo.Find(m_strFilterLabels[side]);
            filterParamsEnabled[side] = !m_Current.filters[side].name.empty() && HasItemEditor(kCatFilters);
        }
    } else if (const CFiltr* filter =
                   ChosenFilter(g_TaskBase, g_CurBase, filterCombo.entries[std::size_t(entry)].data)) {
        m_Current.filters[side].Copy(*filter);
        m_strFilterLabels[side] = FilterLabel(*filter);
        filterChoice[side] = entry;
        filterParamsEnabled[side] = HasItemEditor(kCatFilters);
    }
    PolarityRule(side);
}

void CObhObh::OnSelchangeCable(int side, int entry)
{
    if (entry < 0 || entry >= int(cableCombo.entries.size())) {
        m_Current.cables[side].name.clear();
        cableChoice[side] = -1;
        cableParamsEnabled[side] = false;
    } else if (cableCombo.entries[std::size_t(entry)].data == kComboOtherBase) {
        COtherCatalogRequest road(kCatHfCables, m_OtherBase, m_strOtherBasePath);
        road.DoModal();
        if (const CProvod* picked = road.PickedWire()) {
            const CProvod cable = *picked;
            TakeCable(side, cable);
        } else {
            cableChoice[side] = m_Current.cables[side].name.empty() ? -1 : cableCombo.Find(m_Current.cables[side].name);
            cableParamsEnabled[side] = !m_Current.cables[side].name.empty() && HasItemEditor(kCatHfCables);
        }
    } else if (const CProvod* cable = ChosenItem(g_TaskBase.hfCables, g_CurBase.hfCables,
                                                 cableCombo.entries[std::size_t(entry)].data)) {
        m_Current.cables[side].Copy(*cable);
        cableChoice[side] = entry;
        cableParamsEnabled[side] = HasItemEditor(kCatHfCables);
    }
}

void CObhObh::OnNewFilter(int side)
{
    CFiltr item;
    CItemEditRequest request;
    request.category = kCatFilters;
    request.item = &item;
    request.mode = std::uint8_t(Policy().ItemEditorMode(3, 2));  // type and name free, or view only
    if (request.DoModal() == IDOK && editing)
        TakeFilter(side, item);
    PolarityRule(0);
    PolarityRule(1);
}

void CObhObh::OnFilterParams(int side)
{
    CFiltr item = m_Current.filters[side];
    CItemEditRequest request;
    request.category = kCatFilters;
    request.item = &item;
    request.mode = std::uint8_t(Policy().ItemEditorMode(3, 2));  // type and name free, or view only
    if (request.DoModal() == IDOK && editing)
        TakeFilter(side, item);
}

void CObhObh::OnNewCable(int side)
{
    CProvod item;
    CItemEditRequest request;
    request.category = kCatHfCables;
    request.item = &item;
    request.mode = std::uint8_t(Policy().ItemEditorMode(2, 1));
    if (request.DoModal() == IDOK && editing)
        TakeCable(side, item);
}

void CObhObh::OnCableParams(int side)
{
    CProvod item = m_Current.cables[side];
    CItemEditRequest request;
    request.category = kCatHfCables;
    request.item = &item;
    request.mode = std::uint8_t(Policy().ItemEditorMode(2, 1));
    if (request.DoModal() == IDOK && editing)
        TakeCable(side, item);
}

void CObhObh::OnEquipment(bool on)
{
    m_bEquipment = on ? 1 : 0;
}

bool CObhObh::OnEnter()
{
    float length[2] = {0, 0}, r = 0, l = 0, c = 0;
    const bool second = HasSecondCable();
    if (!ReadNumericField(lengthText[0], length[0]) || (second && !ReadNumericField(lengthText[1], length[1])))
        return false;
    if (second && m_bEquipment &&
        (!ReadNumericField(rText, r) || !ReadNumericField(lText, l) || !ReadNumericField(cText, c)))
        return false;
    if (m_bInField && m_nWireBefore == m_nWireAfter) {
        ShowMessage(kFieldSameWireText, kInputErrorCaption, MsgIcon::None);
        return false;
    }
    CObhod& cur = m_Current;
    // The polarity rule: in the field, or with a filter of the second type, no polarity change.
    PolarityRule(0);
    PolarityRule(1);
    cur.polarity1 = std::uint8_t(m_bPolarity[0] && FilterHasPolarity(cur.filters[0].type) ? 1 : 0);
    cur.polarity2 = std::uint8_t(m_bPolarity[1] && FilterHasPolarity(cur.filters[1].type) ? 1 : 0);
    cur.equipment = std::uint8_t(second && m_bEquipment ? 1 : 0);
    if (!second) {
        cur.cables[1].Copy(cur.cables[0]);
        length[1] = length[0];
    }
    cur.lengthBefore = length[0];
    cur.lengthAfter = length[1];
    cur.wireBefore = std::uint8_t(std::clamp(m_nWireBefore, 0, kMaxWires - 1));
    cur.wireAfter = std::uint8_t(std::clamp(m_nWireAfter, 0, kMaxWires - 1));
    cur.r = cur.equipment ? double(r) : 0.0;
    cur.l = cur.equipment ? double(l) * 0.001 : 0.0;
    cur.c = cur.equipment ? double(c) * 1e-12 : 0.0;

    const char* refusal = nullptr;
    if (cur.lengthBefore <= 0 || cur.lengthAfter <= 0)
        refusal = kNoCableLengthText;
    // A negative value is refused as well: the equipment would calculate as an active element.
    else if (cur.equipment && (cur.r < 0 || cur.l < 0 || cur.c < 0 || (cur.r <= 0 && cur.l <= 0 && cur.c <= 0)))
        refusal = kNoEquipmentText;
    else if (cur.cables[0].name.empty() || cur.cables[1].name.empty())
        refusal = kNoCableText2;
    else if (cur.filters[0].name.empty() || cur.filters[1].name.empty())
        refusal = kNoFilterText;
    if (refusal) {
        ShowMessage(refusal, "Ошибка", MsgIcon::Stop);
        return false;
    }
    auto& lines = m_pEObhod->lines;
    for (const CObhod& line : lines)
        if (line.wireBefore == cur.wireBefore && line.wireAfter != cur.wireAfter) {
            ShowMessage(StrFormat(kWireBeforeUsedText, WireLabel(0, cur.wireBefore).c_str()), "Ошибка",
                        MsgIcon::Stop);
            return false;
        }
    for (const CObhod& line : lines)
        if (line.wireAfter == cur.wireAfter && line.wireBefore != cur.wireBefore) {
            ShowMessage(StrFormat(kWireAfterUsedText, WireLabel(1, cur.wireAfter).c_str()), "Ошибка",
                        MsgIcon::Stop);
            return false;
        }
    const auto same = std::find_if(lines.begin(), lines.end(),
                                   [&](const CObhod& l) { return l.wireBefore == cur.wireBefore; });
    if (same != lines.end()) {
        *same = cur;
    } else {
        const auto pos = std::find_if(lines.begin(), lines.end(),
                                      [&](const CObhod& l) { return l.wireBefore > cur.wireBefore; });
        lines.insert(pos, cur);
    }
    deleteEnabled = editing;
    return true;
}

void CObhObh::OnDelete()
{
    auto& lines = m_pEObhod->lines;
    const auto it = std::find_if(lines.begin(), lines.end(),
                                 [&](const CObhod& l) { return l.wireBefore == m_nWireBefore; });
    if (it != lines.end())
        lines.erase(it);
    deleteEnabled = false;
}

void CObhObh::OnClickList(int row)
{
    if (row < 0 || row / 3 >= int(m_pEObhod->lines.size()))
        return;
    ShowLine(row / 3);
    deleteEnabled = editing;
}

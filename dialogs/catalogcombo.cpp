#include "dialogs/catalogcombo.h"

#include "platform/format.h"
#include "platform/namecollation.h"

#include <algorithm>

ComboChoice DecodeItemData(int data)
{
    ComboChoice c;
    if (data & kComboOtherBase)
        c.source = ComboChoice::OtherBase;
    else if (data & kComboCurrentBit)
        c.source = ComboChoice::Current;
    c.index = data & 0xFFFFFF;
    return c;
}

ComboChoice DecodeFilterData(int data)
{
    ComboChoice c;
    if (data & kFilterComboOtherBase)
        c.source = ComboChoice::OtherBase;
    else if (data & kFilterComboCurrentBit)
        c.source = ComboChoice::Current;
    c.type = (data >> 24) & 15;
    c.index = data & 0xFFFFFF;
    return c;
}

std::string FilterLabel(const CFiltr& filter)
{
    if (filter.name.empty())
        return std::string();
    return StrFormat("%s тип %d", filter.name.c_str(), filter.type + 1);
}

void CatalogCombo::Add(const std::string& text, int data)
{
    entries.push_back({text, data});
}

void CatalogCombo::FillFilters(const CBase& task, const CBase& current)
{
    entries.clear();
    for (int t = 0; t < CBase::kFilterLists; ++t)
        for (std::size_t i = 0; i < task.filters[t].size(); ++i)
            Add(FilterLabel(*task.filters[t][i]), (t << 24) + int(i));
    for (int t = 0; t < CBase::kFilterLists; ++t)
        for (std::size_t i = 0; i < current.filters[t].size(); ++i) {
            const std::string label = FilterLabel(*current.filters[t][i]);
            if (Find(label) < 0)
                Add(label, ((t << 24) + int(i)) | kFilterComboCurrentBit);
        }
    entries.push_back({kOtherBaseEntry, kFilterComboOtherBase});
}

void CatalogCombo::Sort()
{
    auto last = entries.end();
    if (!entries.empty() && (entries.back().data == kComboOtherBase || entries.back().data == kFilterComboOtherBase))
        --last;
    std::stable_sort(entries.begin(), last,
                     [](const ComboEntry& a, const ComboEntry& b) { return NameLess(a.text, b.text); });
}

int CatalogCombo::Find(const std::string& text) const
{
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].text == text)
            return int(i);
    return -1;
}

const CFiltr* ChosenFilter(const CBase& task, const CBase& current, int data)
{
    const ComboChoice c = DecodeFilterData(data);
    if (c.source == ComboChoice::OtherBase || c.type >= CBase::kFilterLists)
        return nullptr;
    const ObjList<CFiltr>& list = (c.source == ComboChoice::Task ? task : current).filters[c.type];
    return c.index >= 0 && std::size_t(c.index) < list.size() ? list[std::size_t(c.index)].get() : nullptr;
}

// The item combos of the element dialogs: the task's catalog items
// (g_TaskBase), then the current catalog's items (g_CurBase) not yet listed
// under their text, then "Выбрать из другой базы".  Each entry carries the
// item data that says where its item lives:
//   ordinary combos: the index in the task's list; index + 0x1000000 for the
//   current catalog; 0x2000000 for the last entry;
//   coupling-filter combos (all seven types): (type << 24) + index,
//   + 0x10000000 for the current catalog; 0x20000000 for the last entry.
// Entries are found by their exact text only.
#pragma once

#include "model/base.h"

#include <functional>
#include <string>
#include <vector>

inline constexpr int kComboCurrentBit = 0x1000000;
inline constexpr int kComboOtherBase = 0x2000000;
inline constexpr int kFilterComboCurrentBit = 0x10000000;
inline constexpr int kFilterComboOtherBase = 0x20000000;
inline constexpr const char* kOtherBaseEntry = "Выбрать из другой базы";

struct ComboEntry {
    std::string text;
    int data = 0;
};

// Where an entry's item lives.
struct ComboChoice {
    enum Source { Task, Current, OtherBase };
    Source source = Task;
    int type = 0;   // filter combos: the filter type 0..6
    int index = 0;  // in the list of that catalog
};

ComboChoice DecodeItemData(int data);
ComboChoice DecodeFilterData(int data);

// A filter's entry text "%s тип %d" (type counted from 1); empty for a filter without a name.
std::string FilterLabel(const CFiltr& filter);

class CatalogCombo {
public:
    std::vector<ComboEntry> entries;

    // Lists the items of both catalogs that accept() takes (all when empty).
    template <class T>
    void Fill(const ObjList<T>& task, const ObjList<T>& current,
              const std::function<bool(const T&)>& accept = nullptr)
    {
        entries.clear();
        for (std::size_t i = 0; i < task.size(); ++i)
            if (!accept || accept(*task[i]))
                Add(task[i]->name, int(i));
        for (std::size_t i = 0; i < current.size(); ++i)
            if ((!accept || accept(*current[i])) && Find(current[i]->name) < 0)
                Add(current[i]->name, int(i) | kComboCurrentBit);
        entries.push_back({kOtherBaseEntry, kComboOtherBase});
    }
    // The filters of all seven types of both catalogs, labelled by FilterLabel.
    void FillFilters(const CBase& task, const CBase& current);

    // Sorts the items by name (NameLess, ties in list order); the
    // "Выбрать из другой базы" entry stays last.
    void Sort();
    // The entry whose text is exactly text; -1 when none.
    int Find(const std::string& text) const;

private:
    void Add(const std::string& text, int data);
};

// The item an ordinary entry names, checked against its list; null when the
// index lies outside it or the entry is the other-catalog one.
template <class T>
const T* ChosenItem(const ObjList<T>& task, const ObjList<T>& current, int data)
{
    const ComboChoice c = DecodeItemData(data);
    if (c.source == ComboChoice::OtherBase)
        return nullptr;
    const ObjList<T>& list = c.source == ComboChoice::Task ? task : current;
    return c.index >= 0 && std::size_t(c.index) < list.size() ? list[std::size_t(c.index)].get() : nullptr;
}
const CFiltr* ChosenFilter(const CBase& task, const CBase& current, int data);

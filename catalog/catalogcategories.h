// The fifteen categories of the catalog as the catalog windows show them:
// section texts, the words and questions of the editor's prompts, the
// duplicate-prompt codes of a supplement and the item kinds of the check of
// a task against its catalog.  Categories 1..8 are CatalogCategory
// (model/catalogstore.h); 9..15 are the coupling filters of types 1..7.
#pragma once

#include "model/base.h"
#include "model/catalogstore.h"

#include <cstdint>
#include <string>

inline constexpr int kCatLast = kCatFilters + CFiltr::kTypes - 1;  // 15

inline bool IsCatalogCategory(int category) { return category >= kCatTowers && category <= kCatLast; }
inline bool IsFilterCategory(int category) { return category >= kCatFilters && category <= kCatLast; }

// Calls f with the category's list (an ObjList<T>&); the category must be 1..15.
template <class F>
decltype(auto) VisitCategoryList(CBase& base, int category, F&& f)
{
    switch (category) {
    case kCatTowers: return f(base.towers);
    case kCatPhaseWires: return f(base.phaseWires);
    case kCatGroundWires: return f(base.groundWires);
    case kCatSolidCables: return f(base.solidCables);
    case kCatPipeCables: return f(base.pipeCables);
    case kCatTraps: return f(base.traps);
    case kCatMatrices: return f(base.matrices);
    case kCatHfCables: return f(base.hfCables);
    default: return f(base.filters[category - kCatFilters]);
    }
}

// Items in a category's list (0 for a category outside 1..15).
int CategoryCount(CBase& base, int category);

// "Опоры", "Фазные провода", ..., "Типа %d" for the filter types.
std::string SectionText(int category);
// The genitive word of the delete question: "опоры", "провода", ...
const char* DeleteWord(int category);
// "Ввести новый" found an item of the same key with other values.
std::string NewItemQuestion(int category);
// "Параметры" changed the item's key.
std::string RenameQuestion(int category);

// Item data of the catalog trees: category << 24 | (index + 1) for an item,
// category << 24 for a section node.
inline std::uint32_t LeafData(int category, int index)
{
    return std::uint32_t(category) << 24 | std::uint32_t(index + 1);
}
inline int DataCategory(std::uint32_t data) { return int((data >> 24) & 0x7F); }
inline int DataIndex(std::uint32_t data) { return int(data & 0xFFFFFF) - 1; }

// The decision of the editor's "Ввести новый" and "Параметры": the item's
// own compare, which also counts a coupling filter's transformation ratio and
// a pipe cable's radius differing by more than 1e-5 relative as a change
// (the plain compare would drop such an edit).
template <class T>
std::uint8_t EditorCompare(const T& item, const T& other)
{
    return item.Compare(other);
}
std::uint8_t EditorCompare(const CFiltr& item, const CFiltr& other);
std::uint8_t EditorCompare(const CKabTr& item, const CKabTr& other);

// The item kinds of the check of a task against its catalog, in the order of
// the check: 0 towers, 1 phase wires, 2 ground wires, 3 HF cables, 4 solid
// cables, 5 pipe cables, 6 line traps, 7 matrices, 8 coupling filters.
inline constexpr int kReconcileKinds = 9;
// The category of kind 0..7; kind 8 is every filter type in turn.
int ReconcileKindCategory(int kind);

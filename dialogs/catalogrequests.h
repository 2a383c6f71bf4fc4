// What an element dialog asks of the catalog management, as two request
// models run through RunModal, so that the element dialogs never link the
// catalog library:
//   CItemEditRequest: the editor of one catalog item (tower, wire, cable, line
//     trap, matrix, HF cable, coupling filter) on an item with a mode byte;
//   COtherCatalogRequest: the road of "Выбрать из другой базы" up to the pick:
//     the file choice, loading it into the dialog's own catalog and the
//     catalog editor's choose mode.
// The catalog management registers the runners.  With none registered a
// request answers IDCANCEL: an item editor changes nothing and the road acts
// as a cancelled file choice.
#pragma once

#include "model/base.h"
#include "platform/modal.h"

#include <cstdint>
#include <functional>
#include <string>
#include <variant>

using CatalogItemPtr = std::variant<COpora*, CProvod*, CKabTv*, CKabTr*, CZagrad*, CMatrix*, CFiltr*>;

class CItemEditRequest {
public:
    int category = 0;           // CatalogCategory (model/catalogstore.h); filters: kCatFilters
    CatalogItemPtr item;        // the item edited in place; on IDOK it holds the saved values
    std::uint8_t mode = 0;      // the editor's mode byte, as the element dialog passes it

    int DoModal() { return RunModal(*this); }
};

// The editors register per category; the first registration installs the
// runner of CItemEditRequest that dispatches by category.
using ItemEditorFn = std::function<int(CItemEditRequest&)>;
// Installs fn for a category and returns the previous one.
ItemEditorFn SetItemEditor(int category, ItemEditorFn fn);
// Whether the category has an editor: until one is registered the dialogs'
// "Новый", "Новая" and "Параметры" buttons of that item stay disabled.
bool HasItemEditor(int category);

class COtherCatalogRequest {
public:
    enum Outcome {
        FileCancelled,    // the file choice was cancelled (also: nothing registered)
        LoadFailed,       // the chosen file could not be loaded (reported by the loader)
        PickerCancelled,  // the picker was cancelled
        Picked,           // result names the picked item in ownBase
    };

    COtherCatalogRequest() = default;
    // A road for one category that loads the chosen file into the dialog's own
    // catalog and keeps its path there for the next use.
    COtherCatalogRequest(int itemCategory, CBase& base, std::string& path, int itemSelector = 0)
        : category(itemCategory), selector(itemSelector), ownBase(&base), basePath(&path)
    {
    }

    // Set by the element dialog.
    int category = 0;            // 1..8 as CatalogCategory, 9 coupling filters of all types
    int selector = 0;            // towers: the line's wire count; matrices: the order
    CBase* ownBase = nullptr;    // the dialog's own catalog, loaded from the chosen file
    std::string* basePath = nullptr;  // the dialog's other-catalog path (kept between uses)

    // Set by the road.
    Outcome outcome = FileCancelled;
    int result = 0;  // index + 1 in the category's list; filters: (type + 9) << 24 | (index + 1)

    int DoModal() { return RunModal(*this); }

    // The picked item in ownBase, checked against its list; null otherwise.
    const COpora* PickedTower() const;
    const CProvod* PickedWire() const;  // categories 2, 3 and 8
    const CKabTv* PickedSolidCable() const;
    const CKabTr* PickedPipeCable() const;
    const CZagrad* PickedTrap() const;
    const CMatrix* PickedMatrix() const;
    const CFiltr* PickedFilter() const;
};

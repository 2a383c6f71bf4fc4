#include "dialogs/catalogrequests.h"

#include "model/catalogstore.h"

#include <map>

namespace {

std::map<int, ItemEditorFn>& Editors()
{
    static std::map<int, ItemEditorFn> editors;
    return editors;
}

int DispatchItemEditor(CItemEditRequest& request)
{
    auto it = Editors().find(request.category);
    return it != Editors().end() && it->second ? it->second(request) : IDCANCEL;
}

template <class T>
const T* PickedFrom(const ObjList<T>& list, int index)
{
    return index >= 0 && std::size_t(index) < list.size() ? list[std::size_t(index)].get() : nullptr;
}

} // namespace

ItemEditorFn SetItemEditor(int category, ItemEditorFn fn)
{
    if (!ModalRunner<CItemEditRequest>::Get())
        ModalRunner<CItemEditRequest>::Set(DispatchItemEditor);
    ItemEditorFn previous = std::move(Editors()[category]);
    Editors()[category] = std::move(fn);
    return previous;
}

bool HasItemEditor(int category)
{
    auto it = Editors().find(category);
    return it != Editors().end() && it->second;
}

#define KESTRIN_PICKED(Type, fn, cat, list)                                              \
    const Type* COtherCatalogRequest::fn() const                                         \
    {                                                                                    \
        if (outcome != Picked || !ownBase || category != (cat))                          \
            return nullptr;                                                              \
        return PickedFrom(ownBase->list, (result & 0xFFFFFF) - 1);                       \
    }
KESTRIN_PICKED(COpora, PickedTower, kCatTowers, towers)
KESTRIN_PICKED(CKabTv, PickedSolidCable, kCatSolidCables, solidCables)
KESTRIN_PICKED(CKabTr, PickedPipeCable, kCatPipeCables, pipeCables)
KESTRIN_PICKED(CZagrad, PickedTrap, kCatTraps, traps)
KESTRIN_PICKED(CMatrix, PickedMatrix, kCatMatrices, matrices)
#undef KESTRIN_PICKED

const CProvod* COtherCatalogRequest::PickedWire() const
{
    if (outcome != Picked || !ownBase)
        return nullptr;
    const ObjList<CProvod>* list = WireList(*ownBase, category);
    return list ? PickedFrom(*list, (result & 0xFFFFFF) - 1) : nullptr;
}

const CFiltr* COtherCatalogRequest::PickedFilter() const
{
    if (outcome != Picked || !ownBase || category != kCatFilters)
        return nullptr;
    const int type = ((result >> 24) & 15) - kCatFilters;
    if (type < 0 || type >= CBase::kFilterLists)
        return nullptr;
    return PickedFrom(ownBase->filters[type], (result & 0xFFFFFF) - 1);
}

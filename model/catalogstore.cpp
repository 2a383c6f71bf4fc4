#include "model/catalogstore.h"

#include <memory>

namespace {

template <class T>
int StoreByKey(ObjList<T>& list, const T& item)
{
    for (std::size_t i = 0; i < list.size(); ++i)
        if (SameKey(*list[i], item)) {
            list[i]->Copy(item);
            return int(i);
        }
    auto copy = std::make_unique<T>();
    copy->Copy(item);
    list.push_back(std::move(copy));
    return int(list.size() - 1);
}

} // namespace

ObjList<CProvod>* WireList(CBase& base, int category)
{
    switch (category) {
    case kCatPhaseWires:
        return &base.phaseWires;
    case kCatGroundWires:
        return &base.groundWires;
    case kCatHfCables:
        return &base.hfCables;
    default:
        return nullptr;
    }
}

int ReplaceOrAppend(CBase& base, const COpora& tower)
{
    return StoreByKey(base.towers, tower);
}

int ReplaceOrAppend(CBase& base, int category, const CProvod& wire)
{
    ObjList<CProvod>* list = WireList(base, category);
    return list ? StoreByKey(*list, wire) : -1;
}

int ReplaceOrAppend(CBase& base, const CKabTv& cable)
{
    return StoreByKey(base.solidCables, cable);
}

int ReplaceOrAppend(CBase& base, const CKabTr& cable)
{
    return StoreByKey(base.pipeCables, cable);
}

int ReplaceOrAppend(CBase& base, const CZagrad& trap)
{
    return StoreByKey(base.traps, trap);
}

int ReplaceOrAppend(CBase& base, const CMatrix& matrix)
{
    return StoreByKey(base.matrices, matrix);
}

int ReplaceOrAppend(CBase& base, const CFiltr& filter)
{
    if (filter.type >= CBase::kFilterLists)
        return -1;
    return StoreByKey(base.filters[filter.type], filter);
}

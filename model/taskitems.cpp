// The catalog items a task uses, gathered from its entered elements into a
// catalog (g_TaskBase) for listing and for reconciliation with the catalog
// file.
#include "model/base.h"
#include "model/branches.h"
#include "model/coupling.h"
#include "model/document.h"
#include "model/lines.h"
#include "model/shunts.h"

namespace {

// Appends a copy of item unless the list already has one that compares as
// the same item (same name; for towers, matrices and filters also the same
// point count, order or type).
template <class T>
void GoesTo(ObjList<T>& list, const T& item)
{
    for (const auto& have : list)
        if (have->Compare(item) != 0)
            return;
    auto copy = std::make_unique<T>();
    copy->Copy(item);
    list.push_back(std::move(copy));
}

// The same by name alone.
template <class T>
void GoesToByName(ObjList<T>& list, const T& item)
{
    for (const auto& have : list)
        if (have->name == item.name)
            return;
    auto copy = std::make_unique<T>();
    copy->Copy(item);
    list.push_back(std::move(copy));
}

void CollectFilter(CBase& base, const CFiltr& filter, bool byName)
{
    if (filter.type >= CBase::kFilterLists)
        return;
    if (byName)
        GoesToByName(base.filters[filter.type], filter);
    else
        GoesTo(base.filters[filter.type], filter);
}

void CollectTraps(CBase& base, const CEShunt& shunt)
{
    for (const CShunt& branch : shunt.branches)
        GoesTo(base.traps, branch.trap);
}

void CollectElement(CBase& base, const CElement& e)
{
    switch (e.type) {
    case kOverheadLine:
        if (const CVLine* line = e.Data<CVLine>()) {
            GoesTo(base.towers, line->tower);
            for (int i = 0; i < line->wireCount; ++i)
                if (const CVLProv* w = line->Wire(i))
                    GoesTo(i < line->phaseWires ? base.phaseWires : base.groundWires, w->wireType);
            if (line->inhomogeneity != 0)
                GoesTo(base.matrices, line->matrix);
        }
        break;
    case kCableLine:
        if (const CKLine* cable = e.Data<CKLine>()) {
            if (cable->pipe == 0)
                GoesTo(base.solidCables, cable->solidCable);
            else if (cable->pipe == 1)
                GoesTo(base.pipeCables, cable->pipeCable);
        }
        break;
    case kShuntImpedance:
    case kSeriesImpedance:
        if (const CEShunt* shunt = e.Data<CEShunt>(); shunt && shunt->trapKind != 0)
            CollectTraps(base, *shunt);
        break;
    case kCouplingDevice:
        if (const CUpr* upr = e.Data<CUpr>()) {
            for (const CPrisoed& p : upr->devices) {
                CollectFilter(base, p.filter, false);
                GoesToByName(base.hfCables, p.cable);
            }
        }
        break;
    case kBypass:
        if (const CEObhod* bypass = e.Data<CEObhod>()) {
            CollectTraps(base, bypass->traps[0]);
            CollectTraps(base, bypass->traps[1]);
            for (const CObhod& line : bypass->lines) {
                for (int end = 0; end < 2; ++end) {
                    CollectFilter(base, line.filters[end], true);
                    GoesToByName(base.hfCables, line.cables[end]);
                }
            }
        }
        break;
    default:
        break;
    }
}

}  // namespace

void CollectTaskItems(const CKestrinDoc& doc, CBase& target)
{
    target.RemoveAll();
    std::size_t n = std::min<std::size_t>(doc.elementCount, doc.elements.size());
    for (std::size_t i = 0; i < n; ++i) {
        const CElement& e = *doc.elements[i];
        if (e.entered)
            CollectElement(target, e);
    }
}

void CollectTaskItems()
{
    if (g_pDoc)
        CollectTaskItems(*g_pDoc, g_TaskBase);
    else
        g_TaskBase.RemoveAll();
}

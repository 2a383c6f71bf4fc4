#include "dialogs/catalogitemstore.h"

#include "model/catalogstore.h"
#include "model/coupling.h"
#include "model/element.h"
#include "model/lines.h"
#include "model/shunts.h"
#include "platform/messages.h"

namespace {

CatalogSaveHook& SaveHook()
{
    static CatalogSaveHook hook;
    return hook;
}

template <class T>
bool StoreInBoth(const T& item)
{
    ReplaceOrAppend(g_CurBase, item);
    const bool saved = SaveCurrentCatalog();
    ReplaceOrAppend(g_TaskBase, item);
    return saved;
}

// Calls fn(element) for every element of the chain but the skipped one.
template <class Fn>
void ForEachOther(ElementChain& chain, int skipIndex, Fn fn)
{
    for (std::size_t i = 0; i < chain.size(); ++i)
        if (int(i) != skipIndex && chain[i])
            fn(*chain[i]);
}

template <class T>
void CopyWhenSameKey(T& held, const T& item)
{
    // An unnamed item is no catalog item: it never spreads.
    if (!item.name.empty() && SameKey(held, item))
        held.Copy(item);
}

void SpreadTrapOver(CEShunt& part, const CZagrad& trap)
{
    for (CShunt& branch : part.branches)
        CopyWhenSameKey(branch.trap, trap);
}

} // namespace

CatalogSaveHook SetCatalogSaveHook(CatalogSaveHook hook)
{
    CatalogSaveHook previous = std::move(SaveHook());
    SaveHook() = std::move(hook);
    return previous;
}

bool SaveCurrentCatalog()
{
    if (!SaveHook()) {
        ShowMessage(kCatalogNotSavedText, kAppName, MsgIcon::Exclamation);
        return false;
    }
    return SaveHook()();
}

bool StoreCatalogItem(const COpora& tower) { return StoreInBoth(tower); }
bool StoreCatalogItem(const CKabTv& cable) { return StoreInBoth(cable); }
bool StoreCatalogItem(const CKabTr& cable) { return StoreInBoth(cable); }
bool StoreCatalogItem(const CZagrad& trap) { return StoreInBoth(trap); }
bool StoreCatalogItem(const CMatrix& matrix) { return StoreInBoth(matrix); }
bool StoreCatalogItem(const CFiltr& filter) { return StoreInBoth(filter); }

bool StoreCatalogItem(int category, const CProvod& wire)
{
    ReplaceOrAppend(g_CurBase, category, wire);
    const bool saved = SaveCurrentCatalog();
    ReplaceOrAppend(g_TaskBase, category, wire);
    return saved;
}

void SpreadTower(ElementChain& chain, const COpora& tower, int skipIndex)
{
    ForEachOther(chain, skipIndex, [&](CElement& e) {
        if (CVLine* line = e.type == kOverheadLine ? e.Data<CVLine>() : nullptr)
            CopyWhenSameKey(line->tower, tower);
    });
}

void SpreadWire(ElementChain& chain, int category, const CProvod& wire, int skipIndex)
{
    const bool ground = category == kCatGroundWires;
    ForEachOther(chain, skipIndex, [&](CElement& e) {
        CVLine* line = e.type == kOverheadLine ? e.Data<CVLine>() : nullptr;
        if (!line || !line->wireArray)
            return;
        std::vector<CVLProv>& wires = *line->wireArray;
        for (std::size_t i = 0; i < wires.size(); ++i)
            if ((int(i) >= line->phaseWires) == ground)
                CopyWhenSameKey(wires[i].wireType, wire);
    });
}

void SpreadMatrix(ElementChain& chain, const CMatrix& matrix, int skipIndex)
{
    ForEachOther(chain, skipIndex, [&](CElement& e) {
        if (CVLine* line = e.type == kOverheadLine ? e.Data<CVLine>() : nullptr)
            CopyWhenSameKey(line->matrix, matrix);
    });
}

namespace {

// The cable line of a cable-line element or of a cable-insert bypass.
CKLine* CableLineOf(CElement& e)
{
    if (e.type == kCableLine)
        return e.Data<CKLine>();
    if (e.type == kBypass)
        if (CEObhod* bypass = e.Data<CEObhod>(); bypass && bypass->kind == 2)
            return bypass->cableInsert.get();
    return nullptr;
}

} // namespace

void SpreadCable(ElementChain& chain, const CKabTv& cable, int skipIndex)
{
    ForEachOther(chain, skipIndex, [&](CElement& e) {
        if (CKLine* line = CableLineOf(e); line && line->pipe == 0)
            CopyWhenSameKey(line->solidCable, cable);
    });
}

void SpreadCable(ElementChain& chain, const CKabTr& cable, int skipIndex)
{
    ForEachOther(chain, skipIndex, [&](CElement& e) {
        if (CKLine* line = CableLineOf(e); line && line->pipe == 1)
            CopyWhenSameKey(line->pipeCable, cable);
    });
}

void SpreadTrap(ElementChain& chain, const CZagrad& trap, int skipIndex)
{
    ForEachOther(chain, skipIndex, [&](CElement& e) {
        if (e.type == kShuntImpedance || e.type == kSeriesImpedance) {
            if (CEShunt* shunt = e.Data<CEShunt>(); shunt && shunt->trapKind != 0)
                SpreadTrapOver(*shunt, trap);
        } else if (e.type == kBypass) {
            if (CEObhod* bypass = e.Data<CEObhod>())
                for (CEShunt& part : bypass->traps)
                    SpreadTrapOver(part, trap);
        }
    });
}

void SpreadHfCable(ElementChain& chain, const CProvod& cable, int skipIndex)
{
    ForEachOther(chain, skipIndex, [&](CElement& e) {
        if (e.type == kCouplingDevice) {
            if (CUpr* upr = e.Data<CUpr>())
                for (CPrisoed& device : upr->devices)
                    CopyWhenSameKey(device.cable, cable);
        } else if (e.type == kBypass) {
            if (CEObhod* bypass = e.Data<CEObhod>())
                for (CObhod& line : bypass->lines)
                    for (CProvod& held : line.cables)
                        CopyWhenSameKey(held, cable);
        }
    });
}

void SpreadFilter(ElementChain& chain, const CFiltr& filter, int skipIndex)
{
    ForEachOther(chain, skipIndex, [&](CElement& e) {
        if (e.type == kCouplingDevice) {
            if (CUpr* upr = e.Data<CUpr>())
                for (CPrisoed& device : upr->devices)
                    CopyWhenSameKey(device.filter, filter);
        } else if (e.type == kBypass) {
            if (CEObhod* bypass = e.Data<CEObhod>())
                for (CObhod& line : bypass->lines)
                    for (CFiltr& held : line.filters)
                        CopyWhenSameKey(held, filter);
        }
    });
}

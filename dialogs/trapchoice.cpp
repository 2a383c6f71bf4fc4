#include "dialogs/trapchoice.h"

#include "dialogs/catalogrequests.h"
#include "dialogs/editpolicy.h"
#include "model/catalogstore.h"

void TrapChoice::Fill(const std::string& name)
{
    combo.Fill<CZagrad>(g_TaskBase.traps, g_CurBase.traps);
    combo.Sort();
    Select(name);
}

void TrapChoice::Select(const std::string& name)
{
    choice = name.empty() ? -1 : combo.Find(name);
    paramsEnabled = !name.empty() && HasItemEditor(kCatTraps);
}

bool TrapChoice::NewEnabled() const
{
    return EditPolicy(editing).NewButtonsEnabled() && HasItemEditor(kCatTraps);
}

void TrapChoice::Store(const CZagrad& trap)
{
    StoreCatalogItem(trap);
    if (chain)
        SpreadTrap(*chain, trap, skipIndex);
    Fill(trap.name);
}

TrapChoice::Outcome TrapChoice::Choose(int entry, CZagrad& trap)
{
    if (entry < 0 || entry >= int(combo.entries.size())) {
        trap.name.clear();
        trap.scheme = 0;
        choice = -1;
        paramsEnabled = false;
        return Outcome::Cleared;
    }
    const int data = combo.entries[std::size_t(entry)].data;
    if (data != kComboOtherBase) {
        const CZagrad* chosen = ChosenItem(g_TaskBase.traps, g_CurBase.traps, data);
        if (!chosen) {
            Select(trap.name);
            return Outcome::Kept;
        }
        trap.Copy(*chosen);
        choice = entry;
        paramsEnabled = HasItemEditor(kCatTraps);
        return Outcome::Taken;
    }
    COtherCatalogRequest road(kCatTraps, otherBase, otherBasePath);
    road.DoModal();
    if (const CZagrad* picked = road.PickedTrap()) {
        const CZagrad fetched = *picked;
        trap.Copy(fetched);
        Store(fetched);
        return Outcome::Fetched;
    }
    Select(trap.name);
    return Outcome::Kept;
}

bool TrapChoice::Edit(CZagrad& item)
{
    CItemEditRequest request;
    request.category = kCatTraps;
    request.item = &item;
    request.mode = std::uint8_t(EditPolicy(editing).ItemEditorMode(2, 1));
    if (request.DoModal() != IDOK || !editing) {
        item.name.clear();
        item.scheme = 0;
        return false;
    }
    Store(item);
    return true;
}

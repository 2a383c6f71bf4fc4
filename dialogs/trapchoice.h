// The line-trap combo of the shunt and series impedance dialogs and of the
// bypass's line-trap page: the task's traps, the current catalog's traps not
// yet listed, "Выбрать из другой базы" last.  A trap fetched from another
// catalog file or saved in the trap editor is stored in both catalogs (the
// current one saved at once) and spread over the other elements of the
// chain; each dialog then updates its own records as it sees fit.
#pragma once

#include "dialogs/catalogcombo.h"
#include "dialogs/catalogitemstore.h"

#include <string>

class TrapChoice {
public:
    // Set by the dialog.
    bool editing = true;
    ElementChain* chain = nullptr;  // brought up to date with stored traps; may be null
    int skipIndex = -1;             // the edited element's position in the chain

    CatalogCombo combo;
    int choice = -1;             // the selected entry, -1 none
    bool paramsEnabled = false;  // "Параметры"
    std::string otherBasePath;
    CBase otherBase;

    // Refills the combo (sorted) and selects name.
    void Fill(const std::string& name);
    // Selects the entry of name (none for an empty name); "Параметры" follows.
    void Select(const std::string& name);
    // "Новый" enabled.
    bool NewEnabled() const;

    enum class Outcome { Cleared, Taken, Fetched, Kept };
    // A selection change: no entry empties the trap's name and scheme
    // (Cleared); a catalog entry copies its trap (Taken); the other-catalog
    // entry runs the road and, after a pick, stores and spreads the trap and
    // copies it (Fetched); a cancelled or failed road selects the trap's name
    // again (Kept).
    Outcome Choose(int entry, CZagrad& trap);
    // The trap editor on item (editable in editing mode, view-only
    // otherwise).  True after its OK: item holds the saved trap, which is
    // stored, spread and selected.  Otherwise item's name and scheme are emptied.
    bool Edit(CZagrad& item);

private:
    void Store(const CZagrad& trap);
};

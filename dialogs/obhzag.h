// CObhZag ("Заградители"): the page of the bypass sheet that puts at most one
// catalog line trap on every bypassed wire before the bypass and one after
// it.  Each side keeps a pending trap and a mark per position; "Ввести"
// marks the current position and moves on (carrying the chosen trap to the
// next untrapped wire), "Удалить" clears the mark but keeps the pending
// trap.  Leaving the page rebuilds both trap parts of the bypass from the
// marked positions in ascending order; in editing mode a name the task file
// cannot hold keeps the page (and the sheet) open instead.
#pragma once

#include "dialogs/propertysheet.h"
#include "dialogs/trapchoice.h"
#include "model/modelglobals.h"
#include "model/shunts.h"

#include <cstdint>
#include <string>
#include <vector>

class CElement;
class CEObhod;

inline constexpr const char* kNoTrapChosenText = "Не выбран заградитель!";

class CObhZag : public PropertyPageModel {
public:
    // Sets g_nBypassPageToken to 2: this page validates the sheet.
    CObhZag();

    // Set by the sheet's owner.
    CElement* m_pElement = nullptr;
    CEObhod* m_pEObhod = nullptr;
    std::uint16_t m_nElementIndex = 0;
    bool editing = true;
    ElementChain* chain = nullptr;
    // The page's OK step validates the whole bypass (in a sheet of its own);
    // the bypass sheet validates once itself and clears this.
    bool validateOnOK = true;

    std::string m_strName;
    std::uint8_t m_nWires = 0;  // bypassed wires n
    int current[2] = {0, 0};    // current position of each side
    std::uint8_t hasTrap[2][kMaxWires] = {};
    CShunt pending[2][kMaxWires];
    std::vector<std::string> labels[2];  // n labels per side
    TrapChoice traps[2];
    bool deleteEnabled[2] = {false, false};
    std::string groupCaption[2] = {"До подстанции", "После подстанции"};

    std::string Caption() const override { return "Заградители"; }
    void OnInitPage() override;
    void OnSetActive() override;
    bool OnKillActive() override;
    void OnOK() override;

    // Row k of side s: the wire's label and the trap's name or "Нет".
    std::vector<std::string> Row(int side, int k) const;
    void ShowWire(int side);
    void OnSelchangeWire(int side, int k);
    void OnClickList(int side, int row) { OnSelchangeWire(side, row); }
    void OnSelchangeTrap(int side, int entry);
    void OnNew(int side);
    void OnParams(int side);
    // "Ввести": false when no trap is chosen (a message was shown).
    bool OnEnter(int side);
    void OnDelete(int side);

private:
    void FillTrapCombos();
    void EditTrap(int side, CZagrad record);
    void SpreadOnPage(int side, const CZagrad& trap);
    void BuildLabels();
};

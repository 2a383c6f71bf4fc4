// CFazirDlg ("Фазировка проводов"): gives the conductor codes of a set of
// wires to those wires in another order.  Choosing a phase for a wire swaps
// it with the wire that held that phase, so every code stays used once.
#pragma once

#include "model/modelglobals.h"
#include "platform/modal.h"

#include <cstdint>
#include <string>
#include <vector>

class CFazirDlg {
public:
    // Set by the opener.
    std::uint8_t wireCount = 0;     // n, at most 40
    std::uint8_t phasingPlace = 0;  // 0 start of the channel, 1 after a bypass, 2 in an attached circuit
    std::uint8_t elementIndex = 0;  // completion mode
    int* map = nullptr;             // n conductor codes; written on OK
    const int* wireNumbers = nullptr;  // n display numbers; null: 0 .. n-1
    bool editing = true;
    bool completion = false;
    bool dc = false;

    // Control values and states.
    int wireChoice = 0;
    int phaseChoice = 0;
    std::string placeText, elementText, okText;
    std::string phaseHeader;  // "Цепь-фаза", or "Полюс" on a DC line
    bool okEnabled = true;
    int workMap[kMaxWires];
    int sortedCodes[kMaxWires];
    std::vector<std::string> wireItems;   // combo 1018
    std::vector<std::string> phaseItems;  // combo 1405

    CFazirDlg();

    void OnInitDialog();
    // A wire chosen in the combo or by a click on its list row.
    void OnWireChosen(int wire);
    // A phase chosen for the chosen wire.
    void OnPhaseChosen(int phase);
    // Row i of the list: the wire's number and its conductor name.
    std::string RowNumber(int i) const;
    std::string RowName(int i) const;
    // OK: map takes the working codes.
    void OnOK();

    int Count() const { return wireCount > kMaxWires ? kMaxWires : wireCount; }
    int DoModal() { return RunModal(*this); }

private:
    int PositionOfCode(int code) const;
};

// CTranspDlg ("Транспозиция"): the new order of a transposition's wires.
// order[i] is the 0-based output position of input wire i; choosing a new
// position for a wire swaps it with the wire that had that position, so the
// order always stays a permutation.
#pragma once

#include "model/modelglobals.h"
#include "platform/modal.h"

#include <cstdint>
#include <string>
#include <vector>

class CElement;
class CTransp;

class CTranspDlg {
public:
    // Set by the opener.
    CElement* element = nullptr;  // the copy being edited
    CTransp* transp = nullptr;    // its data object
    bool editing = true;
    bool dc = false;

    // Values and control states.
    int wireCount = 0;
    std::string name;
    std::vector<std::uint8_t> order;
    int initializing = 1;
    std::string wireNames[kMaxWires];
    std::vector<std::string> wireItems;      // combo 1120: "%d (%s)"
    std::vector<std::string> positionItems;  // combo 1223: "%d"
    int wireChoice = 0;
    int positionChoice = 0;

    void OnInitDialog();
    void OnWireChosen(int wire);
    // A list row clicked: that wire becomes the chosen one.
    void OnRowClicked(int row) { OnWireChosen(row); }
    void OnPositionChosen(int position);
    // List row i: "%d (%s)" of wire i and "%d" of its position + 1.
    std::string RowWire(int i) const;
    std::string RowPosition(int i) const;
    // IDOK with the element written (editing mode), IDCANCEL outside it, 0 when
    // the dialog stays open (a name the task file cannot store was refused).
    int OnOK();

    int DoModal() { return RunModal(*this); }
};

// What the opener does after OK: the output map from the input map by the
// permutation (the output entry at order[i] takes input entry i).
void ApplyTransposition(CElement& element);

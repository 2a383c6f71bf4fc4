// The wire-choice dialogs that placing a tap, a doubling, a bypass, a change
// of the number of wires or a branching opens.  The editor reaches them
// through this one interface; the element dialogs register theirs, tests a
// scripted one.  Each call answers IDOK (1) when the choice was made; the
// editor shows the dialog again until it does.
#pragma once

#include <cstdint>

class CElement;
class CVarMod;

// What the dialog of a change of the number of wires (CIzmProvDlg) gets and
// gives back.
struct WireCountChoice {
    int viewOnly = 0;                   // 0: the counts may be changed
    std::uint8_t currentCircuits = 0;   // before the change (DC: poles)
    std::uint8_t currentGround = 0;
    std::uint8_t newCircuits = 0;       // in: the current counts; out after IDOK: the chosen ones
    std::uint8_t newGround = 0;
    CVarMod* varMod = nullptr;          // after IDOK its map holds the codes of the added wires
    std::uint8_t entryPositions = 0;    // wire positions entering the element (a split conductor counts twice)
};

class WireDialogHost {
public:
    virtual ~WireDialogHost() = default;

    // COtvetDlg on an element being placed (from-parameters 0): a tap or a
    // doubling with a COtvet, or a bypass with a CEObhod (endsDoubling: the
    // bypass may close the open doubling).  After IDOK the data holds the
    // selection mode, the per-wire flags and the count of taken wires (a
    // bypass also its kind), and the element its part counts; its output map
    // is its input map.
    virtual int RunOtvetDlg(CElement& element, int endsDoubling) = 0;
    // CRazvetvDlg on a branching being placed: after IDOK its after-counts
    // hold the first branch's circuits and ground wires, its part counts the
    // second branch's, its COtvet the flags of the first branch's wires.
    virtual int RunRazvetvDlg(CElement& element) = 0;
    // CIzmProvDlg for a change of the number of wires being placed.
    virtual int RunIzmProvDlg(WireCountChoice& choice) = 0;
};

// Installs a host (nullptr: none) and returns the previous one.
WireDialogHost* SetWireDialogHost(WireDialogHost* host);
WireDialogHost* GetWireDialogHost();

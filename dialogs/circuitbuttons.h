// The check boxes of circuits and ground wires in the tap, branching and
// bypass-choice dialogs: one box per circuit ("Цепь %d") and per ground wire
// ("Трос %d") met in the element's input map, in map order.  A box's line
// code is 2k for circuit k and 2k + 1 for ground wire k (0-based).  A
// correction of an existing element keeps how many boxes of each kind are
// checked: checking one box unchecks another of its kind (KeepCount).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CircuitButton {
    std::string label;
    int lineCode = 0;  // 2k circuit k, 2k + 1 ground wire k
    bool checked = false;
    bool enabled = false;

    bool IsGround() const { return (lineCode & 1) != 0; }
};

class CircuitButtons {
public:
    // How the box labels number circuits and ground wires.
    enum class Numbering {
        Plain,        // k + 1
        Wrapped64,    // (k mod 64) + 1, with "a" after it from k = 64 on
    };

    std::vector<CircuitButton> buttons;  // at most one per wire

    // Builds the boxes from the first wires entries of an input map; an empty
    // code (-1) gets no box.
    void Build(const int* inMap, int wires, Numbering numbering);

    // The box of a conductor code; -1 when none.
    int ButtonOfCode(int conductorCode) const;
    // Whether a conductor code belongs to a box's circuit or ground wire.
    static bool CodeInButton(int conductorCode, int lineCode);

    int Count(bool ground) const;
    int CheckedCount(bool ground) const;

    // Box k has just taken its new state: the first box of the same kind
    // after k, then before k, with that same state takes the opposite one.
    void KeepCount(int k);
    // Sets box states from per-wire flags of the input map (flagged wire ->
    // its box checked, every other box unchecked).  Indices past wires and
    // empty codes are skipped.
    void CheckFromFlags(const int* inMap, const std::uint8_t* flags, int wires);
    // Per-wire flags from the checked boxes; returns how many wires are flagged.
    int FlagsFromChecked(const int* inMap, std::uint8_t* flags, int wires) const;
};

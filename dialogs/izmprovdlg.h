// CIzmProvDlg ("Изменение числа проводов"): the new number of circuits
// (poles on a DC line) and ground wires at a change of the number of wires,
// and the conductor codes of the added wires, written into the CVarMod's map:
// the three phases of each added circuit, then each added ground wire,
// numbered after the circuits and ground wires of the chain so far.
//
// Placing opens it with the running counts as both current and new values
// and shows it again until it ends with OK.  The task completion opens it
// element by element: OK then reads "Дальше>>", the element's number is
// shown and the new counts follow from the wires the element adds.
#pragma once

#include "dialogs/editpolicy.h"
#include "platform/modal.h"

#include <cstdint>
#include <string>

class CVarMod;

class CIzmProvDlg {
public:
    // Set by the opener.
    int viewOnly = 0;                  // 1: OK closes without any check or result
    std::uint8_t currentCircuits = 0;  // before the element
    std::uint8_t newCircuits = 0;      // in and out: after it
    std::uint8_t currentGround = 0;
    std::uint8_t newGround = 0;
    CVarMod* varMod = nullptr;         // receives the codes of the added wires
    int elementIndex = 0;              // completion mode: 0-based position of the element
    bool editing = true;               // the main frame's editing mode
    bool completion = false;           // the task completion is running
    bool dc = false;                   // a DC line: poles, one wire each
    std::uint8_t chainCircuits = 0;    // circuits and ground wires numbered so far in the chain
    std::uint8_t chainGround = 0;
    std::uint8_t entryPositions = 0;   // wire positions entering the element (a split conductor counts twice)

    // Shown values and control states.
    int initializing = 1;
    std::string currentLabel, newLabel, elementText, okText;
    std::uint8_t shownCurrentCircuits = 0, shownNewCircuits = 0, shownCurrentGround = 0, shownNewGround = 0;
    std::uint8_t wiresPerCircuit = 3;
    std::uint8_t addedWires = 0;
    int circuitMin = 0, circuitMax = 0, groundMin = 0, groundMax = 0;
    bool circuitSpinEnabled = false, groundSpinEnabled = false, groundSpinShown = true;
    bool phasingEnabled = false;

    void OnInitDialog();
    // A count changed through its spin (the shown values hold the new ones).
    void OnCountChanged();
    // "Фазировка": the phasing of the added wires.
    void OnPhasing();
    // OK; false when the dialog stays open (a stop message was shown).
    bool OnOK();

    int DoModal() { return RunModal(*this); }

    // Whether a change of the number of wires after these counts can add any
    // wire at all (a spin below its maximum and a free wire position); when
    // none can, the dialog could never end with OK.
    static bool AnyCountCanGrow(int circuits, int ground, int entryPositions, bool dc);

private:
    int AddedPositions() const;
    void UpdateRanges();
    void WriteCodes();
};

inline constexpr int kMaxCircuitsAfterChange = 8;
inline constexpr int kMaxGroundAfterChangeAC = 16;
inline constexpr int kMaxGroundAfterChangeDC = 2;

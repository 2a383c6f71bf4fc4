// The first step of completing a task read from an old task file or imported
// from the sibling program: the conductor count is known, the user says
// whether the line is AC or DC and how many circuits (poles) it has; the rest
// of the conductors are ground wires.  Same caption as the base-data dialog,
// OK reads "Продолжить".
#pragma once

#include "platform/modal.h"

#include <cstdint>
#include <string>

class CZadachaDopDlg {
public:
    // Filled by the caller from the document; circuits, ground wires, DC flag
    // and title are read back after IDOK.
    std::uint8_t m_nCircuits = 1;
    std::uint8_t m_nGroundWires = 0;
    std::uint8_t m_bDC = 0;
    std::uint8_t m_nConductors = 0; // in: the task's conductor count
    std::string m_strTitle;
    // 1 when the chain holds a cable line, a bypass, a change of the number of
    // wires or a doubling: such a task cannot be a DC task.
    int m_bChainForbidsDC = 0;

    // Control values.
    int m_nCircuitsEdit = 1;
    int m_nGroundEdit = 0;
    int m_nCurrentType = 0; // the dialog opens on AC
    std::string m_strCountLabel;
    std::string m_strTitleEdit;
    int m_bInitialising = 1;

    // Control states.
    bool m_bAcEnabled = true;
    bool m_bDcEnabled = true;
    int m_nCircuitsMin = 1;
    int m_nCircuitsMax = 1;

    // Whether an element type keeps a task from being DC.
    static bool TypeForbidsDC(int elementType);

    void OnInitDialog();
    void OnCurrentTypeChanged();
    void OnCountChanged();
    // Label and range by the current type; the circuit count brought into the
    // range and the ground wires = the conductors left over.
    void UpdateCounts();
    // Takes the values back; false (a stop message was shown, the dialog stays
    // open) when the typed title holds a character the task file cannot store
    // or the conductors cannot make a line of the chosen kind.
    bool OnOK();

    int DoModal() { return RunModal(*this); }

private:
    bool AcPossible() const { return m_nConductors >= 3; }
};

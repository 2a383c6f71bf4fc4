// The task's base data: its title, AC or DC, the number of circuits (poles)
// and of ground wires (cable screens), and the conductor split into two halves
// for an intra-phase (intra-ground-wire) path.  CZadachaDlg enters them for a
// new task and shows or edits them later ("Базовые данные задачи").
//
// The model holds the values of the dialog's controls and the states the
// controls take; the Qt dialog shows them and calls the handlers.
#pragma once

#include "platform/modal.h"

#include <cstdint>
#include <string>
#include <vector>

class CZadachaDlg {
public:
    // Filled by the caller before the dialog runs; read back after IDOK.
    std::uint8_t m_nCircuits = 1;    // circuits (AC) or poles (DC)
    std::uint8_t m_nGroundWires = 0; // ground wires (cable screens)
    std::uint8_t m_bDC = 0;          // 1 DC task, 0 AC task
    std::uint8_t m_nConductors = 3;  // conductors of the task (a split conductor counts twice)
    int m_nSplit = -1;               // index of the split conductor, -1 none
    int m_nElements = 0;             // the task's element count: when not 0 only the title may change
    int m_bEditable = 1;             // 1 edit, 0 view only
    std::string m_strTitle;

    // Control values.  The counts are what was typed, so they may lie outside
    // the ranges until the dialog brings them back into them.
    int m_nCircuitsEdit = 1;
    int m_nGroundEdit = 0;
    int m_nCurrentType = 0;          // 0 AC, 1 DC
    std::string m_strCountLabel;     // "Число цепей" or "Число полюсов"
    std::string m_strTitleEdit;
    int m_nPathChoice = -1;          // chosen entry of the split-conductor list
    int m_bInitialising = 1;

    // Control states.
    std::vector<std::string> m_pathItems; // the split-conductor list
    int m_nCircuitsMax = 8;               // the range of the circuit count starts at 1
    int m_nGroundMax = 16;                // the range of the ground-wire count starts at 0
    bool m_bTitleReadOnly = false;
    bool m_bAcEnabled = true;
    bool m_bDcEnabled = true;
    bool m_bCountsEditable = true;
    bool m_bPathEnabled = true;
    bool m_bPathShown = true;

    void OnInitDialog();
    // The AC/DC choice or a count changed (a count change during set-up is ignored).
    void OnCurrentTypeChanged();
    void OnCountChanged();
    // Ranges and label by the current type, the counts brought into their
    // ranges, the conductor count, and the split-conductor list with "Нет" chosen.
    void FillConductorCombo();
    // Takes the values back; false (the dialog stays open, a stop message was
    // shown) when the typed title holds a character the task file cannot
    // store, or a split conductor would give more than 40 conductors.
    bool OnOK();

    int DoModal() { return RunModal(*this); }

private:
    void ApplyRanges();
};

// The title's edit as the refusal of a title the task file cannot hold names it.
inline constexpr const char* kTaskTitleField = "Заголовок задачи";

// Most conductors a task can hold (wire maps have 40 entries).
inline constexpr int kMaxConductors = 40;

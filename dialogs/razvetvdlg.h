// CRazvetvDlg ("Разветвление цепей"): splits the circuits and ground wires
// at a branching into two branches; the checked ones go into the first
// branch.  Each branch keeps at least one circuit.  There is no Cancel: the
// placing caller shows it again until it ends with OK.
#pragma once

#include "dialogs/circuitbuttons.h"
#include "platform/modal.h"

#include <string>

class CElement;

class CRazvetvDlg {
public:
    // Set by the caller.
    CElement* m_pElement = nullptr;
    int m_bKeepCounts = 0;  // 1: a correction; the numbers going into the first branch stay
    bool editing = true;

    std::string m_strName;
    CircuitButtons m_buttons;

    void OnInitDialog();
    // Box k has just been checked or unchecked.
    void ToggleLine(int k);
    // True when the dialog ends with IDOK; false keeps it open (a stop message was shown).
    bool OnOK();

    int DoModal() { return RunModal(*this); }
};

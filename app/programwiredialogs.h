// The program's wire-choice dialogs for placing elements: COtvetDlg for a
// tap, a doubling or a bypass, CRazvetvDlg for a branching and CIzmProvDlg
// for a change of the number of wires, each filled from the element and the
// task and run through RunModal.
#pragma once

#include "app/wiredialoghost.h"

class ProgramWireDialogs : public WireDialogHost {
public:
    int RunOtvetDlg(CElement& element, int endsDoubling) override;
    int RunRazvetvDlg(CElement& element) override;
    int RunIzmProvDlg(WireCountChoice& choice) override;
};

// Installs the program's wire-choice dialogs as the editor's host, but only
// when all three dialogs have a window registered: the editor shows a
// placing dialog again until it ends with OK, which a dialog without a
// window never does.  Returns whether the host was installed.
bool InstallProgramWireDialogs();

// CNagruzDlg ("Концевая нагрузка"): the load resistance of every wire at an
// end load; a negative value means no load.  As the first element of the
// chain it also offers the wire phasing.
#pragma once

#include "platform/modal.h"

#include <string>
#include <vector>

class CElement;

class CNagruzDlg {
public:
    // Set by the opener.
    CElement* element = nullptr;
    int readOnly = 0;        // outside editing mode
    int isFirstElement = 0;
    bool dc = false;
    int split = -1;          // the task's split conductor, -1 none

    // Control values and states.
    std::string valueText;
    std::string name;
    std::string countLabel;
    int circuits = 0, groundWires = 0;
    int wireNumber = 1;      // 1-based
    int wireCount = 0;
    int phaseWireCount = 0;
    int updating = 1;
    int anyLoad = 0;
    bool enterEnabled = false, deleteEnabled = false;
    std::vector<float> values;  // ohm, negative: no load

    void OnInitDialog();
    // The wire number changed (edit, spin or list).
    void OnWireNumberChanged(int number);
    void OnValueTextChanged();
    void OnEnter();
    void OnDelete();
    // "Фазировка": the phasing dialog on the input map; true when it ended with OK.
    bool OnPhasing();
    // Row i: "%d (%s)" and "%g" or "Нет".
    std::string RowWire(int i) const;
    std::string RowValue(int i) const;
    bool OkEnabled() const { return anyLoad || readOnly; }
    // IDOK with the element written, IDCANCEL outside editing mode, 0 when the
    // dialog stays open (a name the task file cannot store was refused).
    int OnOK();

    int DoModal() { return RunModal(*this); }

private:
    void UpdateAnyLoad();
    std::string Shown(float v) const;
};

// "Параметры" on an end load.
int RunNagruzDialog(CElement& element, bool editing, bool firstElement);

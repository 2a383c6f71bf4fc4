// CNagrOtvDlg ("Нагрузка на конце ответвления"): how the end of a tap is
// closed: grounded, insulated, or loaded on an equivalent capacitance.
#pragma once

#include "platform/modal.h"

#include <string>

class CElement;
class CNagrOtv;

class CNagrOtvDlg {
public:
    // Set by the opener.
    CElement* element = nullptr;
    CNagrOtv* data = nullptr;
    bool editing = true;

    // Control values.
    float capacitancePf = 0.0f;  // "Сэкв, пФ"
    std::string capacitanceText;  // the edit's text, read on OK
    int modeChoice = 0;           // 0 "Заземлено", 1 "Изолировано", 2 "Нагружено на эквивалентную емкость"
    std::string name;

    void OnInitDialog();
    // A radio chosen: 0, 1 or 2.
    void OnMode(int mode) { modeChoice = mode; }
    bool RadioEnabled(int mode) const;
    bool CapacitanceEnabled() const { return modeChoice == 2; }
    // IDOK with the element written, IDCANCEL outside editing mode, 0 when the
    // dialog stays open (a stop message was shown).
    int OnOK();

    int DoModal() { return RunModal(*this); }
};

// "Параметры" on a tap end: runs the dialog on the element (its data object
// made when missing); answers IDOK when the element was changed.
int RunNagrOtvDialog(CElement& element, bool editing);

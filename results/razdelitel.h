// The separator dialog of the Excel copy ("Выбор разделителя"): a point or a
// comma as the decimal separator of the copied numbers, as the engineer's
// spreadsheet expects them.
#pragma once

#include "platform/modal.h"

class CRazdelitelDlg {
public:
    enum : int { kIdPoint = 1435, kIdComma = 1436 };

    // In: the window's choice before the dialog runs; out after IDOK: 0 a
    // point, 1 a comma.
    int separatorChoice = 0;
    // The radio group's value (-1: none checked).
    int separatorRadio = -1;

    // Opening shows the choice in the radios.
    void OnInitDialog() { separatorRadio = separatorChoice; }
    // OK takes the radios.
    void OnOK()
    {
        if (separatorRadio >= 0)
            separatorChoice = separatorRadio;
    }

    int DoModal() { return RunModal(*this); }
};

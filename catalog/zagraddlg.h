// The line-trap editor ("Заградитель"): the reactor L1 with its tuning
// capacitance C1, and by scheme a series contour (C2, L2), a parallel contour
// (L3, C3), the resistance R and, in the third scheme, L4 in R's branch.
#pragma once

#include "catalog/itemeditor.h"

#include <cstdint>
#include <string>

class CZagrad;

class CZagradDlg : public CItemEditor {
public:
    // Set by the caller: the trap and the mode, 1 view only, 0 or 2
    // editable; a successful OK leaves 1.
    CZagrad* m_pZagrad = nullptr;
    std::uint8_t m_nMode = 0;

    // Control values: pF, mH and ohm.
    std::string m_strName;
    float m_fC1 = 0, m_fC2 = 0, m_fC3 = 0;
    float m_fL1 = 0, m_fL2 = 0, m_fL3 = 0, m_fL4 = 0;
    float m_fR = 0;
    int m_bHasC1 = 1, m_bHasC2 = 0, m_bHasC3 = 0;
    int m_bHasL1 = 1, m_bHasL2 = 0, m_bHasL3 = 0;
    int m_bHasR = 0, m_bHasL4 = 0;
    int m_nScheme = 0; // 0 "Схема 1", 1 "Схема 2", 2 "Схема 3"

    // Control states.
    bool m_bC2BoxEnabled = true;
    bool m_bRBoxEnabled = true;
    bool m_bShowC2 = false, m_bShowC3 = false, m_bShowL2 = false, m_bShowL3 = false, m_bShowR = false;
    bool m_bShowL4Edit = false;
    bool m_bShowL4Box = false; // the box of L4 and its statics

    bool IsViewOnly() const override { return m_nMode == 1; }

    void OnInitDialog();
    void ShowTrapControls();
    void OnHasC2();
    void OnHasL2();
    void OnHasC3();
    void OnHasL3();
    void OnHasR();
    void OnHasL4();
    // Each answers whether the scheme changed (and the drawing is to be repainted).
    bool OnScheme1();
    bool OnScheme2();
    bool OnScheme3();
    // IDOK (trap written), IDCANCEL (view only) or kStayOpen.
    int OnOK();
    int DoModal() { return RunModal(*this); }

private:
    bool ChangeScheme(int scheme);
};

// The HF cable editor ("ВЧ кабель"): attenuation coefficient, propagation
// speed (shown in units of 1e8 m/s) and wave impedance of a CProvod.
#pragma once

#include "catalog/itemeditor.h"

#include <cstdint>
#include <string>

class CProvod;

class CVchKabDlg : public CItemEditor {
public:
    // Set by the caller: the cable and 1 = view only (a successful OK leaves 1).
    CProvod* m_pItem = nullptr;
    std::uint8_t m_bViewOnly = 0;

    std::string m_strName;
    float m_fAttenuation = 0.0f; // dB/(m*sqrt(kHz))
    float m_fSpeed = 0.0f;       // 1e8 m/s
    float m_fImpedance = 0.0f;   // ohm

    bool IsViewOnly() const override { return m_bViewOnly == 1; }

    void OnInitDialog();
    int OnOK();
    int DoModal() { return RunModal(*this); }
};

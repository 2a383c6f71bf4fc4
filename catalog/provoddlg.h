// The phase-wire and ground-wire editor ("Провод" / "Трос"): name, diameter
// (mm), twist coefficient and resistivity (units of 1e-8 ohm*m), stored as a
// radius in m and a resistivity in ohm*m.
#pragma once

#include "catalog/itemeditor.h"

#include <cstdint>
#include <string>

class CProvod;

class CProvodDlg : public CItemEditor {
public:
    // Set by the caller: the wire, 1 = view only (any other value editable;
    // a successful OK leaves 1), and the kind: 2 phase wire, 3 ground wire.
    CProvod* m_pItem = nullptr;
    std::uint8_t m_bViewOnly = 0;
    std::uint8_t m_nKind = 2;

    std::string m_strName;
    float m_fDiameter = 0.0f;
    float m_fTwist = 0.0f;
    float m_fResistivity = 0.0f;

    bool IsViewOnly() const override { return m_bViewOnly == 1; }
    std::string Caption() const { return m_nKind == 2 ? "Провод" : "Трос"; }

    void OnInitDialog();
    int OnOK();
    int DoModal() { return RunModal(*this); }
};

// The power-cable editors: a cable in solid insulation ("Кабель в твердой
// изоляции": four diameters, two loss tangents, two permittivities, two
// resistivities) and a cable in a steel pipe (only its core diameter).  Both
// show the catalog sheets' units (mm of diameter, %, 1e-8 ohm*m) and store
// the model's (radii in m, fractions, ohm*m).
#pragma once

#include "catalog/itemeditor.h"

#include <array>
#include <cstdint>
#include <string>

class CKabTv;
class CKabTr;

// One value of the solid-insulation cable: where the dialog shows it, the
// factor that turns the shown value into the stored one and the one back.
struct KabTvField {
    const char* group;
    const char* label;
    double factor;
    double shown;
};

class CKabTvDlg : public CItemEditor {
public:
    static constexpr int kFields = 10;
    // In the order of the item's values: core, inner screen, outer screen and
    // cable diameters; loss tangents, permittivities of the inner and outer
    // insulation; resistivities of core and screen.
    static const std::array<KabTvField, kFields> kTable;

    // Set by the caller: the cable and 1 = view only (a successful OK leaves 1).
    CKabTv* m_pItem = nullptr;
    std::uint8_t m_bViewOnly = 0;

    std::string m_strName;
    std::array<float, kFields> m_fValues{};

    bool IsViewOnly() const override { return m_bViewOnly == 1; }

    void OnInitDialog();
    int OnOK();
    int DoModal() { return RunModal(*this); }
};

class CKabTrDlg : public CItemEditor {
public:
    CKabTr* m_pItem = nullptr;
    std::uint8_t m_bViewOnly = 0;

    std::string m_strName;
    float m_fDiameter = 0.0f; // core diameter, mm

    bool IsViewOnly() const override { return m_bViewOnly == 1; }

    void OnInitDialog();
    int OnOK();
    int DoModal() { return RunModal(*this); }
};

// The coupling-filter editor ("Фильтр присоединения"): a filter of one of
// seven schemes made of up to six capacitances (pF), six inductances (mH),
// one resistance R or five resistances R1-R5 (ohm) and a coupling or
// transformation ratio.  Only the elements of the chosen type are shown; an
// optional element is present when ticked, a required one always.
#pragma once

#include "catalog/itemeditor.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CFiltr;

// The elements of a filter, in the order of the dialog's rows.
enum FiltrElement : int {
    kFC1, kFC2, kFC3, kFC4, kFC5, kFC6,
    kFL1, kFL2, kFL3, kFL4, kFL5, kFL6,
    kFR,
    kFR1, kFR2, kFR3, kFR4, kFR5,
    kFRatio,
    kFiltrElements
};

// One scheme of the table: what the type has besides its capacitances and
// inductances (whose counts are CFiltr::kCapCount and kIndCount), the label
// of its ratio and the elements it requires besides C1 and the ratio.
struct FiltrSchemeInfo {
    int resistors; // 0 none, 1 the resistance R, 5 the resistances R1-R5
    const char* ratioLabel;
    std::vector<int> required;
};

const FiltrSchemeInfo& FiltrScheme(int type); // type 1..7
bool FiltrHasElement(int type, int element);
bool FiltrRequires(int type, int element);
// "C", "L" or "R" and the element's number ("" for the single R and the ratio).
const char* FiltrElementLetter(int element);
int FiltrElementNumber(int element);

class CFiltrDlg : public CItemEditor {
public:
    // Set by the caller.  Mode 0 and 3 all editable, 1 the type fixed, 2 view
    // only; a successful OK leaves 1.
    CFiltr* m_pFiltr = nullptr;
    std::uint8_t m_nMode = 0;

    // Control values.
    std::string m_strName;
    int m_nType = 1;
    std::array<float, kFiltrElements> m_fValue{};
    std::array<int, kFiltrElements> m_bPresent{};
    std::string m_strRatioLabel;
    int m_bInitialising = 1;

    // Control states.
    std::array<bool, kFiltrElements> m_bBoxEnabled{};
    std::array<bool, kFiltrElements> m_bBoxShown{}; // box, letter and number
    std::array<bool, kFiltrElements> m_bEditShown{};

    bool IsViewOnly() const override { return m_nMode == 2; }
    bool TypeEditable() const { return m_nMode == 0 || m_nMode == 3; }

    void OnInitDialog();
    void UpdatePresence();
    void UpdateVisibility();
    void OnChangeType();
    void OnCheckElement(int element);
    // IDOK (filter written), IDCANCEL (view only) or kStayOpen.
    int OnOK();
    int DoModal() { return RunModal(*this); }
};

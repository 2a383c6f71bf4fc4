// CPrisoedDlg ("Устройство присоединения"): per wire of a coupling-device
// element, whether a coupling device is attached and with which coupling
// filter, HF cable, cable length, load at the cable's end and winding
// polarity.  Filters and cables come from the task's and the current
// catalog's items, their editors or another catalog file.
#pragma once

#include "dialogs/catalogcombo.h"
#include "dialogs/editpolicy.h"
#include "dialogs/wireslots.h"
#include "model/coupling.h"
#include "platform/modal.h"

#include <cstdint>
#include <string>
#include <vector>

class CElement;
using ElementChain = std::vector<std::unique_ptr<CElement>>;

class CPrisoedDlg {
public:
    // Set by the caller.
    CElement* m_pElement = nullptr;
    CUpr* m_pUpr = nullptr;
    std::uint16_t m_nElementIndex = 0;
    int m_bFirstElement = 0;
    bool editing = true;
    ElementChain* chain = nullptr;  // the task's chain, brought up to date with stored items
    int split = -1;                 // the element's split conductor (moved by transpositions)
    bool dc = false;

    // Control values, as typed (units shown: pF, mH, m, ohm).
    int m_bPolarity = 0;
    std::string cText, lText, lengthText, rText;
    std::string m_strName;

    // Working state.
    WireSlots<CPrisoed, &CPrisoed::wire> m_slots;
    CPrisoed m_Current;
    int m_nCurWire = 0;
    std::string m_strFilterLabel;
    std::uint8_t m_nWires = 0;
    CBase m_OtherBase;
    std::string m_strOtherBasePath;
    CatalogCombo filterCombo, cableCombo;
    int filterChoice = -1, cableChoice = -1;  // selected entries, -1 none

    // Control states.
    std::string groupCaption;
    bool polarityShown = true;
    bool filterParamsEnabled = false, cableParamsEnabled = false;
    bool filterNewEnabled = false, cableNewEnabled = false;

    void OnInitDialog();
    void FillCombos();
    // Row i of the list: eight cells ("%d (%s)", filter, cable, length, R, L, C, polarity).
    std::vector<std::string> ShowRow(int i) const;
    void ShowCurrentWire();
    void UpdatePolarityControls();
    // "Ввести": false when a check refused (a stop message was shown).
    bool OnEnter();
    void OnDelete();
    void OnStep(int delta);
    void OnClickList(int row);
    void OnSelchangeFilter(int entry);
    void OnSelchangeCable(int entry);
    void OnNewFilter();
    void OnFilterParams();
    void OnNewCable();
    void OnCableParams();
    // "Фазировка" (the first element only): true when the phasing ended with OK.
    bool OnPhasing();
    // IDOK with the element written, IDCANCEL outside editing mode, 0 when the
    // dialog stays open (a name the task file cannot store was refused).
    int OnOK();

    EditPolicy Policy() const { return EditPolicy(editing); }
    int DoModal() { return RunModal(*this); }

private:
    std::string FilterLabelOf(int wire) const;
    void TakeFilter(const CFiltr& filter);
    void TakeCable(const CProvod& cable);
    void EditFilter(CFiltr item);
    void EditCable(CProvod item);
    void RestoreFilterChoice();
    void RestoreCableChoice();
    void LoadControls(const CPrisoed& device);
};

// "Параметры" on a coupling device (data object made when missing).
int RunPrisoedDialog(CElement& element, int elementIndex, bool editing, ElementChain* chain);

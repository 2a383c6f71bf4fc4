// CPoslSoprDlg ("Последовательное сопротивление"): an impedance in series in
// some wires of the line, of one kind for the element: R, L and C per wire
// (all zero: an open wire, "Обрыв") or a catalog line trap per wire.  One
// working record and flag per wire (the split conductor adds a wire); OK
// rebuilds the element's list from the flagged wires in ascending order.
#pragma once

#include "dialogs/editpolicy.h"
#include "dialogs/shuntdlg.h"
#include "dialogs/trapchoice.h"
#include "dialogs/wireslots.h"
#include "model/shunts.h"
#include "platform/modal.h"

#include <cstdint>
#include <string>
#include <vector>

class CElement;

inline constexpr const char* kSeriesDialogCaption = "Последовательное сопротивление";
inline constexpr const char* kBadSeriesText = "Заданы не все параметры шунта или данные некорректны!";
inline constexpr const char* kNoLoadedWireText = "Пустой элемент!\nНет нагруженных проводов!";

class CPoslSoprDlg {
public:
    // Set by the caller.
    CElement* m_pElement = nullptr;
    CEShunt* m_pEShunt = nullptr;
    std::uint16_t m_nElementIndex = 0;
    bool editing = true;
    ElementChain* chain = nullptr;
    int split = -1;  // the element's split conductor
    bool dc = false;

    // Control values (units shown: ohm, mH, pF).
    std::string rText, lText, cText;
    int m_nKind = 0;
    std::string m_strName;
    int m_bOpen = 0;

    // Working state.
    std::uint8_t m_nWires = 0;
    int m_nCurWire = 0;
    WireSlots<CShunt, &CShunt::firstWire> m_slots;
    CShunt m_Current;
    std::vector<std::string> wireLabels;
    TrapChoice traps;
    bool deleteEnabled = false;

    void OnInitDialog();
    std::vector<ListColumn> BuildColumns(int width) const;
    // Row of a wire: its label, then the kind's cells.
    std::vector<std::string> Row(int wire) const;
    // A trap-kind wire whose trap has no name loses its flag.
    void RefreshRows();
    void ShowCurrentWire();
    bool RlcEnabled() const { return m_nKind == 0 && !m_bOpen; }

    // "Ввести": false when refused (a message was shown).
    bool OnEnter();
    void OnDelete();
    void OnClickList(int row);
    void OnSelchangeWire(int wire);
    void OnKind(int kind);
    void OnOpenWire(bool on);
    void OnSelchangeTrap(int entry);
    void OnNewTrap();
    void OnTrapParams();
    // IDOK in editing mode (also with nothing stored, after the message), IDCANCEL
    // otherwise; 0 when the dialog stays open (a name the task file cannot store
    // was refused).
    int OnOK();

    EditPolicy Policy() const { return EditPolicy(editing); }
    int DoModal() { return RunModal(*this); }

private:
    void EditTrap(CZagrad record);
};

// "Параметры" on a series impedance element (data object made when missing).
int RunPoslSoprDialog(CElement& element, int elementIndex, bool editing, ElementChain* chain);

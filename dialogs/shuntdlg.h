// CShuntDlg ("Шунтирующее сопротивление"): the branches of a shunt element,
// each between two wires of the line or between a wire and ground, all of
// one kind (RLC circuits or catalog line traps), and the substation's
// equivalent capacitance.  The branch list of the element copy is edited in
// place, kept sorted by (first wire, second wire) with the branch to ground
// after the wire-to-wire branches of its wire.
#pragma once

#include "dialogs/editpolicy.h"
#include "dialogs/listcolumn.h"
#include "dialogs/trapchoice.h"
#include "model/shunts.h"
#include "platform/modal.h"

#include <cstdint>
#include <string>
#include <vector>

class CElement;

inline constexpr const char* kShuntDialogCaption = "Шунтирующее сопротивление";
inline constexpr const char* kGroundLabel = "Земля";
inline constexpr const char* kBadShuntText = "Заданы не все или некорректные параметры шунта!";
inline constexpr const char* kShuntsUndefinedText = "Не все шунты определены!";
inline constexpr const char* kEmptyShuntText = "Пустой шунт!";
// The branch count is stored in a byte: the 256th branch is refused.
inline constexpr const char* kTooManyShuntsText = "Число шунтов не может превышать 255!";
inline constexpr int kMaxShunts = 255;

class CShuntDlg {
public:
    // Set by the caller.
    CElement* m_pElement = nullptr;
    CEShunt* m_pEShunt = nullptr;
    std::uint16_t m_nElementIndex = 0;
    bool editing = true;
    ElementChain* chain = nullptr;
    int split = -1;  // the element's split conductor (moved by transpositions)
    bool dc = false;

    // Control values (units shown: ohm, mH, pF).
    std::string rText, lText, cText, cequivText;
    int m_bUseCequiv = 0;
    int m_nKind = -1;
    std::string m_strName;
    int m_bShort = 0;
    int m_nWire1 = 0;
    int m_nWire2 = -1;  // index of the second list: a wire, m_nWires for "Земля", -1 none

    // Working state.
    std::uint16_t m_nWires = 0;
    std::uint16_t m_nCurShunt = 0;
    CShunt m_Current;
    std::vector<std::string> wireLabels;  // the first list; the second adds "Земля"
    TrapChoice traps;
    bool deleteEnabled = false;

    void OnInitDialog();
    // The list's columns for a list view of width pixels.
    std::vector<ListColumn> BuildShuntColumns(int width) const;
    std::vector<std::string> Row(int i) const;
    int Rows() const { return int(m_pEShunt->branches.size()); }
    void ShowShunt();
    bool RlcEnabled() const { return m_nKind == 0 && !m_bShort; }

    void OnUseCequiv(bool on);
    void OnKind(int kind);
    void OnSelchangeWires();
    // "Ввести": false when refused (a message was shown).
    bool OnEnterShunt();
    void OnDeleteShunt();
    void OnClickShuntList(int row);
    void OnShortCircuit(bool on);
    void OnSelchangeTrap(int entry);
    void OnNewTrap();
    void OnTrapParams();
    // IDOK, IDCANCEL (outside editing mode), or 0 when the dialog stays.
    int OnOK();

    EditPolicy Policy() const { return EditPolicy(editing); }
    int DoModal() { return RunModal(*this); }

private:
    std::string WireLabel(int wire) const;
    int FindBranch(int first, int second) const;
    void EditShuntTrap(CZagrad record);
    void SpreadOverList(const CZagrad& trap);
};

// "Параметры" on a shunt element (data object made when missing).
int RunShuntDialog(CElement& element, int elementIndex, bool editing, ElementChain* chain);

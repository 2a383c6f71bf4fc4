// COtvetDlg ("Ответвление", "Обход", "Удвоение числа проводов"): which
// circuits and ground wires take part in a tap, a doubling of the number of
// wires or a bypass, and for a bypass also its kind.  It writes the
// element's part counts and the per-wire flags, selection mode and wire count
// of its data object (COtvet, or CEObhod for a bypass).  There is no Cancel:
// the placing caller shows it again until it ends with OK.
#pragma once

#include "dialogs/circuitbuttons.h"
#include "platform/modal.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CElement;
class CEObhod;
class COtvet;
using ElementChain = std::vector<std::unique_ptr<CElement>>;

class COtvetDlg {
public:
    // Set by the caller.
    int m_bKeepCounts = 0;        // 1: a correction; the numbers of chosen circuits and ground wires stay
    int m_bEndsDoubling = 0;      // bypass: it closes a doubling of the number of wires
    CElement* m_pElement = nullptr;
    const ElementChain* m_pChain = nullptr;  // the task's chain (for the doubling the bypass closes)
    int m_nElementIndex = -1;     // the element's position in the chain; -1: after its end
    bool editing = true;
    bool dc = false;

    // Control values.
    std::string m_strName;
    int m_nSelective = 0;    // 0 "Во всех цепях", 1 "Выборочно"
    int m_nBypassKind = 0;   // 0 intermediate substation, 1 in the field, 2 cable insert

    // Working state and control states.
    CircuitButtons m_buttons;
    std::uint8_t m_nType = 0;
    int m_bOrderError = 0;
    std::string caption;
    bool choiceShown = true;       // radios 1435/1436, group 1446 and the boxes
    bool allEnabled = true;        // 1435
    bool selectedEnabled = true;   // 1436
    bool kindShown = false;        // group 1443 and its radios
    bool fieldEnabled = true;      // 1445

    void OnInitDialog();
    void OnAllCircuits();
    void OnSelectedCircuits();
    void OnKindSubstation();
    void OnKindField();
    void OnKindCableInsert();
    // Box k has just been checked or unchecked.
    void ToggleLine(int k);
    // True when the dialog ends with IDOK; false keeps it open (a stop message was shown).
    bool OnOK();

    int DoModal() { return RunModal(*this); }

private:
    std::uint8_t* Flags() const;
    bool IsBypass() const;
    void FindOrderError();
    void EnableBoxes();
};

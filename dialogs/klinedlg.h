// CKLineDlg ("Кабельная линия"): a cable line section — cables in solid
// insulation in the ground or three cables in a conducting pipe, the cable
// type, soil or pipe data, length and cable positions, as a table or a
// drawing (dialogs/cablelayout.h holds the shared layout rules).
//
// The opener gives it a copy of the element, its chain position and the two
// neighbour flags (FindCableNeighbours), and copies the element back after OK.
#pragma once

#include "dialogs/cablelayout.h"
#include "platform/modal.h"

#include <cstdint>
#include <string>

class CElement;

// The flags the opener computes from the chain's other line elements.
struct CableNeighbours {
    int sameLineNearby = 0;      // an overhead line or a cable line without screens
    int screenedCableNearby = 0;  // an entered cable line with screens
};
// sectionKind: of the structure state at the element (0 outside any coupled
// circuit and doubling: the whole chain's lines of the same wire count are
// examined; otherwise the neighbours up to a change of wires or an attached
// end on either side).
CableNeighbours FindCableNeighbours(const ElementChain& chain, int index, int sectionKind);

inline constexpr const char* kIncompleteDataText = "Некорректные или неполные данные!";

class CKLineDlg {
public:
    // Set by the opener.
    CElement* m_pElement = nullptr;
    CKLine* m_pKLine = nullptr;  // created in the element when null
    int m_bSameLineNearby = 0;
    int m_bScreenedCableNearby = 0;
    int m_nElementIndex = 0;
    bool editing = true;
    ElementChain* chain = nullptr;  // for spreading a changed cable type

    // Shown values.
    std::string m_strName;
    CableLayout cables;
    bool pipeRadioEnabled = true;
    bool solidRadioEnabled = true;
    int m_bDrawing = 0;
    std::string m_strOtherBasePath;
    CBase m_OtherBase;

    void OnInitDialog();
    // A radio: 0 solid insulation, 1 pipe.
    void OnLayout(int layout);
    // The toggle of table and drawing; false when the drawing was refused (message shown).
    bool OnToggleView();
    std::string ToggleText() const { return m_bDrawing ? "Таблица" : "Просмотр"; }
    // A name the task file cannot store is refused with nothing stored; then
    // "Название" and the values are stored, then checked; false keeps the dialog open.
    bool OnOK();

    // The label of cable i in solid insulation: "%d (%s)" with the name of
    // the element's conductor at its core.
    std::string SolidLabel(int i) const;
    CableDrawing Drawing(const PixelRect& list) const { return cables.Drawing(list, kCableLineDrawing); }

    int DoModal() { return RunModal(*this); }

private:
    void UpdateKindControls();
};

// The parameters command's entry: runs the dialog on element, the command's
// copy of the chain's element at index, with the neighbour flags of the
// chain; the command writes the copy back after OK.  Answers IDOK or IDCANCEL.
int RunCableLineDialog(CElement& element, ElementChain& chain, int index, int sectionKind, bool editing);

// CObhKL ("Кабельная линия"): the page of the bypass sheet that edits the HV
// cable insert a cable-insert bypass passes.  The circuits are those of the
// bypassed phase wires; the cable rules are the cable line dialog's
// (dialogs/cablelayout.h).  The insert's completeness is judged by the
// sheet's check (CheckCableInsert).
#pragma once

#include "dialogs/cablelayout.h"
#include "dialogs/propertysheet.h"

#include <string>
#include <vector>

class CElement;
class CEObhod;

class CObhKL : public PropertyPageModel {
public:
    // Set by the sheet's owner.
    CElement* m_pElement = nullptr;
    int m_nElementIndex = 0;
    bool editing = true;
    ElementChain* chain = nullptr;

    CEObhod* m_pEObhod = nullptr;
    CKLine* m_pKLine = nullptr;
    int m_nCircuits = 0;
    std::vector<int> m_Codes;      // conductor codes of the bypassed phase wires, in map order
    std::vector<int> m_WireIndex;  // their positions in the element
    CableLayout cables;
    int m_bDrawing = 0;
    bool solidRadioEnabled = true, pipeRadioEnabled = true;
    std::string m_strOtherBasePath;
    CBase m_OtherBase;
    // Whether the window's edits last read as numbers; an unreadable value
    // keeps the page open, as a refused entry keeps any dialog.
    bool controlsRead = true;

    std::string Caption() const override { return "Кабельная линия"; }
    void OnInitPage() override;
    void OnSetActive() override;
    bool OnKillActive() override;

    void OnLayout(int layout);
    // The up-down: -1 (down) the next cable, +1 (up) the previous one, no wrapping.
    void OnStep(int delta);
    bool OnToggleView();
    std::string ToggleText() const { return m_bDrawing ? "Таблица" : "Просмотр"; }
    std::string SolidLabel(int i) const;
    CableDrawing Drawing(const PixelRect& list) const { return cables.Drawing(list, kCableInsertDrawing); }

private:
    void LayoutStep();
};

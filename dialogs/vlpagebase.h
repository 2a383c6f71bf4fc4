// What the three pages of the overhead line sheet share: the element copy the
// sheet works on, its line data, the element's position in the chain (the
// element skipped when a catalog item is spread through the chain), the task
// (its DC flag and its chain) and what the editing mode allows.
#pragma once

#include "dialogs/editpolicy.h"
#include "dialogs/propertysheet.h"

#include <cstdint>

class CElement;
class CKestrinDoc;
class CVLine;
class CVLProv;

class CVLPageBase : public PropertyPageModel {
public:
    CElement* m_pElement = nullptr;
    CVLine* m_pVLine = nullptr;
    std::uint16_t m_nElementIndex = 0;
    CKestrinDoc* m_pDoc = nullptr;
    EditPolicy m_policy;
    // Set by the page's window when one of its fields held no number (the
    // refusal was shown): the page is not left until the field is corrected.
    bool m_bControlsInvalid = false;

protected:
    bool IsDC() const;
    // Phase (pole) wires of the element: circuits x (1 on DC, else 3).
    int PhaseWires() const;
    // Wire i of the line, or null past its wire array.
    CVLProv* Wire(int i) const;
};

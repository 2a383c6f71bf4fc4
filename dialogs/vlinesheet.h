// The overhead line sheet "Воздушная линия электропередачи" (pages
// "Основные параметры", "Провода", "Неоднородности"), run on a copy of an
// overhead line element.  The parameters command opens it through
// RunVLineSheet and, on OK in editing mode, writes the copy back.
#pragma once

#include "dialogs/propertysheet.h"
#include "dialogs/vlpage1.h"
#include "dialogs/vlpage2.h"
#include "dialogs/vlpage3.h"
#include "platform/modal.h"

class CElement;
class CKestrinDoc;
class CVLine;

inline constexpr const char* kVLineSheetCaption = "Воздушная линия электропередачи";

class CVLineSheet : public PropertySheetModel {
public:
    // The pages work on element's line data (see PrepareVLineData).
    CVLineSheet(CElement& element, CKestrinDoc& doc, int elementIndex, bool editing);
    CVLineSheet(const CVLineSheet&) = delete;
    CVLineSheet& operator=(const CVLineSheet&) = delete;

    CVLPage1 m_page1;
    CVLPage2 m_page2;
    CVLPage3 m_page3;

    int DoModal() { return RunModal(*this); }
};

// Makes element ready for the sheet: a line data object when it has none; the
// line's wire count := the element's wire positions (the split conductor
// counted twice), its wire-array count := the element's conductors, its phase
// wires := circuits x (1 on DC, else 3); the wire array resized to that count
// keeping its first wires (the counts change when the chain before the
// element changes).
CVLine& PrepareVLineData(CElement& element, bool dc);

// The parameters of an overhead line element: prepares the copy, runs the
// sheet and answers IDOK or IDCANCEL.  The caller writes the copy back.
int RunVLineSheet(CElement& element, CKestrinDoc& doc, int elementIndex, bool editing);

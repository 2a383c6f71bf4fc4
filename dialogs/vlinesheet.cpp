#include "dialogs/vlinesheet.h"

#include "model/document.h"
#include "model/element.h"
#include "model/lines.h"

#include <memory>

CVLine& PrepareVLineData(CElement& element, bool dc)
{
    if (!element.Data<CVLine>())
        element.data = std::make_unique<CVLine>();
    CVLine& line = *element.Data<CVLine>();
    line.wires = element.wirePositions;
    line.wireCount = element.conductors;
    line.phaseWires = static_cast<std::uint8_t>(element.circuits * (dc ? 1 : 3));
    if (!line.wireArray)
        line.wireArray.emplace();
    line.wireArray->resize(line.wireCount);
    return line;
}

CVLineSheet::CVLineSheet(CElement& element, CKestrinDoc& doc, int elementIndex, bool editing)
{
    CVLine* line = element.Data<CVLine>();
    for (CVLPageBase* page : {static_cast<CVLPageBase*>(&m_page1), static_cast<CVLPageBase*>(&m_page2),
                              static_cast<CVLPageBase*>(&m_page3)}) {
        page->m_pElement = &element;
        page->m_pVLine = line;
        page->m_nElementIndex = static_cast<std::uint16_t>(elementIndex);
        page->m_pDoc = &doc;
        page->m_policy = EditPolicy(editing);
        AddPage(page);
    }
}

int RunVLineSheet(CElement& element, CKestrinDoc& doc, int elementIndex, bool editing)
{
    PrepareVLineData(element, doc.dc != 0);
    CVLineSheet sheet(element, doc, elementIndex, editing);
    return sheet.DoModal();
}

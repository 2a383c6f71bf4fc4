// The report builders the results view calls: they find the chosen result in
// the open task and append its report in the asked layout.
#include "results/reporttext.h"

#include "model/document.h"
#include "model/element.h"

TaskHeader MakeTaskHeader(const CKestrinDoc& doc, const std::string& pathName)
{
    return TaskHeader{pathName, doc.basePath, doc.title};
}

void ReportText::Build(ReportLayout layout, const ReportSource& source)
{
    if (source.doc == nullptr || source.viewMode >= 8)
        return;
    const CKestrinDoc& doc = *source.doc;
    const TaskHeader header = MakeTaskHeader(doc, source.pathName);
    if (source.viewMode == 0) {
        const int k = FirstChosen(source.chosenModal, doc.modalResults.size());
        if (k < 0 || !doc.modalResults[std::size_t(k)])
            return;
        const CRezMod& result = *doc.modalResults[std::size_t(k)];
        // A position past the chain's end (a damaged file) reads as a cable
        // line without a name.
        const CElement* element =
            result.position < doc.elements.size() ? doc.elements[result.position].get() : nullptr;
        AppendModalReport(layout, header, element != nullptr && element->type == kOverheadLine,
                          element != nullptr ? element->name : std::string(), result);
        return;
    }
    const int k = FirstChosen(source.chosenTract, doc.responseResults.size());
    if (k < 0 || !doc.responseResults[std::size_t(k)])
        return;
    const CRezGra& result = *doc.responseResults[std::size_t(k)];
    AppendTractReport(layout, header, ResultConnectionNames(result, doc), result, source.viewMode);
}

void ReportText::BuildReport(const ReportSource& source)
{
    FreeLines();
    Build(ReportLayout::Screen, source);
}

void ReportText::BuildWordReport(const ReportSource& source)
{
    Build(ReportLayout::Word, source);
}

void ReportText::BuildExcelReport(const ReportSource& source)
{
    Build(ReportLayout::Excel, source);
}

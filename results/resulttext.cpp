#include "results/resulttext.h"

#include "model/conductors.h"
#include "model/document.h"
#include "model/element.h"
#include "model/results.h"
#include "platform/format.h"

ConnectionNames ResultConnectionNames(const CRezGra& r, const int* leftMap, int leftSplit,
                                      const int* rightMap, int rightSplit)
{
    ConnectionNames n;
    n.l1 = FormatConductorName(leftMap, leftSplit, r.txWire1);
    n.l2 = FormatConductorName(leftMap, leftSplit, r.txWire2);
    n.r1 = FormatConductorName(rightMap, rightSplit, r.rxWire1);
    n.r2 = FormatConductorName(rightMap, rightSplit, r.rxWire2);
    return n;
}

ConnectionNames ResultConnectionNames(const CRezGra& r, const CKestrinDoc& doc)
{
    const CElement* first = doc.elements.empty() ? nullptr : doc.elements.front().get();
    const CElement* last = doc.elements.empty() ? nullptr : doc.elements.back().get();
    return ResultConnectionNames(r, first ? first->inMap : nullptr, first ? first->splitConductor : -1,
                                 last ? last->inMap : nullptr, last ? last->splitConductor : -1);
}

std::string ConnectionText(int mode, const ConnectionNames& n)
{
    if (mode == 0)
        return StrFormat("%s-0/%s-0", n.l1.c_str(), n.r1.c_str());
    if (mode == 2)
        return StrFormat("%s-%s-0/%s-%s-0", n.l1.c_str(), n.l2.c_str(), n.r1.c_str(), n.r2.c_str());
    return StrFormat("%s-%s/%s-%s", n.l1.c_str(), n.l2.c_str(), n.r1.c_str(), n.r2.c_str());
}

std::string GraphConnectionLabel(int mode, const ConnectionNames& names)
{
    std::string s = ConnectionText(mode, names);
    if (mode == 3)
        s += "+R";
    return s;
}

std::string ResultConnectionLabel(int mode, const ConnectionNames& names, double resistance)
{
    std::string s = ConnectionText(mode, names);
    if (mode == 3)
        s += StrFormat("+R=%g Ом", resistance);
    return s;
}

std::string WordConnectionText(int mode, int l1, int l2, int r1, int r2)
{
    std::string s;
    if (mode == 0)
        s = StrFormat("%d-0/%d-0", l1 + 1, r1 + 1);
    else if (mode == 2)
        s = StrFormat("%d-%d-0/%d-%d-0", l1 + 1, l2 + 1, r1 + 1, r2 + 1);
    else
        s = StrFormat("%d-%d/%d-%d", l1 + 1, l2 + 1, r1 + 1, r2 + 1);
    if (mode == 3)
        s += "+R";
    return s;
}

std::string BufferCurveLabel(const std::string& groupTitle, const std::string& connectionLabel)
{
    return StrFormat("%s,%s", groupTitle.c_str(), connectionLabel.c_str());
}

ResultNameParts SplitResultName(const std::string& name)
{
    ResultNameParts parts;
    std::size_t blank = name.find(' ');
    parts.date = name.substr(0, blank);
    for (char& c : parts.date)
        if (c == '.')
            c = '\\';
    if (blank != std::string::npos) {
        std::size_t t = name.find_first_not_of(' ', blank);
        if (t != std::string::npos)
            parts.time = name.substr(t);
    }
    return parts;
}

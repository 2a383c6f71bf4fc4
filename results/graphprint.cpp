#include "results/graphprint.h"

#include "results/graphlayout.h"

#include <algorithm>

GraphPrintPages PlanGraphPages(int clientWidth, int clientHeight, int pageWidth, int pageHeight)
{
    GraphPrintPages p;
    p.printScale = PrintScale(pageWidth, clientWidth);
    p.printedHeight = static_cast<int>(std::max(0, clientHeight) * p.printScale);
    if (pageHeight > 0)
        p.rows = std::max(1, (p.printedHeight + pageHeight - 1) / pageHeight);
    return p;
}

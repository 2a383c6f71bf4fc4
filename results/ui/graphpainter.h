// The one painter of the result graphs, used by the results view and by the
// comparison-buffer view: grid, labels, captions, title, task title, curves
// with their markers, legend, and on the screen the range-choice lines and the
// frequency cursor.  It draws what LayoutGraph places; it adds no arithmetic.
#pragma once

#include "results/graphlayout.h"

#include <QFont>
#include <QPen>
#include <QPoint>

#include <array>
#include <string>

class QPainter;

// The curve pens of the 20 line styles (solid, their colour and width) and
// the four fixed pens of the graphs.
struct GraphPens {
    std::array<QPen, 20> curves;
    QPen black{Qt::black, 0, Qt::SolidLine};
    QPen dotted{Qt::black, 0, Qt::DotLine};
    QPen blueDotted{Qt::blue, 0, Qt::DotLine};
    QPen red{Qt::red, 0, Qt::SolidLine};

    // The curve pens from the line-style tables, their widths times
    // widthScale (truncated): 1 on the screen, the print scale on paper.
    static GraphPens FromLineStyles(double widthScale = 1.0);
};

// The graphs' own fixed-pitch font (Cyrillic-capable): 13 points on the
// screen, 13/60 of an inch when printing, at the device's logical DPI.
QFont GraphFont(int logicalDpiY, bool printing);

struct GraphPaintOptions {
    bool showLegend = true;
    std::string taskTitle;     // the "Задача: ..." line; empty for none
    double printScale = 1.0;
    bool screen = true;        // the choice lines and the cursor are drawn on the screen only
    QPoint bandStart, bandEnd; // the mouse range choice while it is dragged
};

// Computes the axes, lays the graph out on a client of the given size with
// the painter's font, and paints it.  Returns the layout it drew.
GraphLayout PaintGraph(QPainter& p, GraphModel& model, int clientWidth, int clientHeight, const GraphPens& pens,
                       const GraphPaintOptions& options);

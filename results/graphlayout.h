// Where the parts of a graph go in a window (or on a printed page) of a given
// size: the grid values and their labels, the plot's edges, the legend rows and
// the scales between values and pixels.  Pure functions of the model, the
// client size, the label height and a text-width function the caller injects
// (the widgets measure with their font, tests with a fixed width per character).
#pragma once

#include "results/graphmodel.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

using TextWidthFunction = std::function<int(const std::string&)>;

// Pixel coordinates of far values (1e30 in a narrow window, a cursor stepped
// far beyond the data) are held inside this bound, so they always fit an int.
inline constexpr int kPixelLimit = 1000000;

struct AxisLabel {
    double value = 0.0;
    std::string text;      // "%g" of the value
    bool textShown = true; // frequency labels: only where the next grid value still fits
    bool solid = false;    // value axis: the zero line; frequency axis: the first line
};

struct LegendItem {
    int x = 0;         // left end of the label; the line sample ends here
    int rowOffset = 0; // below the legend's first row
};

struct GraphLayout {
    bool hasAxes = false; // false without curves: only the title is drawn
    double printScale = 1.0;
    int right = 0;  // client rectangle from (0, 0), scaled when printing
    int bottom = 0;
    int labelHeight = 0;

    std::vector<AxisLabel> yLabels;
    std::vector<AxisLabel> xLabels;

    int plotLeft = 0; // column of the value axis
    int plotTop = 0;  // row of the top of the plot
    int bottomMargin = 0;
    int xAxisY = 0; // row of the frequency axis

    int legendRows = 0;
    int legendTop = 0;   // row of the legend's first line of text
    int legendMargin = 0; // a: 10 (x printScale)
    int legendGap = 0;    // g: 50 (x printScale), the length of a line sample
    std::array<LegendItem, kMaxCurves> legendPos{};

    double yPerUnit = 0.0; // pixels per value unit
    double xPerUnit = 0.0; // pixels per kHz
    double yBase = 0.0;
    double shownFMin = 0.0;
    int markerSpacing = 0; // smallest distance between thinned markers, pixels

    int ValueToY(double value) const;
    int FreqToX(double kHz) const;
    double YToValue(int row) const;
    double XToFreq(int column) const;
};

// Lays the graph out.  The model's axes must have been computed
// (GraphModel::ComputeAxes).  printScale is 1 on the screen; when printing,
// PrintScale(), with the label height and widths of the printer font.
GraphLayout LayoutGraph(const GraphModel& model, int clientWidth, int clientHeight, int labelHeight,
                        const TextWidthFunction& textWidth, bool showLegend,
                        double printScale = 1.0);

// Scale of a printed graph: 0.95 of the page width for the screen's client width.
double PrintScale(int deviceWidth, int screenClientWidth);

// Mouse release in a graph: applies the armed choice when the pointer moved
// along its axis, with the press and release points converted by the layout the
// user saw; every release ends the choice.
void ReleaseGraphChoice(GraphModel& model, const GraphLayout& layout, int startX, int startY,
                        int endX, int endY);

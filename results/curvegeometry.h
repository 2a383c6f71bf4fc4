// The visible part of a curve: its polyline cut to the plot box, and where its
// point markers go.
#pragma once

#include "results/graphlayout.h"

#include <functional>
#include <vector>

struct CurvePoint {
    double x = 0.0; // kHz
    double y = 0.0; // value
};

// The plot box in values: shownFMin..shownFMax by yBase..shownYMax.
struct PlotBox {
    double xMin = 0.0, xMax = 0.0, yMin = 0.0, yMax = 0.0;
    bool Contains(const CurvePoint& p) const
    {
        return xMin <= p.x && p.x <= xMax && yMin <= p.y && p.y <= yMax;
    }
};

struct CurveGeometry {
    // Connected pieces inside the box, each drawn as one polyline (a piece of
    // one point has only its marker).
    std::vector<std::vector<CurvePoint>> pieces;
    std::vector<CurvePoint> markers;
};

// Cuts the polyline through the points to the box.  A segment between two
// inside points is drawn whole; a segment entering or leaving the box is cut
// where it crosses the box edge nearest its inside end; a segment with both
// ends outside is not drawn, nor one to or from a point that is not finite.
// Markers go at the first inside point of each piece and at every entry point,
// and at the end of a drawn segment when that lies at least markerSpacing
// pixels (by toPixelX) right of the last marker.
CurveGeometry ClipCurve(const std::vector<CurvePoint>& points, const PlotBox& box,
                        const std::function<int(double)>& toPixelX, int markerSpacing);

// The points of curve k of the model (delay values at their interval midpoints).
std::vector<CurvePoint> CurvePoints(const GraphModel& model, int k);
PlotBox ShownPlotBox(const GraphModel& model);

// Curve k of the model as the layout shows it.
CurveGeometry BuildCurveGeometry(const GraphModel& model, int k, const GraphLayout& layout);

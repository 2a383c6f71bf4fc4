#include "results/curvegeometry.h"

#include <algorithm>
#include <cmath>

namespace {

bool Finite(const CurvePoint& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

double Lerp(double a, double b, double t)
{
    double v = a + t * (b - a);
    if (!std::isfinite(v)) // b - a overflowed: values near the ends of the doubles
        v = a * (1.0 - t) + b * t;
    return std::isfinite(v) ? v : a;
}

// Where the segment from an inside point towards an outside one leaves the
// box: at the first edge it crosses.
CurvePoint BoxExit(const CurvePoint& in, const CurvePoint& out, const PlotBox& b)
{
    double t = 1.0;
    if (out.x < b.xMin)
        t = std::min(t, (b.xMin - in.x) / (out.x - in.x));
    if (out.x > b.xMax)
        t = std::min(t, (b.xMax - in.x) / (out.x - in.x));
    if (out.y < b.yMin)
        t = std::min(t, (b.yMin - in.y) / (out.y - in.y));
    if (out.y > b.yMax)
        t = std::min(t, (b.yMax - in.y) / (out.y - in.y));
    if (!(t >= 0.0)) // an overflowed difference gives 0 or NaN: the exit is at the inside point
        t = 0.0;
    // Rounding may leave the cut a hair outside; it belongs on the edge.
    return CurvePoint{std::clamp(Lerp(in.x, out.x, t), b.xMin, b.xMax),
                      std::clamp(Lerp(in.y, out.y, t), b.yMin, b.yMax)};
}

class CurveClipper {
public:
    CurveClipper(const std::function<int(double)>& toPixelX, int spacing)
        : m_toPixelX(toPixelX), m_spacing(spacing)
    {
    }

    bool open() const { return m_open; }
    void Break() { m_open = false; }

    void StartPiece(const CurvePoint& p)
    {
        geometry.pieces.push_back({p});
        m_open = true;
        Mark(p);
    }

    // A drawn segment ends at p; its marker only where the last one is far enough.
    void DrawTo(const CurvePoint& p)
    {
        geometry.pieces.back().push_back(p);
        if (!m_marked || m_toPixelX(p.x) - m_lastMarkerX >= m_spacing)
            Mark(p);
    }

    CurveGeometry geometry;

private:
    void Mark(const CurvePoint& p)
    {
        geometry.markers.push_back(p);
        m_lastMarkerX = m_toPixelX(p.x);
        m_marked = true;
    }

    const std::function<int(double)>& m_toPixelX;
    int m_spacing;
    bool m_open = false;
    bool m_marked = false;
    int m_lastMarkerX = 0;
};

} // namespace

CurveGeometry ClipCurve(const std::vector<CurvePoint>& points, const PlotBox& box,
                        const std::function<int(double)>& toPixelX, int markerSpacing)
{
    CurveClipper c(toPixelX, markerSpacing);
    for (std::size_t j = 0; j < points.size(); ++j) {
        const CurvePoint& p = points[j];
        if (!Finite(p)) {
            c.Break();
            continue;
        }
        bool inP = box.Contains(p);
        if (inP && !c.open())
            c.StartPiece(p); // the curve's first inside point, or the first after a break
        if (j + 1 == points.size())
            break;
        const CurvePoint& q = points[j + 1];
        if (!Finite(q)) {
            c.Break();
            continue;
        }
        bool inQ = box.Contains(q);
        if (inP && inQ) {
            c.DrawTo(q);
        } else if (inP) {
            c.DrawTo(BoxExit(p, q, box));
            c.Break();
        } else if (inQ) {
            c.StartPiece(BoxExit(q, p, box));
            c.DrawTo(q);
        }
    }
    return std::move(c.geometry);
}

std::vector<CurvePoint> CurvePoints(const GraphModel& model, int k)
{
    std::vector<CurvePoint> pts;
    std::size_t n = model.ValueCount(k);
    pts.reserve(n);
    for (std::size_t j = 0; j < n; ++j)
        pts.push_back(CurvePoint{model.Abscissa(k, j), model.curves[static_cast<std::size_t>(k)].y[j]});
    return pts;
}

PlotBox ShownPlotBox(const GraphModel& model)
{
    return PlotBox{model.shownFMin, model.shownFMax, model.yBase, model.shownYMax};
}

CurveGeometry BuildCurveGeometry(const GraphModel& model, int k, const GraphLayout& layout)
{
    std::function<int(double)> toPixelX = [&layout](double f) { return layout.FreqToX(f); };
    return ClipCurve(CurvePoints(model, k), ShownPlotBox(model), toPixelX, layout.markerSpacing);
}

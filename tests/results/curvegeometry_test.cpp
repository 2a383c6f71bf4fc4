#include "results/curvegeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

const PlotBox kBox{100, 200, 0, 10};
const std::function<int(double)> kPixels = [](double x) { return static_cast<int>(x * 4); };

bool Inside(const CurvePoint& p, const PlotBox& b, double tol)
{
    return p.x >= b.xMin - tol && p.x <= b.xMax + tol && p.y >= b.yMin - tol && p.y <= b.yMax + tol;
}

double Length(const CurvePoint& a, const CurvePoint& b, const PlotBox& box)
{
    // Measured in box units so that both axes count alike.
    double dx = (b.x - a.x) / (box.xMax - box.xMin), dy = (b.y - a.y) / (box.yMax - box.yMin);
    return std::hypot(dx, dy);
}

// What should be drawn of the segment a-b, found by walking it in small steps:
// nothing when both ends are outside, else the part from the inside end to
// where the walk first leaves the box.
double BruteForceDrawnLength(const CurvePoint& a, const CurvePoint& b, const PlotBox& box)
{
    bool inA = box.Contains(a), inB = box.Contains(b);
    if (!inA && !inB)
        return 0.0;
    if (inA && inB)
        return Length(a, b, box);
    const CurvePoint& in = inA ? a : b;
    const CurvePoint& out = inA ? b : a;
    const int n = 20000;
    CurvePoint last = in;
    for (int i = 1; i <= n; ++i) {
        double t = static_cast<double>(i) / n;
        CurvePoint p{in.x + t * (out.x - in.x), in.y + t * (out.y - in.y)};
        if (!box.Contains(p))
            break;
        last = p;
    }
    return Length(in, last, box);
}

TEST(CurveGeometry, DrawnPiecesMatchABruteForceSampler)
{
    std::mt19937 gen(11);
    std::uniform_real_distribution<double> ux(60, 240), uy(-5, 15);
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<CurvePoint> pts;
        int n = 2 + trial % 12;
        for (int i = 0; i < n; ++i)
            pts.push_back(CurvePoint{ux(gen), uy(gen)});
        CurveGeometry g = ClipCurve(pts, kBox, kPixels, 40);

        double drawn = 0.0;
        for (const auto& piece : g.pieces) {
            ASSERT_FALSE(piece.empty());
            for (std::size_t i = 0; i < piece.size(); ++i) {
                EXPECT_TRUE(Inside(piece[i], kBox, 0.0)) << trial;
                if (i > 0) {
                    // Samples along a drawn segment stay inside too.
                    for (double t : {0.25, 0.5, 0.75}) {
                        CurvePoint s{piece[i - 1].x + t * (piece[i].x - piece[i - 1].x),
                                     piece[i - 1].y + t * (piece[i].y - piece[i - 1].y)};
                        EXPECT_TRUE(Inside(s, kBox, 1e-9));
                    }
                    drawn += Length(piece[i - 1], piece[i], kBox);
                }
            }
        }
        double expected = 0.0;
        for (std::size_t i = 0; i + 1 < pts.size(); ++i)
            expected += BruteForceDrawnLength(pts[i], pts[i + 1], kBox);
        EXPECT_NEAR(drawn, expected, 1e-3 * n) << trial;
        for (const CurvePoint& mk : g.markers)
            EXPECT_TRUE(Inside(mk, kBox, 0.0));
    }
}

TEST(CurveGeometry, CutAtTheEdgeCrossedFirst)
{
    // Leaving through the top long before the right edge's line.
    CurveGeometry g = ClipCurve({{150, 5}, {300, 30}}, kBox, kPixels, 40);
    ASSERT_EQ(g.pieces.size(), 1u);
    ASSERT_EQ(g.pieces[0].size(), 2u);
    EXPECT_DOUBLE_EQ(g.pieces[0][1].y, 10);
    EXPECT_DOUBLE_EQ(g.pieces[0][1].x, 180);
    // Entering from the left: the piece starts on the left edge with a marker.
    g = ClipCurve({{50, 5}, {150, 5}}, kBox, kPixels, 1000);
    ASSERT_EQ(g.pieces.size(), 1u);
    EXPECT_DOUBLE_EQ(g.pieces[0][0].x, 100);
    ASSERT_EQ(g.markers.size(), 1u);
    EXPECT_DOUBLE_EQ(g.markers[0].x, 100);
    // Both ends outside: nothing, even across the box.
    g = ClipCurve({{50, 5}, {250, 5}}, kBox, kPixels, 40);
    EXPECT_TRUE(g.pieces.empty());
    EXPECT_TRUE(g.markers.empty());
    // A sentinel value far above: the cut lies on the top edge.
    g = ClipCurve({{150, 5}, {160, 1e30}}, kBox, kPixels, 40);
    ASSERT_EQ(g.pieces[0].size(), 2u);
    EXPECT_DOUBLE_EQ(g.pieces[0][1].y, 10);
    EXPECT_NEAR(g.pieces[0][1].x, 150, 1e-9);
}

TEST(CurveGeometry, MarkersAreThinned)
{
    std::vector<CurvePoint> pts;
    for (int i = 0; i <= 100; ++i)
        pts.push_back(CurvePoint{100.0 + i, 5});
    // 4 pixels per kHz, markers at least 40 pixels apart: every 10th point.
    CurveGeometry g = ClipCurve(pts, kBox, kPixels, 40);
    ASSERT_EQ(g.pieces.size(), 1u);
    EXPECT_EQ(g.pieces[0].size(), 101u);
    ASSERT_EQ(g.markers.size(), 11u);
    for (std::size_t i = 0; i < g.markers.size(); ++i)
        EXPECT_DOUBLE_EQ(g.markers[i].x, 100.0 + 10 * i);
}

TEST(CurveGeometry, NonFiniteValueBreaksTheCurve)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    CurveGeometry g = ClipCurve({{110, 1}, {120, 2}, {130, nan}, {140, 3}, {150, 4}}, kBox, kPixels, 1000);
    ASSERT_EQ(g.pieces.size(), 2u);
    EXPECT_EQ(g.pieces[0].size(), 2u);
    EXPECT_EQ(g.pieces[1].size(), 2u);
    EXPECT_DOUBLE_EQ(g.pieces[1][0].x, 140);
    ASSERT_EQ(g.markers.size(), 2u); // each piece starts with its marker
    EXPECT_DOUBLE_EQ(g.markers[1].x, 140);

    // A lone value between breaks is a marker only.
    g = ClipCurve({{110, nan}, {120, 2}, {130, nan}}, kBox, kPixels, 1000);
    ASSERT_EQ(g.pieces.size(), 1u);
    EXPECT_EQ(g.pieces[0].size(), 1u);
    EXPECT_EQ(g.markers.size(), 1u);
}

TEST(CurveGeometry, ModelCurveUsesDelayMidpoints)
{
    GraphModel m;
    m.curves[0].count = 3;
    m.curves[0].x = {100, 120, 140};
    m.curves[0].y = {1, 2};
    m.curves[0].fMin = 100;
    m.curves[0].fMax = 140;
    m.curves[0].step = 20;
    m.LoadCurves(kQuantityGroupDelay, 1);
    std::vector<CurvePoint> pts = CurvePoints(m, 0);
    ASSERT_EQ(pts.size(), 2u);
    EXPECT_DOUBLE_EQ(pts[0].x, 110);
    EXPECT_DOUBLE_EQ(pts[1].x, 130);
    m.ComputeAxes();
    GraphLayout layout = LayoutGraph(m, 600, 400, 16, [](const std::string& s) { return 8 * int(s.size()); }, true);
    CurveGeometry g = BuildCurveGeometry(m, 0, layout);
    ASSERT_EQ(g.pieces.size(), 1u);
    EXPECT_EQ(g.pieces[0].size(), 2u);
}

} // namespace

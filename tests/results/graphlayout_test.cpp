#include "results/graphlayout.h"
#include "resultstest.h"

#include <cmath>
#include <limits>

namespace {

GraphModel OneCurve(std::vector<double> values, double startHz = 100e3, double endHz = 500e3)
{
    CRezGra r = AttenuationResult(startHz, endHz, std::move(values));
    GraphModel m;
    m.BuildCurves(kQuantityAttenuation, {CurveSource{"1A-0/B-0", &r}});
    m.ComputeAxes();
    return m;
}

TEST(GraphLayout, GridLabelsAndPlotEdges)
{
    GraphModel m = OneCurve({0, 37, 10, 20, 30});
    GraphLayout g = LayoutGraph(m, 800, 600, 16, FixedWidth, true);
    ASSERT_TRUE(g.hasAxes);
    std::vector<std::string> texts;
    for (const AxisLabel& l : g.yLabels)
        texts.push_back(l.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"0", "5", "10", "15", "20", "25", "30", "35"}));
    EXPECT_TRUE(g.yLabels[0].solid); // the zero line
    EXPECT_FALSE(g.yLabels[1].solid);
    EXPECT_EQ(g.plotLeft, 2 * 8 + 4); // widest label "35" + 4
    EXPECT_EQ(g.plotTop, 16);
    EXPECT_EQ(g.legendRows, 1);
    EXPECT_EQ(g.bottomMargin, 4 + 2 * 16);
    EXPECT_EQ(g.xAxisY, 600 - 36);
    EXPECT_EQ(g.legendTop, g.xAxisY + 17);
    EXPECT_DOUBLE_EQ(g.yPerUnit, (g.xAxisY - 16) / 37.0);
    EXPECT_EQ(g.markerSpacing, 80);
    // 100 to 500 kHz: step 80 from 80; 80 lies below the shown minimum.
    ASSERT_EQ(g.xLabels.size(), 5u);
    EXPECT_EQ(g.xLabels.front().value, 160);
    EXPECT_TRUE(g.xLabels.front().solid);
    EXPECT_FALSE(g.xLabels[1].solid);
    EXPECT_TRUE(g.xLabels[3].textShown);
    EXPECT_EQ(g.xLabels.back().value, 480);
    EXPECT_FALSE(g.xLabels.back().textShown); // 480 + 80 passes 500
    EXPECT_DOUBLE_EQ(g.xPerUnit, (800 - 20 - 5) / (500.0 - 80.0));
    // The value axis and the frequency axis meet at the plot's corner.
    EXPECT_EQ(g.ValueToY(0), g.xAxisY);
    EXPECT_EQ(g.FreqToX(100), g.plotLeft);
    EXPECT_NEAR(g.XToFreq(g.FreqToX(321)), 321, 1 / g.xPerUnit);
    EXPECT_NEAR(g.YToValue(g.ValueToY(12)), 12, 1 / g.yPerUnit);
}

TEST(GraphLayout, NegativeRangeBase)
{
    GraphModel m = OneCurve({-12.3, 4, 0});
    GraphLayout g = LayoutGraph(m, 800, 600, 16, FixedWidth, false);
    EXPECT_EQ(m.yStep, 3);
    EXPECT_EQ(m.yBase, -15);
    EXPECT_EQ(g.yLabels.front().text, "-15");
    EXPECT_EQ(g.yLabels.back().text, "3");
    EXPECT_EQ(g.legendRows, 0);
    EXPECT_EQ(g.bottomMargin, 4 + 16);
}

TEST(GraphLayout, LegendRows)
{
    std::vector<CRezGra> rs(4, AttenuationResult(100e3, 200e3, {1, 2}));
    GraphModel m;
    std::vector<CurveSource> src;
    const char* labels[] = {"aaaaaaaaaa", "bbbbbbbbbb", "cccccccccc", "dddddddddd"}; // 80 px each
    for (int i = 0; i < 4; ++i)
        src.push_back(CurveSource{labels[i], &rs[static_cast<std::size_t>(i)]});
    m.BuildCurves(kQuantityAttenuation, src);
    m.ComputeAxes();
    // Width 400: item 0 at 60 ending 140; item 1 needs 140 + 50 + 80 = 270 -> at 200, ends 280;
    // item 2 needs 410 > 400 -> new row at 60; item 3 on that row at 200.
    GraphLayout g = LayoutGraph(m, 400, 300, 16, FixedWidth, true);
    EXPECT_EQ(g.legendRows, 2);
    EXPECT_EQ(g.legendPos[0].x, 60);
    EXPECT_EQ(g.legendPos[1].x, 200);
    EXPECT_EQ(g.legendPos[1].rowOffset, 0);
    EXPECT_EQ(g.legendPos[2].x, 60);
    EXPECT_EQ(g.legendPos[2].rowOffset, 16);
    EXPECT_EQ(g.legendPos[3].x, 200);
    EXPECT_EQ(g.bottomMargin, 4 + 3 * 16);

    // Printed at twice the size: margins and spacing scale, the label texts
    // are measured in the printer font by the caller.
    GraphLayout p = LayoutGraph(m, 400, 300, 32, FixedWidth, true, 2.0);
    EXPECT_EQ(p.right, 800);
    EXPECT_EQ(p.bottom, 600);
    EXPECT_EQ(p.legendPos[0].x, 20 + 100);
    EXPECT_EQ(p.markerSpacing, 80);
    EXPECT_DOUBLE_EQ(PrintScale(4000, 400), 9.5);
}

TEST(GraphLayout, NoCurveLaysOutTheTitleOnly)
{
    GraphModel m;
    m.BuildCurves(kQuantityAttenuation, {});
    EXPECT_FALSE(m.ComputeAxes());
    GraphLayout g = LayoutGraph(m, 800, 600, 16, FixedWidth, true);
    EXPECT_FALSE(g.hasAxes);
    EXPECT_TRUE(g.yLabels.empty());
    EXPECT_TRUE(g.xLabels.empty());
}

TEST(GraphLayout, FarValuesSaturate)
{
    GraphModel m = OneCurve({0, 1, 2}, 100e3, 102e3);
    GraphLayout g = LayoutGraph(m, 800, 600, 16, FixedWidth, true);
    EXPECT_EQ(g.ValueToY(1e30), -kPixelLimit);
    EXPECT_EQ(g.ValueToY(-1e30), kPixelLimit);
    EXPECT_EQ(g.FreqToX(1e12), kPixelLimit);
    EXPECT_EQ(g.FreqToX(std::numeric_limits<double>::quiet_NaN()), -kPixelLimit);
}

TEST(GraphLayout, MouseReleaseAppliesTheArmedChoiceOnce)
{
    GraphModel m = OneCurve({1, 2, 3, 4, 5}, 100e3, 500e3);
    GraphLayout g = LayoutGraph(m, 800, 600, 16, FixedWidth, true);
    m.ToggleXChoose();
    m.PressChoice();
    EXPECT_TRUE(m.bandActive);
    int x1 = g.FreqToX(150), x2 = g.FreqToX(350);
    ReleaseGraphChoice(m, g, x1, 100, x2, 300);
    EXPECT_FALSE(m.xChoose || m.yChoose || m.bandActive);
    EXPECT_EQ(m.shownFMin, std::trunc(g.XToFreq(x1)));
    EXPECT_EQ(m.shownFMax, std::trunc(g.XToFreq(x2)) + 1);
    // Without a new command the next drag chooses nothing.
    double lo = m.shownFMin;
    m.PressChoice();
    ReleaseGraphChoice(m, g, 10, 10, 500, 10);
    EXPECT_EQ(m.shownFMin, lo);

    // A Y choice that did not move vertically changes nothing.
    m.ToggleYChoose();
    m.PressChoice();
    ReleaseGraphChoice(m, g, 10, 200, 500, 200);
    EXPECT_EQ(m.shownFMin, lo);
    EXPECT_FALSE(m.yChoose);
}

} // namespace

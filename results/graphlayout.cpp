#include "results/graphlayout.h"

#include "platform/format.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxGridValues = 11;

int ToPixel(double p)
{
    if (std::isnan(p))
        return -kPixelLimit;
    p = std::clamp(p, -static_cast<double>(kPixelLimit), static_cast<double>(kPixelLimit));
    return static_cast<int>(p);
}

// The scale dialog's single-precision steps leave residues like 1.5e-8 where
// the grid passes zero; such a value is the zero of the axis.
double SnapToZero(double v, double step)
{
    return std::fabs(v) < std::fabs(step) * 1e-6 ? 0.0 : v;
}

std::vector<AxisLabel> ValueLabels(const GraphModel& m)
{
    std::vector<AxisLabel> labels;
    for (int i = 0; i < kMaxGridValues; ++i) {
        double v = SnapToZero(m.yBase + i * m.yStep, m.yStep);
        if (v > m.shownYMax + 0.01 * m.yStep)
            break;
        AxisLabel l;
        l.value = v;
        l.text = StrFormat("%g", v);
        l.solid = std::fabs(v) < 1e-6;
        labels.push_back(l);
    }
    return labels;
}

std::vector<AxisLabel> FrequencyLabels(const GraphModel& m)
{
    std::vector<AxisLabel> labels;
    for (int i = 0; i < kMaxGridValues; ++i) {
        double v = SnapToZero(m.xBase + i * m.xStep, m.xStep);
        if (v > m.shownFMax)
            break;
        if (v < m.shownFMin)
            continue;
        AxisLabel l;
        l.value = v;
        l.text = StrFormat("%g", v);
        l.textShown = v + m.xStep <= m.shownFMax;
        l.solid = labels.empty();
        labels.push_back(l);
    }
    return labels;
}

void LayoutLegend(GraphLayout& g, const GraphModel& m, const TextWidthFunction& textWidth)
{
    g.legendRows = 1;
    int a = g.legendMargin, gap = g.legendGap;
    int c = 0, row = 0;
    for (int k = 0; k < m.curveCount; ++k) {
        int w = textWidth(m.curves[static_cast<std::size_t>(k)].label);
        int x;
        if (k == 0) {
            x = a + gap;
        } else if (c + gap + w <= g.right) {
            x = c + gap + a;
        } else {
            ++g.legendRows;
            row += g.labelHeight;
            x = a + gap;
        }
        g.legendPos[static_cast<std::size_t>(k)] = LegendItem{x, row};
        c = x + w;
    }
}

} // namespace

int GraphLayout::ValueToY(double value) const
{
    return ToPixel(xAxisY - (value - yBase) * yPerUnit + 0.5);
}

int GraphLayout::FreqToX(double kHz) const
{
    return ToPixel((kHz - shownFMin) * xPerUnit + plotLeft + 0.5);
}

double GraphLayout::YToValue(int row) const
{
    return (xAxisY - row) / yPerUnit + yBase;
}

double GraphLayout::XToFreq(int column) const
{
    return (column - plotLeft) / xPerUnit + shownFMin;
}

GraphLayout LayoutGraph(const GraphModel& m, int clientWidth, int clientHeight, int labelHeight,
                        const TextWidthFunction& textWidth, bool showLegend, double printScale)
{
    GraphLayout g;
    g.printScale = printScale;
    g.right = static_cast<int>(clientWidth * printScale);
    g.bottom = static_cast<int>(clientHeight * printScale);
    g.labelHeight = labelHeight;
    g.markerSpacing = static_cast<int>(clientWidth / 10 * printScale);
    g.legendMargin = static_cast<int>(10 * printScale);
    g.legendGap = static_cast<int>(50 * printScale);
    g.yBase = m.yBase;
    g.shownFMin = m.shownFMin;
    g.hasAxes = m.HasCurves();

    if (g.hasAxes) {
        g.yLabels = ValueLabels(m);
        int widest = 0;
        for (const AxisLabel& l : g.yLabels)
            widest = std::max(widest, textWidth(l.text));
        g.plotLeft = widest + 4;
    }

    if (showLegend)
        LayoutLegend(g, m, textWidth);

    g.plotTop = labelHeight;
    g.bottomMargin = 4 + (g.legendRows + 1) * labelHeight;
    g.xAxisY = g.bottom - g.bottomMargin;
    g.legendTop = g.xAxisY + labelHeight + 1;
    if (!g.hasAxes)
        return g;

    g.yPerUnit = (g.xAxisY - labelHeight) / (m.shownYMax - m.yBase);
    g.xLabels = FrequencyLabels(m);
    g.xPerUnit = (g.right - g.plotLeft - 5) / (m.shownFMax - m.xBase);
    return g;
}

double PrintScale(int deviceWidth, int screenClientWidth)
{
    if (screenClientWidth <= 0)
        return 1.0;
    return static_cast<double>(deviceWidth) / screenClientWidth * 0.95;
}

void ReleaseGraphChoice(GraphModel& m, const GraphLayout& layout, int startX, int startY, int endX,
                        int endY)
{
    if (m.bandActive && layout.hasAxes) {
        if (m.xChoose && endX != startX)
            m.ChooseXRange(layout.XToFreq(startX), layout.XToFreq(endX));
        else if (m.yChoose && endY != startY)
            m.ChooseYRange(layout.YToValue(startY), layout.YToValue(endY));
    }
    m.EndChoice();
}

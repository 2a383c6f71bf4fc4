#include "results/graphmodel.h"

#include "results/axisstep.h"

#include <algorithm>
#include <cmath>
#include <utility>

void GraphModel::ResetZoomState()
{
    xFull = yFull = true;
    cursorShown = bandActive = xChoose = yChoose = false;
    zeroYMin = zeroYMax = 0.0;
    dataYMin = 1e20;
    dataYMax = -1e20;
}

void GraphModel::LoadCurves(int q, int count)
{
    quantity = q;
    ResetZoomState();
    curveCount = static_cast<unsigned char>(std::clamp(count, 0, kMaxCurves));
    for (int k = curveCount; k < kMaxCurves; ++k)
        curves[static_cast<std::size_t>(k)].Clear();

    dataFMin = dataFMax = 0.0;
    for (int k = 0; k < curveCount; ++k) {
        const CRez& c = curves[static_cast<std::size_t>(k)];
        if (k == 0) {
            dataFMin = c.fMin;
            dataFMax = c.fMax;
        } else {
            dataFMin = std::min(dataFMin, c.fMin);
            dataFMax = std::max(dataFMax, c.fMax);
        }
    }
    ValueRanges r = CollectValueRanges(false);
    dataYMin = r.lo;
    dataYMax = r.hi;
    zeroYMin = r.zeroLo;
    zeroYMax = r.zeroHi;
    straddlesZero = dataYMin * dataYMax < 0.0;
    notFromZero = !straddlesZero;
    shownYMin = dataYMin;
    shownYMax = dataYMax;
    manualScale = false;
    shownFMin = dataFMin;
    shownFMax = dataFMax;
}

double GraphModel::Abscissa(int k, std::size_t j) const
{
    const CRez& c = curves[static_cast<std::size_t>(k)];
    if (IsDelay())
        return (c.x[j] + c.x[j + 1]) * 0.5;
    return c.x[j];
}

std::size_t GraphModel::ValueCount(int k) const
{
    const CRez& c = curves[static_cast<std::size_t>(k)];
    std::size_t points = c.x.size();
    if (IsDelay())
        points = points > 0 ? points - 1 : 0;
    return std::min(c.y.size(), points);
}

GraphModel::ValueRanges GraphModel::CollectValueRanges(bool shownWindowOnly) const
{
    ValueRanges r;
    for (int k = 0; k < curveCount; ++k) {
        const CRez& c = curves[static_cast<std::size_t>(k)];
        std::size_t n = ValueCount(k);
        for (std::size_t j = 0; j < n; ++j) {
            if (shownWindowOnly) {
                double a = Abscissa(k, j);
                if (a < shownFMin)
                    continue;
                if (a > shownFMax)
                    break;
            }
            // A value that is not finite (a task file can carry one) stays
            // out of the ranges; the drawing breaks the curve there.
            double v = c.y[j];
            if (!std::isfinite(v))
                continue;
            r.lo = std::min(r.lo, v);
            r.hi = std::max(r.hi, v);
            r.zeroLo = std::min(r.zeroLo, v);
            r.zeroHi = std::max(r.zeroHi, v);
            r.found = true;
        }
    }
    return r;
}

bool GraphModel::CalcYRange()
{
    ValueRanges r = CollectValueRanges(true);
    // A window between the points of every curve keeps the ranges it had: an
    // empty range would give the axes nothing to divide.
    if (!r.found)
        return false;
    dataYMin = r.lo;
    dataYMax = r.hi;
    zeroYMin = r.zeroLo;
    zeroYMax = r.zeroHi;
    straddlesZero = dataYMin * dataYMax < 0.0;
    return true;
}

bool GraphModel::ComputeAxes()
{
    if (!HasCurves())
        return false;
    if (manualScale) {
        yBase = shownYMin;
        xBase = shownFMin;
        return true;
    }
    if (shownYMax - shownYMin < 1e-6)
        shownYMax = shownYMin + 1.0;
    yStep = NiceAxisStep(shownYMin, shownYMax);
    yBase = ValueAxisBase(shownYMin, yStep);
    xStep = NiceAxisStep(shownFMin, shownFMax);
    xBase = FrequencyAxisBase(shownFMin, xStep);
    return true;
}

void GraphModel::ToggleXChoose()
{
    xChoose = !xChoose;
    yChoose = false;
    bandActive = false;
}

void GraphModel::ToggleYChoose()
{
    yChoose = !yChoose;
    xChoose = false;
    bandActive = false;
}

void GraphModel::PressChoice()
{
    if (xChoose || yChoose)
        bandActive = true;
}

void GraphModel::EndChoice()
{
    xChoose = yChoose = bandActive = false;
}

void GraphModel::ClampShownYToData()
{
    double lo = notFromZero ? dataYMin : zeroYMin;
    double hi = notFromZero ? dataYMax : zeroYMax;
    shownYMin = std::max(shownYMin, lo);
    shownYMax = std::min(shownYMax, hi);
    // A shown range wholly outside the new data range would clamp to an
    // inverted one that shows nothing: take the whole data range instead.
    if (shownYMin > shownYMax) {
        shownYMin = lo;
        shownYMax = hi;
    }
    yFull = shownYMin == lo && shownYMax == hi;
}

void GraphModel::ChooseXRange(double f1, double f2)
{
    if (!std::isfinite(f1) || !std::isfinite(f2))
        return;
    if (f1 == f2) {
        if (dataFMax > f2)
            f2 += 0.5;
        else
            f1 -= 0.5;
    }
    if (f1 > f2)
        std::swap(f1, f2);
    // The chosen window is widened to whole kilohertz.
    shownFMin = std::trunc(f1);
    shownFMax = std::trunc(f2) + 1.0;
    CalcYRange();
    ClampShownYToData();
    xFull = false;
    manualScale = false;
}

void GraphModel::ChooseYRange(double v1, double v2)
{
    if (!std::isfinite(v1) || !std::isfinite(v2))
        return;
    if (v1 == v2)
        v2 += 1.0;
    if (v1 > v2)
        std::swap(v1, v2);
    shownYMin = v1;
    shownYMax = v2;
    yFull = false;
    manualScale = false;
}

void GraphModel::YFullRange()
{
    shownYMin = notFromZero ? dataYMin : zeroYMin;
    shownYMax = notFromZero ? dataYMax : zeroYMax;
    EndChoice();
    yFull = true;
    manualScale = false;
}

void GraphModel::XFullRange()
{
    EndChoice();
    shownFMin = dataFMin;
    shownFMax = dataFMax;
    CalcYRange();
    xFull = true;
    YFullRange();
}

void GraphModel::ToggleNotFromZero()
{
    notFromZero = !notFromZero;
    YFullRange();
}

void GraphModel::ShiftLeft()
{
    double w = shownFMax - shownFMin;
    shownFMin = std::max(shownFMin - 0.75 * w, dataFMin);
    shownFMax = shownFMin + w;
    CalcYRange();
    YFullRange();
}

void GraphModel::ShiftRight()
{
    double w = shownFMax - shownFMin;
    shownFMax = std::min(shownFMax + 0.75 * w, dataFMax);
    shownFMin = shownFMax - w;
    CalcYRange();
    YFullRange();
}

void GraphModel::ApplyScale(float yLower, float yUpper, float yStepValue, float xLower, float xUpper,
                            float xStepValue)
{
    if (shownYMin < yLower || shownYMax > yUpper)
        yFull = false;
    if (shownFMin < xLower || shownFMax > xUpper)
        xFull = false;
    shownYMin = yLower;
    shownYMax = yUpper;
    shownFMin = xLower;
    shownFMax = xUpper;
    yStep = yStepValue;
    xStep = xStepValue;
    manualScale = true;
}

float GraphModel::StartFrequencyView()
{
    EndChoice();
    float f = static_cast<float>(shownFMin);
    if (IsDelay()) {
        // The first delay value lies half a step above a curve's first point.
        double firstMid = 100000.0;
        for (int k = 0; k < curveCount; ++k) {
            const CRez& c = curves[static_cast<std::size_t>(k)];
            if (c.x.size() >= 2)
                firstMid = std::min(firstMid, (c.x[0] + c.x[1]) * 0.5);
        }
        if (f < firstMid)
            f = static_cast<float>(firstMid);
    }
    cursorFreq = f;
    cursorShown = true;
    return f;
}

void GraphModel::MoveCursor(float freq)
{
    cursorFreq = freq;
    cursorShown = true;
}

void GraphModel::EndFrequencyView()
{
    cursorShown = false;
}

bool GraphModel::CursorVisible() const
{
    return cursorShown && dataFMin <= cursorFreq && cursorFreq <= dataFMax;
}

std::optional<GraphCommandState> GraphModel::CommandState(int command) const
{
    namespace cmd = GraphCommand;
    const bool has = HasCurves();
    static const int kQuantityCommands[kQuantityCount] = {cmd::Attenuation,  cmd::GroupDelay,
                                                          cmd::InputLeft,    cmd::InputRight,
                                                          cmd::MismatchLeft, cmd::MismatchRight};
    for (int q = 0; q < kQuantityCount; ++q)
        if (command == kQuantityCommands[q])
            return GraphCommandState{kind->quantityNeedsCurves ? has : true, quantity == q};
    if (command == kind->shiftLeftCommand)
        return GraphCommandState{has && shownFMin > dataFMin, false};
    if (command == kind->shiftRightCommand)
        return GraphCommandState{has && shownFMax < dataFMax, false};
    switch (command) {
    case cmd::XChoose:
        return GraphCommandState{has && shownFMax - shownFMin > 1.01, xChoose};
    case cmd::XFullRange:
        return GraphCommandState{has && !xFull, false};
    case cmd::YChoose:
        return GraphCommandState{has, yChoose};
    case cmd::YFullRange:
        return GraphCommandState{has && !yFull, false};
    case cmd::NotFromZero:
        return GraphCommandState{has && !straddlesZero, notFromZero};
    case cmd::Scale:
    case cmd::ByFrequency:
        return GraphCommandState{has, false};
    }
    return std::nullopt;
}

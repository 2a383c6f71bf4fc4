// Building the curves of a graph from stored results.
#include "results/graphmodel.h"

#include "math/complex.h"
#include "model/results.h"
#include "results/quantities.h"

#include <cmath>

bool FillCurve(CRez& curve, int quantity, const std::string& label, const CRezGra& result)
{
    curve.Clear();
    const std::size_t n = result.PointCount();
    // One point has no step (0/0), and a result whose end frequency is not
    // above its start gives none either: such results have no curve.
    if (n < 2 || n > 0xFFFF || quantity < 0 || quantity >= kQuantityCount)
        return false;
    const double fMin = result.startFreq * 0.001;
    const double fMax = result.endFreq * 0.001;
    const double step = (fMax - fMin) / static_cast<double>(n - 1);
    if (!std::isfinite(fMin) || !(step > 0.0) || !std::isfinite(step))
        return false;

    curve.label = label;
    curve.count = static_cast<std::uint16_t>(n);
    curve.fMin = fMin;
    curve.fMax = fMax;
    curve.step = step;
    curve.x.resize(n);
    for (std::size_t j = 0; j < n; ++j)
        curve.x[j] = result.points[j].freq * 0.001;

    if (quantity == kQuantityGroupDelay) {
        // One value per interval between neighbouring points.
        const double dOmega = ResultAngularStep(result);
        curve.y.resize(n - 1);
        for (std::size_t j = 0; j + 1 < n; ++j) {
            double d = 0.0;
            GroupDelayMs(result.points[j].transfer.im, result.points[j + 1].transfer.im, dOmega, d);
            curve.y[j] = d;
        }
        return true;
    }
    curve.y.resize(n);
    for (std::size_t j = 0; j < n; ++j) {
        const CRezGraPoint& p = result.points[j];
        switch (quantity) {
        case kQuantityAttenuation:
            curve.y[j] = p.transfer.re;
            break;
        case kQuantityInputLeft:
            curve.y[j] = Abs(p.zLeft);
            break;
        case kQuantityInputRight:
            curve.y[j] = Abs(p.zRight);
            break;
        case kQuantityMismatchLeft:
            curve.y[j] = ResultMismatchLeft(result, j);
            break;
        case kQuantityMismatchRight:
            curve.y[j] = ResultMismatchRight(result, j);
            break;
        }
    }
    return true;
}

void GraphModel::BuildCurves(int q, const std::vector<CurveSource>& sources)
{
    int k = 0;
    for (const CurveSource& s : sources) {
        if (k == kMaxCurves)
            break;
        if (s.result && FillCurve(curves[static_cast<std::size_t>(k)], q, s.label, *s.result))
            ++k;
    }
    LoadCurves(q, k);
}

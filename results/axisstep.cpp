#include "results/axisstep.h"

#include <cmath>

namespace {

// The span the step is taken from must be positive and finite, or the search
// for the power of ten below never ends (log10 of zero or infinity); a span
// near the smallest doubles would make that power underflow to zero.
void WidenSpan(double& lo, double& hi)
{
    double span = hi - lo;
    if (std::isfinite(span) && span > 1e-300)
        return;
    if (!std::isfinite(lo))
        lo = 0.0;
    hi = lo + 1.0;
    if (!(hi - lo > 0.0))
        hi = lo + std::fabs(lo) * 1e-6;
}

} // namespace

double NiceAxisStep(double& lo, double& hi)
{
    WidenSpan(lo, hi);
    double s = (hi - lo) * 0.2;
    double lg = std::log10(s);
    // The power of ten is built by repeated multiplication, as it always was,
    // so that steps like 0.5 keep their exact decimal neighbours.
    int e = static_cast<int>(std::trunc(lg));
    double m = 1.0;
    for (int i = 0; i < std::abs(e); ++i)
        m *= e < 0 ? 0.1 : 10.0;
    if (lg < 0.0)
        m *= 0.1;
    double q = s / m;
    static const double kFactors[] = {8.0, 7.5, 5.0, 4.0, 3.0, 2.5, 2.0};
    for (double f : kFactors)
        if (q >= f)
            return m * f;
    return m;
}

double ValueAxisBase(double lo, double step)
{
    double ratio = lo / step;
    double n = std::trunc(ratio);
    if (lo < 0.0 && ratio * 0.99 < n)
        n -= 1.0;
    return n * step;
}

double FrequencyAxisBase(double lo, double step)
{
    return std::trunc(lo / step) * step;
}

#include "results/axisstep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

TEST(AxisStep, Goldens)
{
    double lo = 0, hi = 37;
    EXPECT_DOUBLE_EQ(NiceAxisStep(lo, hi), 5.0); // s = 7.4
    EXPECT_EQ(ValueAxisBase(0, 5), 0.0);

    lo = -12.3, hi = 4;
    double step = NiceAxisStep(lo, hi); // s = 3.26
    EXPECT_DOUBLE_EQ(step, 3.0);
    // -12.3 / 3 = -4.1 truncates to -4; 0.99 * -4.1 lies below -4, so one more step down.
    EXPECT_DOUBLE_EQ(ValueAxisBase(-12.3, step), -15.0);
    // Within 1% of a grid value the base stays on it.
    EXPECT_DOUBLE_EQ(ValueAxisBase(-12.03, 3), -12.0);
    EXPECT_DOUBLE_EQ(FrequencyAxisBase(123.0, 50.0), 100.0);

    lo = 0, hi = 2.5; // s = 0.5: log10 below zero takes the power down once more
    EXPECT_DOUBLE_EQ(NiceAxisStep(lo, hi), 0.5);
    lo = 0, hi = 0.5; // s = 0.1 exactly: q = 10 gives 8 of the lower power
    EXPECT_NEAR(NiceAxisStep(lo, hi), 0.08, 1e-15);
}

// Every span from 1e-9 to 1e12 gets a step of 1, 2, 2.5, 3, 4, 5, 7.5 or 8 times
// a power of ten, dividing it into 5 to 10 intervals.
TEST(AxisStep, StepIsRoundAndGivesFiveToTenIntervals)
{
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> mant(0.0, 1.0);
    for (int i = 0; i < 20000; ++i) {
        double span = std::pow(10.0, -9.0 + 21.0 * mant(gen));
        double lo = (mant(gen) - 0.5) * span * 4;
        double hi = lo + span;
        double step = NiceAxisStep(lo, hi);
        ASSERT_GT(step, 0.0);
        double ratio = (hi - lo) / step;
        EXPECT_GE(ratio, 5.0 * (1 - 1e-9)) << span;
        EXPECT_LT(ratio, 10.0 * (1 + 1e-9)) << span;
        double p = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
        double f = step / p;
        bool round = false;
        for (double c : {1.0, 2.0, 2.5, 3.0, 4.0, 5.0, 7.5, 8.0})
            round = round || std::fabs(f - c) < 1e-6;
        EXPECT_TRUE(round) << span << " step " << step;
    }
}

TEST(AxisStep, DegenerateSpansAreWidenedAndNeverHang)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double lo, hi;
    } cases[] = {{1e20, -1e20}, {5, 5}, {3, 2}, {0, inf}, {-inf, inf}, {nan, nan}, {2, nan},
                 {1e30, 1e30}, {-1e308, 1e308}, {0, 1e-320}, {-1e300, -1e300}};
    for (const Case& c : cases) {
        double lo = c.lo, hi = c.hi;
        double step = NiceAxisStep(lo, hi);
        EXPECT_TRUE(std::isfinite(step) && step > 0) << c.lo << " " << c.hi;
        EXPECT_TRUE(std::isfinite(lo) && std::isfinite(hi));
        EXPECT_GT(hi, lo);
        EXPECT_LE((hi - lo) / step, 10.0 * (1 + 1e-9));
    }
    // Widened to 1.0 from the lower end; 0 to 1 when that is not finite.
    double lo = 5, hi = 5;
    NiceAxisStep(lo, hi);
    EXPECT_EQ(lo, 5.0);
    EXPECT_EQ(hi, 6.0);
    lo = nan, hi = 3;
    NiceAxisStep(lo, hi);
    EXPECT_EQ(lo, 0.0);
    EXPECT_EQ(hi, 1.0);
    // Where 1.0 vanishes in the rounding the span is a millionth of the magnitude.
    lo = 1e30, hi = 1e30;
    NiceAxisStep(lo, hi);
    EXPECT_NEAR(hi - lo, 1e24, 1e16);
}

} // namespace

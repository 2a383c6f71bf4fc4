#include "calc/linetrap.h"
#include "calctest.h"

#include <random>

using namespace calctest;

namespace {

class LineTrapTest : public ::testing::Test {
protected:
    void SetUp() override { ResetCalcGlobals(); }
    void TearDown() override { ResetCalcGlobals(); }
};

TEST_F(LineTrapTest, ReactorWithTuningCapacitorBlocksAtResonance)
{
    CZagrad t;
    t.L1 = 1e-3;
    t.C1 = 2.5e-9;
    double f0 = 1.0 / (6.2831853072 * std::sqrt(t.L1 * t.C1));
    for (std::uint8_t scheme : {0, 1, 2}) {
        t.scheme = scheme;
        SetFrequency(f0);
        EXPECT_LT(Abs(CalcTrapAdmittance(t)), 1e-9 * Abs(g_jOmega * t.C1)) << int(scheme);
        // Away from resonance the reactor lets the current through.
        SetFrequency(f0 / 10);
        EXPECT_GT(Abs(CalcTrapAdmittance(t)), 1e-3);
    }
}

TEST_F(LineTrapTest, SchemeGoldens)
{
    SetFrequency(100e3);
    const CComplex jw = g_jOmega;
    CZagrad t;
    t.C1 = 1e-9, t.L1 = 0.2e-3, t.L2 = 0.1e-3, t.C2 = 4e-9, t.C3 = 3e-9, t.L3 = 0.5e-3, t.R = 400, t.L4 = 0.05e-3;
    const CComplex series = jw * t.L2 + 1.0 / (jw * t.C2);
    const CComplex outer = jw * t.C1 + 1.0 / (jw * t.L1);
    auto expect = [&](const CComplex& yp) { return 1.0 / (1.0 / yp + series) + outer; };

    t.scheme = 0;
    EXPECT_CX_EQ_TOL(CalcTrapAdmittance(t), expect(jw * t.C3 + 1.0 / (jw * t.L3) + 1.0 / t.R), 1e-12);
    t.scheme = 1;
    EXPECT_CX_EQ_TOL(CalcTrapAdmittance(t), expect(1.0 / (t.R + 1.0 / (jw * t.C3)) + 1.0 / (jw * t.L3)), 1e-12);
    t.scheme = 2;
    EXPECT_CX_EQ_TOL(CalcTrapAdmittance(t), expect(1.0 / (t.R + jw * t.L4) + jw * t.C3 + 1.0 / (jw * t.L3)),
                     1e-12);

    // Scheme 0 without L3 and R: Yp = jwC3.
    CZagrad p = t;
    p.scheme = 0, p.L3 = 0, p.R = 0;
    EXPECT_CX_EQ_TOL(CalcTrapAdmittance(p), expect(jw * p.C3), 1e-12);

    // An unknown scheme has no parallel circuit: Zp = 0.
    p = t;
    p.scheme = 3;
    EXPECT_CX_EQ_TOL(CalcTrapAdmittance(p), 1.0 / series + outer, 1e-12);
}

TEST_F(LineTrapTest, SchemeOneWithoutC3LeavesTheCapacitorOut)
{
    SetFrequency(60e3);
    const CComplex jw = g_jOmega;
    CZagrad t;
    t.scheme = 1, t.L1 = 0.2e-3, t.L2 = 0.1e-3, t.L3 = 0.5e-3, t.R = 400;
    CComplex y = CalcTrapAdmittance(t);
    EXPECT_TRUE(std::isfinite(y.re) && std::isfinite(y.im));
    EXPECT_CX_EQ_TOL(y, 1.0 / (1.0 / (1.0 / t.R + 1.0 / (jw * t.L3)) + jw * t.L2) + 1.0 / (jw * t.L1), 1e-12);

    // Nothing of the parallel circuit left: the trap is its other branches.
    t.R = 0, t.L3 = 0;
    EXPECT_CX_EQ_TOL(CalcTrapAdmittance(t), 1.0 / (jw * t.L2) + 1.0 / (jw * t.L1), 1e-12);
}

TEST_F(LineTrapTest, PassiveTrapsNeverGiveEnergy)
{
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    for (int i = 0; i < 200; ++i) {
        CZagrad t;
        t.scheme = std::uint8_t(i % 3);
        t.C1 = u(gen) * 5e-9, t.C2 = u(gen) * 5e-9, t.C3 = u(gen) * 5e-9;
        t.L1 = u(gen) * 1e-3, t.L2 = u(gen) * 1e-3, t.L3 = u(gen) * 1e-3, t.L4 = u(gen) * 1e-3;
        t.R = u(gen) * 1000;
        SetFrequency(20e3 + u(gen) * 1e6);
        EXPECT_GE(CalcTrapAdmittance(t).re, -1e-12) << i;
    }
}

} // namespace

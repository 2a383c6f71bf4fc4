#include "calc/calcglobals.h"
#include "calc/earthreturn.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

class EarthReturnTest : public ::testing::Test {
protected:
    void SetUp() override { ResetCalcGlobals(); }
    void TearDown() override { ResetCalcGlobals(); }

    static void SetPairs(const std::vector<double>& H, const std::vector<double>& d, double Hmin)
    {
        g_EarthPairH = H;
        g_EarthPairD = d;
        g_dEarthHmin = Hmin;
    }
};

TEST_F(EarthReturnTest, SignTablesAreCosAndSinOfQuarterTurns)
{
    const int cosExpect[4] = {1, 0, -1, 0};
    const int sinExpect[4] = {0, 1, 0, -1};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(CarsonCosSign(k), cosExpect[k]) << k;
        EXPECT_EQ(CarsonSinSign(k), sinExpect[k]) << k;
    }
    for (int k = -9; k <= 9; ++k) {
        EXPECT_EQ(CarsonCosSign(k), std::lround(std::cos(k * kPi / 2))) << k;
        EXPECT_EQ(CarsonSinSign(k), std::lround(std::sin(k * kPi / 2))) << k;
    }
}

TEST_F(EarthReturnTest, CarsonAtTenTakesTheAsymptoticForm)
{
    for (double theta : {0.0, 0.3, 1.2}) {
        double r = 10;
        double re = std::sqrt(2.0) / r * std::cos(theta) - std::sqrt(2.0) * std::cos(3 * theta) / std::pow(r, 3) +
                    3 * std::sqrt(2.0) * std::cos(5 * theta) / std::pow(r, 5);
        double im = -std::sqrt(2.0) * std::cos(theta) / r + 2 * std::cos(2 * theta) / (r * r) -
                    std::sqrt(2.0) * std::cos(3 * theta) / std::pow(r, 3) -
                    3 * std::sqrt(2.0) * std::cos(5 * theta) / std::pow(r, 5);
        CComplex c = CalcCarson(r, theta);
        EXPECT_NEAR(c.re, re, 1e-7);
        EXPECT_NEAR(c.im, im, 1e-7);
    }
}

TEST_F(EarthReturnTest, CarsonSeriesStartsFromTheLogarithmicTerm)
{
    // For a tiny r every correction of the series is negligible.
    double r = 1e-7, theta = 0.4;
    CComplex c = CalcCarson(r, theta);
    EXPECT_NEAR(c.re, 0.5 - (std::log(r / 2) + 0.577215665), 1e-6);
    EXPECT_NEAR(c.im, -0.785398163, 1e-6);
}

TEST_F(EarthReturnTest, CarsonSeriesMeetsTheAsymptoticFormAndVanishesFarAway)
{
    for (double theta : {0.0, 0.5, 1.0, 1.4}) {
        CComplex below = CalcCarson(9.9999999, theta);
        CComplex at = CalcCarson(10.0, theta);
        EXPECT_LT(Abs(below - at), 5e-5) << theta;
    }
    double last = Abs(CalcCarson(10, 0.2));
    for (double r : {30.0, 100.0, 1000.0, 1e5}) {
        double now = Abs(CalcCarson(r, 0.2));
        EXPECT_LT(now, last);
        EXPECT_LT(now, 2.0 / r);
        last = now;
    }
}

TEST_F(EarthReturnTest, LowFormsOfTheKernelsAgreeWithThePlainForms)
{
    const double omega = 2 * kPi * 1e5;
    SetEarthConstants1(omega, 10, 100);
    for (double lambda : {1e-3, 0.01, 0.1, 1.0, 5.0}) {
        CComplex a = EarthKernel1(lambda), b = EarthKernel1Low(lambda);
        EXPECT_LT(Abs(a - b), 1e-9 * Abs(b)) << lambda;
    }
    SetEarthConstants2(omega, 10, 4, 100, 1000, 8);
    for (double lambda : {1e-3, 0.01, 0.1, 1.0, 5.0}) {
        CComplex a = EarthKernel2(lambda), b = EarthKernel2Low(lambda);
        EXPECT_LT(Abs(a - b), 1e-8 * Abs(b)) << lambda;
    }
}

TEST_F(EarthReturnTest, UnitKernelGivesTheImageTerm)
{
    // With F = 1 the integral is 2*int exp(-lH) cos(ld) dl = 2H / (H^2 + d^2).
    auto one = [](const double&) { return CComplex(1.0, 0.0); };
    EarthKernelSet unit{one, one, true};
    std::vector<double> H{20, 24.5, 31, 40}, d{0, 3.5, 12, 40};
    SetPairs(H, d, 10);
    std::vector<CComplex> terms(H.size());
    CalcEarthIntegralWith(terms.data(), unit);
    for (std::size_t k = 0; k < H.size(); ++k) {
        double expect = 2 * H[k] / (H[k] * H[k] + d[k] * d[k]);
        EXPECT_NEAR(terms[k].re, expect, 1e-6 * expect) << k;
        EXPECT_NEAR(terms[k].im, 0.0, 1e-12) << k;
    }
}

// The kernel lambda - c whose middle part (0.02..0.1 for Hmin = 10) vanishes
// for the pair H = 20, d = 0; its low part is 0.
double g_middleZero = 0;
CComplex LinearKernel(const double& lambda) { return CComplex(lambda - g_middleZero, 0.0); }
CComplex ZeroKernel(const double&) { return CComplex(); }

TEST_F(EarthReturnTest, APartThatVanishesForOnePairStillEnds)
{
    // Simpson's estimate of a vanishing part is pure error, so its own
    // relative change never settles; it is measured against the other pair.
    const double a = 0.02, b = 0.1, H = 20;
    auto e = [](double Hk, double l) { return std::exp(-Hk * l); };
    double m0 = (e(H, a) - e(H, b)) / H;
    double m1 = e(H, a) * (a / H + 1 / (H * H)) - e(H, b) * (b / H + 1 / (H * H));
    g_middleZero = m1 / m0;
    SetPairs({20, 30}, {0, 0}, 10);
    CComplex terms[2];
    CalcEarthIntegralWith(terms, EarthKernelSet{LinearKernel, ZeroKernel, true});
    for (int k = 0; k < 2; ++k) {
        double Hk = k == 0 ? 20 : 30;
        // 2 * integral from a to infinity of (lambda - c) * exp(-Hk * lambda).
        double expect = 2 * e(Hk, a) * (a / Hk + 1 / (Hk * Hk) - g_middleZero / Hk);
        EXPECT_NEAR(terms[k].re, expect, 2e-5 * std::fabs(expect)) << k;
    }
}

TEST_F(EarthReturnTest, TwoEqualLayersAreOneLayer)
{
    const double omega = 2 * kPi * 3e5;
    std::vector<double> H{22, 26, 30}, d{0, 4, 8};
    SetPairs(H, d, 11);
    std::vector<CComplex> one(3), two(3);
    SetEarthConstants1(omega, 12, 250);
    unsigned char flag = 0;
    CalcEarthIntegral(one.data(), &flag);
    SetEarthConstants2(omega, 12, 12, 250, 250, 6);
    flag = 1;
    CalcEarthIntegral(two.data(), &flag);
    for (int k = 0; k < 3; ++k)
        EXPECT_LT(Abs(one[k] - two[k]), 1e-9 * Abs(one[k])) << k;
}

TEST_F(EarthReturnTest, OneLayerOfUnitPermittivityMatchesCarsonAtLowFrequency)
{
    const double f = 1000, rho = 100;
    std::vector<double> H{18, 24, 30, 40}, d{0, 5, 10, 20};
    SetPairs(H, d, 9);
    SetEarthConstants1(2 * kPi * f, 1, rho);
    std::vector<CComplex> terms(H.size());
    unsigned char flag = 0;
    CalcEarthIntegral(terms.data(), &flag);
    for (std::size_t k = 0; k < H.size(); ++k) {
        double r = std::sqrt((d[k] * d[k] + H[k] * H[k]) / rho * f * 7.895683e-06);
        CComplex carson = CalcCarson(r, std::atan(d[k] / H[k]));
        EXPECT_LT(Abs(terms[k] - carson), 1e-4 * Abs(carson)) << k;
    }
}

TEST_F(EarthReturnTest, OnePairStillGetsItsTerm)
{
    SetPairs({24}, {0}, 12);
    SetEarthConstants1(2 * kPi * 1e5, 10, 100);
    CComplex term;
    unsigned char flag = 0;
    CalcEarthIntegral(&term, &flag);
    EXPECT_TRUE(std::isfinite(term.re) && std::isfinite(term.im));
    EXPECT_GT(term.re, 0.0);
    EXPECT_LT(term.im, 0.0);
}

} // namespace

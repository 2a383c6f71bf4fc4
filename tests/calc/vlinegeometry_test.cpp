#include "calc/calcglobals.h"
#include "calc/earthreturn.h"
#include "calc/vlinegeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kMu0 = 4e-7 * kPi;

class VLineGeometryTest : public ::testing::Test {
protected:
    void SetUp() override { ResetCalcGlobals(); }
    void TearDown() override { ResetCalcGlobals(); }
};

// The physical internal impedance per unit length (ohm/m) from the
// dimensionless form: times j*w*mu0/(2*pi).
CComplex PhysicalInternal(double a, double rho, double f)
{
    return ConductorInternalImpedance(a, 1.0, rho, f, 1) * CComplex(0.0, 2 * kPi * f * 2e-7);
}

TEST_F(VLineGeometryTest, InternalImpedanceTendsToResistanceAndSkinEffect)
{
    const double a = 0.0105, rho = 2.9e-8;
    const double rdc = rho / (kPi * a * a);
    CComplex low = PhysicalInternal(a, rho, 0.01);
    EXPECT_LT(Abs(low - CComplex(rdc, 0.0)), 1e-3 * rdc);

    const double f = 1e9;
    double skin = std::sqrt(kPi * f * kMu0 * rho) / (2 * kPi * a);
    CComplex high = PhysicalInternal(a, rho, f);
    EXPECT_LT(Abs(high - CComplex(skin, skin)), 1e-3 * skin);
}

TEST_F(VLineGeometryTest, BundleSharesTheSkinEffectPart)
{
    const double a = 0.012, rho = 3e-8, f = 2e5;
    CComplex one = ConductorInternalImpedance(a, 1.0, rho, f, 1);
    CComplex three = ConductorInternalImpedance(a, 1.0, rho, f, 3);
    CComplex dc(0.0, -90180 * rho / (a * a * f));
    EXPECT_LT(Abs((one - dc) / 3.0 - (three - dc)), 1e-15);
}

TEST_F(VLineGeometryTest, BundleRadius)
{
    EXPECT_DOUBLE_EQ(BundleRadius(0.01, 1, 0.4), 0.01);
    EXPECT_NEAR(BundleRadius(0.01, 2, 0.4), std::sqrt(0.01 * 0.4), 1e-12);
    double R = 0.4 / (2 * std::sin(kPi / 3));
    EXPECT_NEAR(BundleRadius(0.01, 3, 0.4), std::cbrt(3 * 0.01 * R * R), 1e-10);
}

TEST_F(VLineGeometryTest, PairTableSharesPairsWithinOneCentimetre)
{
    // Conductors 0 and 1 lie exactly 0.01 m apart at one height: the pair
    // (0, 1) shares the entry of the pair (0, 0), and must find it again.
    std::vector<double> x{0.0, 0.01, 5.0, -5.0}, h{20, 20, 20, 23};
    std::vector<int> index;
    BuildEarthPairTable(x.data(), h.data(), 4, index);
    EXPECT_EQ(g_dEarthHmin, 20);
    EXPECT_EQ(index[0 * 4 + 1], index[0 * 4 + 0]);
    EXPECT_EQ(index[1 * 4 + 0], index[0 * 4 + 0]);
    EXPECT_EQ(index[1 * 4 + 1], index[0 * 4 + 0]);
    // Every pair's entry holds its own height sum and distance within 0.01 m.
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            int k = index[i * 4 + j];
            EXPECT_NEAR(g_EarthPairH[k], h[i] + h[j], 0.01 + 1e-12);
            EXPECT_NEAR(g_EarthPairD[k], std::fabs(x[i] - x[j]), 0.01 + 1e-12);
        }
    EXPECT_EQ(g_EarthPairH.size(), 5u);
}

TEST_F(VLineGeometryTest, CarsonChosenOnTwoLayersIsCarson)
{
    std::vector<double> x{-4, 4}, h{18, 18};
    std::vector<int> index;
    BuildEarthPairTable(x.data(), h.data(), 2, index);
    EarthData earth;
    earth.rho1 = 100;
    earth.model = 1;
    std::vector<CComplex> carson = CalcEarthTerms(earth, 1e5, 2 * kPi * 1e5);
    earth.model = 3;
    std::vector<CComplex> both = CalcEarthTerms(earth, 1e5, 2 * kPi * 1e5);
    ASSERT_EQ(carson.size(), 2u);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(carson[k].re, both[k].re);
        EXPECT_EQ(carson[k].im, both[k].im);
    }
    double r = std::sqrt((0.0 + 36.0 * 36.0) / 100 * 1e5 * 7.895683e-06);
    EXPECT_EQ(carson[0].re, CalcCarson(r, 0.0).re);
}

TEST_F(VLineGeometryTest, IceModelDomain)
{
    EXPECT_TRUE(IceModelDefined(-5, 0.5, 0.9));
    EXPECT_TRUE(IceModelDefined(-5, 0.0, 0.0));
    EXPECT_FALSE(IceModelDefined(-235, 0.5, 0.9));
    EXPECT_FALSE(IceModelDefined(-5, 0.5, -0.2));
    EXPECT_FALSE(IceModelDefined(-5, 1.5, 0.9)); // relaxation exponent c = -0.5
    EXPECT_FALSE(IceModelDefined(-5, -1.0, 0.9)); // w < 0 under a fractional power

    for (double T : {-20.0, -5.0, 0.0}) {
        CComplex q = IceInverseEpsilon(T, 0.5, 0.9, 2 * kPi * 1e5, 1e5, 1.5707963268);
        ASSERT_TRUE(std::isfinite(q.re) && std::isfinite(q.im));
        CComplex eps = 1.0 / q; // eps' * (1 - j*z): a lossy dielectric
        EXPECT_GE(eps.re, 1.0);
        EXPECT_LE(eps.im, 0.0);
    }
}

} // namespace

#include "calc/terminations.h"

#include "calc/calcglobals.h"
#include "calctest.h"
#include "model/branches.h"
#include "model/element.h"
#include "model/results.h"

#include <array>
#include <cmath>
#include <random>

namespace {

bool Same(const std::vector<CComplex>& a, const std::vector<CComplex>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].re != b[i].re || a[i].im != b[i].im)
            return false;
    return true;
}

std::vector<CComplex> Numbered(int n)
{
    std::vector<CComplex> m(std::size_t(n) * n);
    for (int i = 0; i < n * n; ++i)
        m[std::size_t(i)] = CComplex(i, -i);
    return m;
}

TEST(TerminationsTest, RowsAndColumnsMoveToTheFrontInOrder)
{
    const int n = 4;
    std::vector<CComplex> m = Numbered(n);
    MoveMatrixRow(m.data(), n, 1, 3);
    // Rows 0, 3, 1, 2 of the original.
    const int rows[4] = {0, 3, 1, 2};
    for (int r = 0; r < n; ++r)
        for (int j = 0; j < n; ++j)
            EXPECT_EQ(m[std::size_t(r * n + j)].re, rows[r] * n + j);
    m = Numbered(n);
    MoveMatrixColumn(m.data(), n, 0, 2);
    const int cols[4] = {2, 0, 1, 3};
    for (int r = 0; r < n; ++r)
        for (int j = 0; j < n; ++j)
            EXPECT_EQ(m[std::size_t(r * n + j)].re, r * n + cols[j]);
    std::vector<CComplex> same = Numbered(n);
    MoveMatrixRow(same.data(), n, 2, 2);
    EXPECT_TRUE(Same(same, Numbered(n)));
}

TEST(TerminationsTest, RemovingARowAndColumnPacksTheRestAndTellsIsolatedConductors)
{
    const int n = 3;
    std::vector<CComplex> m = Numbered(n);
    EXPECT_EQ(RemoveRowColumn(m.data(), n, 1), 0);
    const double kept[4] = {0, 2, 6, 8};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(m[std::size_t(i)].re, kept[i]);

    // Only the removed wire was terminated: the others are isolated.
    std::vector<CComplex> diag(9);
    diag[4] = CComplex(0.02, 0);
    diag[0] = CComplex(1e-26, 0);
    EXPECT_EQ(RemoveRowColumn(diag.data(), n, 1), 2);
    // A two-wire channel in a two-wire mode has nothing left.
    std::vector<CComplex> one(1, CComplex(5, 0));
    EXPECT_EQ(RemoveRowColumn(one.data(), 1, 0), 2);
}

TEST(TerminationsTest, EndLoadsShortOpenOrLoadTheirWires)
{
    CElement first, last;
    first.type = last.type = kEndLoad;
    auto loads = std::make_unique<CNagruz>();
    loads->values = {0.0, -1.0, 1e-11, 50.0};
    loads->count = 4;
    first.data = std::move(loads);
    last.data = first.data->Clone();
    const int n = 4;
    std::vector<CComplex> ytx(16), yrx(16);
    BuildEndTerminations(first, last, n, ytx.data(), yrx.data());
    EXPECT_EQ(ytx[0].re, 1e10);   // 0 ohm: a short
    EXPECT_EQ(ytx[5].re, 0.0);    // negative: open
    EXPECT_EQ(ytx[10].re, 1e10);  // 1e-11 counts as a short
    EXPECT_DOUBLE_EQ(ytx[15].re, 0.02);
    EXPECT_TRUE(Same(yrx, ytx));
}

TEST(TerminationsTest, PortLoadsCombineTheTwoWires)
{
    const int n = 3;
    std::vector<CComplex> y(9);
    y[0] = CComplex(1.0 / 100, 0);
    y[4] = CComplex(1.0 / 300, 0);
    CComplex g;
    ASSERT_TRUE(PortLoad(y.data(), n, 0, 1, 0, g));
    EXPECT_DOUBLE_EQ(g.re, 0.01);
    ASSERT_TRUE(PortLoad(y.data(), n, 0, 1, 2, g));
    EXPECT_DOUBLE_EQ(1.0 / g.re, 75.0);  // in parallel
    for (int mode : {1, 3}) {
        ASSERT_TRUE(PortLoad(y.data(), n, 0, 1, mode, g));
        EXPECT_NEAR(1.0 / g.re, 400.0, 1e-9);  // in series
        // An open second wire leaves no load at all.
        ASSERT_TRUE(PortLoad(y.data(), n, 0, 2, mode, g));
        EXPECT_EQ(Abs(g), 0.0);
    }
    // An inductive and a capacitive termination in resonance: the series
    // combination has no value.
    y[0] = CComplex(0, -0.01);
    y[4] = CComplex(0, 0.01);
    EXPECT_FALSE(PortLoad(y.data(), n, 0, 1, 1, g));
}

// The scalar two-port of a wire pair driven between its wires with the
// midpoint of each end grounded through R, solved directly: the midpoint
// voltages follow from the common-mode currents through R.
ScalarTwoPort DirectGroundedPair(const CComplex* A, const CComplex* B, const CComplex* C, double R)
{
    auto entry = [](const CComplex* M, int i, int j) { return M[i * 2 + j]; };
    // Currents for midpoint voltages m1, m2 and differential voltages d1, d2:
    // V1 = (m1 + d1/2, m1 - d1/2), V2 likewise.
    auto currents = [&](CComplex m1, CComplex m2, CComplex d1, CComplex d2, CComplex I1[2], CComplex I2[2]) {
        CComplex V1[2] = {m1 + 0.5 * d1, m1 - 0.5 * d1};
        CComplex V2[2] = {m2 + 0.5 * d2, m2 - 0.5 * d2};
        for (int i = 0; i < 2; ++i) {
            I1[i] = CComplex();
            I2[i] = CComplex();
            for (int j = 0; j < 2; ++j) {
                I1[i] += entry(A, i, j) * V1[j] + entry(B, i, j) * V2[j];
                I2[i] += -(entry(B, j, i) * V1[j]) + entry(C, i, j) * V2[j];
            }
        }
    };
    // m1 = -R (I1a + I1b), m2 = R (I2a + I2b): linear in m1, m2; solve by
    // superposition.
    auto solve = [&](CComplex d1, CComplex d2, CComplex I1[2], CComplex I2[2]) {
        CComplex f0[2], c1[2], c2[2], a[2], b[2];
        auto residual = [&](CComplex m1, CComplex m2, CComplex out[2]) {
            CComplex i1[2], i2[2];
            currents(m1, m2, d1, d2, i1, i2);
            out[0] = m1 + R * (i1[0] + i1[1]);
            out[1] = m2 - R * (i2[0] + i2[1]);
        };
        residual(CComplex(), CComplex(), f0);
        residual(CComplex(1, 0), CComplex(), a);
        residual(CComplex(), CComplex(1, 0), b);
        for (int i = 0; i < 2; ++i) {
            c1[i] = a[i] - f0[i];
            c2[i] = b[i] - f0[i];
        }
        CComplex det = c1[0] * c2[1] - c2[0] * c1[1];
        CComplex m1 = (-f0[0] * c2[1] + c2[0] * f0[1]) / det;
        CComplex m2 = (-c1[0] * f0[1] + f0[0] * c1[1]) / det;
        currents(m1, m2, d1, d2, I1, I2);
    };
    ScalarTwoPort t;
    CComplex I1[2], I2[2];
    solve(CComplex(1, 0), CComplex(), I1, I2);
    t.y11 = 0.5 * (I1[0] - I1[1]);
    solve(CComplex(), CComplex(1, 0), I1, I2);
    t.y12 = 0.5 * (I1[0] - I1[1]);
    t.c = 0.5 * (I2[0] - I2[1]);
    return t;
}

TEST(TerminationsTest, GroundedMidpointModeIsTheDirectSolutionAndWireToWireAtZeroOhm)
{
    calctest::SetFrequency(100e3);
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int trial = 0; trial < 5; ++trial) {
        // A reciprocal two-wire two-port with unequal wires: A and C
        // symmetric, B arbitrary.
        CComplex A[4], B[4], C[4];
        for (CComplex* M : {A, C}) {
            M[0] = CComplex(0.02 + 0.01 * u(gen), 0.01 * u(gen));
            M[3] = CComplex(0.03 + 0.01 * u(gen), 0.01 * u(gen));
            M[1] = M[2] = CComplex(0.004 * u(gen), 0.004 * u(gen));
        }
        for (CComplex& b : B)
            b = CComplex(0.01 * u(gen), 0.01 * u(gen));
        for (int i = 0; i < 4; ++i)
            C[i] = -C[i];
        for (double R : {0.0, 10.0, 600.0}) {
            ScalarTwoPort m3 = CombineConnection(A, B, C, 3, R);
            ScalarTwoPort direct = DirectGroundedPair(A, B, C, R);
            ASSERT_TRUE(m3.valid);
            EXPECT_CX_EQ_TOL(m3.y11, direct.y11, 1e-12) << "R = " << R;
            EXPECT_CX_EQ_TOL(m3.y12, direct.y12, 1e-12) << "R = " << R;
            EXPECT_CX_EQ_TOL(m3.c, direct.c, 1e-12) << "R = " << R;
        }
        ScalarTwoPort m1 = CombineConnection(A, B, C, 1, 0.0);
        ScalarTwoPort m30 = CombineConnection(A, B, C, 3, 0.0);
        EXPECT_EQ(m1.y11.re, m30.y11.re);
        EXPECT_EQ(m1.y12.im, m30.y12.im);
        EXPECT_EQ(m1.c.re, m30.c.re);
    }
}

TEST(TerminationsTest, GroundedMidpointWithoutDeterminantStoresNoValues)
{
    // 1 + R*sumA = 0 and R*sumB = 0: W vanishes.
    CComplex A[4] = {CComplex(-0.005, 0), CComplex(), CComplex(), CComplex(-0.005, 0)};
    CComplex B[4] = {};
    CComplex C[4] = {CComplex(-0.01, 0), CComplex(), CComplex(), CComplex(-0.01, 0)};
    ScalarTwoPort t = CombineConnection(A, B, C, 3, 100.0);
    EXPECT_FALSE(t.valid);
    CComplex g(0.01, 0);
    CRezGraPoint p;
    CalcPointQuantities(t, &g, &g, p);
    EXPECT_EQ(p.transfer.re, kNoValue);
    EXPECT_EQ(p.zLeft.re, kNoValue);
    EXPECT_EQ(p.zRight.re, kNoValue);

    // A 100 ohm series resistor: without a port load at the transmitter the
    // attenuation has no value, the impedance seen from the receiver end
    // (closed by nothing) neither; the transmitter end's impedance has one.
    ScalarTwoPort r;
    r.y11 = CComplex(0.01, 0);
    r.y12 = r.c = CComplex(-0.01, 0);
    CalcPointQuantities(r, nullptr, &g, p);
    EXPECT_EQ(p.transfer.re, kNoValue);
    EXPECT_EQ(p.zRight.re, kNoValue);
    EXPECT_CX_EQ_TOL(p.zLeft, CComplex(200, 0), 1e-9);
}

TEST(TerminationsTest, PhaseLiesInOneTurnAndAZeroTransferHasNoLevel)
{
    // For y11 = c = 0 and Gtx = Grx = 1, T = (y12^2 - 1)/(2 y12): y12 is a
    // root of y^2 - 2Ty - 1 = 0 for T = e^{-0.1j}.
    const CComplex a = Polar(1.0, -0.1);
    CComplex y12 = a + Sqrt(a * a + CComplex(1, 0));  // root of y^2 - 2ay - 1 = 0
    ScalarTwoPort t;
    t.y12 = y12;
    CComplex one(1, 0);
    CRezGraPoint p;
    CalcPointQuantities(t, &one, &one, p);
    EXPECT_NEAR(p.transfer.re, 0.0, 1e-12);
    EXPECT_NEAR(p.transfer.im, 6.2831853072 - 0.1, 1e-12);

    // T = 0 exactly (a lossless 1:1 link between ends of 1 S with y11 = c = 0,
    // y12 = 1): the logarithm has no value.
    ScalarTwoPort zero;
    zero.y12 = CComplex(1, 0);
    CalcPointQuantities(zero, &one, &one, p);
    EXPECT_EQ(p.transfer.re, kNoValue);
    EXPECT_EQ(p.transfer.im, 0.0);
}

} // namespace

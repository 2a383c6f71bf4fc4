// A wide line of 40 wires: thirteen single circuits side by side on a common
// right of way and a ground wire, 30 km over Carson's earth.  Its 39 modes
// without earth return propagate almost alike, so the eigenvalues of its
// modal problem form a tight cluster spread in every complex direction; at
// many frequencies of a sweep the complex orthogonal rotations diverge on it.
#include "calc/vline.h"
#include "calctest.h"
#include "math/eigen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace calctest;

namespace {

// Each circuit a triangle of its own, 10.3 m apart and 0.37 m higher than the
// one before; the ground wire above the middle circuit.
CVLine WideLine()
{
    std::vector<double> x, y;
    const double dx[3] = {-3.1, 0.4, 3.3}, dy[3] = {19.0, 26.5, 21.7};
    for (int i = 0; i < 39; ++i) {
        x.push_back(-60.0 + 10.3 * (i / 3) + dx[i % 3]);
        y.push_back(dy[i % 3] + 0.37 * (i / 3));
    }
    x.push_back(1.7);
    y.push_back(33.0);
    CVLine line = MakeVLine(x, y);
    line.length = 30e3;
    line.phaseWires = 39;
    CVLProv& ground = (*line.wireArray)[39];
    ground.wireType.name = "С-70";
    ground.wireType.radius = 0.0055;
    ground.wireType.resistivity = 1.9e-7;
    return line;
}

bool AllFinite(const CComplex* z, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        if (!std::isfinite(z[i].re) || !std::isfinite(z[i].im))
            return false;
    return true;
}

class WideLineTest : public LineCalcTest, public ::testing::WithParamInterface<double> {
protected:
    WideLineTest() : LineCalcTest(GetParam()) {}
};

TEST_P(WideLineTest, ModesAndBlocksAreSound)
{
    CVLine line = WideLine();
    const int n = 40;
    const std::size_t nn = static_cast<std::size_t>(n) * n;

    // The modes: E*B*V = V*diag(L), normalised to V^T*B*V = I.
    std::vector<LineConductor> conductors = BuildLineConductors(line, -1);
    std::vector<ConductorSelfTerms> self =
        CalcConductorSelfTerms(line, conductors, g_dCalcFreq, g_jOmega.im, 1.5707963268);
    std::vector<CComplex> E(nn), B(nn), V(nn), L(n), EB(nn), left(nn), right(nn), BV(nn);
    ASSERT_TRUE(CalcLineMatrices(line, conductors, self, E.data(), B.data()));
    EigenOfProduct(E.data(), B.data(), V.data(), L.data(), n);
    ASSERT_EQ(g_MatError, 0);
    ASSERT_TRUE(AllFinite(V.data(), nn) && AllFinite(L.data(), n));
    MatMul(E.data(), B.data(), EB.data(), n, n, n);
    MatMul(EB.data(), V.data(), left.data(), n, n, n);
    MatMulDiagRight(V.data(), L.data(), right.data(), n);
    EXPECT_LT(MaxDiff(left.data(), right.data(), nn), 1e-11 * MaxAbs(EB.data(), nn) * MaxAbs(V.data(), nn));
    MatMul(B.data(), V.data(), BV.data(), n, n, n);
    MatMulTransA(V.data(), BV.data(), left.data(), n, n, n);
    MatZero(right.data(), n);
    for (int i = 0; i < n; ++i)
        right[static_cast<std::size_t>(i) * n + i] = CComplex(1, 0);
    EXPECT_LT(MaxDiff(left.data(), right.data(), nn), 1e-11);

    // The section: finite, reciprocal and passive.
    TwoPortStorage s(n);
    CalcVLineData(line, n, -1, s.blocks(), nullptr);
    ASSERT_EQ(g_MatError, 0);
    const TwoPortBlocks b = s.blocks();
    ASSERT_TRUE(AllFinite(b.Y0, nn) && AllFinite(b.Y1, nn) && AllFinite(b.Y2, nn));
    EXPECT_TRUE(IsSymmetric(b.Y0, n, 1e-9 * MaxAbs(b.Y0, nn)));
    EXPECT_TRUE(IsSymmetric(b.Y1, n, 1e-9 * MaxAbs(b.Y1, nn)));
    EXPECT_TRUE(IsPassive(s));
}

// Points of the 16 to 1000 kHz sweep (985 Hz apart) at which the rotations
// diverged, and two at which they converge.
INSTANTIATE_TEST_SUITE_P(Sweep, WideLineTest,
                         ::testing::Values(16000.0, 17970.0, 22895.0, 44565.0, 127305.0, 387345.0, 600000.0,
                                           914320.0));

} // namespace

#include "math/eigen.h"
#include "math/mirror.h"
#include "linelike.h"

#include <algorithm>
#include <numeric>

namespace {

class MirrorTest : public ::testing::Test {
protected:
    void SetUp() override { g_MatError = 0, ResetMirrorGlobals(); }
    void TearDown() override { g_MatError = 0, ResetMirrorGlobals(); }
};

void SetOrder(std::initializer_list<int> order, int d)
{
    int i = 0;
    for (int t : order)
        g_MirrorOrder[i++] = static_cast<signed char>(t);
    g_nLineSymmetry = static_cast<signed char>(d);
}

const double k = kMirrorSqrt2;

TEST_F(MirrorTest, TwoMirroredConductors)
{
    SetOrder({0, 1}, 0);
    const CComplex a(5, 1), b(2, 0.5);
    Mat m = {a, b, b, a}, out(4);
    MirrorSplit(m.data(), 2, 1, 1, out.data());
    EXPECT_EQ(Abs(out[0] - (a - b)) + Abs(out[2] - (a + b)), 0.0);

    // Eigenvectors [1] and [1]: columns antisymmetric mode, symmetric mode.
    Mat in = {{1, 0}, {0, 0}, {1, 0}, {0, 0}}, v(4, CComplex(9, 9));
    MirrorJoin(in.data(), 2, 1, 1, v.data());
    EXPECT_EQ(MaxDiff(v, Mat{{1 / k, 0}, {1 / k, 0}, {-1 / k, 0}, {1 / k, 0}}), 0.0);
    EXPECT_NE(v[0].re, 1 / std::sqrt(2.0)); // the rounded constant, not the exact root
}

TEST_F(MirrorTest, AxisConductorLayoutAndInPlaceHalves)
{
    // Conductor 2 on the axis, 1 the partner of 0; entries told apart by position.
    SetOrder({0, 2, 1}, 1);
    Mat m(9);
    for (int i = 0; i < 9; ++i)
        m[i] = CComplex(i, 1 - i);
    Mat s = m, a = m;
    MirrorSplitSym(s.data(), 3, 1, 2, s.data());
    MirrorSplitAnti(a.data(), 3, 1, 2, a.data());
    EXPECT_EQ(MaxDiff(s.data(), Mat{m[8], m[6] * k, m[2] * k, m[0] + m[1]}.data(), 4), 0.0);
    EXPECT_EQ(Abs(a[0] - (m[0] - m[1])), 0.0);

    // The axis row (mirror row 1) takes Vs row 0 and a zero antisymmetric entry;
    // column 0 of the pair rows is left to MirrorJoinAnti.
    const CComplex junk(9, 9);
    Mat vs = {{1, 1}, {2, 0}, {3, 0}, {4, -1}}, v(9, junk);
    MirrorJoinSym(vs.data(), 3, 1, 2, v.data());
    EXPECT_EQ(MaxDiff(v, Mat{junk, vs[2] / k, vs[3] / k, {0, 0}, vs[0], vs[1], junk, vs[2] / k, vs[3] / k}), 0.0);

    // Without an axis conductor the two halves write disjoint columns.
    SetOrder({0, 1, 2, 3}, 0);
    Mat va = {{1, 0}, {2, 0}, {3, 0}, {4, 0}}, v4(16, junk);
    MirrorJoinAnti(va.data(), 4, 2, 2, v4.data());
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(Abs(v4[i] - junk) == 0.0, i % 4 >= 2) << i;
    Mat before = v4;
    MirrorJoinSym(va.data(), 4, 2, 2, v4.data());
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(Abs(v4[i] - before[i]) == 0.0, i % 4 < 2) << i;
}

// A mirror-symmetric line of q pairs at (+-x, h) and d conductors on the axis,
// numbered in a shuffled order, with g_MirrorOrder set to match.
std::vector<ConductorPos> SymmetricLine(std::mt19937& gen, int q, int d)
{
    const int n = 2 * q + d;
    auto c = RandomConductors(gen, q + d);
    std::vector<ConductorPos> mirror(n); // in mirror order
    for (int i = 0; i < q; ++i) {
        mirror[i] = {std::abs(c[i].x) + 0.5, c[i].h};
        mirror[q + d + i] = {-mirror[i].x, c[i].h};
    }
    for (int i = 0; i < d; ++i)
        mirror[q + i] = {0.0, c[q + i].h};
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), gen);
    std::vector<ConductorPos> line(n);
    for (int i = 0; i < n; ++i) {
        line[order[i]] = mirror[i];
        g_MirrorOrder[i] = static_cast<signed char>(order[i]);
    }
    g_nLineSymmetry = static_cast<signed char>(d);
    return line;
}

class MirrorLineTest : public MirrorTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(MirrorLineTest, SplitSolveJoinIsTheFullDecomposition)
{
    const auto [q, d] = GetParam();
    const int n = 2 * q + d, r = q + d;
    std::mt19937 gen(31 * q + d);
    const auto [A, B] = LineLike(SymmetricLine(gen, q, d));

    Mat a(n * n), b(n * n), ev(n * n), l(n), joined(n * n), v(n * n);
    MirrorSplit(A.data(), n, q, r, a.data());
    MirrorSplit(B.data(), n, q, r, b.data());
    EigenOfProduct(a.data(), b.data(), ev.data(), l.data(), q);
    EigenOfProduct(a.data() + q * n, b.data() + q * n, ev.data() + q * n, l.data() + q, r);
    ASSERT_EQ(g_MatError, 0);
    MirrorJoin(ev.data(), n, q, r, joined.data());
    for (int i = 0; i < n; ++i) // rows back to conductor order
        std::copy_n(joined.begin() + i * n, n, v.begin() + g_MirrorOrder[i] * n);

    Mat ab(n * n), vFull(n * n), lFull(n);
    MatMul(A.data(), B.data(), ab.data(), n, n, n);
    EXPECT_LT(EigenResidual(ab, v, l, n), 1e-9);
    // The same eigenvalues as the decomposition of the whole product.
    EigenOfProduct(A.data(), B.data(), vFull.data(), lFull.data(), n);
    auto byValue = [](const CComplex& x, const CComplex& y) { return x.re < y.re || (x.re == y.re && x.im < y.im); };
    std::sort(l.begin(), l.end(), byValue);
    std::sort(lFull.begin(), lFull.end(), byValue);
    EXPECT_LT(RelDiff(l, lFull), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Lines, MirrorLineTest,
                         ::testing::Values(std::pair{1, 0}, std::pair{1, 1}, std::pair{3, 0}, std::pair{3, 1},
                                           std::pair{2, 3}, std::pair{6, 2}, std::pair{19, 2}, std::pair{20, 0}));

} // namespace

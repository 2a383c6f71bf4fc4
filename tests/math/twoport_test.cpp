#include "math/matrix.h"
#include "math/twoport.h"
#include "mathtest.h"

namespace {

class TwoPortTest : public ::testing::Test {
protected:
    void SetUp() override { g_MatError = 0; }
    void TearDown() override { g_MatError = 0; }
};

std::vector<CComplex> Symmetric(std::mt19937& gen, int n, double diag)
{
    auto m = RandomMatrix(gen, n, n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < i; ++j)
            m[i * n + j] = m[j * n + i];
        m[i * n + i] += CComplex(diag, 0);
    }
    return m;
}

struct Owned {
    std::vector<CComplex> y0, y1, y2;
    TwoPortBlocks b() { return {y0.data(), y1.data(), y2.data()}; }
};

// A reciprocal two-port with symmetric self blocks, well conditioned.
Owned RandomTwoPort(std::mt19937& gen, int n)
{
    return {Symmetric(gen, n, 4.0), RandomMatrix(gen, n, n), Symmetric(gen, n, -4.0)};
}

TEST_F(TwoPortTest, CascadeGoldens)
{
    Owned a{{{1000, 0}}, {{-1000, 0}}, {{-1000, 0}}}, b = a, c{{{}}, {{}}, {{}}};
    MatCascade(a.b(), b.b(), c.b(), 1);
    EXPECT_CX_NEAR(c.y0[0], 500, 0, 1e-9);
    EXPECT_CX_NEAR(c.y1[0], -500, 0, 1e-9);
    EXPECT_CX_NEAR(c.y2[0], -500, 0, 1e-9);

    CComplex y1(3, 1), y2(0.5, -2);
    Owned l1{{y1}, {-y1}, {-y1}}, l2{{y2}, {-y2}, {-y2}};
    MatCascade(l1.b(), l2.b(), l1.b(), 1); // result into the first operand
    CComplex expect = y1 * y2 / (y1 + y2);
    EXPECT_LT(Abs(l1.y0[0] - expect), 1e-14);
    EXPECT_LT(Abs(l1.y1[0] + expect), 1e-14);
    EXPECT_LT(Abs(l1.y2[0] + expect), 1e-14);
}

TEST_F(TwoPortTest, CascadeMatchesClosedFormAndIsAssociative)
{
    std::mt19937 gen(99);
    for (int n : {1, 2, 3, 6}) {
        Owned A = RandomTwoPort(gen, n), B = RandomTwoPort(gen, n), Cc = RandomTwoPort(gen, n);
        const std::size_t nn = std::size_t(n) * n;
        Owned AB{std::vector<CComplex>(nn), std::vector<CComplex>(nn), std::vector<CComplex>(nn)};
        MatCascade(A.b(), B.b(), AB.b(), n);
        ASSERT_EQ(g_MatError, 0);
        // Closed form with J = (A.Y2 - B.Y0)^-1.
        std::vector<CComplex> J(nn), t(nn), t2(nn), y0(nn), y1(nn), y2(nn);
        MatSub(A.y2.data(), B.y0.data(), J.data(), n, n);
        MatInverse(J.data(), J.data(), n);
        MatMul(A.y1.data(), J.data(), t.data(), n, n, n);
        MatMulTransB(t.data(), A.y1.data(), t2.data(), n, n, n);
        MatAdd(A.y0.data(), t2.data(), y0.data(), n, n);
        MatMul(t.data(), B.y1.data(), y1.data(), n, n, n);
        MatMulTransA(B.y1.data(), J.data(), t.data(), n, n, n);
        MatMul(t.data(), B.y1.data(), t2.data(), n, n, n);
        MatSub(B.y2.data(), t2.data(), y2.data(), n, n);
        EXPECT_LT(MaxDiff(AB.y0, y0), 1e-10);
        EXPECT_LT(MaxDiff(AB.y1, y1), 1e-10);
        EXPECT_LT(MaxDiff(AB.y2, y2), 1e-10);

        Owned left = AB, BC = B, right = A;
        MatCascade(left.b(), Cc.b(), left.b(), n);
        MatCascade(B.b(), Cc.b(), BC.b(), n);
        MatCascade(A.b(), BC.b(), right.b(), n);
        EXPECT_LT(MaxDiff(left.y0, right.y0), 1e-9);
        EXPECT_LT(MaxDiff(left.y1, right.y1), 1e-9);
        EXPECT_LT(MaxDiff(left.y2, right.y2), 1e-9);
    }
}

TEST_F(TwoPortTest, DegenerateCascadeSetsTheFlagAndWritesNothing)
{
    // A.Y2 - B.Y0 = 0: the joint has no admittance to anything.
    Owned a{{{1, 0}}, {{-1, 0}}, {{2, 0}}}, b{{{2, 0}}, {{-1, 0}}, {{-1, 0}}}, c{{{7, 0}}, {{7, 0}}, {{7, 0}}};
    MatCascade(a.b(), b.b(), c.b(), 1);
    EXPECT_EQ(g_MatError, 2);
    EXPECT_CX_NEAR(c.y0[0], 7, 0, 0);
}

TEST_F(TwoPortTest, ShuntsConnectionsAndInputMatrix)
{
    CComplex y(2, 1), yl(0.5, 0.25);
    Owned link{{y}, {-y}, {-y}};
    std::vector<CComplex> in(1);
    TwoPortInputMatrix(link.b(), &yl, in.data(), 1);
    EXPECT_LT(Abs(in[0] - y * yl / (y + yl)), 1e-15);

    Owned far = link;
    TwoPortShuntFar(far.b(), &yl, far.b(), 1);
    EXPECT_LT(Abs(far.y2[0] - (-y - yl)), 1e-15); // Y2 is -Y22
    TwoPortShuntNear(&yl, far.b(), far.b(), 1);
    EXPECT_LT(Abs(far.y0[0] - (y + yl)), 1e-15);

    // Connections through a permutation relabel the conductors of one side.
    std::mt19937 gen(5);
    Owned T = RandomTwoPort(gen, 3), out = T;
    const int P[9] = {0, 1, 0, 0, 0, 1, 1, 0, 0};
    TwoPortConnectNear(P, T.b(), out.b(), 3);
    // row i of P picks conductor perm[i]
    const int perm[3] = {1, 2, 0};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            EXPECT_EQ(Abs(out.y0[i * 3 + j] - T.y0[perm[i] * 3 + perm[j]]), 0.0);
            EXPECT_EQ(Abs(out.y1[i * 3 + j] - T.y1[perm[i] * 3 + j]), 0.0);
        }
    TwoPortConnectFar(T.b(), P, out.b(), 3);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            // columns of Y1 and both sides of Y2 go through P (P^T Y2 P)
            int pi = 0, pj = 0;
            for (int k = 0; k < 3; ++k) {
                if (P[k * 3 + i])
                    pi = k;
                if (P[k * 3 + j])
                    pj = k;
            }
            EXPECT_EQ(Abs(out.y1[i * 3 + j] - T.y1[i * 3 + pj]), 0.0);
            EXPECT_EQ(Abs(out.y2[i * 3 + j] - T.y2[pi * 3 + pj]), 0.0);
        }
}

// Reduction by brute force: the full nodal matrix of both ports with the loads
// added, grounded nodes removed and open or loaded nodes eliminated (Kron).
Owned BruteReduce(Owned& T, const std::vector<CComplex>& YLn, const std::vector<CComplex>& YLf, int cn, int cf,
                  int r, int s)
{
    const int N = r + s, M = 2 * N;
    std::vector<CComplex> Y(std::size_t(M) * M);
    for (int i = 0; i < N; ++i)
        for (int j = 0; j < N; ++j) {
            Y[i * M + j] = T.y0[i * N + j];
            Y[i * M + N + j] = T.y1[i * N + j];
            Y[(N + i) * M + j] = T.y1[j * N + i];
            Y[(N + i) * M + N + j] = -T.y2[i * N + j];
        }
    for (int i = 0; i < s; ++i)
        for (int j = 0; j < s; ++j) {
            if (cn == 0)
                Y[(r + i) * M + r + j] += YLn[i * s + j];
            if (cf == 0)
                Y[(N + r + i) * M + N + r + j] += YLf[i * s + j];
        }
    std::vector<int> keep, inner;
    for (int i = 0; i < r; ++i)
        keep.push_back(i);
    for (int i = 0; i < r; ++i)
        keep.push_back(N + i);
    for (int i = 0; i < s; ++i) {
        if (cn != 1)
            inner.push_back(r + i);
        if (cf != 1)
            inner.push_back(N + r + i);
    }
    const int k = int(keep.size()), m = int(inner.size());
    std::vector<CComplex> red(std::size_t(k) * k);
    for (int i = 0; i < k; ++i)
        for (int j = 0; j < k; ++j)
            red[i * k + j] = Y[keep[i] * M + keep[j]];
    if (m > 0) {
        std::vector<CComplex> Yii(std::size_t(m) * m), inv(std::size_t(m) * m);
        for (int i = 0; i < m; ++i)
            for (int j = 0; j < m; ++j)
                Yii[i * m + j] = Y[inner[i] * M + inner[j]];
        MatInverse(Yii.data(), inv.data(), m);
        for (int i = 0; i < k; ++i)
            for (int j = 0; j < k; ++j) {
                CComplex acc;
                for (int a = 0; a < m; ++a)
                    for (int b = 0; b < m; ++b)
                        acc += Y[keep[i] * M + inner[a]] * inv[a * m + b] * Y[inner[b] * M + keep[j]];
                red[i * k + j] -= acc;
            }
    }
    Owned out{std::vector<CComplex>(r * r), std::vector<CComplex>(r * r), std::vector<CComplex>(r * r)};
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < r; ++j) {
            out.y0[i * r + j] = red[i * k + j];
            out.y1[i * r + j] = red[i * k + r + j];
            out.y2[i * r + j] = -red[(r + i) * k + r + j];
        }
    return out;
}

TEST_F(TwoPortTest, ReduceAllNineCodePairsAgainstNodalSolution)
{
    std::mt19937 gen(2024);
    const int r = 2, s = 3, N = r + s;
    Owned T = RandomTwoPort(gen, N);
    auto YLn = Symmetric(gen, s, 2.0), YLf = Symmetric(gen, s, 3.0);
    for (int cn : {0, 1, 2})
        for (int cf : {0, 1, 2}) {
            Owned out{std::vector<CComplex>(r * r), std::vector<CComplex>(r * r), std::vector<CComplex>(r * r)};
            TwoPortReduce(T.b(), YLn.data(), YLf.data(), out.b(), cn, cf, r, s);
            ASSERT_EQ(g_MatError, 0);
            Owned ref = BruteReduce(T, YLn, YLf, cn, cf, r, s);
            EXPECT_LT(MaxDiff(out.y0, ref.y0), 1e-10) << cn << cf;
            EXPECT_LT(MaxDiff(out.y1, ref.y1), 1e-10) << cn << cf;
            EXPECT_LT(MaxDiff(out.y2, ref.y2), 1e-10) << cn << cf;
        }
}

TEST_F(TwoPortTest, ReduceSpecialCases)
{
    std::mt19937 gen(11);
    Owned T = RandomTwoPort(gen, 3);
    Owned out{std::vector<CComplex>(9), std::vector<CComplex>(9), std::vector<CComplex>(9)};
    TwoPortReduce(T.b(), nullptr, nullptr, out.b(), 1, 1, 3, 0);
    EXPECT_EQ(MaxDiff(out.y1, T.y1), 0.0);

    Owned pp{std::vector<CComplex>(4), std::vector<CComplex>(4), std::vector<CComplex>(4)};
    TwoPortReduce(T.b(), nullptr, nullptr, pp.b(), 1, 1, 2, 1);
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            EXPECT_EQ(Abs(pp.y0[i * 2 + j] - T.y0[i * 3 + j]), 0.0);

    // Code 0 with an all-zero load equals open (code 2).
    std::vector<CComplex> zero(1);
    Owned a = pp, b = pp;
    TwoPortReduce(T.b(), zero.data(), zero.data(), a.b(), 0, 2, 2, 1);
    TwoPortReduce(T.b(), nullptr, nullptr, b.b(), 2, 2, 2, 1);
    EXPECT_LT(MaxDiff(a.y0, b.y0), 1e-13);
    EXPECT_LT(MaxDiff(a.y2, b.y2), 1e-13);
}

} // namespace

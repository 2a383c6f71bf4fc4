#include "calc/simplemodels.h"
#include "calctest.h"
#include "math/matrix.h"

#include <random>

using namespace calctest;

namespace {

class SimpleModelsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetCalcGlobals();
        SetFrequency(100e3);
    }
    void TearDown() override { ResetCalcGlobals(); }
};

CShunt Branch(int a, int b, double r, double l, double c)
{
    CShunt s;
    s.firstWire = std::uint8_t(a);
    s.secondWire = std::uint8_t(b);
    s.r = r, s.l = l, s.c = c;
    return s;
}

TEST_F(SimpleModelsTest, SeriesElement)
{
    const int n = 4;
    const CComplex jw = g_jOmega;
    CEShunt d;
    TwoPortStorage t(n);
    // Without branches: 0.01 ohm on every wire.
    BuildSeriesElement(d, n, t.blocks());
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            CComplex e = i == j ? CComplex(100, 0) : CComplex();
            EXPECT_CX_EQ_TOL(t.blocks().Y0[i * n + j], e, 0);
            EXPECT_CX_EQ_TOL(t.blocks().Y1[i * n + j], -e, 0);
            EXPECT_CX_EQ_TOL(t.blocks().Y2[i * n + j], -e, 0);
        }

    d.branches = {Branch(0, 0, 0, 0, 0),           // nothing given: broken wire
                  Branch(1, 1, 50, 2e-3, 0),       // R-L
                  Branch(2, 2, 0, 0, 1e-9),        // C alone
                  Branch(3, 3, 0.0005, 0, 1e-9),   // tiny R still counts (R + L > 0)
                  Branch(1, 1, 20, 0, 3e-9)};      // replaces the first branch on wire 1
    BuildSeriesElement(d, n, t.blocks());
    EXPECT_CX_EQ_TOL(t.blocks().Y0[0], CComplex(1e-6, 0), 0);
    EXPECT_CX_EQ_TOL(t.blocks().Y0[1 * n + 1], jw * 3e-9 + 1.0 / CComplex(20, 0), 1e-15);
    EXPECT_CX_EQ_TOL(t.blocks().Y0[2 * n + 2], jw * 1e-9, 0);
    EXPECT_CX_EQ_TOL(t.blocks().Y0[3 * n + 3], jw * 1e-9 + CComplex(2000, 0), 1e-9);
    for (int k = 0; k < n * n; ++k) {
        EXPECT_CX_EQ_TOL(t.blocks().Y1[k], -t.blocks().Y0[k], 0);
        EXPECT_CX_EQ_TOL(t.blocks().Y2[k], t.blocks().Y1[k], 0);
    }
    EXPECT_TRUE(IsPassive(t));

}

TEST_F(SimpleModelsTest, ShuntElement)
{
    const int n = 3;
    const CComplex jw = g_jOmega;
    CEShunt d;
    std::vector<CComplex> Y(n * n);

    // R = L = C = 0 is a short of 100 S, here between wires 0 and 2.
    d.branches = {Branch(0, 2, 0, 0, 0)};
    BuildShuntElement(d, n, Y.data());
    EXPECT_CX_EQ_TOL(Y[0], CComplex(100, 0), 0);
    EXPECT_CX_EQ_TOL(Y[2], CComplex(-100, 0), 0);
    EXPECT_CX_EQ_TOL(Y[2 * n], CComplex(-100, 0), 0);
    EXPECT_CX_EQ_TOL(Y[2 * n + 2], CComplex(100, 0), 0);
    EXPECT_CX_EQ_TOL(Y[1 * n + 1], CComplex(), 0);

    // The R-L term needs L*1e3 + R above 0.001 here (the series element
    // takes any R + L above 0).
    d.branches = {Branch(1, 1, 0.0005, 0, 1e-9)};
    BuildShuntElement(d, n, Y.data());
    EXPECT_CX_EQ_TOL(Y[1 * n + 1], jw * 1e-9, 0);

    // Ground branches and branches between wires; every row sums to the
    // branch of its wire to ground.
    const CShunt g0 = Branch(0, 0, 30, 1e-3, 0), g2 = Branch(2, 2, 0, 2e-3, 4e-9), m01 = Branch(0, 1, 10, 0, 2e-9);
    d.branches = {g0, g2, m01};
    auto branchY = [&](const CShunt& b) {
        CComplex y = jw * b.c;
        if (b.l * 1e3 + b.r > 0.001)
            y += 1.0 / (b.r + jw * b.l);
        return y;
    };
    for (double ceq : {0.0, 5e-9}) {
        d.capacitance = ceq;
        BuildShuntElement(d, n, Y.data());
        const CComplex c = jw * ceq;
        auto toGround = [&](const CComplex& y) { return ceq > 0 ? y * c / (y + c) : y; };
        const CComplex ground[3] = {toGround(branchY(g0)), CComplex(), toGround(branchY(g2))};
        for (int i = 0; i < n; ++i) {
            CComplex sum;
            for (int j = 0; j < n; ++j)
                sum += Y[i * n + j];
            EXPECT_CX_EQ_TOL(sum, ground[i], 1e-12) << "row " << i << " Ceq " << ceq;
        }
        // The branch between two wires does not see the equivalent capacitance.
        EXPECT_CX_EQ_TOL(Y[0 * n + 1], -branchY(m01), 1e-15);
        EXPECT_CX_EQ_TOL(Y[1 * n + 0], -branchY(m01), 1e-15);
    }
}

TEST_F(SimpleModelsTest, PassiveShuntsAndSeriesElementsArePassive)
{
    std::mt19937 gen(11);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const int n = 5;
    for (int round = 0; round < 50; ++round) {
        CEShunt d;
        d.capacitance = round % 2 ? u(gen) * 1e-8 : 0.0;
        d.trapKind = round % 3 == 0;
        for (int k = 0; k < 6; ++k) {
            int a = int(u(gen) * n), b = int(u(gen) * n);
            CShunt s = Branch(a, b, u(gen) * 100, u(gen) * 1e-3, u(gen) * 1e-8);
            s.trap.scheme = std::uint8_t(k % 3);
            s.trap.C1 = u(gen) * 1e-9, s.trap.L1 = u(gen) * 1e-3, s.trap.L2 = u(gen) * 1e-4;
            s.trap.C3 = u(gen) * 1e-9, s.trap.L3 = u(gen) * 1e-3, s.trap.R = u(gen) * 500;
            d.branches.push_back(s);
        }
        SetFrequency(30e3 + u(gen) * 500e3);
        std::vector<CComplex> Y(n * n);
        BuildShuntElement(d, n, Y.data());
        EXPECT_TRUE(IsHermitianPartPsd(Y, n)) << round;
        TwoPortStorage t(n);
        BuildSeriesElement(d, n, t.blocks());
        EXPECT_TRUE(IsPassive(t)) << round;
    }
}

CTransp Permutation(std::vector<std::uint8_t> p)
{
    CTransp t;
    t.count = std::uint8_t(p.size());
    t.permutation = std::move(p);
    return t;
}

bool IsOrthogonal(const std::vector<int>& M, int n)
{
    std::vector<int> MT(M.size()), P(M.size());
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            MT[j * n + i] = M[i * n + j];
    MatMulInt(M.data(), MT.data(), P.data(), n, n, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (P[i * n + j] != (i == j))
                return false;
    return true;
}

TEST_F(SimpleModelsTest, Transposition)
{
    std::vector<int> M(36);
    BuildConnectionMatrix(Permutation({1, 2, 0, 4, 5, 3}), 6, -1, M.data());
    EXPECT_TRUE(IsOrthogonal(M, 6));
    EXPECT_EQ(M[2 * 6 + 0], 1);  // the wire at position 2 goes to position 0

    // Four positions carry three conductors, the second split over 1 and 2;
    // it goes to the first place and its halves keep their order.
    std::vector<int> S(16);
    BuildConnectionMatrix(Permutation({2, 0, 1}), 4, 1, S.data());
    const int expect[4] = {3, 0, 1, 2};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(S[r * 4 + c], c == expect[r]) << r << "," << c;
    EXPECT_TRUE(IsOrthogonal(S, 4));

    // Every permutation of four conductors with any split index is orthogonal.
    std::vector<std::uint8_t> p = {0, 1, 2, 3};
    std::vector<int> W(25);
    do {
        for (int s = 0; s < 4; ++s) {
            BuildConnectionMatrix(Permutation(p), 5, s, W.data());
            EXPECT_TRUE(IsOrthogonal(W, 5));
        }
    } while (std::next_permutation(p.begin(), p.end()));

    // Targets outside the element are left out, not written past the matrix.
    BuildConnectionMatrix(Permutation({7, 0}), 2, -1, M.data());
    EXPECT_EQ(M[0] + M[1], 0);
    EXPECT_EQ(M[2], 1);
}

TEST_F(SimpleModelsTest, AttachedCircuitEnd)
{
    const CComplex jw = g_jOmega;
    CEndMod d;
    d.count = 3;
    d.r = std::vector<double>{0.0, 75.0, 0.0};
    d.l = std::vector<double>{0.0, 1e-3, 0.0};
    d.c = std::vector<double>{0.0, 1e-9, 2e-9};
    std::vector<CComplex> Y(16);

    d.kind = 1;
    BuildAttachedEndLoad(d, Y.data(), 4);
    EXPECT_CX_EQ_TOL(Y[0], CComplex(), 0);
    EXPECT_CX_EQ_TOL(Y[1 * 4 + 1], CComplex(1.0 / 75, 0), 0);
    EXPECT_CX_EQ_TOL(Y[3 * 4 + 3], CComplex(), 0);  // beyond the values held

    d.kind = 2;
    BuildAttachedEndLoad(d, Y.data(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_CX_EQ_TOL(Y[i * 4 + i], CComplex(10, 0), 0);

    d.kind = 4;
    BuildAttachedEndLoad(d, Y.data(), 4);
    EXPECT_CX_EQ_TOL(Y[0], CComplex(), 0);
    EXPECT_CX_EQ_TOL(Y[1 * 4 + 1], 1.0 / (75 + jw * 1e-3) + jw * 1e-9, 1e-15);
    // C alone: a capacitance, not a division by R + jwL = 0.
    EXPECT_CX_EQ_TOL(Y[2 * 4 + 2], jw * 2e-9, 0);
    EXPECT_CX_EQ_TOL(Y[1 * 4 + 2], CComplex(), 0);

    for (int kind : {0, 3, 5}) {
        d.kind = std::uint8_t(kind);
        BuildAttachedEndLoad(d, Y.data(), 4);
        for (const CComplex& y : Y)
            EXPECT_CX_EQ_TOL(y, CComplex(), 0) << kind;
    }
}

} // namespace

#include "math/matrix.h"
#include "mathtest.h"

namespace {

class MatrixTest : public ::testing::Test {
protected:
    void SetUp() override { g_MatError = 0; }
    void TearDown() override { g_MatError = 0; }
};

TEST_F(MatrixTest, InverseGoldens)
{
    std::vector<CComplex> d = {{2, 0}, {0, 0}, {0, 0}, {0, 4}}, x(4);
    MatInverse(d.data(), x.data(), 2);
    EXPECT_CX_NEAR(x[0], 0.5, 0, 0);
    EXPECT_CX_NEAR(x[3], 0, -0.25, 0);
    EXPECT_EQ(g_MatError, 0);

    std::vector<CComplex> swap = {{0, 0}, {1, 0}, {1, 0}, {0, 0}};
    MatInverse(swap.data(), x.data(), 2);
    EXPECT_EQ(MaxDiff(x, swap), 0.0);

    std::vector<CComplex> sing = {{1, 0}, {2, 0}, {2, 0}, {4, 0}};
    MatInverse(sing.data(), x.data(), 2);
    EXPECT_EQ(g_MatError, 2);
    // The flag stays set after a later successful inversion.
    MatInverse(d.data(), x.data(), 2);
    EXPECT_EQ(g_MatError, 2);
}

TEST_F(MatrixTest, PivotBoundary)
{
    std::vector<CComplex> x(4);
    std::vector<CComplex> tiny = {{1e-47, 0}, {0, 0}, {0, 0}, {1, 0}};
    MatInverse(tiny.data(), x.data(), 2);
    EXPECT_EQ(g_MatError, 2);
    g_MatError = 0;
    std::vector<CComplex> small = {{1e-45, 0}, {0, 0}, {0, 0}, {1, 0}};
    MatInverse(small.data(), x.data(), 2);
    EXPECT_EQ(g_MatError, 0);
    EXPECT_NEAR(x[0].re, 1e45, 1e30);
    CComplex one(1e-47, 0);
    MatInverse(&one, x.data(), 1);
    EXPECT_EQ(g_MatError, 2);
}

TEST_F(MatrixTest, FirstOfEqualPivotsWins)
{
    // Column 0 holds 1 and -1: the upper row stays the pivot, so row 0 of the
    // work copy is divided by +1 and the result is exact.
    std::vector<CComplex> a = {{1, 0}, {2, 0}, {-1, 0}, {3, 0}}, x(4);
    MatInverse(a.data(), x.data(), 2);
    EXPECT_CX_NEAR(x[0], 0.6, 0, 1e-15);
    EXPECT_CX_NEAR(x[1], -0.4, 0, 1e-15);
    EXPECT_CX_NEAR(x[2], 0.2, 0, 1e-15);
    EXPECT_CX_NEAR(x[3], 0.2, 0, 1e-15);
}

TEST_F(MatrixTest, RandomInversesUpTo40InPlaceToo)
{
    std::mt19937 gen(12345);
    for (int n : {1, 2, 3, 5, 8, 17, 40}) {
        auto a = RandomMatrix(gen, n, n);
        std::vector<CComplex> inv(a.size()), prod(a.size()), id(a.size());
        MatInverse(a.data(), inv.data(), n);
        ASSERT_EQ(g_MatError, 0);
        MatMul(a.data(), inv.data(), prod.data(), n, n, n);
        for (int i = 0; i < n; ++i)
            id[i * n + i] = CComplex(1, 0);
        EXPECT_LT(MaxDiff(prod, id), 1e-10) << n;
        auto b = a;
        MatInverse(b.data(), b.data(), n);
        EXPECT_EQ(MaxDiff(b, inv), 0.0);
    }
}

// Naive reference of every product variant.
std::vector<CComplex> Ref(const std::vector<CComplex>& A, bool ta, const std::vector<CComplex>& B, bool tb,
                          int p, int q, int r)
{
    std::vector<CComplex> C(static_cast<std::size_t>(p) * r);
    for (int i = 0; i < p; ++i)
        for (int j = 0; j < r; ++j) {
            CComplex s;
            for (int k = 0; k < q; ++k) {
                CComplex a = ta ? A[k * p + i] : A[i * q + k];
                CComplex b = tb ? B[j * q + k] : B[k * r + j];
                s += a * b;
            }
            C[i * r + j] = s;
        }
    return C;
}

std::vector<int> RandomInt(std::mt19937& gen, int n)
{
    std::vector<int> v(n);
    for (auto& x : v)
        x = int(gen() % 2);
    return v;
}

std::vector<CComplex> ToCx(const std::vector<int>& v)
{
    std::vector<CComplex> c;
    for (int x : v)
        c.emplace_back(double(x), 0.0);
    return c;
}

TEST_F(MatrixTest, ProductsAgainstNaiveReference)
{
    std::mt19937 gen(7);
    const int p = 3, q = 5, r = 4;
    auto A = RandomMatrix(gen, p, q), B = RandomMatrix(gen, q, r), Bt = RandomMatrix(gen, r, q),
         At = RandomMatrix(gen, q, p);
    auto IA = RandomInt(gen, p * q), IB = RandomInt(gen, q * r), IBt = RandomInt(gen, r * q),
         IAt = RandomInt(gen, q * p);
    std::vector<CComplex> C(p * r);
    MatMul(A.data(), B.data(), C.data(), p, q, r);
    EXPECT_EQ(MaxDiff(C, Ref(A, false, B, false, p, q, r)), 0.0);
    MatMulTransB(A.data(), Bt.data(), C.data(), p, q, r);
    EXPECT_EQ(MaxDiff(C, Ref(A, false, Bt, true, p, q, r)), 0.0);
    MatMulTransA(At.data(), B.data(), C.data(), p, q, r);
    EXPECT_EQ(MaxDiff(C, Ref(At, true, B, false, p, q, r)), 0.0);
    MatMulIntCx(IA.data(), B.data(), C.data(), p, q, r);
    EXPECT_EQ(MaxDiff(C, Ref(ToCx(IA), false, B, false, p, q, r)), 0.0);
    MatMulCxInt(A.data(), IB.data(), C.data(), p, q, r);
    EXPECT_EQ(MaxDiff(C, Ref(A, false, ToCx(IB), false, p, q, r)), 0.0);
    MatMulCxIntTransB(A.data(), IBt.data(), C.data(), p, q, r);
    EXPECT_EQ(MaxDiff(C, Ref(A, false, ToCx(IBt), true, p, q, r)), 0.0);
    MatMulIntTransA(IAt.data(), B.data(), C.data(), p, q, r);
    EXPECT_EQ(MaxDiff(C, Ref(ToCx(IAt), true, B, false, p, q, r)), 0.0);
    std::vector<int> IC(p * r);
    MatMulInt(IA.data(), IB.data(), IC.data(), p, q, r);
    EXPECT_EQ(MaxDiff(ToCx(IC), Ref(ToCx(IA), false, ToCx(IB), false, p, q, r)), 0.0);
}

TEST_F(MatrixTest, ElementwiseAndDiagonalRoutinesWithAllowedAliasing)
{
    std::mt19937 gen(3);
    const int n = 4;
    auto A = RandomMatrix(gen, n, n), B = RandomMatrix(gen, n, n), v = RandomMatrix(gen, 1, n);
    auto sum = A;
    MatAdd(sum.data(), B.data(), sum.data(), n, n);
    MatSub(sum.data(), B.data(), sum.data(), n, n);
    EXPECT_LT(MaxDiff(sum, A), 1e-15);
    auto neg = A;
    MatNeg(neg.data(), neg.data(), n, n);
    EXPECT_EQ(Abs(neg[5] + A[5]), 0.0);
    std::vector<CComplex> t(n * n), tt(n * n);
    MatTranspose(A.data(), t.data(), n, n);
    MatTranspose(t.data(), tt.data(), n, n);
    EXPECT_EQ(MaxDiff(tt, A), 0.0);
    auto right = A;
    MatMulDiagRight(right.data(), v.data(), right.data(), n);
    auto left = A;
    MatMulDiagLeft(v.data(), left.data(), left.data(), n);
    auto withDiag = A;
    MatAddDiag(withDiag.data(), v.data(), withDiag.data(), n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            EXPECT_EQ(Abs(right[i * n + j] - A[i * n + j] * v[j]), 0.0);
            EXPECT_EQ(Abs(left[i * n + j] - v[i] * A[i * n + j]), 0.0);
            CComplex expect = A[i * n + j] + (i == j ? v[i] : CComplex());
            EXPECT_EQ(Abs(withDiag[i * n + j] - expect), 0.0);
        }
    auto diag = A;
    MatDiagonal(diag.data(), diag.data(), n);
    for (int i = 0; i < n; ++i)
        EXPECT_EQ(Abs(diag[i] - A[i * n + i]), 0.0);
    auto rec = v;
    VecReciprocal(rec.data(), rec.data(), n);
    EXPECT_LT(Abs(rec[1] * v[1] - CComplex(1, 0)), 1e-15);
    std::vector<CComplex> w(n);
    MatCopy(v.data(), w.data(), 1, n);
    EXPECT_EQ(MaxDiff(w, v), 0.0);
    MatZero(A.data(), n);
    EXPECT_EQ(MaxDiff(A, std::vector<CComplex>(n * n)), 0.0);
}

TEST_F(MatrixTest, NormalizeColumnsLeavesZeroLeadColumns)
{
    std::vector<CComplex> m = {{2, 0}, {0, 0}, {4, 2}, {3, 1}};
    NormalizeColumns(m.data(), 2);
    EXPECT_CX_NEAR(m[0], 1, 0, 0);
    EXPECT_CX_NEAR(m[2], 2, 1, 0);
    EXPECT_CX_NEAR(m[1], 0, 0, 0);
    EXPECT_CX_NEAR(m[3], 3, 1, 0);
}

} // namespace

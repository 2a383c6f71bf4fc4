// The fast kernels give the numbers of the plain forms they replace, bit for
// bit: the cascade of two two-ports against the elimination over the full
// nodal matrix, the product against the sum over k of each entry, and the kept inverses and eigen-factors against those
// computed afresh on a thread that has kept nothing.
#include "math/eigen.h"
#include "math/matrix.h"
#include "math/twoport.h"
#include "mathtest.h"

#include <cstring>
#include <thread>

namespace {

// The cascade as the full 3n x 3n nodal matrix with every entry eliminated.
void PlainCascade(const TwoPortBlocks& A, const TwoPortBlocks& B, const TwoPortBlocks& C, int n)
{
    const int N = 3 * n;
    std::vector<CComplex> M(static_cast<std::size_t>(N) * N, g_CZero);
    auto at = [&](int i, int j) -> CComplex& { return M[static_cast<std::size_t>(i) * N + j]; };
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            at(i, j) = A.Y0[i * n + j];
            at(i, n + j) = A.Y1[i * n + j];
            at(n + i, j) = -A.Y1[j * n + i];
            at(n + i, n + j) = A.Y2[i * n + j] - B.Y0[i * n + j];
            at(n + i, 2 * n + j) = -B.Y1[i * n + j];
            at(2 * n + i, n + j) = -B.Y1[j * n + i];
            at(2 * n + i, 2 * n + j) = B.Y2[i * n + j];
        }
    for (int s = 0; s < n; ++s) {
        const int k = n + s;
        CComplex pivot = at(k, k);
        if (Abs(pivot) < kMinPivot) {
            g_MatError = 2;
            return;
        }
        for (int i = 0; i < N; ++i) {
            if (i >= n && i <= k)
                continue;
            CComplex mik = at(i, k);
            for (int j = 0; j < N; ++j) {
                if (j >= n && j <= k)
                    continue;
                at(i, j) = at(i, j) - (mik * at(k, j)) / pivot;
            }
        }
    }
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            C.Y0[i * n + j] = at(i, j);
            C.Y1[i * n + j] = at(i, 2 * n + j);
            C.Y2[i * n + j] = at(2 * n + i, 2 * n + j);
        }
}

bool SameBits(const std::vector<CComplex>& a, const std::vector<CComplex>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(CComplex)) == 0;
}

struct Blocks {
    std::vector<CComplex> y[3];
    TwoPortBlocks b() { return {y[0].data(), y[1].data(), y[2].data()}; }
};

TEST(KernelsTest, CascadeEqualsThePlainEliminationBitForBit)
{
    std::mt19937 gen(35);
    for (int n = 1; n <= 40; ++n) {
        Blocks a, b, fast, plain;
        for (int k = 0; k < 3; ++k) {
            a.y[k] = RandomMatrix(gen, n, n, k == 1 ? 1.0 : 3.0);
            b.y[k] = RandomMatrix(gen, n, n, k == 1 ? 1.0 : 3.0);
            fast.y[k] = plain.y[k] = std::vector<CComplex>(std::size_t(n) * n);
        }
        MatCascade(a.b(), b.b(), fast.b(), n);
        PlainCascade(a.b(), b.b(), plain.b(), n);
        for (int k = 0; k < 3; ++k)
            EXPECT_TRUE(SameBits(fast.y[k], plain.y[k])) << "n = " << n << ", block " << k;
        // Into its first operand, as the chain accumulates.
        MatCascade(a.b(), b.b(), a.b(), n);
        for (int k = 0; k < 3; ++k)
            EXPECT_TRUE(SameBits(a.y[k], plain.y[k])) << "n = " << n << ", in place, block " << k;
    }
    EXPECT_EQ(g_MatError, 0);
}

TEST(KernelsTest, ProductEqualsTheSumOverKForEachEntryBitForBit)
{
    std::mt19937 gen(11);
    for (int n = 1; n <= 40; n += 3) {
        const int p = n, q = 41 - n, r = (n * 7) % 40 + 1;
        const std::vector<CComplex> A = RandomMatrix(gen, p, q), B = RandomMatrix(gen, q, r);
        std::vector<CComplex> fast(std::size_t(p) * r), plain(std::size_t(p) * r);
        MatMul(A.data(), B.data(), fast.data(), p, q, r);
        for (int i = 0; i < p; ++i)
            for (int j = 0; j < r; ++j) {
                CComplex s = g_CZero;
                for (int k = 0; k < q; ++k)
                    s += A[std::size_t(i * q + k)] * B[std::size_t(k * r + j)];
                plain[std::size_t(i * r + j)] = s;
            }
        EXPECT_TRUE(SameBits(fast, plain)) << p << " x " << q << " x " << r;
    }
}

// The triangular products of the eigen-solution against their sums over k,
// and Coth and Csch from one pair of exponentials against the two calls.
TEST(KernelsTest, TriangularProductsAndHyperbolicPairEqualThePlainFormsBitForBit)
{
    std::mt19937 gen(5);
    for (int n : {1, 4, 7, 8, 40}) {
        const std::vector<CComplex> G = RandomMatrix(gen, n, n), B = RandomMatrix(gen, n, n);
        std::vector<CComplex> fast(std::size_t(n) * n), plain(std::size_t(n) * n), fastT(fast), plainT(plain);
        MulLowerTri(G.data(), B.data(), fast.data(), n);
        MulLowerTriT(B.data(), G.data(), fastT.data(), n);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                CComplex s = g_CZero, t = g_CZero;
                for (int k = 0; k <= i; ++k)
                    s += G[std::size_t(i * n + k)] * B[std::size_t(k * n + j)];
                for (int k = 0; k <= j; ++k)
                    t += B[std::size_t(i * n + k)] * G[std::size_t(j * n + k)];
                plain[std::size_t(i * n + j)] = s;
                plainT[std::size_t(i * n + j)] = t;
            }
        EXPECT_TRUE(SameBits(fast, plain)) << n;
        EXPECT_TRUE(SameBits(fastT, plainT)) << n;
    }
    for (const CComplex z : {CComplex(0.3, -2.0), CComplex(-4.5, 0.7), CComplex(1e-9, 3.0), CComplex(300.5, 1.0),
                             CComplex(299.0, -1.0)}) {
        CComplex coth, csch;
        CothCsch(z, coth, csch);
        EXPECT_TRUE(SameBits({coth, csch}, {Coth(z), Csch(z)})) << z.re << " " << z.im;
    }
}

TEST(KernelsTest, KeptResultsEqualThoseOfAThreadThatKeptNothing)
{
    std::mt19937 gen(7);
    for (int n : {1, 2, 5, 12, 40}) {
        // A symmetric, positive matrix like the potential coefficients.
        std::vector<CComplex> P = RandomMatrix(gen, n, n, 0.1);
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < i; ++j)
                P[std::size_t(i * n + j)] = P[std::size_t(j * n + i)] = CComplex(P[std::size_t(j * n + i)].re, 0);
            P[std::size_t(i * n + i)] = CComplex(5.0 + i, 0.0);
        }
        const std::vector<CComplex> A = RandomMatrix(gen, n, n);
        const std::size_t nn = std::size_t(n) * n;
        auto compute = [&](std::vector<CComplex>& inv, std::vector<CComplex>& V, std::vector<CComplex>& L) {
            inv.assign(nn, g_CZero), V.assign(nn, g_CZero), L.assign(std::size_t(n), g_CZero);
            MatInverseKept(P.data(), inv.data(), n);
            EigenOfProduct(A.data(), P.data(), V.data(), L.data(), n);
        };
        std::vector<CComplex> inv[3], V[3], L[3];
        std::thread([&] { compute(inv[0], V[0], L[0]); }).join();  // nothing kept yet
        compute(inv[1], V[1], L[1]);
        compute(inv[2], V[2], L[2]);  // from what this thread kept
        std::vector<CComplex> plain(nn);
        MatInverse(P.data(), plain.data(), n);
        for (int k = 0; k < 3; ++k) {
            EXPECT_TRUE(SameBits(inv[k], plain)) << "n = " << n << ", run " << k;
            EXPECT_TRUE(SameBits(V[k], V[0]) && SameBits(L[k], L[0])) << "n = " << n << ", run " << k;
        }
    }
}

} // namespace

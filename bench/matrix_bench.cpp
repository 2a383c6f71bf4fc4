// MatInverse and MatCascade of the math library beside LAPACK (zgetrf and
// zgetri; zgesv and zgemm for the cascade) at the orders of real channels:
// 8 wires (two circuits and two ground wires) and 40 (the most a task holds).
// Each benchmark also reports the largest difference from the reference.
#include "math/matrix.h"
#include "math/twoport.h"

#include <benchmark/benchmark.h>

#include <complex>
#include <random>
#include <vector>

extern "C" {
void zgetrf_(const int* m, const int* n, std::complex<double>* a, const int* lda, int* ipiv, int* info);
void zgetri_(const int* n, std::complex<double>* a, const int* lda, const int* ipiv, std::complex<double>* work,
             const int* lwork, int* info);
void zgesv_(const int* n, const int* nrhs, std::complex<double>* a, const int* lda, int* ipiv,
            std::complex<double>* b, const int* ldb, int* info);
void zgemm_(const char* ta, const char* tb, const int* m, const int* n, const int* k,
            const std::complex<double>* alpha, const std::complex<double>* a, const int* lda,
            const std::complex<double>* b, const int* ldb, const std::complex<double>* beta,
            std::complex<double>* c, const int* ldc);
}

namespace {

using Cx = std::complex<double>;

// A well-conditioned admittance-like matrix: a dominant diagonal.
std::vector<CComplex> RandomMatrix(int n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::vector<CComplex> m(std::size_t(n) * n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            m[std::size_t(i * n + j)] = CComplex(u(gen) + (i == j ? 2.0 * n : 0.0), u(gen));
    return m;
}

std::vector<Cx> ToStd(const std::vector<CComplex>& m)
{
    std::vector<Cx> s(m.size());
    for (std::size_t i = 0; i < m.size(); ++i)
        s[i] = Cx(m[i].re, m[i].im);
    return s;
}

double MaxDiff(const std::vector<CComplex>& a, const std::vector<Cx>& b)
{
    double d = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        d = std::max(d, std::abs(Cx(a[i].re, a[i].im) - b[i]));
    return d;
}

// LAPACK is column-major: a row-major matrix reads as its transpose, and the
// inverse of the transpose is the transpose of the inverse, so the row-major
// result is the inverse itself.
void LapackInverse(std::vector<Cx>& a, int n, std::vector<int>& ipiv, std::vector<Cx>& work)
{
    int info = 0, lwork = int(work.size());
    zgetrf_(&n, &n, a.data(), &n, ipiv.data(), &info);
    zgetri_(&n, a.data(), &n, ipiv.data(), work.data(), &lwork, &info);
}

// The cascade by its Schur complement: with the joint J = A2 - B0,
// C0 = A0 + A1 Z1, C1 = A1 Z2, C2 = B2 - B1^T Z2, where Z = J^-1 [A1^T | B1].
// The arrays are row-major, so to LAPACK each reads as its transpose: J and
// the right-hand side are laid out column-major for zgesv, and each row-major
// product P Q is formed as (P Q)^T = Q^T P^T on the stored arrays.
struct LapackCascade {
    explicit LapackCascade(int order)
        : n(order), J(std::size_t(n) * n), Z(std::size_t(n) * 2 * n), ipiv(std::size_t(n))
    {
    }
    void Run(const std::vector<Cx> A[3], const std::vector<Cx> B[3], std::vector<Cx> C[3])
    {
        const int n2 = 2 * n;
        const std::size_t nn = std::size_t(n) * n;
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < n; ++c) {
                const std::size_t rm = std::size_t(r * n + c), cm = std::size_t(c * n + r);
                J[cm] = A[2][rm] - B[0][rm];
                Z[rm] = A[1][rm];       // column r of A1^T is row r of A1
                Z[nn + cm] = B[1][rm];  // B1 column-major
            }
        int info = 0;
        zgesv_(&n, &n2, J.data(), &n, ipiv.data(), Z.data(), &n, &info);
        const Cx one(1, 0), zero(0, 0), minus(-1, 0);
        const Cx* Z1 = Z.data();
        const Cx* Z2 = Z.data() + nn;
        C[0] = A[0];
        C[1].assign(nn, zero);
        C[2] = B[2];
        zgemm_("T", "N", &n, &n, &n, &one, Z1, &n, A[1].data(), &n, &one, C[0].data(), &n);
        zgemm_("T", "N", &n, &n, &n, &one, Z2, &n, A[1].data(), &n, &zero, C[1].data(), &n);
        zgemm_("T", "T", &n, &n, &n, &minus, Z2, &n, B[1].data(), &n, &one, C[2].data(), &n);
    }
    int n;
    std::vector<Cx> J, Z;
    std::vector<int> ipiv;
};

void BM_MatInverse(benchmark::State& state)
{
    const int n = int(state.range(0));
    const std::vector<CComplex> a = RandomMatrix(n, 1);
    std::vector<CComplex> x(a.size());
    for (auto _ : state) {
        MatInverse(a.data(), x.data(), n);
        benchmark::DoNotOptimize(x.data());
    }
    std::vector<Cx> ref = ToStd(a);
    std::vector<int> ipiv(static_cast<std::size_t>(n));
    std::vector<Cx> work(std::size_t(n) * 64);
    LapackInverse(ref, n, ipiv, work);
    state.counters["max_diff_vs_lapack"] = MaxDiff(x, ref);
}

void BM_LapackInverse(benchmark::State& state)
{
    const int n = int(state.range(0));
    const std::vector<Cx> a = ToStd(RandomMatrix(n, 1));
    std::vector<Cx> x;
    std::vector<int> ipiv(static_cast<std::size_t>(n));
    std::vector<Cx> work(std::size_t(n) * 64);
    for (auto _ : state) {
        x = a;
        LapackInverse(x, n, ipiv, work);
        benchmark::DoNotOptimize(x.data());
    }
}

struct CascadeInputs {
    explicit CascadeInputs(int n)
    {
        for (int k = 0; k < 3; ++k) {
            a[k] = RandomMatrix(n, 10 + unsigned(k));
            b[k] = RandomMatrix(n, 20 + unsigned(k));
        }
        // Two line sections: the far self block of the first and the near one
        // of the second are of opposite sign, so the joint is regular.
        for (auto& z : a[2])
            z = -z;
    }
    std::vector<CComplex> a[3], b[3];
};

void BM_MatCascade(benchmark::State& state)
{
    const int n = int(state.range(0));
    CascadeInputs in(n);
    TwoPortBlocks A{in.a[0].data(), in.a[1].data(), in.a[2].data()};
    TwoPortBlocks B{in.b[0].data(), in.b[1].data(), in.b[2].data()};
    TwoPortStorage out(n);
    for (auto _ : state) {
        MatCascade(A, B, out.blocks(), n);
        benchmark::DoNotOptimize(out.blocks().Y0);
    }
    std::vector<Cx> sa[3], sb[3], sc[3];
    for (int k = 0; k < 3; ++k) {
        sa[k] = ToStd(in.a[k]);
        sb[k] = ToStd(in.b[k]);
    }
    LapackCascade ref(n);
    ref.Run(sa, sb, sc);
    const TwoPortBlocks o = out.blocks();
    const std::size_t nn = std::size_t(n) * n;
    double d = std::max({MaxDiff(std::vector<CComplex>(o.Y0, o.Y0 + nn), sc[0]),
                         MaxDiff(std::vector<CComplex>(o.Y1, o.Y1 + nn), sc[1]),
                         MaxDiff(std::vector<CComplex>(o.Y2, o.Y2 + nn), sc[2])});
    state.counters["max_diff_vs_lapack"] = d;
}

void BM_LapackCascade(benchmark::State& state)
{
    const int n = int(state.range(0));
    CascadeInputs in(n);
    std::vector<Cx> sa[3], sb[3], sc[3];
    for (int k = 0; k < 3; ++k) {
        sa[k] = ToStd(in.a[k]);
        sb[k] = ToStd(in.b[k]);
    }
    LapackCascade ref(n);
    for (auto _ : state) {
        ref.Run(sa, sb, sc);
        benchmark::DoNotOptimize(sc[0].data());
    }
}

} // namespace

BENCHMARK(BM_MatInverse)->Arg(8)->Arg(40);
BENCHMARK(BM_LapackInverse)->Arg(8)->Arg(40);
BENCHMARK(BM_MatCascade)->Arg(8)->Arg(40);
BENCHMARK(BM_LapackCascade)->Arg(8)->Arg(40);

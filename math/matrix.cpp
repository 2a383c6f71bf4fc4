#include "math/matrix.h"

#include "math/contentcache.h"
#include "math/vectorpath.h"

#include <algorithm>
#include <utility>
#include <vector>

thread_local unsigned char g_MatError = 0;

void MatTranspose(const CComplex* A, CComplex* B, int p, int q)
{
    for (int i = 0; i < p; ++i)
        for (int j = 0; j < q; ++j)
            B[j * p + i] = A[i * q + j];
}

void MatAdd(const CComplex* A, const CComplex* B, CComplex* C, int p, int q)
{
    for (int i = 0; i < p * q; ++i)
        C[i] = A[i] + B[i];
}

void MatNeg(const CComplex* A, CComplex* B, int p, int q)
{
    for (int i = 0; i < p * q; ++i)
        B[i] = -A[i];
}

void MatSub(const CComplex* A, const CComplex* B, CComplex* C, int p, int q)
{
    for (int i = 0; i < p * q; ++i)
        C[i] = A[i] - B[i];
}

namespace {

// C (p x r) = op(A) * op(B) with op(A) p x q and op(B) q x r; a transposed
// operand is read across its rows.  The sum starts at zero and adds the terms
// in increasing k, left factor first, for every combination of complex and
// integer factors.
template <bool TransA, bool TransB, class TA, class TB, class TC>
[[gnu::always_inline]] inline void MatMulGeneric(const TA* A, const TB* B, TC* C, int p, int q, int r)
{
    for (int i = 0; i < p; ++i)
        for (int j = 0; j < r; ++j) {
            TC s{};
            for (int k = 0; k < q; ++k) {
                const TA& a = TransA ? A[k * p + i] : A[i * q + k];
                const TB& b = TransB ? B[j * q + k] : B[k * r + j];
                s += a * b;
            }
            C[i * r + j] = s;
        }
}

// C = A * B with neither operand transposed, row by row: every entry still
// starts at zero and adds its terms in increasing k, but the rows of B and C
// are read and written in order.  An output that overlaps an operand takes the
// plain form.
template <class TA, class TB, class TC>
[[gnu::always_inline]] inline void MatMulRows(const TA* A, const TB* B, TC* C, int p, int q, int r)
{
    const void* c = C;
    if (c == static_cast<const void*>(A) || c == static_cast<const void*>(B)) {
        MatMulGeneric<false, false>(A, B, C, p, q, r);
        return;
    }
    for (int i = 0; i < p; ++i) {
        TC* row = C + static_cast<std::size_t>(i) * r;
        // The first term is added to zero as it is written (no separate
        // clearing of the row).
        if (q == 0)
            for (int j = 0; j < r; ++j)
                row[j] = TC{};
        for (int k = 0; k < q; ++k) {
            const TA& a = A[i * q + k];
            const TB* b = B + static_cast<std::size_t>(k) * r;
            if (k == 0)
                for (int j = 0; j < r; ++j)
                    row[j] = TC{} + a * b[j];
            else
                for (int j = 0; j < r; ++j)
                    row[j] += a * b[j];
        }
    }
}

// The complex product on separate arrays of real and imaginary parts: B split
// into Bre and Bim (q x r), each row of C summed in cre and cim (r each).  Per
// entry the same operations as CComplex's product and sum, in increasing k:
// re += a.re*b.re - a.im*b.im, im += b.re*a.im + a.re*b.im; only the layout
// differs, so that four entries share each instruction.
[[gnu::always_inline]] inline void MatMulSplit(const CComplex* A, const CComplex* B, CComplex* C, int p, int q, int r,
                                               double* Bre, double* Bim, double* cre, double* cim)
{
    for (int k = 0; k < q * r; ++k) {
        Bre[k] = B[k].re;
        Bim[k] = B[k].im;
    }
    for (int i = 0; i < p; ++i) {
        // The sums start at zero: the first term is added to 0.0 (which turns
        // a -0 into +0, as the sum from zero does), in the same loop as the
        // others rather than after a separate clearing of the row.
        for (int k = 0; k < q; ++k) {
            const double are = A[i * q + k].re, aim = A[i * q + k].im;
            const double* bre = Bre + k * r;
            const double* bim = Bim + k * r;
            if (k == 0) {
                for (int j = 0; j < r; ++j) {
                    cre[j] = 0.0 + (are * bre[j] - aim * bim[j]);
                    cim[j] = 0.0 + (bre[j] * aim + are * bim[j]);
                }
                continue;
            }
            for (int j = 0; j < r; ++j) {
                cre[j] += are * bre[j] - aim * bim[j];
                cim[j] += bre[j] * aim + are * bim[j];
            }
        }
        if (q == 0)
            for (int j = 0; j < r; ++j)
                cre[j] = cim[j] = 0.0;
        CComplex* row = C + i * r;
        for (int j = 0; j < r; ++j)
            row[j] = CComplex(cre[j], cim[j]);
    }
}

// The complex product in its two builds; wide products take the split layout.
[[gnu::always_inline]] inline void MatMulBody(const CComplex* A, const CComplex* B, CComplex* C, int p, int q, int r)
{
    if (r < 8 || C == A || C == B) {
        MatMulRows(A, B, C, p, q, r);
        return;
    }
    thread_local std::vector<double> work;
    work.resize(2 * static_cast<std::size_t>(q) * r + 2 * static_cast<std::size_t>(r));
    double* Bre = work.data();
    double* Bim = Bre + static_cast<std::size_t>(q) * r;
    double* cre = Bim + static_cast<std::size_t>(q) * r;
    MatMulSplit(A, B, C, p, q, r, Bre, Bim, cre, cre + r);
}
[[gnu::always_inline]] inline void MatMulTransBBody(const CComplex* A, const CComplex* B, CComplex* C, int p, int q,
                                                    int r)
{
    MatMulGeneric<false, true>(A, B, C, p, q, r);
}
KESTRIN_TWO_BUILDS(void, MatMul, (const CComplex* A, const CComplex* B, CComplex* C, int p, int q, int r),
                   (A, B, C, p, q, r))
KESTRIN_TWO_BUILDS(void, MatMulTransB, (const CComplex* A, const CComplex* B, CComplex* C, int p, int q, int r),
                   (A, B, C, p, q, r))

} // namespace

void MatMulInt(const int* A, const int* B, int* C, int p, int q, int r)
{
    MatMulRows(A, B, C, p, q, r);
}

void MatMul(const CComplex* A, const CComplex* B, CComplex* C, int p, int q, int r)
{
    KESTRIN_DISPATCH(MatMul, (A, B, C, p, q, r));
}

void MatMulIntCx(const int* A, const CComplex* B, CComplex* C, int p, int q, int r)
{
    MatMulRows(A, B, C, p, q, r);
}

void MatMulCxInt(const CComplex* A, const int* B, CComplex* C, int p, int q, int r)
{
    MatMulRows(A, B, C, p, q, r);
}

void MatMulTransB(const CComplex* A, const CComplex* B, CComplex* C, int p, int q, int r)
{
    KESTRIN_DISPATCH(MatMulTransB, (A, B, C, p, q, r));
}

void MatMulCxIntTransB(const CComplex* A, const int* B, CComplex* C, int p, int q, int r)
{
    MatMulGeneric<false, true>(A, B, C, p, q, r);
}

void MatMulIntTransA(const int* A, const CComplex* B, CComplex* C, int p, int q, int r)
{
    MatMulGeneric<true, false>(A, B, C, p, q, r);
}

void MatMulTransA(const CComplex* A, const CComplex* B, CComplex* C, int p, int q, int r)
{
    MatMulGeneric<true, false>(A, B, C, p, q, r);
}

void MatCopy(const CComplex* A, CComplex* B, int p, int q)
{
    for (int i = 0; i < p * q; ++i)
        B[i] = A[i];
}

void MatCopyInt(const int* A, int* B, int p, int q)
{
    for (int i = 0; i < p * q; ++i)
        B[i] = A[i];
}

namespace {

// Gauss-Jordan elimination on the work copy W of A (n > 1); false on a pivot
// below kMinPivot.
[[gnu::always_inline]] inline bool MatInverseBody(CComplex* W, CComplex* X, int n)
{
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            X[i * n + j] = (i == j) ? CComplex(1.0, 0.0) : g_CZero;

    for (int c = 0; c < n; ++c) {
        // Partial pivoting on the modulus; the first of equal maxima wins.
        // An entry whose modulus is surely below the largest lower bound of
        // the column cannot be the pivot and needs no Abs.
        double floor = 0.0;
        for (int i = c; i < n; ++i) {
            const double lo = AbsLowerBound(W[i * n + c]);
            if (lo > floor)
                floor = lo;
        }
        double best = 0.0;
        int p = c;
        for (int i = c; i < n; ++i) {
            if (AbsUpperBound(W[i * n + c]) < floor)
                continue;
            double m = Abs(W[i * n + c]);
            if (m > best) {
                best = m;
                p = i;
            }
        }
        if (best < kMinPivot)
            return false;
        if (p != c) {
            for (int j = c; j < n; ++j)
                std::swap(W[c * n + j], W[p * n + j]);
            for (int j = 0; j < n; ++j)
                std::swap(X[c * n + j], X[p * n + j]);
        }
        CComplex d = W[c * n + c];
        for (int j = c + 1; j < n; ++j)
            W[c * n + j] = W[c * n + j] / d;
        for (int j = 0; j < n; ++j)
            X[c * n + j] = X[c * n + j] / d;
        for (int i = c + 1; i < n; ++i) {
            CComplex f = W[i * n + c];
            for (int j = c + 1; j < n; ++j)
                W[i * n + j] = W[i * n + j] - f * W[c * n + j];
            for (int j = 0; j < n; ++j)
                X[i * n + j] = X[i * n + j] - f * X[c * n + j];
        }
    }
    // Back substitution; the diagonal of W counts as 1.
    for (int l = n - 1; l >= 1; --l)
        for (int i = 0; i < l; ++i) {
            CComplex f = W[i * n + l];
            for (int j = 0; j < n; ++j)
                X[i * n + j] = X[i * n + j] - f * X[l * n + j];
        }
    return true;
}
KESTRIN_TWO_BUILDS(bool, MatInverse, (CComplex * W, CComplex* X, int n), (W, X, n))

} // namespace

void MatInverse(const CComplex* A, CComplex* X, int n)
{
    if (n == 1) {
        if (Abs(A[0]) < kMinPivot) {
            g_MatError = 2;
            return;
        }
        X[0] = 1.0 / A[0];
        return;
    }
    // The work copy of A is the thread's own and kept between calls.
    thread_local std::vector<CComplex> W;
    W.assign(A, A + n * n);
    if (!KESTRIN_DISPATCH(MatInverse, (W.data(), X, n)))
        g_MatError = 2;
}

void MatInverseKept(const CComplex* A, CComplex* X, int n)
{
    thread_local ContentCache<std::vector<CComplex>> inverses(16);
    const std::size_t count = static_cast<std::size_t>(n) * static_cast<std::size_t>(n);
    const std::size_t bytes = count * sizeof(CComplex);
    if (const std::vector<CComplex>* known = inverses.Find(A, bytes)) {
        std::copy(known->begin(), known->end(), X);
        return;
    }
    const std::vector<CComplex> key(A, A + count);  // X may be A
    const unsigned char before = g_MatError;
    g_MatError = 0;
    MatInverse(A, X, n);
    if (g_MatError == 0)
        inverses.Store(key.data(), bytes, std::vector<CComplex>(X, X + count));
    else
        return;
    g_MatError = before;
}

void MatScale(CComplex* A, const CComplex& z, int p, int q)
{
    for (int i = 0; i < p * q; ++i)
        A[i] = A[i] * z;
}

void MatScaleReal(CComplex* A, double d, int p, int q)
{
    for (int i = 0; i < p * q; ++i)
        A[i] = A[i] * d;
}

void MatDiagonal(const CComplex* A, CComplex* v, int n)
{
    // Reading index i*n + i >= i before writing v[i] makes v == A safe.
    for (int i = 0; i < n; ++i)
        v[i] = A[i * n + i];
}

void MatMulDiagRight(const CComplex* A, const CComplex* b, CComplex* C, int n)
{
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            C[i * n + j] = A[i * n + j] * b[j];
}

void MatMulDiagLeft(const CComplex* a, const CComplex* B, CComplex* C, int n)
{
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            C[i * n + j] = a[i] * B[i * n + j];
}

void VecReciprocal(const CComplex* a, CComplex* b, int n)
{
    for (int i = 0; i < n; ++i)
        b[i] = 1.0 / a[i];
}

void MatZero(CComplex* A, int n)
{
    for (int i = 0; i < n * n; ++i)
        A[i] = g_CZero;
}

void MatAddDiag(const CComplex* A, const CComplex* v, CComplex* C, int n)
{
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            C[i * n + j] = A[i * n + j] + (i == j ? 1 : 0) * v[i];
}

void NormalizeColumns(CComplex* M, int n)
{
    for (int j = 0; j < n; ++j) {
        CComplex d = M[j];
        if (d.re == 0.0 && d.im == 0.0)
            continue;
        for (int i = 0; i < n; ++i)
            M[i * n + j] = M[i * n + j] / d;
    }
}

#include "math/mirror.h"

#include "math/matrix.h"

#include <cstddef>
#include <vector>

thread_local signed char g_nLineSymmetry = -1;
thread_local signed char g_MirrorOrder[kMirrorOrderSize];

void ResetMirrorGlobals()
{
    g_nLineSymmetry = -1;
    for (signed char& t : g_MirrorOrder)
        t = 0;
}

namespace {

// M[T[x]][T[y]] for mirror positions x and y.
inline const CComplex& AtMirror(const CComplex* M, int n, int x, int y)
{
    return M[g_MirrorOrder[x] * n + g_MirrorOrder[y]];
}

} // namespace

void MirrorSplitAnti(const CComplex* M, int n, int q, int r, CComplex* A)
{
    // Built aside so that A may overwrite M.
    std::vector<CComplex> w(static_cast<std::size_t>(q) * q);
    for (int i = 0; i < q; ++i)
        for (int j = 0; j < q; ++j)
            w[i * q + j] = AtMirror(M, n, i, j) - AtMirror(M, n, i, j + r);
    MatCopy(w.data(), A, q, q);
}

void MirrorSplitSym(const CComplex* M, int n, int q, int r, CComplex* S)
{
    const int d = r - q;
    std::vector<CComplex> w(static_cast<std::size_t>(r) * r);
    for (int i = 0; i < d; ++i) {
        for (int j = 0; j < d; ++j)
            w[i * r + j] = AtMirror(M, n, q + i, q + j);
        for (int j = 0; j < q; ++j)
            w[i * r + d + j] = AtMirror(M, n, q + i, j) * kMirrorSqrt2;
    }
    for (int i = 0; i < q; ++i) {
        for (int j = 0; j < d; ++j)
            w[(d + i) * r + j] = AtMirror(M, n, i, q + j) * kMirrorSqrt2;
        for (int j = 0; j < q; ++j)
            w[(d + i) * r + d + j] = AtMirror(M, n, i, j) + AtMirror(M, n, i, j + r);
    }
    MatCopy(w.data(), S, r, r);
}

void MirrorSplit(const CComplex* M, int n, int q, int r, CComplex* out)
{
    MirrorSplitAnti(M, n, q, r, out);
    MirrorSplitSym(M, n, q, r, out + q * n);
}

void MirrorJoinAnti(const CComplex* Va, int n, int q, int r, CComplex* V)
{
    for (int i = 0; i < q; ++i)
        for (int j = 0; j < q; ++j) {
            const CComplex v = Va[i * q + j] / kMirrorSqrt2;
            V[i * n + j] = v;
            V[(r + i) * n + j] = -v;
        }
}

void MirrorJoinSym(const CComplex* Vs, int n, int q, int r, CComplex* V)
{
    const int d = r - q;
    for (int i = 0; i < d; ++i) {
        for (int j = 0; j < q; ++j)
            V[(q + i) * n + j] = g_CZero;
        for (int j = 0; j < r; ++j)
            V[(q + i) * n + q + j] = Vs[i * r + j];
    }
    for (int i = 0; i < q; ++i)
        for (int j = 0; j < r; ++j) {
            const CComplex v = Vs[(d + i) * r + j] / kMirrorSqrt2;
            V[i * n + q + j] = v;
            V[(r + i) * n + q + j] = v;
        }
}

void MirrorJoin(const CComplex* in, int n, int q, int r, CComplex* V)
{
    MirrorJoinAnti(in, n, q, r, V);
    MirrorJoinSym(in + q * n, n, q, r, V);
}

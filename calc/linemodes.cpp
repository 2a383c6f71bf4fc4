#include "calc/linemodes.h"

#include "math/eigen.h"
#include "math/matrix.h"
#include "math/mirror.h"

#include <cstddef>
#include <vector>

namespace {

using Matrix = std::vector<CComplex>;

inline std::size_t Sq(int n) { return static_cast<std::size_t>(n) * static_cast<std::size_t>(n); }

} // namespace

bool BuildMirrorOrder(const signed char* pairIds, int n, int q, int d)
{
    if (n > kMirrorOrderSize)
        return false;
    const int r = q + d;
    for (int i = 0; i < q; ++i) {
        int first = i;
        while (first < n && pairIds[first] != i + 1)
            ++first;
        int partner = first + 1;
        while (partner < n && pairIds[partner] != -(i + 1))
            ++partner;
        if (partner >= n)
            return false;
        g_MirrorOrder[i] = static_cast<signed char>(first);
        g_MirrorOrder[r + i] = static_cast<signed char>(partner);
    }
    int axis = 0;
    for (int c = 0; c < n; ++c) {
        if (pairIds[c] != 0)
            continue;
        if (axis == d)
            return false;
        g_MirrorOrder[q + axis++] = static_cast<signed char>(c);
    }
    return axis == d;
}

void DecomposeProduct(const CComplex* A, const CComplex* B, CComplex* V, CComplex* L, int n,
                      const signed char* pairIds)
{
    const int d = g_nLineSymmetry;
    const int q = d >= 0 && d < n ? (n - d) / 2 : 0;
    if (d < 0 || q == 0 || 2 * q + d != n || !pairIds || !BuildMirrorOrder(pairIds, n, q, d)) {
        EigenOfProduct(A, B, V, L, n);
        return;
    }
    const int r = q + d;
    Matrix Aa(Sq(q)), Ba(Sq(q)), Va(Sq(q)), As(Sq(r)), Bs(Sq(r)), Vs(Sq(r)), Vm(Sq(n));
    MirrorSplitAnti(A, n, q, r, Aa.data());
    MirrorSplitAnti(B, n, q, r, Ba.data());
    EigenOfProduct(Aa.data(), Ba.data(), Va.data(), L, q);
    MirrorJoinAnti(Va.data(), n, q, r, Vm.data());
    MirrorSplitSym(A, n, q, r, As.data());
    MirrorSplitSym(B, n, q, r, Bs.data());
    EigenOfProduct(As.data(), Bs.data(), Vs.data(), L + q, r);
    MirrorJoinSym(Vs.data(), n, q, r, Vm.data());
    // Row i of the joined matrix belongs to conductor g_MirrorOrder[i].
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            V[static_cast<std::size_t>(g_MirrorOrder[i]) * n + j] = Vm[static_cast<std::size_t>(i) * n + j];
}

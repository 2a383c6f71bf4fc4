#include "calc/linemodes.h"

#include "math/eigen.h"
#include "math/matrix.h"
#include "math/mirror.h"

#include <cstddef>
#include <vector>

void BuildMirrorOrder(const int* ids, int n, int d)
{
    const int q = (n - d) / 2, r = q + d;
    for (int i = 0; i < q; ++i) {
        int first = i;
        while (first < n && ids[first] != i + 1)
            ++first;
        int partner = first + 1;
        while (partner < n && ids[partner] != -(i + 1))
            ++partner;
        g_MirrorOrder[i] = static_cast<signed char>(first);
        g_MirrorOrder[r + i] = static_cast<signed char>(partner);
    }
    int k = q;
    for (int c = 0; c < n && k < r; ++c)
        if (ids[c] == 0)
            g_MirrorOrder[k++] = static_cast<signed char>(c);
}

void SolveModesMirrored(const CComplex* A, const CComplex* B, CComplex* V, CComplex* L, int n)
{
    const int d = g_nLineSymmetry, q = (n - d) / 2, r = q + d;
    const std::size_t nn = static_cast<std::size_t>(n) * n;
    std::vector<CComplex> As(nn), Bs(nn), W(nn), Vm(nn);
    if (q > 0) {
        MirrorSplitAnti(A, n, q, r, As.data());
        MirrorSplitAnti(B, n, q, r, Bs.data());
        EigenOfProduct(As.data(), Bs.data(), W.data(), L, q);
        MirrorJoinAnti(W.data(), n, q, r, Vm.data());
    }
    MirrorSplitSym(A, n, q, r, As.data());
    MirrorSplitSym(B, n, q, r, Bs.data());
    EigenOfProduct(As.data(), Bs.data(), W.data(), L + q, r);
    MirrorJoinSym(W.data(), n, q, r, Vm.data());
    // Row i of the joined matrix belongs to conductor g_MirrorOrder[i].
    for (int i = 0; i < n; ++i)
        MatCopy(Vm.data() + static_cast<std::size_t>(i) * n, V + static_cast<std::size_t>(g_MirrorOrder[i]) * n, 1, n);
}

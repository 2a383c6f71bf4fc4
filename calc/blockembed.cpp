#include "calc/blockembed.h"

#include "math/matrix.h"

#include <cmath>
#include <vector>

namespace {

// Positions of the selected conductors in index order, at most len of them.
std::vector<int> SelectedPositions(const std::uint8_t* flags, int len, int n)
{
    std::vector<int> pos;
    for (int i = 0; i < n && int(pos.size()) < len; ++i)
        if (flags[i] != 0)
            pos.push_back(i);
    return pos;
}

void ExpandOne(CComplex* matrix, const std::vector<int>& pos, int len, int n, double diagonal)
{
    std::vector<CComplex> packed(matrix, matrix + std::size_t(len) * std::size_t(len));
    MatZero(matrix, n);
    const int k = int(pos.size());
    for (int a = 0; a < k; ++a)
        for (int b = 0; b < k; ++b)
            matrix[pos[a] * n + pos[b]] = packed[std::size_t(a) * std::size_t(len) + std::size_t(b)];
    if (diagonal == 0.0)
        return;
    std::vector<bool> taken(std::size_t(n), false);
    for (int p : pos)
        taken[std::size_t(p)] = true;
    for (int i = 0; i < n; ++i)
        if (!taken[std::size_t(i)])
            matrix[i * n + i] = CComplex(diagonal, 0.0);
}

} // namespace

void SetStraightLink(int n, const TwoPortBlocks& blocks)
{
    SetSeriesLink(n, kStraightLinkSiemens, blocks);
}

void SetSeriesLink(int n, double y, const TwoPortBlocks& blocks)
{
    MatZero(blocks.Y0, n);
    MatZero(blocks.Y1, n);
    MatZero(blocks.Y2, n);
    for (int i = 0; i < n; ++i) {
        blocks.Y0[i * n + i] = CComplex(y, 0.0);
        blocks.Y1[i * n + i] = CComplex(-y, 0.0);
        blocks.Y2[i * n + i] = CComplex(-y, 0.0);
    }
}

int SelectedCount(const std::uint8_t* flags, int n)
{
    int count = 0;
    for (int i = 0; i < n; ++i)
        if (flags[i] != 0)
            ++count;
    return count;
}

void ExpandMatrix(CComplex* matrix, const std::uint8_t* flags, int len, int n)
{
    ExpandOne(matrix, SelectedPositions(flags, len, n), len, n, 0.0);
}

void ExpandElementBlocks(const TwoPortBlocks& blocks, const std::uint8_t* flags, int len, int n)
{
    const std::vector<int> pos = SelectedPositions(flags, len, n);
    ExpandOne(blocks.Y0, pos, len, n, kStraightLinkSiemens);
    ExpandOne(blocks.Y1, pos, len, n, -kStraightLinkSiemens);
    ExpandOne(blocks.Y2, pos, len, n, -kStraightLinkSiemens);
}

bool MatIsFinite(const CComplex* A, int p, int q)
{
    const std::size_t count = std::size_t(p) * std::size_t(q);
    for (std::size_t i = 0; i < count; ++i)
        if (!std::isfinite(A[i].re) || !std::isfinite(A[i].im))
            return false;
    return true;
}

bool BlocksAreFinite(const TwoPortBlocks& blocks, int n)
{
    return MatIsFinite(blocks.Y0, n, n) && MatIsFinite(blocks.Y1, n, n) && MatIsFinite(blocks.Y2, n, n);
}

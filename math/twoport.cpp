#include "math/twoport.h"

#include "math/complexlanes.h"
#include "math/matrix.h"
#include "math/vectorpath.h"

#include <vector>

void TwoPortStorage::resize(int n)
{
    m_n = n;
    m_y0.assign(static_cast<std::size_t>(n) * n, g_CZero);
    m_y1.assign(static_cast<std::size_t>(n) * n, g_CZero);
    m_y2.assign(static_cast<std::size_t>(n) * n, g_CZero);
}

namespace {

inline Pair Load(const CComplex& z) { return Pair{z.re, z.im}; }
inline Pair Swapped(Pair a) { return Pair{a[1], a[0]}; }

// row[j] -= (mik*rowK[j]) / pivot for j in [from, to), with the operations of
// CComplex's product and of the complex division whose divisor is m: the same
// roundings, a subtraction as the addition of a negated product.
[[gnu::always_inline]] inline void UpdatePairs(CComplex* row, const CComplex* rowK, const CComplex& mik,
                                               const CComplex& pivot, double m, int from, int to)
{
    const Pair mRe = {mik.re, mik.re}, mIm = {mik.im, mik.im};
    const Pair pRe = {pivot.re, pivot.re}, pIm = {pivot.im, pivot.im};
    const Pair minusPlus = {-1.0, 1.0}, plusMinus = {1.0, -1.0}, divisor = {m, m};
    // Two entries at a time in one register of four (one instruction in the
    // vector build, two in the portable one), the same operations per entry.
    Quad mRe4, mIm4, pRe4, pIm4;
    Broadcast(mik, mRe4, mIm4);
    Broadcast(pivot, pRe4, pIm4);
    const Quad plusMinus4 = {1.0, -1.0, 1.0, -1.0}, divisor4 = {m, m, m, m};
    int j = from;
    for (; j + 1 < to; j += 2) {
        Quad r, old, t;
        LoadTwo(rowK + j, r);
        LoadTwo(row + j, old);
        MulBroadcast(mRe4, mIm4, r, t);
        const Quad q = (t * pRe4 + (__builtin_shufflevector(t, t, 1, 0, 3, 2) * pIm4) * plusMinus4) / divisor4;
        StoreTwo(old - q, row + j);
    }
    for (; j < to; ++j) {
        const Pair r = Load(rowK[j]);
        // t = (mik.re*r.re - mik.im*r.im, r.re*mik.im + mik.re*r.im)
        const Pair t = mRe * r + (mIm * Swapped(r)) * minusPlus;
        // (t.re*p.re + t.im*p.im, p.re*t.im - t.re*p.im) / m
        const Pair q = (t * pRe + (Swapped(t) * pIm) * plusMinus) / divisor;
        const Pair updated = Load(row[j]) - q;
        row[j] = CComplex(updated[0], updated[1]);
    }
}

// The cascade on the nodal matrix M (3n x 3n) of the three node sets: near,
// joint, far.  Fixed is the order when it is known at compile time (0: use n),
// so that the loops of the common orders are laid out in full.
template <int Fixed>
[[gnu::always_inline]] inline bool CascadeBody(const TwoPortBlocks& A, const TwoPortBlocks& B, const TwoPortBlocks& C,
                                               int order, CComplex* M)
{
    const int n = Fixed ? Fixed : order;
    const int N = 3 * n;
    auto at = [=](int i, int j) -> CComplex& { return M[static_cast<std::size_t>(i) * N + j]; };
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            at(i, j) = A.Y0[i * n + j];
            at(i, n + j) = A.Y1[i * n + j];
            at(i, 2 * n + j) = g_CZero;
            at(n + i, j) = -A.Y1[j * n + i];
            at(n + i, n + j) = A.Y2[i * n + j] - B.Y0[i * n + j];
            at(n + i, 2 * n + j) = -B.Y1[i * n + j];
            at(2 * n + i, n + j) = -B.Y1[j * n + i];
            at(2 * n + i, 2 * n + j) = B.Y2[i * n + j];
        }
    // Eliminate the joint nodes one by one, no pivoting (no current leaves the
    // joint).  Each remaining entry becomes m_ij - (m_ik * m_kj) / pivot; the
    // far-to-near block is never read (the result takes the near-to-far one),
    // so it is not formed.
    for (int s = 0; s < n; ++s) {
        const int k = n + s;
        const CComplex pivot = at(k, k);
        // |pivot| < kMinPivot, by the bounds of the modulus where they decide.
        if (AbsUpperBound(pivot) < kMinPivot || (!(AbsLowerBound(pivot) >= kMinPivot) && Abs(pivot) < kMinPivot))
            return false;
        // The divisor of the complex division by the pivot, as every division forms it.
        const double m = pivot.re * pivot.re + pivot.im * pivot.im;
        const CComplex* rowK = &at(k, 0);
        // Two entries per register of four doubles, the divisions of both in
        // one instruction.
        auto update = [&](CComplex* row, const CComplex& mik, int from, int to) __attribute__((always_inline)) {
            UpdatePairs(row, rowK, mik, pivot, m, from, to);
        };
        for (int i = 0; i < N; ++i) {
            if (i >= n && i <= k)
                continue;
            CComplex* row = &at(i, 0);
            const CComplex mik = row[k];
            if (i < 2 * n)
                update(row, mik, 0, n);
            update(row, mik, k + 1, N);
        }
    }
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            C.Y0[i * n + j] = at(i, j);
            C.Y1[i * n + j] = at(i, 2 * n + j);
            C.Y2[i * n + j] = at(2 * n + i, 2 * n + j);
        }
    return true;
}

[[gnu::always_inline]] inline bool CascadeAnyBody(const TwoPortBlocks& A, const TwoPortBlocks& B,
                                                  const TwoPortBlocks& C, int n, CComplex* M)
{
    // Two circuits of three phases with two ground wires are 8 wires; one
    // circuit with its ground wire 4.
    if (n == 4)
        return CascadeBody<4>(A, B, C, n, M);
    if (n == 8)
        return CascadeBody<8>(A, B, C, n, M);
    return CascadeBody<0>(A, B, C, n, M);
}
KESTRIN_TWO_BUILDS(bool, CascadeAny,
                   (const TwoPortBlocks& A, const TwoPortBlocks& B, const TwoPortBlocks& C, int n, CComplex* M),
                   (A, B, C, n, M))

} // namespace

void MatCascade(const TwoPortBlocks& A, const TwoPortBlocks& B, const TwoPortBlocks& C, int n)
{
    // The nodal matrix is the thread's own and kept between calls.
    thread_local std::vector<CComplex> work;
    work.resize(static_cast<std::size_t>(3 * n) * (3 * n));
    if (!KESTRIN_DISPATCH(CascadeAny, (A, B, C, n, work.data())))
        g_MatError = 2;
}

void TwoPortShuntNear(const CComplex* Y, const TwoPortBlocks& T, const TwoPortBlocks& out, int n)
{
    MatAdd(T.Y0, Y, out.Y0, n, n);
    if (out.Y1 != T.Y1)
        MatCopy(T.Y1, out.Y1, n, n);
    if (out.Y2 != T.Y2)
        MatCopy(T.Y2, out.Y2, n, n);
}

void TwoPortShuntFar(const TwoPortBlocks& T, const CComplex* Y, const TwoPortBlocks& out, int n)
{
    if (out.Y0 != T.Y0)
        MatCopy(T.Y0, out.Y0, n, n);
    if (out.Y1 != T.Y1)
        MatCopy(T.Y1, out.Y1, n, n);
    MatSub(T.Y2, Y, out.Y2, n, n);
}

void TwoPortConnectNear(const int* P, const TwoPortBlocks& T, const TwoPortBlocks& out, int n)
{
    std::vector<CComplex> w(static_cast<std::size_t>(n) * n);
    MatMulIntCx(P, T.Y0, w.data(), n, n, n);
    MatMulCxIntTransB(w.data(), P, out.Y0, n, n, n);
    MatMulIntCx(P, T.Y1, out.Y1, n, n, n);
    MatCopy(T.Y2, out.Y2, n, n);
}

void TwoPortConnectFar(const TwoPortBlocks& T, const int* P, const TwoPortBlocks& out, int n)
{
    std::vector<CComplex> w(static_cast<std::size_t>(n) * n);
    MatCopy(T.Y0, out.Y0, n, n);
    MatMulCxInt(T.Y1, P, out.Y1, n, n, n);
    MatMulIntTransA(P, T.Y2, w.data(), n, n, n);
    MatMulCxInt(w.data(), P, out.Y2, n, n, n);
}

namespace {

// Copies the sub-block rows [r0, r0+rows) x columns [c0, c0+cols) of an N x N matrix.
std::vector<CComplex> SubBlock(const CComplex* M, int N, int r0, int rows, int c0, int cols)
{
    std::vector<CComplex> b(static_cast<std::size_t>(rows) * cols);
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j)
            b[static_cast<std::size_t>(i) * cols + j] = M[(r0 + i) * N + c0 + j];
    return b;
}

std::vector<CComplex> Transposed(const std::vector<CComplex>& A, int p, int q)
{
    std::vector<CComplex> t(static_cast<std::size_t>(p) * q);
    MatTranspose(A.data(), t.data(), p, q);
    return t;
}

// L * (K * R): the inverse K times the right factor first.
std::vector<CComplex> MulInvFirst(const std::vector<CComplex>& L, const std::vector<CComplex>& K,
                                  const std::vector<CComplex>& R, int p, int s, int q)
{
    std::vector<CComplex> kr(static_cast<std::size_t>(s) * q), out(static_cast<std::size_t>(p) * q);
    MatMul(K.data(), R.data(), kr.data(), s, s, q);
    MatMul(L.data(), kr.data(), out.data(), p, s, q);
    return out;
}

// (L * K) * R: the left factor times the inverse first.
std::vector<CComplex> MulLeftFirst(const std::vector<CComplex>& L, const std::vector<CComplex>& K,
                                   const std::vector<CComplex>& R, int p, int s, int q)
{
    std::vector<CComplex> lk(static_cast<std::size_t>(p) * s), out(static_cast<std::size_t>(p) * q);
    MatMul(L.data(), K.data(), lk.data(), p, s, s);
    MatMul(lk.data(), R.data(), out.data(), p, s, q);
    return out;
}

void AddTo(CComplex* out, const std::vector<CComplex>& v)
{
    for (std::size_t i = 0; i < v.size(); ++i)
        out[i] = out[i] + v[i];
}

void SubFrom(CComplex* out, const std::vector<CComplex>& v)
{
    for (std::size_t i = 0; i < v.size(); ++i)
        out[i] = out[i] - v[i];
}

} // namespace

void TwoPortReduce(const TwoPortBlocks& T, const CComplex* YLnear, const CComplex* YLfar,
                   const TwoPortBlocks& out, unsigned char codeNear, unsigned char codeFar, int r, int s)
{
    const int N = r + s;
    if (s == 0) {
        MatCopy(T.Y0, out.Y0, r, r);
        MatCopy(T.Y1, out.Y1, r, r);
        MatCopy(T.Y2, out.Y2, r, r);
        return;
    }
    // Split each block into port (p) and other (o) conductors.
    auto pp = [&](const CComplex* M) { return SubBlock(M, N, 0, r, 0, r); };
    auto po = [&](const CComplex* M) { return SubBlock(M, N, 0, r, r, s); };
    auto op = [&](const CComplex* M) { return SubBlock(M, N, r, s, 0, r); };
    auto oo = [&](const CComplex* M) { return SubBlock(M, N, r, s, r, s); };

    const auto T0pp = pp(T.Y0), T1pp = pp(T.Y1), T2pp = pp(T.Y2);
    const auto T0po = po(T.Y0), T0op = op(T.Y0), T0oo = oo(T.Y0);
    const auto T1po = po(T.Y1), T1op = op(T.Y1), T1oo = oo(T.Y1);
    const auto T2po = po(T.Y2), T2op = op(T.Y2), T2oo = oo(T.Y2);

    std::vector<CComplex> Y0 = T0pp, Y1 = T1pp, Y2 = T2pp;
    const std::size_t ss = static_cast<std::size_t>(s) * s;

    std::vector<CComplex> C;
    if (codeFar != 1) {
        C = T2oo;
        if (codeFar == 0)
            for (std::size_t i = 0; i < ss; ++i)
                C[i] = C[i] - YLfar[i];
    }

    std::vector<CComplex> F;
    if (codeNear != 1) {
        std::vector<CComplex> G = T0oo;
        if (codeNear == 0)
            for (std::size_t i = 0; i < ss; ++i)
                G[i] = G[i] + YLnear[i];
        std::vector<CComplex> A(ss);
        MatNeg(G.data(), A.data(), s, s);
        F.resize(ss);
        MatInverse(G.data(), F.data(), s);
        std::vector<CComplex> B = T0op;
        std::vector<CComplex> E;
        if (codeFar == 1) {
            E = T1op;
        } else {
            std::vector<CComplex> K(ss);
            MatInverse(C.data(), K.data(), s);
            const auto T1ooT = Transposed(T1oo, s, s);
            const auto T1poT = Transposed(T1po, r, s);
            SubFrom(A.data(), MulInvFirst(T1oo, K, T1ooT, s, s, s));
            AddTo(B.data(), MulInvFirst(T1oo, K, T1poT, s, s, r));
            E = T1op;
            SubFrom(E.data(), MulInvFirst(T1oo, K, T2op, s, s, r));
        }
        MatInverse(A.data(), A.data(), s);
        AddTo(Y0.data(), MulLeftFirst(T0po, A, B, r, s, r));
        AddTo(Y1.data(), MulLeftFirst(T0po, A, E, r, s, r));
        const auto T1opT = Transposed(T1op, s, r);
        SubFrom(Y2.data(), MulLeftFirst(T1opT, A, E, r, s, r));
    }

    if (codeFar != 1) {
        std::vector<CComplex> D = Transposed(T1po, r, s);
        std::vector<CComplex> H(static_cast<std::size_t>(s) * r);
        if (codeNear == 1) {
            MatNeg(T2op.data(), H.data(), s, r);
        } else {
            const auto T1ooT = Transposed(T1oo, s, s);
            AddTo(C.data(), MulInvFirst(T1ooT, F, T1oo, s, s, s));
            SubFrom(D.data(), MulInvFirst(T1ooT, F, T0op, s, s, r));
            const auto t = MulInvFirst(T1ooT, F, T1op, s, s, r);
            for (std::size_t i = 0; i < H.size(); ++i)
                H[i] = -t[i] - T2op[i];
        }
        MatInverse(C.data(), C.data(), s);
        AddTo(Y0.data(), MulLeftFirst(T1po, C, D, r, s, r));
        AddTo(Y1.data(), MulLeftFirst(T1po, C, H, r, s, r));
        AddTo(Y2.data(), MulLeftFirst(T2po, C, H, r, s, r));
    }

    MatCopy(Y0.data(), out.Y0, r, r);
    MatCopy(Y1.data(), out.Y1, r, r);
    MatCopy(Y2.data(), out.Y2, r, r);
}

void TwoPortInputMatrix(const TwoPortBlocks& T, const CComplex* YL, CComplex* out, int n)
{
    std::vector<CComplex> W(static_cast<std::size_t>(n) * n);
    MatSub(T.Y2, YL, W.data(), n, n);
    MatInverse(W.data(), out, n);
    MatMul(T.Y1, out, W.data(), n, n, n);
    MatMulTransB(W.data(), T.Y1, out, n, n, n);
    MatAdd(out, T.Y0, out, n, n);
}

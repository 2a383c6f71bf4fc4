#include "math/eigen.h"

#include "math/complexlanes.h"
#include "math/contentcache.h"
#include "math/matrix.h"
#include "math/symeigen.h"
#include "math/vectorpath.h"

#include <cmath>
#include <cstddef>
#include <vector>

namespace {

// Complex orthogonal rotations are not unitary: on a matrix far from real (not
// the matrices of a line) they can grow the couplings as fast as they remove
// them, and a sweep would never end.  Convergent problems need a few dozen
// passes; past this many the sweeps are given up and the decomposition is
// made by the unitary method instead.
constexpr int kMaxJacobiPasses = 2000;

// Sweeps that converge never let a coupling grow past the size of the whole
// starting matrix (the worst seen on lines is half of it).  Past ten times that
// size the rotations are diverging: they would go on until the entries
// overflow, so the sweeps stop at once.
constexpr double kDivergentGrowth = 10.0;

bool AllFinite(const CComplex* z, int count)
{
    for (int i = 0; i < count; ++i)
        if (!std::isfinite(z[i].re) || !std::isfinite(z[i].im))
            return false;
    return true;
}

std::vector<CComplex> WorkMatrix(int n)
{
    return std::vector<CComplex>(static_cast<std::size_t>(n) * n, g_CZero);
}

// The Jacobi work matrix is held in full and kept symmetric, so that both
// rows a rotation changes lie in order in memory; the columns are their
// mirror image, copied after the rows are rotated.
class SymmetricWork {
public:
    SymmetricWork(CComplex* w, int n) : m_w(w), m_n(n) {}
    CComplex& at(int i, int j) { return m_w[i * m_n + j]; }
    CComplex* row(int i) { return m_w + i * m_n; }
    // Sets W[i][j] and W[j][i].
    void set(int i, int j, const CComplex& z) { at(i, j) = at(j, i) = z; }

private:
    CComplex* m_w;
    int m_n;
};

// Rotates two rows of entries k in [from, to): the couplings of p and q with
// every other k (or the eigenvectors), each entry as
// (c*P - s*Q, s*P + c*Q).
[[gnu::always_inline]] inline void RotateRows(CComplex* rp, CComplex* rq, int from, int to, const CComplex& c,
                                              const CComplex& s)
{
    // Two entries at a time; the products commute bit for bit, so the same
    // code serves the eigenvectors' (P*c - Q*s, P*s + Q*c).
    Quad cRe, cIm, sRe, sIm;
    Broadcast(c, cRe, cIm);
    Broadcast(s, sRe, sIm);
    int k = from;
    for (; k + 1 < to; k += 2) {
        Quad P, Q, cP, sQ, sP, cQ;
        LoadTwo(rp + k, P);
        LoadTwo(rq + k, Q);
        MulBroadcast(cRe, cIm, P, cP);
        MulBroadcast(sRe, sIm, Q, sQ);
        MulBroadcast(sRe, sIm, P, sP);
        MulBroadcast(cRe, cIm, Q, cQ);
        StoreTwo(cP - sQ, rp + k);
        StoreTwo(sP + cQ, rq + k);
    }
    for (; k < to; ++k) {
        const CComplex oldP = rp[k], oldQ = rq[k];
        rp[k] = c * oldP - s * oldQ;
        rq[k] = s * oldP + c * oldQ;
    }
}

// Rotates the pair (p, q) of the work matrix so that W[p][q] becomes (nearly)
// zero, and the eigenvectors with it (Vt: their matrix transposed, so that
// the two columns a rotation changes lie in order in memory).  t is the
// threshold of the current sweep.
[[gnu::always_inline]] inline void RotatePair(SymmetricWork W, CComplex* Vt, int n, int p, int q, double t)
{
    const CComplex a = W.at(p, p), d = W.at(q, q), b = W.at(p, q);

    // tan(2phi) = b/theta; S = sin(2phi) and C = cos(2phi) are both taken from
    // principal roots, the sign of the pair (s, sc) is settled by the residual.
    const CComplex theta = (d - a) * 0.5;
    const CComplex tau = theta / b;
    const CComplex S = 1.0 / Sqrt(1.0 + tau * tau);
    CComplex C = g_CZero;
    // Equal diagonal entries: b/theta is 0/0, but the limit of the rotation is
    // the 45-degree one, cos(2phi) = 0.  Dividing would turn the eigenvalues
    // into NaN and spread them through the whole calculation.
    if (theta.re != 0.0 || theta.im != 0.0) {
        const CComplex beta = b / theta;
        C = 1.0 / Sqrt(1.0 + beta * beta);
    }
    const CComplex c = Sqrt(1.0 + C) / std::sqrt(2.0);
    CComplex s = (S / c) / 2.0;
    const CComplex s2 = s * s;
    const CComplex c2 = 1.0 - s2;
    CComplex sc = S / 2.0;

    CComplex r = (a - d) * sc + b * (c2 - s2);
    // |r| > t/100, decided by the bounds of the modulus where they can.
    const double limit = 0.01 * t;
    const bool flip = AbsLowerBound(r) > limit || (!(AbsUpperBound(r) <= limit) && Abs(r) > limit);
    if (flip) {
        s = -s;
        sc = -sc;
        r = (a - d) * sc + b * (c2 - s2);
    }

    // The couplings of p and q with every other k: rows p and q, then their
    // mirror in columns p and q.
    CComplex* rp = W.row(p);
    CComplex* rq = W.row(q);
    RotateRows(rp, rq, 0, p, c, s);
    RotateRows(rp, rq, p + 1, q, c, s);
    RotateRows(rp, rq, q + 1, n, c, s);
    for (int k = 0; k < n; ++k) {
        W.at(k, p) = rp[k];
        W.at(k, q) = rq[k];
    }
    // The eigenvectors are held transposed: columns p and q are rows here.
    RotateRows(Vt + p * n, Vt + q * n, 0, n, c, s);

    const CComplex u = (2.0 * b) * sc;
    W.at(p, p) = a * c2 + d * s2 - u;
    W.at(q, q) = a * s2 + d * c2 + u;
    // The residual is kept rather than forced to zero.
    W.set(p, q, r);
}

// The threshold sweeps over the upper triangle; off is the sum of the squared
// moduli of the triangle, diagonal included.  False when they have not
// converged within kMaxJacobiPasses passes, or diverge: a coupling grows past
// kDivergentGrowth times the size of the matrix or is not a number.
[[gnu::always_inline]] inline bool RunSweepsBody(CComplex* w, CComplex* Vt, int n, double off)
{
    SymmetricWork W(w, n);
    const double sigma = std::sqrt(off);
    const double eps = (sigma / n) * 1e-12;
    const double divergent = kDivergentGrowth * sigma;
    // The threshold falls by a factor n per sweep, so that small couplings are
    // left alone until the large ones are gone.
    double t = sigma;
    double m;
    int passes = 0;
    // The couplings whose modulus may be the largest of the pass, as they were
    // when the scan met them: only the largest counts (the next threshold), so
    // their moduli are taken at the end of the pass, and only of those whose
    // upper bound reaches the largest lower bound seen.
    struct Candidate {
        CComplex w;
        double upper;
    };
    thread_local std::vector<Candidate> candidates;
    candidates.resize(static_cast<std::size_t>(n) * n / 2 + 1);
    do {
        t = t / n;
        bool changed;
        do {
            if (++passes > kMaxJacobiPasses)
                return false;
            changed = false;
            std::size_t count = 0;
            double floor = 0.0;  // the largest lower bound of the pass
            for (int p = 0; p < n - 1; ++p)
                for (int q = p + 1; q < n; ++q) {
                    const CComplex w = W.at(p, q);
                    const double upper = AbsUpperBound(w), lower = AbsLowerBound(w);
                    // Divergence (or not a number) is decided at once.
                    if (!(upper <= divergent) && !(Abs(w) <= divergent))
                        return false;
                    if (upper >= floor)
                        candidates[count++] = Candidate{w, upper};
                    if (lower > floor)
                        floor = lower;
                    // |w| >= t, by the bounds where they decide.
                    if (lower >= t || (!(upper < t) && Abs(w) >= t)) {
                        RotatePair(W, Vt, n, p, q, t);
                        changed = true;
                    }
                }
            m = 0.0; // the largest modulus seen in this pass
            for (std::size_t i = 0; i < count; ++i)
                if (!(candidates[i].upper < floor)) {
                    const double g = Abs(candidates[i].w);
                    if (g > m)
                        m = g;
                }
        } while (changed);
        t = m;
    } while (m > eps);
    return true;
}
KESTRIN_TWO_BUILDS(bool, RunSweeps, (CComplex * w, CComplex* Vt, int n, double off), (w, Vt, n, off))

} // namespace

void CholeskySym(const CComplex* A, CComplex* G, int n)
{
    MatZero(G, n);
    for (int j = 0; j < n; ++j) {
        CComplex diag = A[j * n + j];
        for (int k = 0; k < j; ++k)
            diag -= G[j * n + k] * G[j * n + k];
        const CComplex gjj = Sqrt(diag);
        G[j * n + j] = gjj;
        for (int i = j + 1; i < n; ++i) {
            CComplex v = A[j * n + i];
            for (int k = 0; k < j; ++k)
                v -= G[j * n + k] * G[i * n + k];
            G[i * n + j] = v / gjj;
        }
    }
}

void InvertLowerTri(const CComplex* G, CComplex* X, int n)
{
    for (int i = 0; i < n; ++i)
        for (int j = i; j < n; ++j) {
            CComplex& x = X[j * n + i];
            x = CComplex(j == i ? 1.0 : 0.0, 0.0);
            for (int k = i; k < j; ++k)
                x -= G[j * n + k] * X[k * n + i];
            x = x / G[j * n + j];
        }
}

namespace {

// The triangular products row by row: every entry still starts at zero and
// adds its terms in increasing k, while the rows of the right factor and of
// the result are read and written in order.
[[gnu::always_inline]] inline void MulLowerTriBody(const CComplex* G, const CComplex* B, CComplex* C, int n)
{
    for (int i = 0; i < n; ++i) {
        CComplex* row = C + i * n;
        for (int j = 0; j < n; ++j)
            row[j] = g_CZero;
        for (int k = 0; k <= i; ++k) {
            const CComplex g = G[i * n + k];
            const CComplex* b = B + k * n;
            for (int j = 0; j < n; ++j)
                row[j] += g * b[j];
        }
    }
}
KESTRIN_TWO_BUILDS(void, MulLowerTri, (const CComplex* G, const CComplex* B, CComplex* C, int n), (G, B, C, n))

// Gt: G transposed (its upper triangle is read).
[[gnu::always_inline]] inline void MulLowerTriTBody(const CComplex* A, const CComplex* Gt, CComplex* C, int n)
{
    for (int i = 0; i < n; ++i) {
        CComplex* row = C + i * n;
        for (int j = 0; j < n; ++j)
            row[j] = g_CZero;
        for (int k = 0; k < n; ++k) {
            const CComplex a = A[i * n + k];
            const CComplex* g = Gt + k * n;
            for (int j = k; j < n; ++j)
                row[j] += a * g[j];
        }
    }
}
KESTRIN_TWO_BUILDS(void, MulLowerTriT, (const CComplex* A, const CComplex* Gt, CComplex* C, int n), (A, Gt, C, n))

} // namespace

void MulLowerTri(const CComplex* G, const CComplex* B, CComplex* C, int n)
{
    KESTRIN_DISPATCH(MulLowerTri, (G, B, C, n));
}

void MulLowerTriT(const CComplex* A, const CComplex* G, CComplex* C, int n)
{
    thread_local std::vector<CComplex> gt;
    gt.resize(static_cast<std::size_t>(n) * n);
    MatTranspose(G, gt.data(), n, n);
    KESTRIN_DISPATCH(MulLowerTriT, (A, gt.data(), C, n));
}

void JacobiSym(const CComplex* A, CComplex* V, CComplex* L, int n)
{
    if (n <= 0)
        return;
    thread_local std::vector<CComplex> w;
    w.assign(static_cast<std::size_t>(n) * n, g_CZero);

    // The size measure includes the diagonal (each pair once).
    double off = 0.0;
    for (int i = 0; i < n; ++i)
        for (int j = i; j < n; ++j) {
            w[i * n + j] = w[j * n + i] = A[i * n + j];
            const double m = Abs(A[i * n + j]);
            off += m * m;
        }
    MatZero(V, n);
    for (int i = 0; i < n; ++i)
        V[i * n + i] = CComplex(1.0, 0.0);

    const bool rotated = !(off < 1e-30);
    bool converged = true;
    if (rotated) {
        thread_local std::vector<CComplex> vt;
        vt.assign(V, V + static_cast<std::size_t>(n) * n);  // the identity is its own transpose
        converged = KESTRIN_DISPATCH(RunSweeps, (w.data(), vt.data(), n, off));
        MatTranspose(vt.data(), V, n, n);
    }
    for (int i = 0; i < n; ++i)
        L[i] = w[i * n + i];

    // Where the rotations fail (a tight cluster of eigenvalues spread in every
    // complex direction, as on a wide line), the unitary method gives the same
    // decomposition; sweeps that converged accurately keep their results.
    if (converged && (!rotated || SymEigenAccurate(A, V, L, n)))
        return;
    if (!SymEigenByQR(A, V, L, n))
        g_MatError = 2;
}

void EigenOfProduct(const CComplex* A, const CComplex* B, CComplex* V, CComplex* L, int n)
{
    if (n <= 0)
        return;
    if (n == 1) {
        V[0] = CComplex(1.0, 0.0);
        L[0] = A[0] * B[0];
        if (!AllFinite(L, 1))
            g_MatError = 2;
        return;
    }
    std::vector<CComplex> w1 = WorkMatrix(n), g = WorkMatrix(n), w3 = WorkMatrix(n);

    // B^-1 = G*G^T, so B = H^T*H with H = G^-1, and A*B*V = V*L becomes the
    // symmetric problem (H*A*H^T)*Y = Y*L with V = G*Y.  G and H depend on B
    // alone (for a line the same at every frequency): kept per thread.
    struct Factors {
        std::vector<CComplex> g, h;
    };
    thread_local ContentCache<Factors> factors(8);
    const std::size_t bytes = static_cast<std::size_t>(n) * n * sizeof(CComplex);
    if (const Factors* known = factors.Find(B, bytes)) {
        g = known->g;
        w1 = known->h;
    } else {
        const unsigned char before = g_MatError;
        g_MatError = 0;
        MatInverse(B, w1.data(), n);
        CholeskySym(w1.data(), g.data(), n);
        InvertLowerTri(g.data(), w1.data(), n);
        if (g_MatError == 0 && AllFinite(g.data(), n * n) && AllFinite(w1.data(), n * n))
            factors.Store(B, bytes, Factors{g, w1});
        g_MatError = g_MatError ? g_MatError : before;
    }
    MulLowerTri(w1.data(), A, V, n);
    MulLowerTriT(V, w1.data(), w3.data(), n);
    JacobiSym(w3.data(), w1.data(), L, n);
    MulLowerTri(g.data(), w1.data(), V, n);
    // A zero pivot of the Cholesky factor, or a decomposition that failed,
    // leaves values that are not numbers: they must stop the calculation
    // rather than spread through it.
    if (!AllFinite(V, n * n) || !AllFinite(L, n))
        g_MatError = 2;
}

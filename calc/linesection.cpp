#include "calc/linesection.h"

#include "calc/blockembed.h"
#include "calc/calcglobals.h"
#include "calc/linemodes.h"
#include "math/eigen.h"
#include "math/linecalc.h"
#include "math/matrix.h"
#include "math/mirror.h"
#include "model/lines.h"
#include "model/modelglobals.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>
#include <vector>

namespace {

constexpr double kPi = 3.1415926536;

using Matrix = std::vector<CComplex>;

inline std::size_t Sq(int n) { return static_cast<std::size_t>(n) * static_cast<std::size_t>(n); }

// The modes of a uniform line: voltage mode matrix V, O = V^-1, current mode
// matrix U = O^T, propagation constants gamma (1/m), modal characteristic
// admittances y (S), and W = U*diag(y).
struct LineModes {
    Matrix V, O, U, W;
    std::vector<CComplex> gamma, y;
};

// The modal solution of E*B: modes, propagation constants and the modal
// characteristic admittances.  In modal mode V and U are normalised to 1 in
// row 0, and y is expressed in those normalised modes.  False after a
// singular matrix in the eigen-solution.
bool SolveLineModes(const CComplex* E, const CComplex* B, int n, LineModes& m)
{
    m.V.assign(Sq(n), g_CZero);
    m.O.assign(Sq(n), g_CZero);
    m.U.assign(Sq(n), g_CZero);
    m.W.assign(Sq(n), g_CZero);
    m.gamma.assign(static_cast<std::size_t>(n), g_CZero);
    m.y.assign(static_cast<std::size_t>(n), g_CZero);
    std::vector<CComplex> lambda(static_cast<std::size_t>(n));

    DecomposeProduct(E, B, m.V.data(), lambda.data(), n, g_SymWires);
    if (g_MatError == 2)
        return false;
    if (g_bModalMode)
        NormalizeColumns(m.V.data(), n);
    MatInverse(m.V.data(), m.O.data(), n);
    MatTranspose(m.O.data(), m.U.data(), n, n);
    if (g_bModalMode)
        NormalizeColumns(m.U.data(), n);

    // E*B = (Z*Y) / (-(w/c)^2) - I, so gamma^2 = -(w/c)^2 * (1 + lambda).
    const double omega = g_jOmega.im;
    for (int k = 0; k < n; ++k)
        m.gamma[k] = omega * Sqrt(-lambda[k] - 1.0) / 300000000.0;

    // Modal characteristic impedance gamma_k / (modal shunt admittance): the
    // diagonal of diag(gamma)*O*P*U times 1/(j*w*2*pi*eps0).
    Matrix P(B, B + Sq(n)), t1(Sq(n)), t2(Sq(n));
    MatInverseKept(P.data(), P.data(), n);
    MatMulDiagLeft(m.gamma.data(), m.O.data(), t1.data(), n);
    MatMul(t1.data(), P.data(), t2.data(), n, n, n);
    MatMul(t2.data(), m.U.data(), t1.data(), n, n, n);
    for (int k = 0; k < n; ++k) {
        CComplex z = t1[static_cast<std::size_t>(k) * n + k];
        m.y[k] = 1.0 / (z * 18000000000.0 / g_jOmega);
    }
    MatMulDiagRight(m.U.data(), m.y.data(), m.W.data(), n);
    return true;
}

// Y11 = W*diag(c)*O and Y12 = W*diag(s)*O of a uniform line of the given
// length, with c = coth(gamma*l) and s = -csch(gamma*l).
void UniformBlocks(const CComplex* O, const CComplex* W, const CComplex* gamma, int n, double length,
                   CComplex* Y11, CComplex* Y12)
{
    // Work vectors of the thread, kept between calls: a line of random spans
    // comes here once per span at every frequency.
    thread_local std::vector<CComplex> c, s, t;
    c.resize(static_cast<std::size_t>(n)), s.resize(static_cast<std::size_t>(n)), t.resize(Sq(n));
    for (int k = 0; k < n; ++k) {
        CComplex gl = gamma[k] * length, csch;
        CothCsch(gl, c[k], csch);
        s[k] = -csch;
    }
    MatMulDiagRight(W, c.data(), t.data(), n);
    MatMul(t.data(), O, Y11, n, n, n);
    MatMulDiagRight(W, s.data(), t.data(), n);
    MatMul(t.data(), O, Y12, n, n, n);
}

void UniformBlocks(const LineModes& m, int n, double length, CComplex* Y11, CComplex* Y12)
{
    UniformBlocks(m.O.data(), m.W.data(), m.gamma.data(), n, length, Y11, Y12);
}

// The finished section: blocks of the given length from its modes, kept in the
// current line record when it asks (and storing is allowed).
void WriteSectionBlocks(const LineModes& m, const TwoPortBlocks& out, int n, double length, bool store)
{
    LineCalcRecord* rec = store ? g_pCurLineRec : nullptr;
    if (rec && (rec->flags & kLineRecStoreModal) && rec->p4 && rec->p5 && rec->p6) {
        MatCopy(m.O.data(), rec->p4, n, n);
        MatCopy(m.W.data(), rec->p5, n, n);
        for (int k = 0; k < n; ++k)
            rec->p6[k] = m.gamma[k];
    }
    UniformBlocks(m, n, length, out.Y0, out.Y1);
    MatNeg(out.Y0, out.Y2, n, n);
    if (rec && (rec->flags & kLineRecStoreBlocks) && rec->p1 && rec->p2 && rec->p3) {
        MatCopy(out.Y0, rec->p1, n, n);
        MatCopy(out.Y1, rec->p2, n, n);
        MatCopy(out.Y2, rec->p3, n, n);
    }
}

// Modal output: mode matrices in Y0 and Y1, gamma in row 0 and y in row 1 of Y2.
void WriteModalData(const Matrix& V, const Matrix& U, const std::vector<CComplex>& gamma,
                    const std::vector<CComplex>& y, const TwoPortBlocks& out, int n)
{
    MatCopy(V.data(), out.Y0, n, n);
    MatCopy(U.data(), out.Y1, n, n);
    // The caller's third matrix has two rows even for a single wire, so a
    // one-wire line keeps its wave admittance too.
    for (int k = 0; k < n; ++k) {
        out.Y2[k] = gamma[k];
        out.Y2[n + k] = y[k];
    }
}

// The branch of a modal phase nearest to a reference: how many times pi to add
// to cur so that it comes closest to ref from below or above (never lowering
// it); -1 when the reference is out of all range.
double PhaseSteps(double cur, double ref)
{
    double dist = std::fabs(cur - ref);
    if (!(dist < 1e33))
        return dist >= 1e33 ? -1.0 : 0.0;
    double gap = ref - cur;
    if (gap > 1e6 * kPi) // closed form of the count below, for far references
        return std::ceil(gap / kPi + 0.5) - 1;
    double steps = 0;
    for (int i = 1;; ++i) {
        double next = std::fabs(i * kPi + cur - ref);
        if (!(next < dist))
            break;
        dist = next;
        steps = i;
    }
    return steps;
}

// The modes of a symmetric composite cell (self block A0, transfer block X):
// eigenvectors R of A0^-1*(A0 - X*A0^-1*X) in the columns and eigenvalues
// mu_k = tanh^2(g_k), g_k the mode's length in nepers and radians.
//
// A mode attenuated by more than some 7 Np over the cell has mu within 1e-6
// of 1: mu = 1 - sech^2(g) keeps sech^2(g) only to the rounding of 1, so g
// read from mu loses its digits (all of them past about 18 Np, when mu rounds
// to 1), and such modes no longer tell apart by mu.  Their lengths lie in
// their own transfer instead: sigma = (r^T*X*r)/(r^T*A0*r) = -sech(g) for the
// mode's column r, and with s = tanh(g), 1 - s = sigma^2/(1 + s), so
// atanh(s) = 0.5*Log((1 + s)/(1 - s)) = 0.5*Log(((1 + s)/sigma)^2).
struct CompositeModes {
    Matrix R;
    std::vector<CComplex> mu;
    std::vector<bool> dark;                // mu within kTanhNearOne of 1
    std::vector<CComplex> transfer, self;  // r^T*X*r and r^T*A0*r of a dark mode
};

// Nearer to 1 than this, g read from mu is off by more than about 1e-10 (the
// rounding of 1 over 1 - mu); the transfer gives it to the last digits.
constexpr double kTanhNearOne = 1e-6;

// Rc^T*M*Rc for the n x m matrix Rc.
Matrix ReducedForm(const CComplex* M, const Matrix& Rc, int n, int m)
{
    Matrix MR(static_cast<std::size_t>(n) * m), F(static_cast<std::size_t>(m) * m);
    MatMul(M, Rc.data(), MR.data(), n, n, m);
    MatMulTransA(Rc.data(), MR.data(), F.data(), m, n, m);
    return F;
}

// The modes of the m x m pencil (C, D): D^-1*C*Y = Y*diag.  False when the
// eigen-solution fails; g_MatError is left as it was either way.
bool PencilModes(Matrix C, const Matrix& D, int m, Matrix& Y)
{
    // The transfer may lie far below 1, and the solver's thresholds are absolute.
    double scale = 0;
    for (const CComplex& z : C)
        scale = std::max(scale, Abs(z));
    if (!(scale > 0) || !std::isfinite(scale))
        return false;
    MatScaleReal(C.data(), 1.0 / scale, m, m);
    const unsigned char before = g_MatError;
    const std::size_t mm = static_cast<std::size_t>(m) * m;
    Matrix Dinv(mm), V(mm);
    std::vector<CComplex> L(static_cast<std::size_t>(m));
    MatInverse(D.data(), Dinv.data(), m);
    if (g_MatError != 2)
        EigenOfProduct(C.data(), Dinv.data(), V.data(), L.data(), m); // C*D^-1 = V*L*V^-1
    const bool solved = g_MatError != 2;
    g_MatError = before;
    if (solved)
        MatMul(Dinv.data(), V.data(), Y.data(), m, m, m);
    return solved;
}

// Marks the dark modes and keeps their transfer and self forms.  When there
// are several, the columns of R that belong to them span the right subspace
// but, their mu being equal to the rounding, are any mixture of its modes:
// the pencil (X, A0) reduced to that subspace (Rayleigh-Ritz) separates them
// by their transfer.  Should its eigen-solution fail, the columns stay.
void ResolveDarkModes(const CComplex* A0, const CComplex* X, int n, CompositeModes& c)
{
    std::vector<int> dark;
    c.dark.assign(static_cast<std::size_t>(n), false);
    for (int k = 0; k < n; ++k)
        if (Abs(1.0 - c.mu[k]) < kTanhNearOne) {
            c.dark[k] = true;
            dark.push_back(k);
        }
    const int m = static_cast<int>(dark.size());
    if (m == 0)
        return;
    auto at = [n](int i, int k) { return static_cast<std::size_t>(i) * n + k; };
    Matrix Rc(static_cast<std::size_t>(n) * m);
    for (int i = 0; i < n; ++i)
        for (int k = 0; k < m; ++k)
            Rc[static_cast<std::size_t>(i) * m + k] = c.R[at(i, dark[k])];
    Matrix C = ReducedForm(X, Rc, n, m), D = ReducedForm(A0, Rc, n, m);

    Matrix Y(static_cast<std::size_t>(m) * m), resolved(Rc.size());
    if (m >= 2 && PencilModes(C, D, m, Y)) {
        MatMul(Rc.data(), Y.data(), resolved.data(), n, m, m);
        for (int i = 0; i < n; ++i)
            for (int k = 0; k < m; ++k)
                c.R[at(i, dark[k])] = resolved[static_cast<std::size_t>(i) * m + k];
        C = ReducedForm(X, resolved, n, m);
        D = ReducedForm(A0, resolved, n, m);
    }
    c.transfer.assign(static_cast<std::size_t>(n), g_CZero);
    c.self.assign(static_cast<std::size_t>(n), g_CZero);
    for (int k = 0; k < m; ++k) {
        c.transfer[dark[k]] = C[static_cast<std::size_t>(k) * m + k];
        c.self[dark[k]] = D[static_cast<std::size_t>(k) * m + k];
    }
}

// The modal length g_k = atanh(s_k) of every mode with s_k = tanh(g_k), its
// real part made non-negative; only g mod j*pi is defined, the caller picks
// the branch.  A dark mode whose transfer is below the smallest number the
// arithmetic holds (its far end dark to the last digit) takes that smallest
// number: a finite length whose far-end share is zero.
void CompositeModalLengths(const CompositeModes& c, int n, CComplex* g, CComplex* s)
{
    constexpr double pi = 3.14159265358979323846;
    for (int k = 0; k < n; ++k) {
        if (!c.dark[k]) {
            s[k] = Sqrt(c.mu[k]);
            g[k] = 0.5 * Log((1.0 + s[k]) / (1.0 - s[k]));
        } else {
            // Logarithms of each factor of (1 + s)*self/transfer, so that a
            // tiny transfer neither underflows in a quotient nor loses its phase.
            const CComplex sigma = c.transfer[k] / c.self[k];
            s[k] = Sqrt(1.0 - sigma * sigma);
            const CComplex onePlus = 1.0 + s[k], t = c.transfer[k], a = c.self[k];
            const double modulus = std::max(Abs(t), std::numeric_limits<double>::denorm_min());
            const double re = std::log(Abs(onePlus)) + std::log(Abs(a)) - std::log(modulus);
            const double arg = std::atan2(onePlus.im, onePlus.re) + std::atan2(a.im, a.re) - std::atan2(t.im, t.re);
            // Half the logarithm of the square: the argument taken mod pi into (-pi/2, pi/2].
            g[k] = CComplex(re, arg - pi * std::ceil(arg / pi - 0.5));
        }
        if (g[k].re < 0)
            g[k] = -g[k];
    }
}

// The modes of the composite from P = A0^-1 and Q = A0 - X*P*X; false when
// the eigen-solution meets a singular matrix.
bool SolveCompositeModes(const CComplex* A0, const CComplex* X, const Matrix& P, const Matrix& Q, int n,
                         CompositeModes& c)
{
    c.R.assign(Sq(n), g_CZero);
    c.mu.assign(static_cast<std::size_t>(n), g_CZero);
    EigenOfProduct(P.data(), Q.data(), c.R.data(), c.mu.data(), n);
    if (g_MatError == 2)
        return false;
    ResolveDarkModes(A0, X, n, c);
    return true;
}

// The symmetric composite of a cell and its mirror image: A0 becomes the self
// block of the composite and X its transfer block (up to sign); then P = A0^-1,
// Q = A0 - X*P*X, whose product has the eigenvalues tanh^2 of the composite's
// modal lengths.
void SymmetricComposite(const TwoPortBlocks& A, Matrix& X, Matrix& P, Matrix& Q, int n)
{
    Matrix t(Sq(n)), inv(Sq(n));
    MatInverse(A.Y2, inv.data(), n);
    MatMul(A.Y1, inv.data(), t.data(), n, n, n);
    MatMulTransB(t.data(), A.Y1, X.data(), n, n, n);
    MatScaleReal(X.data(), 0.5, n, n);
    MatAdd(A.Y0, X.data(), A.Y0, n, n);
    MatInverse(A.Y0, P.data(), n);
    MatMul(X.data(), P.data(), t.data(), n, n, n);
    MatMul(t.data(), X.data(), inv.data(), n, n, n);
    MatSub(A.Y0, inv.data(), Q.data(), n, n);
}

// The cell of one span of the given length with half a tower at each end.
void SpanCell(const LineModes& m, const CComplex* T, int n, double length, const TwoPortBlocks& A)
{
    UniformBlocks(m, n, length, A.Y0, A.Y1);
    MatAdd(A.Y0, T, A.Y0, n, n);
    MatNeg(A.Y0, A.Y2, n, n);
}

} // namespace

void CalcLineSection(const CComplex* E, const CComplex* B, const TwoPortBlocks& out, int n,
                     double length, bool noStore)
{
    LineModes m;
    if (!SolveLineModes(E, B, n, m))
        return;
    if (g_bModalMode)
        WriteModalData(m.V, m.U, m.gamma, m.y, out, n);
    else
        WriteSectionBlocks(m, out, n, length, !noStore);
    if (!BlocksAreFinite(out, n))
        g_MatError = 2;
}

void BlocksFromModalData(const CComplex* O, const CComplex* W, const CComplex* gamma, int n,
                         double length, const TwoPortBlocks& out)
{
    UniformBlocks(O, W, gamma, n, length, out.Y0, out.Y1);
    MatNeg(out.Y0, out.Y2, n, n);
}

void FillWireMatrix(CComplex* T, int n, double q, const double* C, const double* R, int order)
{
    MatZero(T, n);
    for (int i = 0; i < n; ++i) {
        for (int j = i; j < n; ++j) {
            std::size_t packed = static_cast<std::size_t>(i * order - i * (i - 1) / 2 + (j - i));
            CComplex t = g_jOmega * C[packed];
            if (i == j)
                t += q / (R[i] * 628000);
            t = 0.5 * t;
            T[static_cast<std::size_t>(i) * n + j] = t;
            T[static_cast<std::size_t>(j) * n + i] = t;
        }
    }
    // Nodal form: each row's couplings join its diagonal and change sign.
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            if (j == i)
                continue;
            T[static_cast<std::size_t>(i) * n + i] += T[static_cast<std::size_t>(i) * n + j];
            T[static_cast<std::size_t>(i) * n + j] = -T[static_cast<std::size_t>(i) * n + j];
        }
    }
}

void CalcInhomLineSection(const CVLine& line, const CComplex* E, const CComplex* B,
                          const TwoPortBlocks& out, int n, double length)
{
    const CMatrix& influence = line.matrix;
    if (influence.n < n || influence.cap.size() < CMatrix::PackedSize(influence.n) ||
        influence.res.size() < static_cast<std::size_t>(n)) {
        g_MatError = 2; // no tower shunt for every conductor: refused before the run
        return;
    }
    Matrix T(Sq(n));
    FillWireMatrix(T.data(), n, g_jOmega.im, influence.cap.data(), influence.res.data(), influence.n);
    std::vector<unsigned char> spans;
    if (line.spanValues)
        spans.assign(line.spanValues->begin(), line.spanValues->end());
    if (spans.size() > line.pieces)
        spans.resize(line.pieces);
    CalcInhomLineSectionSpans(E, B, T.data(), line.spanMean, line.spanDeviation, spans, out, n, length);
}

void CalcInhomLineSectionSpans(const CComplex* E, const CComplex* B, const CComplex* T,
                               double spanMean, double spread,
                               const std::vector<unsigned char>& spanBytes,
                               const TwoPortBlocks& out, int n, double length)
{
    const double omega = g_jOmega.im;
    const std::size_t nn = Sq(n);

    // 1-2. Modes of the wires alone, and the mean-span cell with its towers.
    if (spanBytes.empty() || !(spanMean > 0)) {
        g_MatError = 2; // a section without spans has no blocks: refused before the run
        return;
    }
    LineModes m;
    if (!SolveLineModes(E, B, n, m))
        return;
    TwoPortStorage cellStore(n);
    TwoPortBlocks cell = cellStore.blocks();
    SpanCell(m, T, n, spanMean, cell);

    // 3. Two mean spans with a full tower between them: its modal lengths.
    Matrix X(nn), P(nn), Q(nn);
    CompositeModes modes;
    std::vector<CComplex> g(static_cast<std::size_t>(n)), s(static_cast<std::size_t>(n));
    SymmetricComposite(cell, X, P, Q, n);
    if (!SolveCompositeModes(cell.Y0, X.data(), P, Q, n, modes))
        return;
    CompositeModalLengths(modes, n, g.data(), s.data());
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (g[j].re < g[i].re)
                std::swap(g[i], g[j]);

    // 4. The phase of each mode is known only modulo pi: follow the previous
    // frequency's value, or at the first frequency place it just above the
    // free-space phase over two mean spans.
    std::vector<CComplex>* stored = nullptr;
    if (!g_bModalMode && g_nSpanVector >= 0 && g_nSpanVector < static_cast<int>(g_pSpanVectors.size()) &&
        static_cast<int>(g_pSpanVectors[static_cast<std::size_t>(g_nSpanVector)].size()) >= n)
        stored = &g_pSpanVectors[static_cast<std::size_t>(g_nSpanVector)];
    const bool follow = stored && Abs((*stored)[0]) >= 1e-16;
    for (int k = 0; k < n; ++k) {
        double steps;
        if (follow) {
            steps = PhaseSteps(g[k].im, (*stored)[k].im);
        } else {
            double x = (omega * spanMean * 6.666666666666667e-09 - g[k].im) * 0.3183098861827565;
            steps = x < 0 ? 0 : std::floor(x + 1);
        }
        g[k].im += steps * kPi;
        if (stored)
            (*stored)[k] = g[k];
    }
    ++g_nSpanVector;

    // 5. Propagation constants of the mean cell.
    std::vector<CComplex> gammaCell(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k)
        gammaCell[k] = g[k] / (2 * spanMean);

    // 6. The random spans in a row.
    TwoPortStorage runStore(n), spanStore(n);
    TwoPortBlocks run = runStore.blocks(), span = spanStore.blocks();
    double total = 0;
    for (std::size_t i = 0; i < spanBytes.size(); ++i) {
        double len = spanMean + (127.5 - spanBytes[i]) * spread * 0.00784313725490196;
        total += len;
        SpanCell(m, T, n, len, i == 0 ? run : span);
        if (i > 0) {
            MatCascade(run, span, run, n);
            if (g_MatError == 2)
                return;
        }
    }

    // 7. The run and its mirror image as one symmetric cell of length 2*total.
    SymmetricComposite(run, X, P, Q, n);
    if (!SolveCompositeModes(run.Y0, X.data(), P, Q, n, modes))
        return;
    Matrix& R = modes.R;
    if (g_bModalMode)
        NormalizeColumns(R.data(), n);
    Matrix O(nn), U(nn);
    MatInverse(R.data(), O.data(), n);
    MatTranspose(O.data(), U.data(), n, n);
    if (g_bModalMode)
        NormalizeColumns(U.data(), n);
    std::vector<CComplex> gamma(static_cast<std::size_t>(n));
    CompositeModalLengths(modes, n, g.data(), s.data());

    // 8. Each mode's phase follows the mean-cell mode of the same rank in
    // attenuation, scaled to the length of the composite.
    for (int k = 0; k < n; ++k) {
        int rank = 0;
        for (int j = 0; j < n; ++j)
            if (j != k && g[j].re < g[k].re)
                ++rank;
        CComplex ref = 2 * total * gammaCell[rank];
        g[k].im += PhaseSteps(g[k].im, ref.im) * kPi;
        gamma[k] = g[k] / (2 * total);
    }

    // 9. Modal characteristic admittances: (U^-1 * A0 * R)_kk * tanh(g_k).
    Matrix Ui(nn), t(nn), t2(nn);
    MatInverse(U.data(), Ui.data(), n);
    MatMul(Ui.data(), run.Y0, t.data(), n, n, n);
    MatMul(t.data(), R.data(), t2.data(), n, n, n);
    std::vector<CComplex> y(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k)
        y[k] = t2[static_cast<std::size_t>(k) * n + k] * s[k];

    // 10. The section.
    if (g_bModalMode) {
        WriteModalData(R, U, gamma, y, out, n);
    } else {
        LineModes section;
        section.O = std::move(O);
        section.W.assign(nn, g_CZero);
        MatMulDiagRight(U.data(), y.data(), section.W.data(), n);
        section.gamma = std::move(gamma);
        WriteSectionBlocks(section, out, n, length, true);
    }
    if (!BlocksAreFinite(out, n))
        g_MatError = 2;
}

#include "calc/linesection.h"

#include "calc/calcglobals.h"
#include "calc/linemodes.h"
#include "math/eigen.h"
#include "math/linecalc.h"
#include "math/matrix.h"
#include "math/mirror.h"
#include "model/lines.h"
#include "model/modelglobals.h"

#include <cmath>
#include <cstddef>
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
    MatInverse(P.data(), P.data(), n);
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
    std::vector<CComplex> c(static_cast<std::size_t>(n)), s(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        CComplex gl = gamma[k] * length;
        c[k] = Coth(gl);
        s[k] = -Csch(gl);
    }
    Matrix t(Sq(n));
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
    for (int k = 0; k < n; ++k)
        out.Y2[k] = gamma[k];
    if (n >= 2)
        for (int k = 0; k < n; ++k)
            out.Y2[n + k] = y[k];
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

// atanh of the square root of an eigenvalue tanh^2(g) of a symmetric cell,
// with a non-negative real part.
CComplex CellPropagation(const CComplex& mu, CComplex* root = nullptr)
{
    CComplex s = Sqrt(mu);
    if (root)
        *root = s;
    CComplex g = 0.5 * Log((1.0 + s) / (1.0 - s));
    if (g.re < 0)
        g = -g;
    return g;
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
    if (g_bModalMode) {
        WriteModalData(m.V, m.U, m.gamma, m.y, out, n);
        return;
    }
    WriteSectionBlocks(m, out, n, length, !noStore);
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
    Matrix X(nn), P(nn), Q(nn), R(nn);
    std::vector<CComplex> mu(static_cast<std::size_t>(n)), g(static_cast<std::size_t>(n));
    SymmetricComposite(cell, X, P, Q, n);
    EigenOfProduct(P.data(), Q.data(), R.data(), mu.data(), n);
    if (g_MatError == 2)
        return;
    for (int k = 0; k < n; ++k)
        g[k] = CellPropagation(mu[k]);
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
    EigenOfProduct(P.data(), Q.data(), R.data(), mu.data(), n);
    if (g_MatError == 2)
        return;
    if (g_bModalMode)
        NormalizeColumns(R.data(), n);
    Matrix O(nn), U(nn);
    MatInverse(R.data(), O.data(), n);
    MatTranspose(O.data(), U.data(), n, n);
    if (g_bModalMode)
        NormalizeColumns(U.data(), n);
    std::vector<CComplex> s(static_cast<std::size_t>(n)), gamma(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k)
        g[k] = CellPropagation(mu[k], &s[k]);

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
        return;
    }
    LineModes section;
    section.O = std::move(O);
    section.W.assign(nn, g_CZero);
    MatMulDiagRight(U.data(), y.data(), section.W.data(), n);
    section.gamma = std::move(gamma);
    WriteSectionBlocks(section, out, n, length, true);
}

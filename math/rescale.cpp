#include "math/rescale.h"

#include "math/eigen.h"
#include "math/linecalc.h"
#include "math/matrix.h"

#include <cmath>
#include <cstddef>
#include <vector>

namespace {

// The phase of light over one metre per unit of omega (1/c, c = 3e8 m/s), and 1/pi.
constexpr double kFreeSpacePhasePerMetre = 3.3333333333333334e-9;
constexpr double kInvPi = 0.3183098861827565;
constexpr double kPi = 3.1415926536;

// The propagation constant of one mode from y = tanh(gamma * lenPiece).  The
// inverse hyperbolic tangent fixes the phase only up to a multiple of pi; a
// wave on a line is never faster than light, so the branch is taken whose
// phase lies just above the free-space phase over the piece, or the principal
// one when that already exceeds it.
CComplex PropagationConstant(const CComplex& y, double lenPiece, double omega)
{
    CComplex g = Log((1.0 + y) / (1.0 - y)) * 0.5;
    if (g.re < 0)
        g = -g;
    const double x = (lenPiece * omega * kFreeSpacePhasePerMetre - g.im) * kInvPi;
    // trunc rather than a cast to int: x is not a number after a singular step.
    const double k = x < 0 ? 0.0 : std::trunc(x + 1.0);
    return CComplex(g.re, g.im + k * kPi) / lenPiece;
}

void CopyVector(const CComplex* from, CComplex* to, int n)
{
    for (int i = 0; i < n; ++i)
        to[i] = from[i];
}

} // namespace

void RescaleLineBlocks(const TwoPortBlocks& X, int n, double lenNew, double lenPiece)
{
    const std::size_t nn = static_cast<std::size_t>(n) * n;
    std::vector<CComplex> P(nn), R(nn), O(nn), U(nn), lambda(n), y(n);

    // For a uniform piece Y11 = Yc*coth(gamma*l) and Y12 = -Yc*csch(gamma*l),
    // so Y11^-1*(Y11 - Y12*Y11^-1*Y12) has the eigenvalues tanh^2(gamma*l).
    MatInverse(X.Y0, P.data(), n);
    MatMul(X.Y2, P.data(), R.data(), n, n, n);
    MatMul(R.data(), X.Y2, X.Y1, n, n, n);
    MatSub(X.Y0, X.Y1, O.data(), n, n);
    EigenOfProduct(P.data(), O.data(), R.data(), lambda.data(), n);
    if (g_MatError == 2)
        return;

    const bool modal = g_bModalMode != 0;
    if (modal)
        NormalizeColumns(R.data(), n);
    MatInverse(R.data(), O.data(), n);
    MatTranspose(O.data(), U.data(), n, n);
    if (modal)
        NormalizeColumns(U.data(), n);

    // lambda becomes gamma, y = tanh(gamma * lenPiece).
    const double omega = g_jOmega.im;
    for (int i = 0; i < n; ++i) {
        y[i] = Sqrt(lambda[i]);
        lambda[i] = PropagationConstant(y[i], lenPiece, omega);
    }

    // Modal characteristic admittances: Yc_i = (U^-1 * Y11 * R)_ii * tanh(gamma_i * l).
    MatInverse(U.data(), X.Y1, n);
    MatMul(X.Y1, X.Y0, P.data(), n, n, n);
    MatMul(P.data(), R.data(), X.Y0, n, n, n);
    MatMulDiagRight(X.Y0, y.data(), P.data(), n);
    MatDiagonal(P.data(), P.data(), n);
    const CComplex* Yc = P.data();

    if (modal) {
        MatCopy(R.data(), X.Y0, n, n);
        MatCopy(U.data(), X.Y1, n, n);
        CopyVector(lambda.data(), X.Y2, n);
        // The modal caller gives X.Y2 two rows even for one conductor.
        CopyVector(Yc, X.Y2 + n, n);
        return;
    }

    const unsigned char flags = g_pCurLineRec ? g_pCurLineRec->flags : 0;
    MatMulDiagRight(U.data(), Yc, R.data(), n);
    if (flags & kLineRecStoreModal) {
        MatCopy(R.data(), g_pCurLineRec->p5, n, n);
        MatCopy(O.data(), g_pCurLineRec->p4, n, n);
        CopyVector(lambda.data(), g_pCurLineRec->p6, n);
    }
    // Y11 = U*diag(Yc*coth(gamma*len))*R^-1, Y12 = -U*diag(Yc*csch(gamma*len))*R^-1.
    for (int i = 0; i < n; ++i) {
        const CComplex gl = lambda[i] * lenNew;
        CComplex csch;
        CothCsch(gl, lambda[i], csch);
        y[i] = -csch;
    }
    MatMulDiagRight(R.data(), lambda.data(), U.data(), n);
    MatMul(U.data(), O.data(), X.Y0, n, n, n);
    MatNeg(X.Y0, X.Y2, n, n);
    MatMulDiagRight(R.data(), y.data(), U.data(), n);
    MatMul(U.data(), O.data(), X.Y1, n, n, n);
    if (flags & kLineRecStoreBlocks) {
        MatCopy(X.Y0, g_pCurLineRec->p1, n, n);
        MatCopy(X.Y1, g_pCurLineRec->p2, n, n);
        MatCopy(X.Y2, g_pCurLineRec->p3, n, n);
    }
}

#include "math/symeigen.h"

#include "math/vectorpath.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

using Matrix = std::vector<CComplex>;

constexpr double kEps = std::numeric_limits<double>::epsilon();

// The tolerances of SymEigenAccurate: far above the rounding of a good
// decomposition (1e-13 and below for lines), far below anything a line model
// could use.
constexpr double kResidualTolerance = 1e-9;
constexpr double kOrthogonalityTolerance = 1e-9;

inline CComplex Conj(const CComplex& z) { return CComplex(z.re, -z.im); }
inline double Abs1(const CComplex& z) { return std::fabs(z.re) + std::fabs(z.im); }
inline double Norm2(const CComplex& z) { return z.re * z.re + z.im * z.im; }
inline bool Finite(const CComplex& z) { return std::isfinite(z.re) && std::isfinite(z.im); }

inline std::size_t At(int i, int j, int n) { return static_cast<std::size_t>(i) * n + j; }

// The full symmetric matrix from the upper triangle of A.
Matrix SymmetricFromUpper(const CComplex* A, int n)
{
    Matrix S(static_cast<std::size_t>(n) * n);
    for (int i = 0; i < n; ++i)
        for (int j = i; j < n; ++j)
            S[At(i, j, n)] = S[At(j, i, n)] = A[At(i, j, n)];
    return S;
}

double MaxAbs1(const Matrix& M)
{
    double m = 0;
    for (const CComplex& z : M)
        m = std::max(m, Abs1(z));
    return m;
}

// Householder reflections to upper Hessenberg form: a unitary similarity,
// the eigenvalues are kept to rounding.
void ReduceToHessenberg(Matrix& H, int n)
{
    std::vector<CComplex> v(static_cast<std::size_t>(n));
    for (int k = 0; k + 2 < n; ++k) {
        double alpha2 = 0;
        for (int i = k + 1; i < n; ++i)
            alpha2 += Norm2(H[At(i, k, n)]);
        if (alpha2 == 0)
            continue;
        // v = x + e^(i*arg x0)*|x|*e1 avoids cancellation in its first entry.
        const double alpha = std::sqrt(alpha2);
        const CComplex x0 = H[At(k + 1, k, n)];
        const double ax0 = Abs(x0);
        const CComplex phase = ax0 > 0 ? x0 / ax0 : CComplex(1.0, 0.0);
        for (int i = k + 1; i < n; ++i)
            v[i] = H[At(i, k, n)];
        v[k + 1] += phase * alpha;
        double vv = 0;
        for (int i = k + 1; i < n; ++i)
            vv += Norm2(v[i]);
        const double f = 2.0 / vv;
        // H = P*H*P with P = I - f*v*v^H.
        for (int j = k; j < n; ++j) {
            CComplex s = g_CZero;
            for (int i = k + 1; i < n; ++i)
                s += Conj(v[i]) * H[At(i, j, n)];
            s *= f;
            for (int i = k + 1; i < n; ++i)
                H[At(i, j, n)] -= v[i] * s;
        }
        for (int i = 0; i < n; ++i) {
            CComplex s = g_CZero;
            for (int j = k + 1; j < n; ++j)
                s += H[At(i, j, n)] * v[j];
            s *= f;
            for (int j = k + 1; j < n; ++j)
                H[At(i, j, n)] -= s * Conj(v[j]);
        }
        for (int i = k + 2; i < n; ++i)
            H[At(i, k, n)] = g_CZero;
    }
}

// The eigenvalue of the 2 x 2 matrix [[a, b], [c, d]] nearer to d.
CComplex WilkinsonShift(const CComplex& a, const CComplex& b, const CComplex& c, const CComplex& d)
{
    const CComplex p = (a - d) * 0.5, bc = b * c;
    const CComplex disc = Sqrt(p * p + bc);
    const CComplex den = Abs(p + disc) >= Abs(p - disc) ? p + disc : p - disc;
    return Abs(den) > 0 ? d - bc / den : d;
}

// The eigenvalues of the Hessenberg matrix H (overwritten) by the shifted QR
// algorithm with Givens rotations, deflating at negligible subdiagonal
// entries.  False when it does not converge within 30 steps per eigenvalue.
bool HessenbergEigenvalues(Matrix& H, int n, CComplex* L)
{
    const double norm = MaxAbs1(H);
    std::vector<double> cs(static_cast<std::size_t>(n));
    std::vector<CComplex> sn(static_cast<std::size_t>(n));
    int hi = n - 1, steps = 0, sinceDeflation = 0;
    while (hi >= 0) {
        int l = hi;
        for (; l > 0; --l) {
            double scale = Abs1(H[At(l - 1, l - 1, n)]) + Abs1(H[At(l, l, n)]);
            if (scale == 0)
                scale = norm;
            if (Abs1(H[At(l, l - 1, n)]) <= kEps * scale) {
                H[At(l, l - 1, n)] = g_CZero;
                break;
            }
        }
        if (l == hi) {
            L[hi] = H[At(hi, hi, n)];
            --hi;
            sinceDeflation = 0;
            continue;
        }
        if (++steps > 30 * n)
            return false;
        // Every tenth step without deflation an exceptional shift breaks a cycle.
        CComplex shift;
        if (++sinceDeflation % 10 == 0)
            shift = H[At(hi, hi, n)] +
                    CComplex(Abs1(H[At(hi, hi - 1, n)]) + (hi >= 2 ? Abs1(H[At(hi - 1, hi - 2, n)]) : 0.0), 0.0);
        else
            shift = WilkinsonShift(H[At(hi - 1, hi - 1, n)], H[At(hi - 1, hi, n)], H[At(hi, hi - 1, n)],
                                   H[At(hi, hi, n)]);

        // One QR step on the active block l..hi: H - shift*I = Q*R, then R*Q + shift*I.
        for (int k = l; k <= hi; ++k)
            H[At(k, k, n)] -= shift;
        for (int k = l; k < hi; ++k) {
            const CComplex f = H[At(k, k, n)], g = H[At(k + 1, k, n)];
            const double af = Abs(f), r = std::hypot(af, Abs(g));
            double c = 1.0;
            CComplex s = g_CZero;
            if (r > 0) {
                c = af / r;
                s = af > 0 ? (f / af) * Conj(g) / r : Conj(g) / Abs(g);
            }
            cs[k] = c;
            sn[k] = s;
            for (int j = k; j <= hi; ++j) {
                const CComplex x = H[At(k, j, n)], y = H[At(k + 1, j, n)];
                H[At(k, j, n)] = c * x + s * y;
                H[At(k + 1, j, n)] = c * y - Conj(s) * x;
            }
        }
        for (int k = l; k < hi; ++k) {
            const double c = cs[k];
            const CComplex s = sn[k];
            for (int i = l; i <= k + 1; ++i) {
                const CComplex x = H[At(i, k, n)], y = H[At(i, k + 1, n)];
                H[At(i, k, n)] = c * x + y * Conj(s);
                H[At(i, k + 1, n)] = c * y - x * s;
            }
        }
        for (int k = l; k <= hi; ++k)
            H[At(k, k, n)] += shift;
    }
    return std::all_of(L, L + n, Finite);
}

// LU factors with partial pivoting of S - sigma*I; a pivot too small to divide
// by is replaced by the rounding level of S, as inverse iteration wants (the
// shift is an eigenvalue, so the matrix is singular to rounding).
struct ShiftedLU {
    Matrix lu;
    std::vector<int> pivot;

    ShiftedLU(const Matrix& S, int n, const CComplex& sigma, double tiny)
        : lu(S), pivot(static_cast<std::size_t>(n))
    {
        for (int i = 0; i < n; ++i)
            lu[At(i, i, n)] -= sigma;
        for (int j = 0; j < n; ++j) {
            int p = j;
            for (int i = j + 1; i < n; ++i)
                if (Abs1(lu[At(i, j, n)]) > Abs1(lu[At(p, j, n)]))
                    p = i;
            pivot[j] = p;
            if (p != j)
                for (int c = 0; c < n; ++c)
                    std::swap(lu[At(j, c, n)], lu[At(p, c, n)]);
            if (Abs1(lu[At(j, j, n)]) < tiny)
                lu[At(j, j, n)] = CComplex(tiny, 0.0);
            for (int i = j + 1; i < n; ++i) {
                const CComplex m = lu[At(i, j, n)] / lu[At(j, j, n)];
                lu[At(i, j, n)] = m;
                for (int c = j + 1; c < n; ++c)
                    lu[At(i, c, n)] -= m * lu[At(j, c, n)];
            }
        }
    }

    // x = (S - sigma*I)^-1 * x.
    void Solve(std::vector<CComplex>& x, int n) const
    {
        for (int j = 0; j < n; ++j) {
            std::swap(x[j], x[pivot[j]]);
            for (int i = j + 1; i < n; ++i)
                x[i] -= lu[At(i, j, n)] * x[j];
        }
        for (int i = n - 1; i >= 0; --i) {
            for (int c = i + 1; c < n; ++c)
                x[i] -= lu[At(i, c, n)] * x[c];
            x[i] = x[i] / lu[At(i, i, n)];
        }
    }
};

// x minus its components along the first `found` columns of V (each with
// v^T v = 1): what is left is complex orthogonal to them.
void DeflateFound(std::vector<CComplex>& x, const CComplex* V, int n, int found)
{
    for (int k = 0; k < found; ++k) {
        CComplex d = g_CZero;
        for (int i = 0; i < n; ++i)
            d += V[At(i, k, n)] * x[i];
        for (int i = 0; i < n; ++i)
            x[i] -= V[At(i, k, n)] * d;
    }
}

void ScaleToUnitMax(std::vector<CComplex>& x)
{
    double m = 0;
    for (const CComplex& z : x)
        m = std::max(m, Abs1(z));
    if (m > 0)
        for (CComplex& z : x)
            z /= m;
}

// A fixed start vector with no special direction, so that no eigenvector is
// missed by symmetry and the results do not vary from run to run.
std::vector<CComplex> StartVector(int n, int k)
{
    std::vector<CComplex> x(static_cast<std::size_t>(n));
    std::uint32_t state = 2463534242u + 977u * static_cast<std::uint32_t>(k);
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(state) / 4294967296.0 - 0.5;
    };
    for (CComplex& z : x) {
        const double re = next(), im = next();
        z = CComplex(re, im);
    }
    return x;
}

} // namespace

bool SymEigenByQR(const CComplex* A, CComplex* V, CComplex* L, int n)
{
    if (n <= 0)
        return true;
    const Matrix S = SymmetricFromUpper(A, n);
    if (!std::all_of(S.begin(), S.end(), Finite))
        return false;
    const double norm = MaxAbs1(S);
    if (norm == 0) {
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j)
                V[At(i, j, n)] = CComplex(i == j ? 1.0 : 0.0, 0.0);
            L[i] = g_CZero;
        }
        return true;
    }

    Matrix H = S;
    ReduceToHessenberg(H, n);
    if (!HessenbergEigenvalues(H, n, L))
        return false;

    // Each eigenvector by inverse iteration at its eigenvalue, deflated against
    // the vectors found before it; three steps suffice at a shift that is an
    // eigenvalue to rounding.
    const double tiny = kEps * norm * n;
    for (int k = 0; k < n; ++k) {
        const ShiftedLU lu(S, n, L[k], tiny);
        std::vector<CComplex> x = StartVector(n, k);
        DeflateFound(x, V, n, k);
        for (int step = 0; step < 3; ++step) {
            ScaleToUnitMax(x);
            lu.Solve(x, n);
            DeflateFound(x, V, n, k);
        }
        ScaleToUnitMax(x);
        // Normalised under the plain transpose: v^T v = 1.  An isotropic vector
        // (v^T v = 0) has no such scale.
        CComplex vtv = g_CZero;
        for (const CComplex& z : x)
            vtv += z * z;
        if (!(Abs(vtv) > 1e-12) || !std::all_of(x.begin(), x.end(), Finite))
            return false;
        const CComplex scale = 1.0 / Sqrt(vtv);
        for (int i = 0; i < n; ++i)
            V[At(i, k, n)] = x[i] * scale;
        // The eigenvalue again as v^T*S*v, accurate to second order in v.
        CComplex rq = g_CZero;
        for (int i = 0; i < n; ++i) {
            CComplex row = g_CZero;
            for (int j = 0; j < n; ++j)
                row += S[At(i, j, n)] * V[At(j, k, n)];
            rq += V[At(i, k, n)] * row;
        }
        L[k] = rq;
    }
    return SymEigenAccurate(A, V, L, n);
}

namespace {

// The largest residual |S*V - V*diag(L)| and departure |V*V^T - I| (sums of
// |re| + |im|), by rows: each entry's sum starts at zero and adds its terms in
// increasing k, the maxima are taken in the order (i, j).  Vt is V transposed;
// sv and vvt are work rows of n.
[[gnu::always_inline]] inline void AccuracyBody(const CComplex* S, const CComplex* V, const CComplex* Vt,
                                                const CComplex* L, int n, CComplex* sv, CComplex* vvt,
                                                double* out)
{
    double residual = 0, orthogonality = 0;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j)
            sv[j] = vvt[j] = g_CZero;
        for (int k = 0; k < n; ++k) {
            const CComplex s = S[At(i, k, n)], v = V[At(i, k, n)];
            const CComplex* vk = V + At(k, 0, n);
            const CComplex* vtk = Vt + At(k, 0, n);
            for (int j = 0; j < n; ++j) {
                sv[j] += s * vk[j];
                vvt[j] += v * vtk[j];
            }
        }
        for (int j = 0; j < n; ++j) {
            residual = std::max(residual, Abs1(sv[j] - V[At(i, j, n)] * L[j]));
            orthogonality = std::max(orthogonality, Abs1(vvt[j] - CComplex(i == j ? 1.0 : 0.0, 0.0)));
        }
    }
    out[0] = residual;
    out[1] = orthogonality;
}
KESTRIN_TWO_BUILDS(void, Accuracy,
                   (const CComplex* S, const CComplex* V, const CComplex* Vt, const CComplex* L, int n, CComplex* sv,
                    CComplex* vvt, double* out),
                   (S, V, Vt, L, n, sv, vvt, out))

} // namespace

bool SymEigenAccurate(const CComplex* A, const CComplex* V, const CComplex* L, int n)
{
    if (n <= 0)
        return true;
    const std::size_t nn = static_cast<std::size_t>(n) * n;
    if (!std::all_of(V, V + nn, Finite) || !std::all_of(L, L + n, Finite))
        return false;
    const Matrix S = SymmetricFromUpper(A, n);
    const double normS = MaxAbs1(S);
    double normV = 0;
    for (std::size_t i = 0; i < nn; ++i)
        normV = std::max(normV, Abs1(V[i]));
    thread_local Matrix vt, sv, vvt;
    vt.resize(nn), sv.resize(static_cast<std::size_t>(n)), vvt.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            vt[At(j, i, n)] = V[At(i, j, n)];
    double worst[2];
    KESTRIN_DISPATCH(Accuracy, (S.data(), V, vt.data(), L, n, sv.data(), vvt.data(), worst));
    const double residual = worst[0], orthogonality = worst[1];
    // NaN never passes: every comparison with it is false.
    return residual <= kResidualTolerance * normS * normV && orthogonality <= kOrthogonalityTolerance;
}

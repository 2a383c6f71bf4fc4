// Matrices like the per-unit-length matrices of overhead lines, for the modal
// tests: logarithmic potential coefficients of conductors above earth, an
// earth-return term in every entry and small losses.  Complex symmetric, with a
// dominant positive definite real part.
#pragma once

#include "math/matrix.h"
#include "mathtest.h"

using Mat = std::vector<CComplex>;

struct ConductorPos {
    double x, h;
};

// Distinct random positions: x within +-20 m, heights 10 to 40 m.
inline std::vector<ConductorPos> RandomConductors(std::mt19937& gen, int n)
{
    std::uniform_real_distribution<double> ux(-20, 20), uh(10, 40);
    std::vector<ConductorPos> c;
    while (static_cast<int>(c.size()) < n) {
        ConductorPos p{ux(gen), uh(gen)};
        bool apart = true;
        for (const auto& o : c)
            apart = apart && std::hypot(p.x - o.x, p.h - o.h) > 0.5;
        if (apart)
            c.push_back(p);
    }
    return c;
}

// A ~ series impedance (potential coefficients of 1 cm wires, earth return,
// wire resistance), B ~ shunt admittance (the inverse potential matrix, made
// exactly symmetric, with a little leakage).
inline std::pair<Mat, Mat> LineLike(const std::vector<ConductorPos>& c)
{
    const int n = static_cast<int>(c.size());
    Mat p(n * n), inv(n * n), A(n * n), B(n * n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            p[i * n + j] = CComplex(i == j ? std::log(2 * c[i].h / 0.01)
                                           : std::log(std::hypot(c[i].x - c[j].x, c[i].h + c[j].h) /
                                                      std::hypot(c[i].x - c[j].x, c[i].h - c[j].h)),
                                    0);
    MatInverse(p.data(), inv.data(), n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            A[i * n + j] = p[i * n + j] + CComplex(0.4, 0.6) + CComplex(i == j ? 0.02 : 0.0, 0);
            CComplex s = (inv[i * n + j] + inv[j * n + i]) * 0.5;
            B[i * n + j] = s + CComplex(0.0, 1e-3) * s;
        }
    return {A, B};
}

// The largest modulus; NaN when an entry is not a number.
inline double MaxAbs(const Mat& a)
{
    double m = 0;
    for (const auto& z : a)
        if (!(Abs(z) <= m))
            m = Abs(z);
    return m;
}

// max |got - want| / max |want|, NaN-proof.
inline double RelDiff(const Mat& got, const Mat& want)
{
    Mat d(got.size());
    MatSub(got.data(), want.data(), d.data(), 1, static_cast<int>(got.size()));
    return MaxAbs(d) / MaxAbs(want);
}

// Worst over the columns v of V of |M*v - l*v| / (|M| * |v|) in max norms:
// eigenvectors carry no common scale.
inline double EigenResidual(const Mat& M, const Mat& V, const Mat& L, int n)
{
    Mat mv(M.size()), vl(M.size());
    MatMul(M.data(), V.data(), mv.data(), n, n, n);
    MatMulDiagRight(V.data(), L.data(), vl.data(), n);
    double worst = 0;
    for (int j = 0; j < n; ++j) {
        Mat r(n), v(n);
        for (int i = 0; i < n; ++i) {
            r[i] = mv[i * n + j] - vl[i * n + j];
            v[i] = V[i * n + j];
        }
        const double rel = MaxAbs(r) / (MaxAbs(M) * MaxAbs(v));
        if (!(rel <= worst))
            worst = rel;
    }
    return worst;
}

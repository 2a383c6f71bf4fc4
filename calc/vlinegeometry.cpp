#include "calc/vlinegeometry.h"

#include "calc/calcglobals.h"
#include "calc/earthreturn.h"
#include "math/contentcache.h"

#include <cmath>
#include <cstddef>

CComplex ConductorInternalImpedance(double a, double k, double rho, double f, int bundleCount)
{
    // Skin effect of a round wire: coth of (1 + j) * a / (skin depth * sqrt 2),
    // scaled to the dimensionless form of E.
    CComplex x = CComplex(1.0, 1.0) * (0.001544 * a * std::sqrt(f / rho));
    CComplex zi = Coth(x) * CComplex(1.0, -1.0) * k / a / 0.003973835 * std::sqrt(rho / f);
    if (bundleCount >= 2)
        zi = zi / static_cast<double>(bundleCount);
    // Completes the direct-current resistance that the first term of coth's
    // expansion leaves short of rho / (pi * a^2).
    zi = zi - CComplex(0.0, 90180 * rho / (a * a * f));
    return zi;
}

CComplex IceInverseEpsilon(double T, double W, double density, double omega, double f, double halfPi)
{
    double dn = density * 1.1111111111111112;
    double R = 2 * dn * dn / (1 + dn * dn);
    double w = W - std::pow(dn, 0.2) + 1;

    double S = std::sin(w * halfPi);
    double A = 20715 / (T + 235);
    double c = 1 - w;
    double G = std::exp(-0.101 * T);

    double J = std::pow(1.846e-05 * omega * std::pow(c, 5) * G, c);
    double D = J * (J + 2 * S) + 1;

    double epsRe = 1 + R * (2 + A * (1 + S * J) / D);

    double E2 = A * R * J * std::cos(w * halfPi) / D;
    double Y = std::pow(1 + 10000 * std::pow(w, 0.65) * std::exp(-16 * w),
                        4.348841000796475e-25 * std::pow(T + 273, 10));

    // Loss tangent: conduction of the ice plus the relaxation loss.
    double z = (179.98560115190784 * Y / f + E2) / epsRe;
    double m = (1 + z * z) * epsRe;
    return CComplex(1 / m, z / m);
}

bool IceModelDefined(double T, double W, double density)
{
    if (!std::isfinite(T) || !std::isfinite(W) || !std::isfinite(density))
        return false;
    if (T + 235 == 0 || density < 0)
        return false;
    double w = W - std::pow(density * 1.1111111111111112, 0.2) + 1;
    double c = 1 - w;
    // w^0.65 needs w >= 0; the relaxation term raises a multiple of c^5 to the
    // power c, which for a negative c is defined only when c is whole.
    return w >= 0 && (c >= 0 || c == std::floor(c));
}

double BundleRadius(double r, int N, double spacing)
{
    if (N < 2)
        return r;
    double R = spacing / (2 * std::sin(3.1415926536 / N));
    return std::pow(N * r * std::pow(R, N - 1), 1.0 / N);
}

double MutualPotential(double hi, double hj, double dx)
{
    return std::log(std::sqrt((hi + hj) * (hi + hj) + dx * dx) / std::sqrt((hi - hj) * (hi - hj) + dx * dx));
}

namespace {

// A pair table depends on the conductor positions alone; the threads keep
// their last few, since every frequency of a run builds the same ones.
struct PairTable {
    std::vector<double> H, D;
    double hmin = 0.0;
    std::vector<int> pairIndex;
};

void BuildPairTable(const double* x, const double* h, int n, std::vector<int>& pairIndex);

} // namespace

void BuildEarthPairTable(const double* x, const double* h, int n, std::vector<int>& pairIndex)
{
    thread_local ContentCache<PairTable> tables(8);
    std::vector<double> key(x, x + n);
    key.insert(key.end(), h, h + n);
    const std::size_t bytes = key.size() * sizeof(double);
    if (const PairTable* known = tables.Find(key.data(), bytes)) {
        g_EarthPairH = known->H;
        g_EarthPairD = known->D;
        g_dEarthHmin = known->hmin;
        pairIndex = known->pairIndex;
        return;
    }
    BuildPairTable(x, h, n, pairIndex);
    tables.Store(key.data(), bytes, PairTable{g_EarthPairH, g_EarthPairD, g_dEarthHmin, pairIndex});
}

namespace {

void BuildPairTable(const double* x, const double* h, int n, std::vector<int>& pairIndex)
{
    g_EarthPairH.clear();
    g_EarthPairD.clear();
    pairIndex.assign(static_cast<std::size_t>(n) * n, 0);
    double hmin = 1e9;
    for (int i = 0; i < n; ++i)
        if (h[i] < hmin)
            hmin = h[i];
    g_dEarthHmin = hmin;

    for (int i = 0; i < n; ++i) {
        for (int j = i; j < n; ++j) {
            double H = h[i] + h[j];
            double d = std::fabs(x[i] - x[j]);
            // The entry found here is the one the pair uses: looking it up again
            // with a stricter tolerance could miss a pair exactly 0.01 m off.
            std::size_t k = 0;
            while (k < g_EarthPairH.size() &&
                   !(std::fabs(H - g_EarthPairH[k]) <= 0.01 && std::fabs(d - g_EarthPairD[k]) <= 0.01))
                ++k;
            if (k == g_EarthPairH.size()) {
                g_EarthPairH.push_back(H);
                g_EarthPairD.push_back(d);
            }
            pairIndex[static_cast<std::size_t>(i) * n + j] = static_cast<int>(k);
            pairIndex[static_cast<std::size_t>(j) * n + i] = static_cast<int>(k);
        }
    }
}

} // namespace

std::vector<CComplex> CalcEarthTerms(const EarthData& earth, double f, double omega)
{
    const std::size_t count = g_EarthPairH.size();
    std::vector<CComplex> terms(count);
    if (earth.model & 1) {
        // Carson's earth; a model byte with both bits set (Carson chosen on a
        // two-layer earth) is Carson's too, since his formulas know one layer.
        for (std::size_t k = 0; k < count; ++k) {
            double H = g_EarthPairH[k], d = g_EarthPairD[k];
            double r = std::sqrt((d * d + H * H) / earth.rho1 * f * 7.895683e-06);
            double theta = std::atan(d / H);
            terms[k] = CalcCarson(r, theta);
        }
        return terms;
    }
    unsigned char twoLayer = (earth.model & 2) ? 1 : 0;
    if (twoLayer)
        SetEarthConstants2(omega, earth.eps1, earth.eps2, earth.rho1, earth.rho2, earth.layerDepth);
    else
        SetEarthConstants1(omega, earth.eps1, earth.rho1);
    CalcEarthIntegral(terms.data(), &twoLayer);
    return terms;
}

void FillLineMatrices(const std::vector<LineConductor>& conductors, const std::vector<int>& pairIndex,
                      const std::vector<CComplex>& earthTerms,
                      const std::vector<ConductorSelfTerms>& self, CComplex* E, CComplex* P)
{
    const int n = static_cast<int>(conductors.size());
    for (int i = 0; i < n; ++i) {
        for (int j = i; j < n; ++j) {
            std::size_t ij = static_cast<std::size_t>(i) * n + j, ji = static_cast<std::size_t>(j) * n + i;
            CComplex term = earthTerms[static_cast<std::size_t>(pairIndex[ij])];
            E[ij] = term;
            E[ji] = term;
            if (i == j) {
                const LineConductor& c = conductors[static_cast<std::size_t>(i)];
                P[ij] = CComplex(std::log(2 * c.h / self[static_cast<std::size_t>(i)].radius), 0.0);
            } else {
                const LineConductor& a = conductors[static_cast<std::size_t>(i)];
                const LineConductor& b = conductors[static_cast<std::size_t>(j)];
                CComplex p(MutualPotential(a.h, b.h, a.x - b.x), 0.0);
                P[ij] = p;
                P[ji] = p;
            }
        }
    }
    for (int i = 0; i < n; ++i) {
        std::size_t ii = static_cast<std::size_t>(i) * n + i;
        E[ii] += self[static_cast<std::size_t>(i)].e;
        P[ii] += self[static_cast<std::size_t>(i)].p;
    }
}

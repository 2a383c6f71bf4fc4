#include "calc/earthreturn.h"

#include "calc/calcglobals.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

// ---------------------------------------------------------------------------
// Carson's correction

int CarsonCosSign(int k)
{
    static const int table[4] = {1, 0, -1, 0};
    // cos and sin of k*pi/2 are periodic in k with period 4, so a negative k
    // takes the same table entry as k + 4m.
    return table[((k % 4) + 4) % 4];
}

int CarsonSinSign(int k)
{
    static const int table[4] = {1, 0, -1, 0};
    return table[(((k + 3) % 4) + 4) % 4];
}

namespace {
// The series converges for every r below 10 within a few dozen terms; the cap
// only ends the loop when r is not a number.
constexpr int kMaxCarsonTerms = 1000;
} // namespace

CComplex CalcCarson(const double& r, const double& theta)
{
    if (r >= 10) {
        // Asymptotic form for a distance of many skin depths.
        double s = 3 * std::cos(5 * theta) / (r * r);
        double c3 = std::cos(3 * theta);
        double re = 1.4142135 * ((s - c3) / (r * r) + std::cos(theta)) / r;
        double im = 1.4142135 * (((-(c3 + s) / r + 1.4142135 * std::cos(2 * theta)) / r - std::cos(theta)) / r);
        return CComplex(re, im);
    }

    // Carson's series in r, summed until a term pair is negligible.
    double L = std::log(r / 2) + 0.577215665;
    double re = 0.5 - L;
    double im = -0.785398163;
    double a = 1.0;
    double sigma = 0.5;
    double w = 2 / r;
    for (int k = 1; k <= kMaxCarsonTerms; ++k) {
        double kd = k;
        a = -a * (r / 2) * (r / 2) / (kd * (kd + 1));
        sigma = sigma + (1 / kd + 1 / (kd + 1)) * 0.5;
        w = w * r * r / ((2 * kd - 1) * (-2 * kd - 1));
        double C = CarsonCosSign(k);
        double S = CarsonSinSign(k);
        double c2 = std::cos(2 * kd * theta);
        double t2 = theta * std::sin(2 * kd * theta);
        double D = L - sigma;
        double V = w * std::cos((2 * kd - 1) * theta);
        double T1 = std::cos((2 * kd - 1) * 0.785398163) * V +
                    a * (C * c2 * D - 0.785398163 * S * c2 - C * t2);
        double T2 = std::sin((2 * kd - 1) * 0.785398163) * V +
                    a * (0.785398163 * C * c2 + S * c2 * D - S * t2);
        re = re - T1;
        im = im - T2;
        if (std::fabs(T1) + std::fabs(T2) <= 1e-10)
            break;
    }
    return CComplex(re, im);
}

// ---------------------------------------------------------------------------
// Earth constants and kernels

namespace {
// w^2/c^2 with c^2 taken as 9e16.
inline double WaveNumber2(double omega) { return omega * omega * 1.11111111e-17; }
// The complex relative permittivity eps + 1/(j*w*eps0*rho) of an earth layer;
// 113097330000.0 stands for 1/eps0.
inline CComplex LayerPermittivity(double omega, double eps, double rho)
{
    return eps + 113097330000.0 / CComplex(0.0, omega * rho);
}
// (eps - 1)*m - j*w*mu0/rho, with mu0 taken as 1.256637e-06.
inline CComplex LayerK(double omega, double epsMinus, double rho)
{
    return CComplex(epsMinus * WaveNumber2(omega), 0.0) - CComplex(0.0, omega) * 1.256637e-06 / rho;
}
} // namespace

void SetEarthConstants1(double omega, double eps1, double rho1)
{
    g_EarthK1 = LayerK(omega, eps1 - 1, rho1);
    g_EarthN = LayerPermittivity(omega, eps1, rho1);
    g_EarthK0 = g_EarthN - 1.0;
}

void SetEarthConstants2(double omega, double eps1, double eps2, double rho1, double rho2, double h1)
{
    g_EarthK0 = LayerK(omega, eps1 - 1, rho1);
    g_EarthK1 = LayerK(omega, eps2 - 1, rho2);
    g_EarthM1 = LayerK(omega, eps1, rho1);
    g_EarthM2 = LayerK(omega, eps2, rho2);
    g_EarthN1 = LayerPermittivity(omega, eps1, rho1);
    g_EarthR1 = 1.0 / g_EarthN1;
    g_dEarthH1 = h1;
}

CComplex EarthKernel1(const double& lambda)
{
    CComplex u = Sqrt(lambda * lambda - g_EarthK1);
    return 1.0 / (lambda + u) - 1.0 / (g_EarthN * lambda + u);
}

CComplex EarthKernel1Low(const double& lambda)
{
    CComplex u = Sqrt(lambda * lambda - g_EarthK1);
    CComplex k0l = g_EarthK0 * lambda;
    return (k0l / (lambda + u)) / (lambda + u + k0l);
}

namespace {
// The quantities both two-layer kernels share.
struct TwoLayerTerms {
    CComplex u1, s, K, factor;
};

TwoLayerTerms TwoLayer(double lambda)
{
    TwoLayerTerms t;
    t.u1 = Sqrt(lambda * lambda - g_EarthK0);
    CComplex u2 = Sqrt(lambda * lambda - g_EarthK1);
    CComplex c = Coth(t.u1 * g_dEarthH1);
    t.s = (t.u1 + u2 * c) / (t.u1 * c + u2);
    CComplex p = (t.u1 * g_EarthM2 + c * u2 * g_EarthM1) / (t.u1 * g_EarthM2 * c + u2 * g_EarthM1);
    CComplex G = (p - t.s) * ((t.u1 / u2) * t.s - 1.0) / (t.s - p * g_EarthR1);
    t.K = g_EarthN1 * t.s / p;
    t.factor = 1.0 - g_EarthR1 * G;
    return t;
}
} // namespace

CComplex EarthKernel2(const double& lambda)
{
    TwoLayerTerms t = TwoLayer(lambda);
    return t.factor * (1.0 / (lambda + t.u1 * t.s) - 1.0 / (t.K * lambda + t.u1));
}

CComplex EarthKernel2Low(const double& lambda)
{
    TwoLayerTerms t = TwoLayer(lambda);
    return t.factor * ((t.K - 1.0) * lambda + (1.0 - t.s) * t.u1) /
           ((lambda + t.u1 * t.s) * (t.K * lambda + t.u1));
}

// ---------------------------------------------------------------------------
// The refined integral

namespace {

constexpr double kRelTolerance = 1e-5;
// Each pass doubles the abscissae; 24 passes are some 16 million kernel
// evaluations, far beyond what any physical line needs (a dozen passes).
constexpr int kMaxPasses = 24;
// A pair whose estimate is below this share of the largest estimate of the
// pass measures its change against that largest estimate: its own value may
// pass through zero and would never settle in relative terms.
constexpr double kTinyShare = 1e-6;

// Composite Simpson over [a, b] for all pairs at once, halving the step until
// every pair has settled; values(x, out) writes the integrand of each pair at x.
// Returns per pair 16*S_new - S_old (the Richardson step, divided by 15 later).
template <class Values>
std::vector<CComplex> IntegrateAllPairs(double a, double b, std::size_t count, Values values)
{
    std::vector<CComplex> fa(count), fb(count), Y(count), O(count), Z(count), Sold(count), Snew(count);
    values(a, fa);
    values(b, fb);
    double width = b - a;
    for (std::size_t k = 0; k < count; ++k) {
        Y[k] = fa[k] + fb[k];
        Sold[k] = Y[k] * width;
    }
    double h = width;
    std::vector<CComplex> fx(count);
    for (int pass = 1; pass <= kMaxPasses; ++pass) {
        std::fill(Z.begin(), Z.end(), g_CZero);
        // New abscissae a + h/2, a + h/2 + h, ... below b: 2^(pass-1) of them.
        long points = 1L << (pass - 1);
        for (long i = 0; i < points; ++i) {
            values(a + (static_cast<double>(i) + 0.5) * h, fx);
            for (std::size_t k = 0; k < count; ++k)
                Z[k] += fx[k];
        }
        double largest = 0.0;
        for (std::size_t k = 0; k < count; ++k) {
            Snew[k] = (Y[k] + 4.0 * Z[k] + 2.0 * O[k]) / 3.0 * h;
            largest = std::max(largest, Abs(Snew[k]));
        }
        double change = 0.0;
        for (std::size_t k = 0; k < count; ++k) {
            double diff = Abs(Snew[k] - Sold[k]);
            if (diff == 0.0)
                continue;
            double own = Abs(Snew[k]);
            double scale = own >= kTinyShare * largest ? own : largest;
            double rel = scale > 0.0 ? diff / scale : std::numeric_limits<double>::infinity();
            change = std::max(change, rel);
        }
        if (change < kRelTolerance || pass == kMaxPasses)
            break;
        for (std::size_t k = 0; k < count; ++k) {
            O[k] += Z[k];
            Sold[k] = Snew[k];
        }
        h = h / 2;
    }
    std::vector<CComplex> part(count);
    for (std::size_t k = 0; k < count; ++k)
        part[k] = 16.0 * Snew[k] - Sold[k];
    return part;
}

} // namespace

void CalcEarthIntegralWith(CComplex* terms, const EarthKernelSet& kernels)
{
    const std::size_t count = std::min(g_EarthPairH.size(), g_EarthPairD.size());
    if (count == 0)
        return;
    const double Hmin = g_dEarthHmin;
    const double lambdaA = 0.2 / Hmin;
    const double lambdaB = 5 * lambdaA;
    const double* H = g_EarthPairH.data();
    const double* d = g_EarthPairD.data();

    // Tail: lambda from lambdaB to infinity over t = exp(-lambda*Hmin), so the
    // exponential weight becomes a power of t and the range is finite.
    std::vector<CComplex> tail = IntegrateAllPairs(
        0.0, 0.367879441, count, [&](double t, std::vector<CComplex>& out) {
            if (t == 0.0) {
                std::fill(out.begin(), out.end(), g_CZero);
                return;
            }
            double lambda = -std::log(t) / Hmin;
            CComplex F = kernels.plain(lambda);
            for (std::size_t k = 0; k < count; ++k)
                out[k] = F * (std::cos(lambda * d[k]) * std::pow(t, H[k] / Hmin - 1));
        });

    auto weighted = [&](CComplex F, double lambda, std::vector<CComplex>& out) {
        for (std::size_t k = 0; k < count; ++k)
            out[k] = F * (std::exp(-lambda * H[k]) * std::cos(lambda * d[k]));
    };
    std::vector<CComplex> middle = IntegrateAllPairs(
        lambdaA, lambdaB, count,
        [&](double lambda, std::vector<CComplex>& out) { weighted(kernels.plain(lambda), lambda, out); });
    std::vector<CComplex> low = IntegrateAllPairs(
        0.0, lambdaA, count, [&](double lambda, std::vector<CComplex>& out) {
            CComplex F = lambda == 0.0 && !kernels.lowAtZero ? g_CZero : kernels.low(lambda);
            weighted(F, lambda, out);
        });

    for (std::size_t k = 0; k < count; ++k)
        terms[k] = (tail[k] / Hmin + middle[k] + low[k]) / 15.0;
}

void CalcEarthIntegral(CComplex* terms, const unsigned char* twoLayer)
{
    static const EarthKernelSet oneLayer{EarthKernel1, EarthKernel1Low, false};
    static const EarthKernelSet twoLayers{EarthKernel2, EarthKernel2Low, true};
    CalcEarthIntegralWith(terms, twoLayer && *twoLayer ? twoLayers : oneLayer);
}

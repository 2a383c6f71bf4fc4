#include "calc/earthreturn.h"

#include "calc/calcglobals.h"
#include "math/vectorpath.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <memory>
#include <mutex>
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

// cos and sin of (2k - 1)*0.785398163, the same for every pair and frequency:
// made once for the first terms, by the very calls the series would make.
class CarsonPhases {
public:
    static constexpr int kTerms = 128;
    static const CarsonPhases& Get()
    {
        static const CarsonPhases phases;
        return phases;
    }
    double Cos(int k) const { return k <= kTerms ? m_cos[k] : std::cos((2 * double(k) - 1) * 0.785398163); }
    double Sin(int k) const { return k <= kTerms ? m_sin[k] : std::sin((2 * double(k) - 1) * 0.785398163); }

private:
    CarsonPhases()
    {
        // Read through a volatile, so that the compiler cannot evaluate the
        // calls itself (it would round them otherwise than the library).
        static volatile double s_quarter = 0.785398163;
        for (int k = 1; k <= kTerms; ++k) {
            const double kd = k;
            m_cos[k] = std::cos((2 * kd - 1) * s_quarter);
            m_sin[k] = std::sin((2 * kd - 1) * s_quarter);
        }
    }
    double m_cos[kTerms + 1] = {};
    double m_sin[kTerms + 1] = {};
};
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
    const CarsonPhases& phases = CarsonPhases::Get();
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
        double T1 = phases.Cos(k) * V + a * (C * c2 * D - 0.785398163 * S * c2 - C * t2);
        double T2 = phases.Sin(k) * V +
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

// The weights of one range of the integral: per abscissa, the factor of every
// pair that multiplies the kernel (exp(-lambda*H)*cos(lambda*d), or its form
// over t in the tail).  They depend on the pair table alone, not on the
// frequency, so a run computes them once and every frequency point reads them.
// Level 0 holds the two ends of the range, level p the 2^(p-1) abscissae that
// pass p adds.  A level is filled by the first point that needs it; levels
// beyond the budget are not kept (those abscissae compute their weights as
// they go, with the same arithmetic).
class RangeWeights {
public:
    // Doubles one range keeps at most (8 MB).
    static constexpr std::size_t kBudget = std::size_t(1) << 20;

    // abscissa(i) gives the i-th abscissa of the level.
    template <class Abscissa, class Weigh>
    const double* Level(int level, std::size_t count, Abscissa abscissa, Weigh weigh)
    {
        const std::size_t points = level == 0 ? 2 : std::size_t(1) << (level - 1);
        if (points * count > kBudget)
            return nullptr;
        Entry& e = m_levels[std::size_t(level)];
        std::call_once(e.once, [&] {
            e.w.resize(points * count);
            for (std::size_t i = 0; i < points; ++i)
                weigh(abscissa(i), e.w.data() + i * count);
        });
        return e.w.data();
    }

private:
    struct Entry {
        std::once_flag once;
        std::vector<double> w;
    };
    std::array<Entry, kMaxPasses + 1> m_levels;
};

// The weights of the three ranges of one pair table.
struct PairTableWeights {
    std::vector<double> H, d;
    double Hmin = 0.0;
    RangeWeights tail, middle, low;
};

// The weights of the pair tables met since the caches were last released,
// shared by every thread of a run; a table is looked up by its values.
std::mutex s_weightsMutex;
std::vector<std::shared_ptr<PairTableWeights>> s_weights;
// Pair tables kept at once (a sag line has one per piece).
constexpr std::size_t kMaxPairTables = 64;

std::shared_ptr<PairTableWeights> WeightsOf(const std::vector<double>& H, const std::vector<double>& d,
                                            double Hmin)
{
    std::lock_guard<std::mutex> lock(s_weightsMutex);
    for (const auto& w : s_weights)
        if (w->Hmin == Hmin && w->H == H && w->d == d)
            return w;
    if (s_weights.size() >= kMaxPairTables)
        s_weights.erase(s_weights.begin());
    auto w = std::make_shared<PairTableWeights>();
    w->H = H, w->d = d, w->Hmin = Hmin;
    s_weights.push_back(w);
    return w;
}

// Z[k] += F*w[k] for every pair: the inner loop of the integration.
[[gnu::always_inline]] inline void AddWeightedBody(CComplex* Z, const CComplex& F, const double* w,
                                                   std::size_t count)
{
    for (std::size_t k = 0; k < count; ++k)
        Z[k] += F * w[k];
}
KESTRIN_TWO_BUILDS(void, AddWeighted, (CComplex * Z, const CComplex& F, const double* w, std::size_t count),
                   (Z, F, w, count))

// Working vectors of the integration, kept by each thread between points.
struct IntegralScratch {
    std::vector<CComplex> fa, fb, Y, O, Z, Sold, Snew;
    std::vector<double> w;
    void Resize(std::size_t count)
    {
        for (auto* v : {&fa, &fb, &Y, &O, &Z, &Sold, &Snew})
            v->assign(count, g_CZero);
        w.resize(count);
    }
};

// The kernel at one abscissa: its value F, or none (the integrand is zero
// whatever the weights, which may then not be computed).
struct KernelValue {
    CComplex F;
    bool zero = false;
};

// Whether the pass has settled: no pair's Simpson estimate changed by
// kRelTolerance or more of its own size (or of the largest estimate, for a
// pair below kTinyShare of it).  The moduli are bounded first from |re| + |im|;
// only where the bounds leave a pair's test open are they taken exactly, for
// every pair as the test always did, so the answer is that of the exact test.
bool PassSettled(const CComplex* Snew, const CComplex* Sold, std::size_t count)
{
    double largestLow = 0.0, largestHigh = 0.0;
    bool decided = true;
    for (std::size_t k = 0; k < count && decided; ++k) {
        const double lo = AbsLowerBound(Snew[k]), hi = AbsUpperBound(Snew[k]);
        decided = lo == lo && hi == hi;  // not a number: the exact test
        largestLow = std::max(largestLow, lo);
        largestHigh = std::max(largestHigh, hi);
    }
    // Margins far above the rounding of one division keep a decided pair
    // decided whatever the last bit of the exact quotient.
    constexpr double kBelow = kRelTolerance * 0.999, kAbove = kRelTolerance * 1.001;
    for (std::size_t k = 0; k < count && decided; ++k) {
        const CComplex z = Snew[k] - Sold[k];
        if (z.re == 0.0 && z.im == 0.0)
            continue;  // no change: the pair passes
        const double ownLow = AbsLowerBound(Snew[k]), ownHigh = AbsUpperBound(Snew[k]);
        double scaleLow, scaleHigh;
        if (ownLow >= kTinyShare * largestHigh)
            scaleLow = ownLow, scaleHigh = ownHigh;
        else if (ownHigh < kTinyShare * largestLow)
            scaleLow = largestLow, scaleHigh = largestHigh;
        else
            scaleLow = std::min(ownLow, largestLow), scaleHigh = std::max(ownHigh, largestHigh);
        if (!(scaleLow > 0.0))
            decided = false;
        else if (AbsLowerBound(z) >= kAbove * scaleHigh)
            return false;  // this pair has surely not settled
        else if (!(AbsUpperBound(z) <= kBelow * scaleLow))
            decided = false;
    }
    if (decided)
        return true;

    double largest = 0.0;
    for (std::size_t k = 0; k < count; ++k)
        largest = std::max(largest, Abs(Snew[k]));
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
    return change < kRelTolerance;
}

// Composite Simpson over [a, b] for all pairs at once, halving the step until
// every pair has settled.  weigh(x, w) writes the weight of each pair at the
// abscissa x; kernel(x) gives the kernel there, and each pair's integrand is
// the kernel times its weight.  Adds per pair 16*S_new - S_old (the Richardson
// step, divided by 15 later) to part.
template <class Weigh, class Kernel>
void IntegrateAllPairs(double a, double b, std::size_t count, RangeWeights& cache, Weigh weigh, Kernel kernel,
                       CComplex* part)
{
    thread_local IntegralScratch s;
    s.Resize(count);
    double width = b - a;
    // The weights of an abscissa: from the cache, or computed here.
    auto at = [&](const double* level, std::size_t i, double x) {
        if (level)
            return level + i * count;
        weigh(x, s.w.data());
        return static_cast<const double*>(s.w.data());
    };
    auto values = [&](double x, const double* level, std::size_t i, std::vector<CComplex>& out) {
        const KernelValue v = kernel(x);
        if (v.zero) {
            std::fill(out.begin(), out.end(), g_CZero);
            return;
        }
        const double* w = at(level, i, x);
        for (std::size_t k = 0; k < count; ++k)
            out[k] = v.F * w[k];
    };
    const double* ends = cache.Level(0, count, [&](std::size_t i) { return i == 0 ? a : b; }, weigh);
    values(a, ends, 0, s.fa);
    values(b, ends, 1, s.fb);
    for (std::size_t k = 0; k < count; ++k) {
        s.Y[k] = s.fa[k] + s.fb[k];
        s.Sold[k] = s.Y[k] * width;
    }
    double h = width;
    for (int pass = 1; pass <= kMaxPasses; ++pass) {
        std::fill(s.Z.begin(), s.Z.end(), g_CZero);
        // New abscissae a + h/2, a + h/2 + h, ... below b: 2^(pass-1) of them.
        long points = 1L << (pass - 1);
        auto abscissa = [&](std::size_t i) { return a + (static_cast<double>(i) + 0.5) * h; };
        const double* level = cache.Level(pass, count, abscissa, weigh);
        for (long i = 0; i < points; ++i) {
            // Each pair's integrand added to its sum as it is formed.
            const double x = abscissa(std::size_t(i));
            const KernelValue v = kernel(x);
            if (v.zero) {
                for (std::size_t k = 0; k < count; ++k)
                    s.Z[k] += g_CZero;
                continue;
            }
            KESTRIN_DISPATCH(AddWeighted, (s.Z.data(), v.F, at(level, std::size_t(i), x), count));
        }
        for (std::size_t k = 0; k < count; ++k)
            s.Snew[k] = (s.Y[k] + 4.0 * s.Z[k] + 2.0 * s.O[k]) / 3.0 * h;
        if (pass == kMaxPasses || PassSettled(s.Snew.data(), s.Sold.data(), count))
            break;
        for (std::size_t k = 0; k < count; ++k) {
            s.O[k] += s.Z[k];
            s.Sold[k] = s.Snew[k];
        }
        h = h / 2;
    }
    for (std::size_t k = 0; k < count; ++k)
        part[k] = 16.0 * s.Snew[k] - s.Sold[k];
}

} // namespace

void ReleaseEarthWeights()
{
    std::lock_guard<std::mutex> lock(s_weightsMutex);
    s_weights.clear();
}

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
    const std::shared_ptr<PairTableWeights> cache =
        WeightsOf(std::vector<double>(H, H + count), std::vector<double>(d, d + count), Hmin);
    thread_local std::vector<CComplex> tail, middle, low;
    tail.resize(count), middle.resize(count), low.resize(count);

    // Tail: lambda from lambdaB to infinity over t = exp(-lambda*Hmin), so the
    // exponential weight becomes a power of t and the range is finite.
    IntegrateAllPairs(
        0.0, 0.367879441, count, cache->tail,
        [&](double t, double* w) {
            if (t == 0.0)
                return;  // the integrand is 0 there, whatever the weights
            double lambda = -std::log(t) / Hmin;
            for (std::size_t k = 0; k < count; ++k)
                w[k] = std::cos(lambda * d[k]) * std::pow(t, H[k] / Hmin - 1);
        },
        [&](double t) {
            if (t == 0.0)
                return KernelValue{g_CZero, true};
            double lambda = -std::log(t) / Hmin;
            return KernelValue{kernels.plain(lambda)};
        },
        tail.data());

    auto weigh = [&](double lambda, double* w) {
        for (std::size_t k = 0; k < count; ++k)
            w[k] = std::exp(-lambda * H[k]) * std::cos(lambda * d[k]);
    };
    IntegrateAllPairs(
        lambdaA, lambdaB, count, cache->middle, weigh,
        [&](double lambda) { return KernelValue{kernels.plain(lambda)}; }, middle.data());
    IntegrateAllPairs(
        0.0, lambdaA, count, cache->low, weigh,
        [&](double lambda) {
            // The low kernel has no value at 0 for one layer: the integrand
            // is taken as 0 times the weights there.
            return KernelValue{lambda == 0.0 && !kernels.lowAtZero ? g_CZero : kernels.low(lambda)};
        },
        low.data());

    for (std::size_t k = 0; k < count; ++k)
        terms[k] = (tail[k] / Hmin + middle[k] + low[k]) / 15.0;
}

void CalcEarthIntegral(CComplex* terms, const unsigned char* twoLayer)
{
    static const EarthKernelSet oneLayer{EarthKernel1, EarthKernel1Low, false};
    static const EarthKernelSet twoLayers{EarthKernel2, EarthKernel2Low, true};
    CalcEarthIntegralWith(terms, twoLayer && *twoLayer ? twoLayers : oneLayer);
}

#include "calc/calcglobals.h"

#include "calc/earthreturn.h"
#include "calc/linecache.h"

#include "math/matrix.h"

#include <chrono>
#include <random>

thread_local double g_dCalcFreq = 0.0;
std::vector<CElement*> g_ppCalcElements;
thread_local int g_bRegenSpans = 0;
thread_local int g_nCalcSplitConductor = -1;
thread_local std::vector<std::vector<CComplex>> g_pSpanVectors;
thread_local int g_nSpanVector = 0;

thread_local std::vector<double> g_EarthPairH;
thread_local std::vector<double> g_EarthPairD;
thread_local double g_dEarthHmin = 0.0;
thread_local CComplex g_EarthK0;
thread_local CComplex g_EarthK1;
thread_local CComplex g_EarthN;
thread_local CComplex g_EarthM1;
thread_local CComplex g_EarthM2;
thread_local CComplex g_EarthN1;
thread_local CComplex g_EarthR1;
thread_local double g_dEarthH1 = 0.0;

namespace {
std::mt19937 s_spanRandom;
bool s_spanRandomSeeded = false;
} // namespace

void SeedSpanRandom(std::uint32_t seed)
{
    s_spanRandom.seed(seed);
    s_spanRandomSeeded = true;
}

unsigned char DrawSpanValue()
{
    if (!s_spanRandomSeeded) {
        auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
        SeedSpanRandom(static_cast<std::uint32_t>(ticks ^ (ticks >> 32)));
    }
    // The top eight bits of the 32-bit draw: uniform over 0..255.
    return static_cast<unsigned char>(s_spanRandom() >> 24);
}

void ResetCalcGlobals()
{
    ResetLineCalcGlobals();
    g_MatError = 0;
    g_dCalcFreq = 0.0;
    g_ppCalcElements.clear();
    g_bRegenSpans = 0;
    g_nCalcSplitConductor = -1;
    g_pSpanVectors.clear();
    g_nSpanVector = 0;
    s_spanRandom.seed(std::mt19937::default_seed);
    s_spanRandomSeeded = false;

    g_EarthPairH.clear();
    g_EarthPairD.clear();
    g_dEarthHmin = 0.0;
    g_EarthK0 = g_EarthK1 = g_EarthN = g_EarthM1 = g_EarthM2 = g_EarthN1 = g_EarthR1 = g_CZero;
    g_dEarthH1 = 0.0;

    FreeSameLineTable();
    ReleaseEarthWeights();
}

// The globals of one calculation: the frequency of the point being computed,
// the element array of the run, the random span values of tower-influence
// lines, and the working state the line models hand each other (the pair table
// and earth constants of the earth return).  What belongs to one frequency
// point is per thread, so that the points of a range can run on several
// threads and a calculation on one thread never disturbs another's; the
// element array is shared and only read while points run.  The frequency as jw, the modal
// flag and the identical-line record live beside the modal solver in
// math/linecalc.h; this header brings them in.  ResetCalcGlobals() puts every
// global of this header back to its starting state, so tests start clean.
#pragma once

#include "math/complex.h"
#include "math/linecalc.h"

#include <cstdint>
#include <vector>

class CElement;

// The frequency of the current point, Hz.  The run sets it together with g_jOmega.
extern thread_local double g_dCalcFreq;

// The task's elements in chain order, filled when the calculation dialog opens.
extern std::vector<CElement*> g_ppCalcElements;

// Non-zero: the tower-influence lines draw new random span values (the run
// clears it after the first frequency).
extern thread_local int g_bRegenSpans;

// The split-conductor index of the element being modelled (-1 none); each line
// model copies its element's index here before anything else.
extern thread_local int g_nCalcSplitConductor;

// Random-span lines keep the corrected phases of their cell modes from one
// frequency to the next, one vector per line in the order the lines are
// modelled.  The run allocates the vectors (all zero) and sets the counter to 0
// before each frequency; every tower-influence section takes the vector at the
// counter and advances it.
extern thread_local std::vector<std::vector<CComplex>> g_pSpanVectors;
extern thread_local int g_nSpanVector;

// The one generator of random span values.  Until it is seeded explicitly it
// seeds itself from the clock on its first draw; tests seed it for
// reproducible spans.
void SeedSpanRandom(std::uint32_t seed);
// A span value, uniform over 0..255 (as rand()/128 of a 15-bit generator).
unsigned char DrawSpanValue();

// The distinct conductor pairs of the line (or piece) being modelled: height
// sum H_k and horizontal distance d_k, m; the earth return gives one term per
// entry.
extern thread_local std::vector<double> g_EarthPairH;
extern thread_local std::vector<double> g_EarthPairD;
// The smallest mean conductor height of the line or piece, m.
extern thread_local double g_dEarthHmin;

// Earth constants of the refined earth-return integral, set by the geometry
// step before the integral runs.  One layer: g_EarthK1, g_EarthN, g_EarthK0.
// Two layers: g_EarthK0, g_EarthK1, g_EarthM1, g_EarthM2, g_EarthN1,
// g_EarthR1 and the upper-layer thickness g_dEarthH1.
extern thread_local CComplex g_EarthK0;
extern thread_local CComplex g_EarthK1;
extern thread_local CComplex g_EarthN;
extern thread_local CComplex g_EarthM1;
extern thread_local CComplex g_EarthM2;
extern thread_local CComplex g_EarthN1;
extern thread_local CComplex g_EarthR1;
extern thread_local double g_dEarthH1;

// Also resets the shared state of math/linecalc.h (and g_MatError).
void ResetCalcGlobals();

// ---- Identical line sections ----------------------------------------------
// One record per element of g_ppCalcElements, in the same order, from the
// opening of the calculation dialog to its end (calc/linecache.h builds and
// frees them); g_pCurLineRec points into it while a channel is calculated.
// Each thread that calculates points has its own records and storage, made
// from the one table of identical sections.
extern thread_local std::vector<LineCalcRecord> g_pLineRecs;

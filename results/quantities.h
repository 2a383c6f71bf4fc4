// The derived quantities every results presentation computes from a stored
// frequency response: group-delay distortion and mismatch attenuation.  One
// code for the reports, the analyser templates, the graphs and the buffer.
#pragma once

#include "math/complex.h"

#include <cstddef>

class CRezGra;

// One full turn of phase as the delay has always used it (slightly short of
// 2*pi; the last digits of stored reports depend on it).
inline constexpr double kPhaseTurn = 6.2831852;

// Angular frequency step between neighbouring points of a result, in rad/ms:
// (end - start) / (count - 1) * 2*pi * 0.001 with frequencies in Hz.  0 for a
// result of fewer than two points.
double DelayAngularStep(double startHz, double endHz, int count);

// Phase change from one point to the next (radians).  Two samples of a phase
// tell a step apart only up to half a turn either way, so a change of more
// than half a turn is a wrap of the phase across +-pi: one turn is taken off
// it.  A delay tau sampled with a frequency step df is then shown right while
// tau * df stays below one half.
double UnwrappedPhaseStep(double phase, double nextPhase);

// Group-delay distortion between two neighbouring points, in ms.  False (and no
// value) when the angular step is zero or not finite: a result whose start and
// end frequencies coincide has no delay to show.
bool GroupDelayMs(double phase, double nextPhase, double angularStep, double& delayMs);

// Mismatch attenuation of an end, in dB: 20 log10 |(Z + R) / (Z - R)| with Z the
// input impedance and R the nominal impedance of that end.  A matched end
// (|Z - R| <= 1e-40) gives 1e30 and |Z + R| <= 1e-40 gives -1e30, the way the
// calculation stores its infinite quantities.
double MismatchAttenuation(const CComplex& z, double r);

// The same for point i of a stored result.  The delay belongs to the interval
// from point i to i + 1: none for the last point, nor for a result whose start
// and end frequencies coincide.
double ResultAngularStep(const CRezGra& result);
bool ResultGroupDelayMs(const CRezGra& result, std::size_t i, double& delayMs);
double ResultMismatchLeft(const CRezGra& result, std::size_t i);
double ResultMismatchRight(const CRezGra& result, std::size_t i);

// Coupling filters of the seven scheme types and the HF cable of a coupling
// device, as chain matrices at the current frequency (g_jOmega, g_dCalcFreq).
// The coupling-device element and the bypass paths are built from these.
#pragma once

#include "calc/chainmatrix.h"
#include "model/catalogitems.h"

#include <cstdint>
#include <string>

// F1 and F2 of a filter, whose product F1*F2 runs from the filter's line
// terminals to its cable terminals.  A non-zero polarity byte reverses the
// winding (the sign of F1 in types 0, 3 and 5, of the coupled coils in types 1
// and 2; types 4 and 6 have no polarity).  A type byte above 6 leaves both
// matrices at the unit matrix.  The divisors that the schemes need are not
// tested here: CheckFiltrValues refuses a filter that lacks them.
void CalcFiltrMatrices(ChainMatrix& F1, ChainMatrix& F2, const CFiltr& filter, std::uint8_t polarity);

// The chain matrix of an HF cable of length l (m) with attenuation a
// (dB per metre per sqrt(kHz)), wave speed v (m/s) and wave impedance Zc (ohm):
// [cosh(gl), Zc*sinh(gl); sinh(gl)/Zc, cosh(gl)], g = 0.115*a*sqrt(f/1000) + jw/v.
// A cable of length 0 is the unit matrix whatever its data (a device without a
// cable).
ChainMatrix CalcHfCableMatrix(double a, double v, double Zc, double length);
ChainMatrix CalcHfCableMatrix(const CProvod& cable, double length);

// Empty when the filter's scheme values are finite numbers, it has every value
// its scheme divides by and no resistance its scheme reads is negative;
// otherwise the reason for refusing it, naming the filter and the value that
// is not finite, or the missing or negative values (the text goes into
// FormatElementDataError).
std::string CheckFiltrValues(const CFiltr& filter);
// Empty when an HF cable of this length can be calculated (a finite length
// not below 0; a cable that has length needs a finite positive wave speed and
// wave impedance and a finite attenuation not below 0); else the reason.
std::string CheckHfCableValues(const CProvod& cable, double length);
// The reason for refusing an attenuation of the cable that is negative or not
// finite, else empty.
std::string CheckHfCableLoss(const CProvod& cable);

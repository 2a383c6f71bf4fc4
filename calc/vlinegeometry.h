// The per-unit-length terms of an overhead line from its cross-section: the
// pieces the overhead line element, the sag model and the transposition model
// share.  All terms are dimensionless, as the line-section solver takes them:
// E = series impedance per unit length / (j*w*mu0/(2*pi)) less the logarithmic
// geometric part, P = potential coefficients * 2*pi*eps0.
#pragma once

#include "math/complex.h"

#include <vector>

// Internal impedance of one conductor of radius a (m, without ice), twist
// coefficient k and resistivity rho (ohm*m) at f Hz, in the dimensionless form
// of E; bundleCount >= 2 divides the skin-effect part among the sub-conductors.
CComplex ConductorInternalImpedance(double a, double k, double rho, double f, int bundleCount);

// The inverse 1/eps of the complex relative permittivity of an ice wall, from
// the air temperature T (deg C), the coefficient W ("Кзагр"), the ice density,
// the angular frequency omega and the frequency f.  halfPi is 1.5707963268 for
// the homogeneous line and 1.5707963 for the sag and transposition models.
CComplex IceInverseEpsilon(double T, double W, double density, double omega, double f,
                           double halfPi);
// False when the ice model has no meaning for these data: T = -235 deg C (a pole
// of the relaxation term), or a negative base raised to a fractional power (a
// negative density, or a coefficient W that puts the relaxation exponent
// outside 0..1).
bool IceModelDefined(double T, double W, double density);

// Equivalent radius of a bundle of N sub-conductors of radius r on a circle
// with the given spacing between neighbours; r itself for N < 2.
double BundleRadius(double r, int N, double spacing);

// Potential coefficient of two conductors at mean heights hi, hj and
// horizontal distance dx (off the diagonal).
double MutualPotential(double hi, double hj, double dx);

// The distinct conductor pairs of a cross-section into the pair table of
// calc/calcglobals.h (g_EarthPairH, g_EarthPairD, g_dEarthHmin): a pair (i <= j)
// whose height sum and horizontal distance lie within 0.01 m of an existing
// entry shares that entry.  pairIndex[i*n + j] and [j*n + i] receive the entry of
// every pair, as found when the table is built.
void BuildEarthPairTable(const double* x, const double* h, int n, std::vector<int>& pairIndex);

// The earth data of a line.  model: bit 0 Carson's formulas, else the refined
// integral, with bit 1 for a two-layer earth.
struct EarthData {
    unsigned char model = 1;
    double rho1 = 0.0;
    double rho2 = 0.0;
    double eps1 = 0.0;
    double eps2 = 0.0;
    double layerDepth = 0.0;
};

// The earth term of every pair-table entry at the frequency f (Hz) and angular
// frequency omega, by the line's earth model.
std::vector<CComplex> CalcEarthTerms(const EarthData& earth, double f, double omega);

// The conductor of a cross-section as the geometry step sees it.
struct LineConductor {
    double x = 0.0;      // abscissa, m
    double y = 0.0;      // suspension height, m
    double sag = 0.0;    // m
    double h = 0.0;      // mean height (or the height at a piece of a span), m
    int wire = 0;        // index of the wire it belongs to
    bool splitHalf = false; // one half of the split conductor
};

// Per-conductor terms independent of the heights: what the conductor adds to
// the diagonal of E (internal impedance, ice) and of P (ice), and its
// equivalent radius for the geometric term (with the ice wall when there is ice).
struct ConductorSelfTerms {
    CComplex e;
    CComplex p;
    double radius = 0.0;
};

// E and P (n x n) from the conductors' heights and abscissae, the earth terms
// of the pair table and the self terms: E_ij = earth term of the pair plus the
// self term on the diagonal; P_ij = the potential coefficient.
void FillLineMatrices(const std::vector<LineConductor>& conductors, const std::vector<int>& pairIndex,
                      const std::vector<CComplex>& earthTerms,
                      const std::vector<ConductorSelfTerms>& self, CComplex* E, CComplex* P);

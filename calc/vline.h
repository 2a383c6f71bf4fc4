// The overhead line element: the three admittance blocks {Y11, Y12, -Y22} of
// an overhead line section at the current frequency (or, in the modal-
// parameter calculation, its modal data; see calc/linesection.h).  Equal and
// same-cross-section sections reuse each other's results through the current
// line record; otherwise the line is built from its cross-section: conductors
// at the tower's suspension points, mean heights under the sag, bundles, the
// split conductor, ice, internal impedance and the earth return.
#pragma once

#include "calc/vlinegeometry.h"
#include "math/twoport.h"

#include <string>
#include <vector>

class CElement;
class CVLine;

// Models the element (type 0) into out (n x n each, n = its wire positions).
// regenerate non-zero: a tower-influence line draws new random span values.
// Data that CheckVLineElement refuses produce no blocks and set g_MatError;
// blocks (or modal data) that come out not finite set g_MatError = 2 too.
void CalcVLineElement(CElement& element, const TwoPortBlocks& out, unsigned char* regenerate);

// The same for the line data of an element with the given wire positions and
// split-conductor index.
void CalcVLineData(CVLine& line, int wirePositions, int split, const TwoPortBlocks& out,
                   unsigned char* regenerate);

// The geometry step of the homogeneous line (inhomogeneity 0) and of the line
// with tower influence (1); the split conductor is g_nCalcSplitConductor.  The
// data must have passed CheckVLineData, as must those given to the helpers
// below.
void CalcVLineBlocks(CVLine& line, const TwoPortBlocks& out, unsigned char* regenerate);

// The line's earth model and earth data.
EarthData EarthDataOf(const CVLine& line);

// The conductors of the cross-section: one per wire at its tower point, two
// for the split wire at X -/+ spacing/2; mean heights Y - 0.75 * sag.
std::vector<LineConductor> BuildLineConductors(const CVLine& line, int split);

// The radius of a conductor as the geometric term sees it: the wire's, with
// the ice wall when the line carries ice, and a bundle's equivalent radius
// (a split half is a single wire).
double ConductorRadius(const CVLine& line, const LineConductor& conductor);

// The first two conductors, at their x and h, that touch as typed
// (calc/contact.h): centres no farther apart than the sum of their radii.
// Bare conductors that touch are one conductor, and the model of separate
// wires does not hold for them.  coincide: the centres themselves meet.
// first and second index conductors (first < second); -1 when none touch.
struct ConductorTouch {
    int first = -1;
    int second = -1;
    bool coincide = false;
};
ConductorTouch FindTouchingConductors(const CVLine& line, const std::vector<LineConductor>& conductors);
// The refusal naming both wires of a touch found among these conductors (the
// halves of one split wire named as such); piece > 0 places it at that
// 1-based piece of the span, 0 at the cross-section's mean heights.
std::string ConductorTouchText(const std::vector<LineConductor>& conductors, const ConductorTouch& touch, int piece);

// The self terms of every conductor at frequency f (Hz) and angular frequency
// omega: internal impedance, the ice wall (when the line carries ice) and the
// equivalent radius.  halfPi as for IceInverseEpsilon.
std::vector<ConductorSelfTerms> CalcConductorSelfTerms(const CVLine& line,
                                                       const std::vector<LineConductor>& conductors,
                                                       double f, double omega, double halfPi);

// g_nLineSymmetry (and g_SymWires) for these conductors at their x and h: the
// line's code, checked against the conductors' mirror pairs; -1 when they are
// not mirror-symmetric or a wire is split (its halves have no partner).
void SetLineSymmetry(const CVLine& line, const std::vector<LineConductor>& conductors);

// E and B = P^-1 of the conductors at their x and h, with the pair table and
// the earth terms of the line's earth model built for them and the self terms
// given; false after a singular potential matrix (g_MatError is 2).
bool CalcLineMatrices(const CVLine& line, const std::vector<LineConductor>& conductors,
                      const std::vector<ConductorSelfTerms>& self, CComplex* E, CComplex* B);

// The wires of the section: the wireCount entries of the wire array.  The
// split wire is one of them and makes two conductors; the line's stored wire
// count may include its second half or not, so it is not read here.
int VLineSectionWires(const CVLine& line);

// Why the line data cannot be calculated (empty when they can), for an
// element of the given wire positions and split-conductor index.
std::string CheckVLineData(const CVLine& line, int wirePositions, int split);

// The message refusing an overhead line element at the 1-based position
// number of the chain, or empty when it can be calculated.
std::string CheckVLineElement(const CElement& element, int number);

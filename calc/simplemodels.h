// Per-frequency models of the channel elements that need no wave
// propagation: series and shunt impedances (with line traps), the connection
// matrix of a transposition, the load at the end of a tap and the end of an
// attached circuit.  Every model reads g_jOmega, clears its output and then
// writes the entries it owns; matrices are row-major n x n, n the element's
// wire positions unless a size is passed.
//
// Wire numbers taken from the data are checked against n: a branch or a
// target outside the element is left out here, and CheckSimpleElementData
// (calc/simplecheck.h) refuses such an element before the calculation.
#pragma once

#include "math/complex.h"
#include "math/twoport.h"
#include "model/branches.h"
#include "model/element.h"
#include "model/shunts.h"

// Admittance of the line trap embedded in a branch (calc/linetrap.h).
CComplex CalcTrapAdmittance(const CShunt& branch);

// The element a damped branch (an R, L, C circuit, not a trap) belongs to:
// the two differ in when the R-L term is present.
enum class BranchOf { SeriesElement, ShuntElement };
// Whether a damped branch has the R-L term 1/(R + jwL), the only place its R
// is read: its values are given (in pF, mH and ohm they add up to at least
// 0.001; else the branch is a break or a short) and R + L > 0 in a series
// element, L in mH + R > 0.001 in a shunt element.
bool DampedBranchHasRL(const CShunt& branch, BranchOf of);

// Whether an equipment or end load jwC + 1/(R + jwL) has its R-L branch, the
// only place its R is read: R + L > 1e-15.  Without R and L the branch is
// absent rather than a division by zero.
bool LoadHasRL(double R, double L);

// Series impedance (type 3): a diagonal series admittance Y per wire, with
// Y0 = Y, Y1 = -Y, Y2 = -Y; a wire without a branch passes with 0.01 ohm.
void BuildSeriesElement(const CElement& element, const TwoPortBlocks& out);
void BuildSeriesElement(const CEShunt& data, int n, const TwoPortBlocks& out);

// Shunt impedance (type 2): the nodal admittance matrix of its branches
// between wires and to ground, a ground branch in series with the
// substation's equivalent capacitance when one is given.
void BuildShuntElement(const CElement& element, CComplex* Y);
void BuildShuntElement(const CEShunt& data, int n, CComplex* Y);

// Transposition (type 5): M[j][i] = 1 when the wire at position j goes to
// position i.  With a split conductor s (>= 0) the permutation lists the n-1
// conductors, and the two halves on s and s+1 keep their order.
void BuildConnectionMatrix(const CElement& element, int* M);
void BuildConnectionMatrix(const CTransp& data, int n, int split, int* M);

// Load at the end of a tap (type 4), the same on every wire: grounded 10 S,
// insulated 0, on the equivalent capacitance jwC; another mode 0.
CComplex TapEndAdmittance(const CNagrOtv& data);
// Diagonal n x n load matrix of a tap end (n the chain's conductors).
void BuildTapEndLoad(const CNagrOtv& data, CComplex* Y, int n);

// End of an attached circuit (type 11), admittance of wire i: kind 1 1/R,
// kind 2 10 S, kind 3 0, kind 4 1/(R + jwL) + jwC; a value the data do not
// hold counts as absent (0).
CComplex AttachedEndAdmittance(const CEndMod& data, int i);
// Whether that admittance reads wire i's R as a resistance: kind 1 only a
// positive R (else the wire is open), kind 4 only in an R-L branch that is
// present (LoadHasRL).
bool AttachedEndReadsR(const CEndMod& data, int i);
// Diagonal n x n load matrix of an attached-circuit end.
void BuildAttachedEndLoad(const CEndMod& data, CComplex* Y, int n);

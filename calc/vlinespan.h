// Overhead lines whose wires change along a span: wires that sag between the
// towers (inhomogeneity 2), and the three phase wires of a line transposed
// within every span (inhomogeneity 3).  One span (or two, with the transposed
// tower between them) is cut into short homogeneous pieces at the wires'
// positions along it; the pieces are cascaded, the towers' shunt admittance is
// added, and the periodic cell so formed is re-lengthened by its natural modes
// into the whole section (or, in the modal-parameter calculation, into the
// modal data: see math/rescale.h).
//
// Both models read the split conductor from g_nCalcSplitConductor and leave
// g_bModalMode as they found it.  A singular matrix sets g_MatError = 2 and
// the blocks are then incomplete.
#pragma once

#include "math/twoport.h"

#include <string>

class CVLine;

// Height of a sagging wire (suspension height Y, sag s) at piece i of the m
// pieces of a half span, counted from the tower: Y - s*(1 - u^2) with
// u = (2*(m - i) - 1)/(2*m), 1 at the tower and 0 at mid-span.
double SagPieceHeight(double Y, double s, int i, int m);

// A wire of a span with a transposition: from its own tower point (Xa, Ya) to
// (Xb, Yb) in a straight line across and in a parabola whose lowest point lies
// s below the lower support; the point of piece i of the 2m pieces of the span.
struct SpanPoint {
    double x = 0.0;
    double h = 0.0;
};
SpanPoint TranspPiecePoint(double Xa, double Ya, double Xb, double Yb, double s, int i, int m);

// The permutation of the three phase wires between one tower and the next,
// fixed by the highest of the first three tower points (the first wins a tie):
// point 0 gives (0, 2, 1), point 1 (2, 1, 0), point 2 (1, 0, 2).
void TranspPermutation(const double* towerY, int perm[3]);

// Inhomogeneity 2: the blocks of a section with sagging wires.
void CalcVLineSagBlocks(CVLine& line, const TwoPortBlocks& out);

// Inhomogeneity 3 (any value above 2): the blocks of a section of three wires
// transposed within every span.
void CalcVLineTranspBlocks(CVLine& line, const TwoPortBlocks& out);

// Why a line of inhomogeneity 2 or 3 with n conductors (the split conductor
// counted twice) cannot be calculated by these models, or empty when it can;
// the checks of the cross-section itself are the overhead line's.
std::string CheckVLineSpanData(const CVLine& line, int n, int split);

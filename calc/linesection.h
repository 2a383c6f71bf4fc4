// A multi-conductor line section from its dimensionless per-unit-length
// matrices (E, the series-impedance corrections, and B = P^-1, the inverse of
// the potential coefficients; see calc/vlinegeometry.h), solved by its natural
// modes.  In a channel calculation the result is the section's three
// admittance blocks {Y11, Y12, -Y22}; in the modal-parameter calculation
// (g_bModalMode) the voltage mode matrix goes to Y0, the current mode matrix to
// Y1, and the propagation constants (1/m) and modal characteristic admittances
// (S) to rows 0 and 1 of Y2 (row 1 only when n >= 2).
//
// A line with a mirror-symmetric cross-section (g_nLineSymmetry not -1, pairs
// in g_SymWires) is solved as its antisymmetric and symmetric halves.  A
// singular matrix sets g_MatError = 2 and the section then writes nothing; an
// output that is not finite sets it too.
#pragma once

#include "math/twoport.h"

#include <vector>

class CVLine;

// The homogeneous section of the given length (m).  Unless noStore is set (the
// pieces of the sag and transposition models), the modal data and blocks are
// kept in the current line record when its flags ask for them.
void CalcLineSection(const CComplex* E, const CComplex* B, const TwoPortBlocks& out, int n,
                     double length, bool noStore);

// The blocks of a uniform section of the given length from the modal data a
// line record keeps: O (the inverse voltage mode matrix), W (the current mode
// matrix times the modal characteristic admittances) and gamma.
void BlocksFromModalData(const CComplex* O, const CComplex* W, const CComplex* gamma, int n,
                         double length, const TwoPortBlocks& out);

// The shunt admittance of a tower, half of it for each of the two spans that
// meet at it: T (n x n) from the packed capacitances C (F, upper triangle by
// rows of a matrix of the given order >= n) and the resistances R (ohm); q is
// the angular frequency.
void FillWireMatrix(CComplex* T, int n, double q, const double* C, const double* R, int order);

// The section of a line whose towers load it at random span lengths (the
// influence-matrix data and span values of the line): the mean-span cell
// gives the modes whose phases are tracked, the random run of spans the
// section.  A mode that the run attenuates beyond what its tanh^2 can hold
// keeps its length through its transfer, so however long the run, the
// section comes out finite, its far end falling to zero with the length.
void CalcInhomLineSection(const CVLine& line, const CComplex* E, const CComplex* B,
                          const TwoPortBlocks& out, int n, double length);

// The same from plain data: T the tower shunt (FillWireMatrix), spanMean and
// spread in m, one byte 0..255 per span.
void CalcInhomLineSectionSpans(const CComplex* E, const CComplex* B, const CComplex* T,
                               double spanMean, double spread,
                               const std::vector<unsigned char>& spanBytes,
                               const TwoPortBlocks& out, int n, double length);

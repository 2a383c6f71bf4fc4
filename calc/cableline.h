// Cable line sections: the cores and screens of single-core cables laid in
// the ground in solid insulation, or the cores of three cables in a conducting
// steel pipe.  From the cable data the per-unit-length series impedance Z and
// shunt admittance Y are built at the current frequency (g_jOmega), the line is
// solved by its natural modes (the eigenvectors of Z*Y) and the section becomes
// the three admittance blocks {Y11, Y12, -Y22} of a multi-conductor two-port.
//
// While g_bModalMode is set the outputs receive the modal data instead:
// out.Y0 the voltage mode matrix T, out.Y1 the current mode matrix (T^-1)^T,
// row 0 of out.Y2 the propagation constants (1/m) and row 1 the modal
// characteristic admittances (S), all of the model order m.
//
// A singular matrix sets g_MatError = 2; the section then writes nothing and
// the caller reports the element.
#pragma once

#include "math/complex.h"
#include "math/twoport.h"
#include "model/lines.h"

#include <string>

class CElement;

// Order of the cable model: two conductors (core, screen) per cable in solid
// insulation, 6 per circuit; three cores per pipe, 3 per circuit.
int KLineModalOrder(const CKLine& line);

// Empty when the section can be calculated with n conductors carried through
// it by the chain; otherwise the reason for refusing it (the text goes into
// FormatElementDataError).  Solid insulation carries cores and screens (n = m)
// or the cores alone with the screens grounded (n = m/2); a pipe carries its
// cores (n = m).
std::string CheckKLineValues(const CKLine& line, int n);
// The angle (radians) of a cable in a pipe typed at the given degrees, as the
// calculation takes it.  The contact check takes it the same way: the
// layout drawing's older factor differs from it by 8e-7 of the angle, which
// at angles between 180 and 360 degrees moves touching cores apart by more
// than the rounding of typed values.
double PipeCableAngle(double degrees);

// The first contact of the three cores of a pipe section, as typed (see
// calc/contact.h), taking the cables in order and each against the wall, then
// against the earlier ones: none (kind kClear), a core through the wall
// (kOutside), a core on it (kOnWall), two cores that touch or overlap
// (kCoresTouch).  cable and other are 0-based.  Both the cable dialogs and the
// check before a run refuse what this finds.
struct PipeCoreContact {
    enum Kind { kClear, kOutside, kOnWall, kCoresTouch };
    Kind kind = kClear;
    int cable = -1;
    int other = -1;  // the earlier core it touches
};
PipeCoreContact FindPipeCoreContact(const CKLine& line);

// The message refusing a cable line element (type 1) at the 1-based position
// number of the chain, or empty when it can be calculated.
std::string CheckKLineElement(const CElement& element, int number);

// The blocks (or, in modal mode, the modal data) of a cable line section of n
// conductors, with the identical-line record of g_pCurLineRec outside modal
// mode: an equal earlier section lends its blocks, one of the same
// cross-section its modal data.  Data that CheckKLineValues refuses produce
// nothing and set g_MatError; so do blocks that come out not finite.
void CalcKLineElement(const CKLine& line, const TwoPortBlocks& out, int n);

// Z and Y of the cable system, then the section, without the record's lending
// (a bypass's cable insert comes here).  Refused data set g_MatError.
void CalcKLineConstants(const CKLine& line, const TwoPortBlocks& out, int n);

// Modal solution of a solid-insulated cable system: Z and Y are m x m, l the
// length (m).  reduce: the chain carries only the cores (m/2 conductors), the
// screens are held at zero potential at both ends.  With g_nLineSymmetry not
// -1, pairIds (m entries: +k and -k for mirror pair k, 0 on the axis) lets the
// modes be found as two mirror halves.
void CalcKLineSectionSolid(const CComplex* Z, const CComplex* Y, const TwoPortBlocks& out, int m,
                           double l, bool reduce, const signed char* pairIds = nullptr);

// Modal solution of the three cores of one pipe (Z and Y 3 x 3), repeated for
// each of the m/3 pipes of the section without coupling between them.
void CalcKLineSectionPipe(const CComplex* Z, const CComplex* Y, const TwoPortBlocks& out, int m,
                          double l);

// Divides every column of the n x n M by its entry of largest modulus (the
// first of equal maxima), so that the column's largest entry becomes 1.  A zero
// column is left as it is.
void NormalizeColumnsByMax(CComplex* M, int n);

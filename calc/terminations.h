// The ends of the channel at one frequency: the conductors that the
// transmitter and the receiver are not connected to are closed by the end
// terminations, the cascaded two-port is reduced to the one or two wires
// chosen at each end, the two wires of a two-wire connection are combined into
// one port by the connection mode, and the point's working attenuation (dB and
// phase) and input impedances are computed.
//
// A quantity whose denominator has a modulus of at most 1e-40 (or that has no
// value: a logarithm of 0, a port load whose series combination divides by 0)
// is stored as 1e30.
#pragma once

#include "math/complex.h"
#include "math/twoport.h"

class CElement;
class CRezGra;
class CRezGraPoint;

// The value stored in place of a quantity that has no finite value.
inline constexpr double kNoValue = 1e30;

// Moves row c of an n-column matrix up to row b (b <= c), shifting rows b to
// c - 1 down by one.
void MoveMatrixRow(CComplex* M, int n, int b, int c);
// The same for column c of an n x n matrix.
void MoveMatrixColumn(CComplex* M, int n, int b, int c);
// Removes row and column b of an n x n matrix in place, packing the remaining
// (n - 1) x (n - 1) entries row by row at the start.  Returns 2 when every
// remaining entry is at most 1e-25 in modulus (or none remains: the other
// conductors are isolated), else 0.
unsigned char RemoveRowColumn(CComplex* M, int n, int b);

// The termination admittances of both channel ends (n x n each): the loads of
// the coupling devices when the channel begins with one, else the end-load
// resistances (a resistance of at most 1e-10 a short of 1e10 S, a negative
// one an open wire).
void BuildEndTerminations(const CElement& first, const CElement& last, int n, CComplex* Ytx, CComplex* Yrx);

// The load of one end's port: the termination of the first wire, and in the
// two-wire modes that of the second in series (modes 1 and 3) or in parallel
// (mode 2).  False when the series combination has no value.
bool PortLoad(const CComplex* Y, int n, int w1, int w2, int mode, CComplex& G);

// The scalar two-port of the connection: y11, y12 and c = -y22.
struct ScalarTwoPort {
    CComplex y11, y12, c;
    bool valid = true;  // false when mode 3's determinant W is 0
};

// Combines the reduced k x k blocks A (Y11), B (Y12), C (-Y22) by the
// connection mode (mode 3 with the resistance R from the midpoint of each wire
// pair to ground).
ScalarTwoPort CombineConnection(const CComplex* A, const CComplex* B, const CComplex* C, int mode, double R);

// Working attenuation (dB, phase in [0, 2pi)) and the two input impedances of
// the scalar two-port between port loads Gtx and Grx (null: no value).
void CalcPointQuantities(const ScalarTwoPort& t, const CComplex* Gtx, const CComplex* Grx, CRezGraPoint& point);

// The whole step for one point: terminates, reduces and combines the channel
// blocks (n x n, modified in place) for the wires and mode of result, and
// fills point with the quantities and g_dCalcFreq.  A singular reduction or
// values that are not finite set g_MatError and are reported as element 0;
// returns false then.
bool CalcResultPoint(const TwoPortBlocks& channel, int n, const CElement& first, const CElement& last,
                     const CRezGra& result, CRezGraPoint& point);

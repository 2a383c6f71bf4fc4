// Admittance of a line trap: the reactor L1 with its tuning capacitor C1 in
// parallel with the tuning device, which is the series circuit L2, C2 in
// series with the parallel circuit of the trap's scheme (0, 1 or 2).
#pragma once

#include "math/complex.h"
#include "model/catalogitems.h"

// Admittance (S) of the trap at the current g_jOmega.  Absent parts (value not
// above 0) are left out; in scheme 1 an absent C3 leaves the resistor branch
// as R alone.
CComplex CalcTrapAdmittance(const CZagrad& trap);
// Whether the trap's parallel circuit has the branch that holds R, the only
// place R is read: scheme 0 R itself when positive, scheme 1 R in series with
// C3 (R alone without C3, absent without both), scheme 2 R in series with L4
// unless both are 0.
bool TrapHasResistorBranch(const CZagrad& trap);

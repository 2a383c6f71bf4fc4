// The bypass of an intermediate substation (element type 7): line traps on
// the wires before and after the obstacle block the power path for HF, and
// bypass lines (a coupling filter and an HF cable on each side, optional
// channel equipment in the middle) carry the signal from a wire before it to
// a wire after it.  The obstacle is a substation with its busbars (kind 0), a
// point in the field (kind 1) or a cable insert of the power line (kind 2).
// At each frequency the element becomes one two-port over its n bypassed
// wires.
#pragma once

#include "calc/chainmatrix.h"
#include "math/twoport.h"
#include "model/coupling.h"
#include "model/modelglobals.h"

#include <string>

class CElement;

// The two-port of the bypass over its n = CEObhod::n wires, packed n x n at
// the start of out's storage (the chain cascade embeds it when the bypass
// covers only some wires).  A singular joint or a bypass path that passes no
// signal (B of its chain matrix zero) sets g_MatError.
void CalcEObhodMatrices(const CElement& element, const TwoPortBlocks& out);

// The line traps of one side as a series two-port of n wires: 100 S on every
// wire, the trap's admittance on the wire of each branch.
void BuildTrapTwoPort(const CEShunt& traps, int n, const TwoPortBlocks& out);

// The chain matrix of one bypass line from its wire before the obstacle to its
// wire after it: filter and cable of the first side, the equipment as a shunt,
// then the second side read from its cable end to its line terminals.
ChainMatrix CalcBypassPathChain(const CObhod& line, int kind);
// Whether that chain reads the line's equipment R: the line has equipment
// and its R-L branch is present (LoadHasRL, calc/simplemodels.h).
bool BypassEquipmentHasRL(const CObhod& line);

// Adds the path of a bypass line to n x n blocks.  A path whose chain matrix
// has B = 0 passes no current between its ends: g_MatError is set and the
// blocks are left alone.  Returns false then.
bool AddBypassPath(const CObhod& line, int kind, const TwoPortBlocks& blocks, int n);

// Ground conductors (ground wires and cable screens) among the bypassed wires:
// before the obstacle from the element's input map, after it from its output
// map when the bypass closes a doubling of wires, else the same.
struct BypassGrounds {
    bool before[kMaxWires] = {};
    bool after[kMaxWires] = {};
    bool any = false;
};
BypassGrounds FindBypassGrounds(const CElement& element, const CEObhod& data);

// The nodal admittance of the busbars of a substation over n wires: jwC of
// the equivalent capacitance from every wire that is not a ground conductor,
// and the mutual capacitances of the pairs whose first wire is not a ground
// conductor before the substation and whose second is not one after it.
void BuildBusbarShunt(const CEObhod& data, const BypassGrounds& grounds, int n, CComplex* Y);

// Empty when the bypass can be calculated in a chain; otherwise the refusal
// message for the element of the given 1-based number.
std::string CheckBypassElement(const CElement& element, int number);

// The coupling-device element (type 6): one coupling filter, HF cable and
// equipment load per equipped wire.  At the first or the last position of the
// channel the devices form a two-port between the line and the equipment; in
// between they load the line as a shunt.
#pragma once

#include "calc/chainmatrix.h"
#include "math/twoport.h"
#include "model/coupling.h"
#include "model/element.h"

// Where a coupling device stands in the chain.
enum UprPosition : int {
    kUprFirst = 0,  // transmitter end: port 1 is the equipment side
    kUprInner = 1,  // inside the chain: a shunt load of the line (Y0 only)
    kUprLast = 2,   // receiver end: port 1 is the line side
};

// The filter with the device's polarity followed by its HF cable, line side first.
ChainMatrix CalcPrisoedChain(const CPrisoed& device);

// Admittance (S) of the equipment load at the far end of the cable,
// jwC + 1/(R + jwL), the R-L term only when LoadHasRL (calc/simplemodels.h).
CComplex PrisoedLoadAdmittance(const CPrisoed& device);

// The element's blocks over its n = wirePositions wires.  At the first and
// the last position the wires without a device pass with 100 S links; at an
// inner position only Y0 is written: the input admittance of each loaded
// device on its wire (an open load, R = L = C = 0, gives C/A of the chain).
void CalcUprMatrices(const CElement& element, const TwoPortBlocks& out, int position);
void CalcUprMatrices(const CUpr& data, int n, const TwoPortBlocks& out, int position);

// The channel-end termination by the equipment loads: a diagonal n x n
// admittance matrix with each device's load on its wire, 0 elsewhere.
void BuildCouplingShunt(const CElement& element, CComplex* Y);
void BuildCouplingShunt(const CUpr& data, int n, CComplex* Y);

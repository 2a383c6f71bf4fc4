// Chain matrices of single-wire two-ports: [A B; C D], line side first,
//   V1 = A*V2 + B*I2,  I1 = C*V2 + D*I2,  I2 leaving the second port.
// The coupling filters, the HF cables and the bypass paths are built as
// products of these elementary matrices, taken left to right from the line
// side, and only then turned into admittance blocks of the wires they join.
#pragma once

#include "math/complex.h"

struct ChainMatrix {
    CComplex A, B, C, D;
};

// The unit matrix: a through connection.
ChainMatrix ChainUnit();
// S(Z) = [1 Z; 0 1]: a series impedance.
ChainMatrix ChainSeries(const CComplex& Z);
// P(Y) = [1 0; Y 1]: a shunt admittance.
ChainMatrix ChainShunt(const CComplex& Y);
// N(k) = [k 0; 0 1/k]: an ideal transformer of ratio k.
ChainMatrix ChainTransformer(double k);
// Tr(La, Lb, k): two coils coupled with M = k*sqrt(La*Lb), at the current
// g_jOmega: [La/M, jw*La*Lb*(1 - k^2)/M; 1/(jw*M), Lb/M].
ChainMatrix ChainCoupledCoils(double La, double Lb, double k);

// X followed by Y.
ChainMatrix operator*(const ChainMatrix& X, const ChainMatrix& Y);
// Every entry times s (the sign of a reversed winding).
ChainMatrix operator*(double s, const ChainMatrix& X);

CComplex Det(const ChainMatrix& X);

// The same two-port seen from its second port: [D B; C A].
ChainMatrix ChainReversed(const ChainMatrix& X);

// The admittance blocks of a single-wire two-port between wire p (port 1) and
// wire q (port 2): Y11 = D/B, Y12 = -1/B, -Y22 = -A/B.
struct ChainAdmittance {
    CComplex y0;  // Y11
    CComplex y1;  // Y12
    CComplex y2;  // -Y22
};
ChainAdmittance ChainToAdmittance(const ChainMatrix& X);

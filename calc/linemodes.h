// The natural modes of a mirror-symmetric line.  When the conductors lie in
// mirror pairs about a vertical axis (plus conductors on the axis), the modes
// of A*B split into an antisymmetric set (one per pair) and a symmetric set
// (one per pair and axis conductor), each found from a smaller eigenproblem.
#pragma once

#include "math/complex.h"

// g_MirrorOrder for n conductors with pair ids (+k and -k for the two
// conductors of pair k, 0 on the axis) of which d lie on the axis: first the
// first conductor of each pair 1..q, then the axis conductors in increasing
// order, then the partners in the order of their pairs.
void BuildMirrorOrder(const int* ids, int n, int d);

// A*B*V = V*diag(L) for the symmetric n x n A and B, solved as two mirror
// halves: g_nLineSymmetry conductors on the axis and g_MirrorOrder built for
// them.  L holds the q antisymmetric modes first, then the r symmetric ones;
// the rows of V are the conductors in their own order.  A singular matrix sets
// g_MatError = 2.
void SolveModesMirrored(const CComplex* A, const CComplex* B, CComplex* V, CComplex* L, int n);

// The natural modes of a line from its per-unit-length matrices.  When the
// conductors lie in mirror pairs about a vertical axis (plus conductors on the
// axis), the modes of A*B split into an antisymmetric set (one per pair) and a
// symmetric set (one per pair and axis conductor), each found from a smaller
// eigenproblem.  The overhead and the cable line sections share this.
#pragma once

#include "math/complex.h"

// g_MirrorOrder from a mirror-pair table (+k and -k for the two conductors of
// pair k, 0 on the axis): the first conductor of each pair in pair order, the
// axis conductors, then each pair's partner.  False when the table does not
// describe q pairs and d axis conductors among the n (a table left by another
// cross-section): the caller then solves the whole product.
bool BuildMirrorOrder(const signed char* pairIds, int n, int q, int d);

// Eigen decomposition A*B*V = V*diag(L) of the symmetric n x n A and B.  With
// g_nLineSymmetry not -1 and pairIds describing the conductors, as the two
// decoupled mirror halves: L holds the q antisymmetric modes first, then the
// symmetric ones, and the rows of V are the conductors in their own order.  A
// singular matrix sets g_MatError = 2.
void DecomposeProduct(const CComplex* A, const CComplex* B, CComplex* V, CComplex* L, int n,
                      const signed char* pairIds);

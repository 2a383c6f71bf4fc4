// Eigenvalues and eigenvectors of the product of two complex symmetric matrices,
// the modal decomposition behind every line model.  "Symmetric" means equal to
// the transpose: nothing here conjugates.  Matrices are row-major n x n arrays
// of CComplex, vectors arrays of n; every result must be an array separate from
// the operands.  Orders 1 to 127 (a channel has at most 40 conductors).
#pragma once

#include "math/complex.h"

// A*B*V = V*diag(L) with V^T*B*V = I: eigenvectors in the columns of V,
// eigenvalues in L in the order the Jacobi sweeps leave them (not sorted).  A
// and B are not changed.  A singular B, a B^-1 whose Cholesky factor meets a
// zero pivot, or a problem with no complex orthogonal eigenbasis sets
// g_MatError = 2 and the results are meaningless; so does any result that is
// not finite.
void EigenOfProduct(const CComplex* A, const CComplex* B, CComplex* V, CComplex* L, int n);

// G lower triangular with G*G^T = A, from the diagonal and upper triangle of
// the complex symmetric A; no pivoting, the principal square root on the
// diagonal.  Entries above the diagonal of G are 0.
void CholeskySym(const CComplex* A, CComplex* G, int n);

// X = G^-1 on and below the diagonal of the lower triangular G; the entries of
// X above the diagonal are not written.
void InvertLowerTri(const CComplex* G, CComplex* X, int n);

// C = G*B, reading only the lower triangle of G.
void MulLowerTri(const CComplex* G, const CComplex* B, CComplex* C, int n);

// C = A*G^T, reading only the lower triangle of G.
void MulLowerTriT(const CComplex* A, const CComplex* G, CComplex* C, int n);

// A = V*diag(L)*V^T with V*V^T = I, for the complex symmetric A (its upper
// triangle is read): a threshold Jacobi method with complex orthogonal
// rotations.  A is not changed.  The rotations are not unitary: on a tight
// cluster of eigenvalues spread in every complex direction (the many nearly
// equal modes of a wide line) or on a matrix far from real they can diverge.
// Sweeps that diverge, do not converge or end inaccurate are replaced by the
// unitary method of math/symeigen.h, with the same normalisation.  Only an A
// with no complex orthogonal eigenbasis (an isotropic eigenvector, v^T v = 0)
// sets g_MatError = 2 and leaves meaningless results.
void JacobiSym(const CComplex* A, CComplex* V, CComplex* L, int n);

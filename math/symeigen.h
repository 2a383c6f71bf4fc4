// The eigen-decomposition of a complex symmetric matrix by unitary steps, for
// the problems on which complex orthogonal (Jacobi) rotations diverge.
//
// A wide line has many modes of nearly equal propagation: the eigenvalues of
// its modal problem lie in a tight cluster whose spread has every complex
// phase.  Rotations that are orthogonal under the plain transpose are not
// unitary, and on such a cluster each one can enlarge the other couplings more
// than it removes; the Jacobi sweeps then grow until they overflow, although a
// well-conditioned complex orthogonal eigenbasis exists.  Here the eigenvalues
// come from the shifted QR algorithm on the Hessenberg form (unitary, always
// stable), and each eigenvector from inverse iteration, kept complex
// orthogonal to those already found: for a symmetric A the vectors x with
// v^T x = 0 form an invariant subspace once v is an eigenvector, so the
// projection deflates the found modes, degenerate ones included.
#pragma once

#include "math/complex.h"

// A = V*diag(L)*V^T with V*V^T = I for the complex symmetric A (its upper
// triangle is read), as JacobiSym gives it; the eigenvalues in no particular
// order.  False when A has entries that are not finite, when the QR iteration
// does not converge, or when an eigenvector is isotropic (v^T v = 0: A is then
// not diagonalisable by a complex orthogonal V); V and L are then meaningless.
bool SymEigenByQR(const CComplex* A, CComplex* V, CComplex* L, int n);

// True when V and L are finite, A*V = V*diag(L) to a relative 1e-9 of |A|*|V|
// and V*V^T = I to 1e-9 (max norms; A read from its upper triangle): the check
// of a finished complex symmetric eigen-decomposition.
bool SymEigenAccurate(const CComplex* A, const CComplex* V, const CComplex* L, int n);

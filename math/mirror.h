// Mirror-symmetry split and join of conductor matrices.  When the conductors of
// a line lie mirror-symmetrically about a vertical axis (q pairs of mirrored
// conductors plus d conductors on the axis, n = 2q + d), a symmetric conductor
// matrix decouples into an antisymmetric part (one mode per pair, q x q) and a
// symmetric part (one mode per axis conductor and per pair, r x r, r = q + d).
// The line models split their per-unit-length matrices, solve the two smaller
// eigenproblems and join the two sets of eigenvectors into one mode matrix.
#pragma once

#include "math/complex.h"

// Largest number of conductors the mirror order table holds (the eigen-solver's
// largest order).
inline constexpr int kMirrorOrderSize = 128;

// Number of conductors on the symmetry axis of the line being calculated, or -1
// when the line is not mirror-symmetric (then nothing is split).  Set by the
// calling line model.
extern thread_local signed char g_nLineSymmetry;

// Conductor indices in mirror order: the q conductors of one side s_0..s_{q-1},
// then the d axis conductors, then the partners p_0..p_{q-1} in the order of
// their sides, so entry r + k is the partner of entry k.  Built by the calling
// line model before it splits.
extern thread_local signed char g_MirrorOrder[kMirrorOrderSize];

// No symmetry, an empty (all-zero) order table.
void ResetMirrorGlobals();

// The scale of the split and the join: 1.414213562 as the line models have
// always used it, not the double nearest to the square root of two.
inline constexpr double kMirrorSqrt2 = 1.414213562;

// In every routine n = 2q + d and r = q + d; d, the number of axis conductors,
// is r - q (equal to g_nLineSymmetry of the calling line), and the conductor
// indices come from g_MirrorOrder (T below), which must hold n valid indices.

// A (q x q) = M[T[i]][T[j]] - M[T[i]][T[j + r]].  A may be M.
void MirrorSplitAnti(const CComplex* M, int n, int q, int r, CComplex* A);
// S (r x r) in the order [d axis conductors, q pairs]; axis-pair couplings are
// scaled by kMirrorSqrt2, pair-pair entries are M[T[i]][T[j]] + M[T[i]][T[j + r]].
// S may be M.
void MirrorSplitSym(const CComplex* M, int n, int q, int r, CComplex* S);
// The antisymmetric part at out[0..q*q-1], the symmetric one from out + q*n:
// an n x n array holds both.  out must be separate from M.
void MirrorSplit(const CComplex* M, int n, int q, int r, CComplex* out);

// Columns 0..q-1 of the n x n mode matrix V (rows in mirror order) from the
// q x q antisymmetric eigenvectors Va; rows q..r-1 of these columns are left to
// MirrorJoinSym.
void MirrorJoinAnti(const CComplex* Va, int n, int q, int r, CComplex* V);
// Columns q..n-1 of V, and the axis rows q..r-1 of columns 0..q-1 (zero), from
// the r x r symmetric eigenvectors Vs (rows in the order [axis, pairs]).
void MirrorJoinSym(const CComplex* Vs, int n, int q, int r, CComplex* V);
// The inverse layout of MirrorSplit: Va at in[0..q*q-1], Vs from in + q*n.
// V must be separate from in.  Columns: q antisymmetric modes, then r
// symmetric ones; row i belongs to conductor g_MirrorOrder[i].
void MirrorJoin(const CComplex* in, int n, int q, int r, CComplex* V);

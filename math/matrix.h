// Free routines over row-major complex matrices (element (i, j) of a p x q
// matrix at index i*q + j) and 0/1 integer connection matrices.  Matrix
// arguments first, the result last among them, then the dimensions.  Every
// product starts its sum at g_CZero and adds the terms in increasing order of
// the summation index, left factor first.
#pragma once

#include "math/complex.h"

// The singularity flag of the calculation on this thread: 0 no error, 2 an inversion (or
// a cascade) met a pivot below 1e-46.  Never cleared here.
extern thread_local unsigned char g_MatError;

// The smallest pivot modulus an elimination accepts.
inline constexpr double kMinPivot = 1e-46;

void MatTranspose(const CComplex* A, CComplex* B, int p, int q);
void MatAdd(const CComplex* A, const CComplex* B, CComplex* C, int p, int q);
void MatNeg(const CComplex* A, CComplex* B, int p, int q);
void MatSub(const CComplex* A, const CComplex* B, CComplex* C, int p, int q);
void MatMulInt(const int* A, const int* B, int* C, int p, int q, int r);
void MatMul(const CComplex* A, const CComplex* B, CComplex* C, int p, int q, int r);
void MatMulIntCx(const int* A, const CComplex* B, CComplex* C, int p, int q, int r);
void MatMulCxInt(const CComplex* A, const int* B, CComplex* C, int p, int q, int r);
void MatMulTransB(const CComplex* A, const CComplex* B, CComplex* C, int p, int q, int r);
void MatMulCxIntTransB(const CComplex* A, const int* B, CComplex* C, int p, int q, int r);
void MatMulIntTransA(const int* A, const CComplex* B, CComplex* C, int p, int q, int r);
void MatMulTransA(const CComplex* A, const CComplex* B, CComplex* C, int p, int q, int r);
void MatCopy(const CComplex* A, CComplex* B, int p, int q);
void MatCopyInt(const int* A, int* B, int p, int q);
// X = A^-1; X may be A.  Sets g_MatError = 2 on a pivot below 1e-46, X is then meaningless.
void MatInverse(const CComplex* A, CComplex* X, int n);
// The same for a matrix that does not change from one frequency to the next:
// the calling thread keeps its last few inverses and copies the one of the
// very same A (bit for bit) instead of eliminating again.
void MatInverseKept(const CComplex* A, CComplex* X, int n);
void MatScale(CComplex* A, const CComplex& z, int p, int q);
void MatScaleReal(CComplex* A, double d, int p, int q);
void MatDiagonal(const CComplex* A, CComplex* v, int n);
void MatMulDiagRight(const CComplex* A, const CComplex* b, CComplex* C, int n);
void MatMulDiagLeft(const CComplex* a, const CComplex* B, CComplex* C, int n);
void VecReciprocal(const CComplex* a, CComplex* b, int n);
void MatZero(CComplex* A, int n);
void MatAddDiag(const CComplex* A, const CComplex* v, CComplex* C, int n);
// Divides every column by its row-0 entry (row 0 becomes 1).  A column whose
// row-0 entry is zero is left as it is.
void NormalizeColumns(CComplex* M, int n);

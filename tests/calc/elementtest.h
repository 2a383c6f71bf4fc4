// Helpers of the element-model tests: the frequency of a calculation point,
// complex comparisons and the passivity test of an admittance matrix.
#pragma once

#include "calc/calcglobals.h"
#include "math/complex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

inline void SetCalcFrequency(double f)
{
    g_dCalcFreq = f;
    g_jOmega = CComplex(0, f * 6.2831853072);
}

inline ::testing::AssertionResult CxClose(const CComplex& a, const CComplex& b, double tol)
{
    if (Abs(a - b) <= tol)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.re << ", " << a.im << ") vs (" << b.re << ", " << b.im
                                         << "), tolerance " << tol;
}

#define EXPECT_CX_EQ_TOL(a, b, tol) EXPECT_TRUE(CxClose((a), (b), (tol)))

// True when the Hermitian part (Y + Y^H)/2 of the n x n matrix Y is positive
// semidefinite (within tol times its largest entry): a Cholesky factorisation
// with a small shift must succeed.
inline bool HermitianPartIsPsd(const std::vector<CComplex>& Y, int n, double tol = 1e-9)
{
    std::vector<CComplex> H(std::size_t(n) * n);
    double scale = 0;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            CComplex a = Y[i * n + j], b = Y[j * n + i];
            H[i * n + j] = CComplex(0.5 * (a.re + b.re), 0.5 * (a.im - b.im));
            scale = std::max(scale, Abs(H[i * n + j]));
        }
    double shift = tol * (scale > 0 ? scale : 1.0);
    for (int i = 0; i < n; ++i)
        H[i * n + i] += shift;
    // Cholesky H = L L^H, L lower triangular with a real positive diagonal.
    std::vector<CComplex> L(std::size_t(n) * n);
    for (int j = 0; j < n; ++j) {
        double d = H[j * n + j].re;
        for (int k = 0; k < j; ++k) {
            CComplex l = L[j * n + k];
            d -= l.re * l.re + l.im * l.im;
        }
        if (!(d > 0))
            return false;
        double ljj = std::sqrt(d);
        L[j * n + j] = CComplex(ljj, 0);
        for (int i = j + 1; i < n; ++i) {
            CComplex s = H[i * n + j];
            for (int k = 0; k < j; ++k) {
                CComplex b = L[j * n + k];
                s -= L[i * n + k] * CComplex(b.re, -b.im);
            }
            L[i * n + j] = s / ljj;
        }
    }
    return true;
}

// Helpers shared by the math tests: random matrices with fixed seeds and
// complex comparisons.
#pragma once

#include "math/complex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

inline std::vector<CComplex> RandomMatrix(std::mt19937& gen, int p, int q, double scale = 1.0)
{
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::vector<CComplex> m(static_cast<std::size_t>(p) * q);
    for (auto& z : m)
        z = CComplex(scale * u(gen), scale * u(gen));
    return m;
}

inline double MaxDiff(const CComplex* a, const CComplex* b, std::size_t n)
{
    double d = 0;
    for (std::size_t i = 0; i < n; ++i) {
        double x = Abs(a[i] - b[i]);
        if (!(x <= d)) // a NaN difference wins, so it fails every tolerance
            d = x;
    }
    return d;
}

inline double MaxDiff(const std::vector<CComplex>& a, const std::vector<CComplex>& b)
{
    return MaxDiff(a.data(), b.data(), a.size());
}

#define EXPECT_CX_NEAR(z, r, i, tol)     \
    do {                                 \
        CComplex z_ = (z);               \
        EXPECT_NEAR(z_.re, (r), (tol));  \
        EXPECT_NEAR(z_.im, (i), (tol));  \
    } while (0)

// Complex numbers side by side in vector registers, for kernels that must give
// CComplex's results bit for bit: a Pair holds one number (re, im), a Quad two.
// The operations below are CComplex's own, lane by lane (a subtraction as the
// addition of a product negated by -1, which is exact); a Quad is one AVX
// register in the vector build and two SSE2 registers in the portable one.
#pragma once

#include "math/complex.h"

using Pair = double __attribute__((vector_size(16)));
using Quad = double __attribute__((vector_size(32)));

// out = z*x for the two numbers in x, with z given as (re, re, re, re) and
// (im, im, im, im): (z.re*x.re - z.im*x.im, x.re*z.im + z.re*x.im).
[[gnu::always_inline]] inline void MulBroadcast(const Quad& zRe, const Quad& zIm, const Quad& x, Quad& out)
{
    const Quad minusPlus = {-1.0, 1.0, -1.0, 1.0};
    out = zRe * x + (zIm * __builtin_shufflevector(x, x, 1, 0, 3, 2)) * minusPlus;
}

[[gnu::always_inline]] inline void LoadTwo(const CComplex* z, Quad& out)
{
    __builtin_memcpy(&out, static_cast<const void*>(z), sizeof out);
}

[[gnu::always_inline]] inline void StoreTwo(const Quad& q, CComplex* z)
{
    __builtin_memcpy(static_cast<void*>(z), &q, sizeof q);
}

[[gnu::always_inline]] inline void Broadcast(const CComplex& z, Quad& re, Quad& im)
{
    re = Quad{z.re, z.re, z.re, z.re};
    im = Quad{z.im, z.im, z.im, z.im};
}

#include "math/complex.h"

#include "platform/archive.h"

#include <cmath>

const CComplex g_CZero(0.0, 0.0);

double Abs(const CComplex& z)
{
    return std::hypot(z.re, z.im);
}

namespace {
// The argument of z whose modulus m is known.
double ArgOfModulus(const CComplex& z, double m)
{
    // The guard compares the modulus; a modulus that is not a number fails the
    // test "not below 1e-60" as well and gives 0.
    if (!(m >= 1e-60))
        return 0.0;
    // On the negative real axis atan2 gives -pi for an imaginary part of -0:
    // keep the range (-pi, pi], so that the square root of a negative number
    // is +j times its modulus's root whatever the sign of its zero.
    const double a = std::atan2(z.im, z.re);
    return a == -std::atan2(0.0, -1.0) ? -a : a;
}
} // namespace

double Arg(const CComplex& z)
{
    return ArgOfModulus(z, Abs(z));
}

CComplex Polar(const double& r, const double& t)
{
    return CComplex(r * std::cos(t), r * std::sin(t));
}

CComplex Sqrt(const CComplex& z)
{
    const double m = Abs(z);
    return Polar(std::sqrt(m), ArgOfModulus(z, m) / 2);
}

CComplex Log(const CComplex& z)
{
    return CComplex(0.5 * std::log(z.re * z.re + z.im * z.im), Arg(z));
}

namespace {
// e^z and e^-z from the real exponential and the polar form.
inline CComplex ExpPlus(const CComplex& z) { return Polar(std::exp(z.re), z.im); }
inline CComplex ExpMinus(const CComplex& z) { return Polar(std::exp(-z.re), -z.im); }
} // namespace

CComplex Cosh(const CComplex& z)
{
    return (ExpPlus(z) + ExpMinus(z)) / 2.0;
}

CComplex Sinh(const CComplex& z)
{
    return (ExpPlus(z) - ExpMinus(z)) / 2.0;
}

CComplex Coth(const CComplex& z)
{
    if (z.re > 300)
        return CComplex(1.0, 0.0);
    CComplex e = ExpPlus(z), f = ExpMinus(z);
    return (e + f) / (e - f);
}

CComplex Csch(const CComplex& z)
{
    if (z.re > 300)
        return CComplex(0.0, 0.0);
    return 2.0 / (ExpPlus(z) - ExpMinus(z));
}

void CothCsch(const CComplex& z, CComplex& coth, CComplex& csch)
{
    if (z.re > 300) {
        coth = CComplex(1.0, 0.0);
        csch = CComplex(0.0, 0.0);
        return;
    }
    const CComplex e = ExpPlus(z), f = ExpMinus(z);
    coth = (e + f) / (e - f);
    csch = 2.0 / (e - f);
}

ArchiveWriter& operator<<(ArchiveWriter& ar, const CComplex& z)
{
    ar.writeDouble(z.re);
    ar.writeDouble(z.im);
    return ar;
}

ArchiveReader& operator>>(ArchiveReader& ar, CComplex& z)
{
    z.re = ar.readDouble("complex value");
    z.im = ar.readDouble("complex value");
    return ar;
}

// The one complex-number type of every electrical quantity of the calculation.
// A plain value of two doubles; every operator forms its result with exactly
// the formulas below, so results are reproducible to the last bit.
#pragma once

class ArchiveReader;
class ArchiveWriter;

class CComplex {
public:
    double re = 0.0;
    double im = 0.0;

    constexpr CComplex() = default;
    constexpr CComplex(const double& r, const double& i) : re(r), im(i) {}

    CComplex& operator=(const double& d)
    {
        re = d;
        im = 0.0;
        return *this;
    }

    CComplex& operator+=(const CComplex& w)
    {
        re += w.re;
        im += w.im;
        return *this;
    }
    CComplex& operator+=(const double& d)
    {
        re += d;
        return *this;
    }
    CComplex& operator-=(const CComplex& w)
    {
        re -= w.re;
        im -= w.im;
        return *this;
    }
    CComplex& operator*=(const CComplex& w)
    {
        double a = re, b = im;
        re = a * w.re - b * w.im;
        im = w.re * b + a * w.im;
        return *this;
    }
    CComplex& operator*=(const double& d)
    {
        re *= d;
        im *= d;
        return *this;
    }
    CComplex& operator/=(const CComplex& w)
    {
        double a = re, b = im;
        double m = w.re * w.re + w.im * w.im;
        re = (a * w.re + b * w.im) / m;
        im = (w.re * b - a * w.im) / m;
        return *this;
    }
    CComplex& operator/=(const double& d)
    {
        re /= d;
        im /= d;
        return *this;
    }
};

inline CComplex operator+(const CComplex& z, const CComplex& w) { return CComplex(z.re + w.re, z.im + w.im); }
inline CComplex operator+(const CComplex& z, const double& d) { return CComplex(z.re + d, z.im); }
inline CComplex operator+(const double& d, const CComplex& z) { return CComplex(z.re + d, z.im); }
inline CComplex operator-(const CComplex& z) { return CComplex(-z.re, -z.im); }
inline CComplex operator-(const CComplex& z, const CComplex& w) { return CComplex(z.re - w.re, z.im - w.im); }
inline CComplex operator-(const CComplex& z, const double& d) { return CComplex(z.re - d, z.im); }
inline CComplex operator-(const double& d, const CComplex& z) { return CComplex(d - z.re, -z.im); }
inline CComplex operator*(const CComplex& z, const CComplex& w)
{
    return CComplex(z.re * w.re - z.im * w.im, w.re * z.im + z.re * w.im);
}
inline CComplex operator*(const CComplex& z, const double& d) { return CComplex(z.re * d, z.im * d); }
inline CComplex operator*(const double& d, const CComplex& z) { return CComplex(z.re * d, z.im * d); }
inline CComplex operator*(const CComplex& z, int i)
{
    double di = i;
    return CComplex(di * z.re, di * z.im);
}
inline CComplex operator*(int i, const CComplex& z) { return z * i; }
inline CComplex operator/(const CComplex& z, const CComplex& w)
{
    double m = w.re * w.re + w.im * w.im;
    return CComplex((z.re * w.re + z.im * w.im) / m, (w.re * z.im - z.re * w.im) / m);
}
inline CComplex operator/(const CComplex& z, const double& d) { return CComplex(z.re / d, z.im / d); }
inline CComplex operator/(const double& d, const CComplex& z)
{
    double m = z.re * z.re + z.im * z.im;
    return CComplex((z.re / m) * d, -(z.im / m) * d);
}

double Abs(const CComplex& z);

// Bounds of Abs(z) from |re| + |im| alone, which lies between the modulus and
// sqrt(2) times it: they decide most comparisons of a modulus with a
// threshold without its square root, and a comparison they do not decide
// takes Abs itself, so the outcome is always that of Abs.  The margins cover
// the last bit of hypot and, by the absolute 1e-300, the subnormal range; a z
// that is not a number gives bounds that are not numbers, which decide
// nothing.
inline double AbsUpperBound(const CComplex& z)
{
    return (__builtin_fabs(z.re) + __builtin_fabs(z.im)) * 1.0000001 + 1e-300;
}
inline double AbsLowerBound(const CComplex& z)
{
    return (__builtin_fabs(z.re) + __builtin_fabs(z.im)) * 0.70710678 - 1e-300;
}
// The argument in (-pi, pi]; 0 for a modulus below 1e-60 (or not a number).
double Arg(const CComplex& z);
CComplex Polar(const double& r, const double& t);
CComplex Sqrt(const CComplex& z);
CComplex Log(const CComplex& z);
CComplex Cosh(const CComplex& z);
CComplex Sinh(const CComplex& z);
CComplex Coth(const CComplex& z);
CComplex Csch(const CComplex& z);
// Coth(z) and Csch(z) together, bit for bit as the two calls give them, from
// one pair of exponentials.
void CothCsch(const CComplex& z, CComplex& coth, CComplex& csch);

// The file form: two little-endian doubles, re first.
ArchiveWriter& operator<<(ArchiveWriter& ar, const CComplex& z);
ArchiveReader& operator>>(ArchiveReader& ar, CComplex& z);

// The complex zero the matrix routines start their sums from.
extern const CComplex g_CZero;

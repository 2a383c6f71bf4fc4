#include "math/complex.h"
#include "mathtest.h"
#include "platform/archive.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr double pi = std::numbers::pi;

TEST(Complex, ArgumentAndItsGuard)
{
    EXPECT_EQ(Arg(CComplex(0, 0)), 0.0);
    EXPECT_EQ(Arg(CComplex(1e-61, -1e-62)), 0.0);
    EXPECT_EQ(Arg(CComplex(-1, 0)), pi);
    EXPECT_EQ(Arg(CComplex(-1, -0.0)), pi);
    EXPECT_EQ(Sqrt(CComplex(-4, -0.0)).im, 2.0);
    EXPECT_EQ(Arg(CComplex(0, -1)), -pi / 2);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(Arg(CComplex(nan, 1)), 0.0);
    // Sqrt and Log of a value below the guard have imaginary part 0.
    EXPECT_EQ(Sqrt(CComplex(-1e-130, 1e-131)).im, 0.0);
}

TEST(Complex, ElementaryFunctions)
{
    EXPECT_CX_NEAR(Sqrt(CComplex(-4, 0)), 0, 2, 1e-15);
    CComplex s0 = Sqrt(CComplex(0, 0));
    EXPECT_EQ(s0.re, 0.0);
    EXPECT_EQ(s0.im, 0.0);
    EXPECT_CX_NEAR(Log(CComplex(-1, 0)), 0, pi, 0);
    EXPECT_CX_NEAR(Log(CComplex(1, 0)), 0, 0, 0);
    EXPECT_EQ(Log(CComplex(0, 0)).re, -std::numeric_limits<double>::infinity());
    EXPECT_DOUBLE_EQ(Abs(CComplex(3e200, 4e200)), 5e200); // hypot: no overflow of the squares
    CComplex z(0.3, -1.2);
    EXPECT_CX_NEAR(Cosh(z) * Cosh(z) - Sinh(z) * Sinh(z), 1, 0, 1e-14);
    EXPECT_CX_NEAR(Coth(z) * Sinh(z), Cosh(z).re, Cosh(z).im, 1e-14);
    EXPECT_CX_NEAR(Csch(z) * Sinh(z), 1, 0, 1e-14);
}

TEST(Complex, HyperbolicGuardsAbove300)
{
    CComplex c = Coth(CComplex(300.5, 1));
    EXPECT_EQ(c.re, 1.0);
    EXPECT_EQ(c.im, 0.0);
    CComplex s = Csch(CComplex(300.5, 1));
    EXPECT_EQ(s.re, 0.0);
    EXPECT_EQ(s.im, 0.0);
    // At exactly 300 the formula is evaluated (and is 1 up to rounding).
    EXPECT_NEAR(Coth(CComplex(300, 0)).re, 1.0, 1e-15);
    EXPECT_GT(Csch(CComplex(300, 0)).re, 0.0);
}

TEST(Complex, OperatorTable)
{
    CComplex z(1, 2), w(3, -4);
    EXPECT_CX_NEAR(z * w, 11, 2, 0);
    EXPECT_CX_NEAR(z / w, -0.2, 0.4, 1e-16);
    EXPECT_CX_NEAR(1.0 / CComplex(0, 2), 0, -0.5, 0);
    EXPECT_CX_NEAR(2.0 - z, 1, -2, 0);
    EXPECT_CX_NEAR(z * 3, 3, 6, 0);
    EXPECT_CX_NEAR(-z, -1, -2, 0);
    CComplex a(5, 7);
    a = 2.5;
    EXPECT_EQ(a.im, 0.0);
    CComplex b = z;
    b *= w;
    EXPECT_CX_NEAR(b, 11, 2, 0);
    b /= w;
    EXPECT_CX_NEAR(b, 1, 2, 1e-15);
    // Division by zero is not guarded: it gives IEEE non-finite values.
    CComplex q = z / CComplex(0, 0);
    EXPECT_FALSE(std::isfinite(q.re));
}

TEST(Complex, ArchiveForm)
{
    ArchiveWriter w;
    w << CComplex(1.5, -2.25);
    const std::vector<std::uint8_t> expect = {0, 0, 0, 0, 0, 0, 0xF8, 0x3F, 0, 0, 0, 0, 0, 0, 0x02, 0xC0};
    EXPECT_EQ(w.bytes(), expect);
    ArchiveReader r(w.take());
    CComplex z;
    r >> z;
    EXPECT_EQ(z.re, 1.5);
    EXPECT_EQ(z.im, -2.25);
}

} // namespace

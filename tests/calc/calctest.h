// Helpers of the calculation tests: per-unit-length matrices of realistic
// lines, block storage and the physical checks (passivity, reciprocity).
#pragma once

#include "calc/calcglobals.h"
#include "calc/vlinegeometry.h"
#include "math/matrix.h"
#include "math/mirror.h"
#include "math/twoport.h"
#include "model/lines.h"
#include "model/modeltest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace calctest {

constexpr double kPi = 3.14159265358979323846;

inline void SetFrequency(double f)
{
    g_dCalcFreq = f;
    g_jOmega = CComplex(0.0, f * 6.2831853072);
}

// A test that starts and ends with every global of a calculation at its
// start-up value, at the given frequency.
class LineCalcTest : public ::testing::Test {
protected:
    explicit LineCalcTest(double f = 0) : m_f(f) {}
    void SetUp() override
    {
        Reset();
        if (m_f > 0)
            SetFrequency(m_f);
    }
    void TearDown() override { Reset(); }
    static void Reset()
    {
        ResetCalcGlobals();
        ResetMirrorGlobals();
        ResetModelGlobals();
    }

private:
    double m_f;
};

// E and B = P^-1 of a line of conductors at (x, h), radius a, aluminium-steel
// resistivity, over an earth of 100 ohm*m (Carson), at the current frequency.
struct LineMatrices {
    int n = 0;
    std::vector<CComplex> E, B;
};

inline LineMatrices MakeLine(const std::vector<double>& x, const std::vector<double>& h, double a = 0.012)
{
    LineMatrices m;
    m.n = static_cast<int>(x.size());
    std::vector<LineConductor> conductors(x.size());
    std::vector<ConductorSelfTerms> self(x.size());
    for (std::size_t c = 0; c < x.size(); ++c) {
        conductors[c].x = x[c];
        conductors[c].h = h[c];
        self[c].radius = a;
        self[c].e = ConductorInternalImpedance(a, 1.0, 3e-8, g_dCalcFreq, 1);
    }
    std::vector<int> index;
    BuildEarthPairTable(x.data(), h.data(), m.n, index);
    EarthData earth;
    earth.rho1 = 100;
    std::vector<CComplex> terms = CalcEarthTerms(earth, g_dCalcFreq, g_jOmega.im);
    m.E.resize(static_cast<std::size_t>(m.n) * m.n);
    m.B.resize(m.E.size());
    FillLineMatrices(conductors, index, terms, self, m.E.data(), m.B.data());
    MatInverse(m.B.data(), m.B.data(), m.n);
    return m;
}

// A horizontal three-phase line, symmetric about x = 0.
inline LineMatrices ThreePhaseLine() { return MakeLine({-7, 0, 7}, {17, 17, 17}); }

inline double MaxDiff(const CComplex* a, const CComplex* b, std::size_t count)
{
    double d = 0;
    for (std::size_t i = 0; i < count; ++i)
        d = std::max(d, Abs(a[i] - b[i]));
    return d;
}

inline double MaxAbs(const CComplex* a, std::size_t count)
{
    double d = 0;
    for (std::size_t i = 0; i < count; ++i)
        d = std::max(d, Abs(a[i]));
    return d;
}

// Largest difference of the three blocks, relative to the largest entry.
inline double BlocksDiff(TwoPortStorage& a, TwoPortStorage& b)
{
    const std::size_t nn = static_cast<std::size_t>(a.order()) * a.order();
    TwoPortBlocks x = a.blocks(), y = b.blocks();
    double scale = std::max({MaxAbs(x.Y0, nn), MaxAbs(x.Y1, nn), MaxAbs(x.Y2, nn)});
    double d = std::max({MaxDiff(x.Y0, y.Y0, nn), MaxDiff(x.Y1, y.Y1, nn), MaxDiff(x.Y2, y.Y2, nn)});
    return d / scale;
}

// [[Y0, Y1], [Y1^T, -Y2]]: the admittance matrix of a two-port of n
// conductors with every current flowing in.
inline std::vector<CComplex> FullAdmittance(const TwoPortBlocks& b, int n)
{
    const int m = 2 * n;
    std::vector<CComplex> Y(static_cast<std::size_t>(m) * m);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            Y[i * m + j] = b.Y0[i * n + j];
            Y[i * m + n + j] = b.Y1[i * n + j];
            Y[(n + i) * m + j] = b.Y1[j * n + i];
            Y[(n + i) * m + n + j] = -b.Y2[i * n + j];
        }
    return Y;
}

// True when the Hermitian part of the m x m matrix Y is positive
// semidefinite: Cholesky of the Hermitian part, shifted by tol times its size.
inline bool IsHermitianPartPsd(const std::vector<CComplex>& Y, int m, double tol = 1e-9)
{
    double scale = MaxAbs(Y.data(), Y.size());
    std::vector<CComplex> H(Y.size());
    for (int i = 0; i < m; ++i)
        for (int j = 0; j < m; ++j) {
            CComplex a = Y[i * m + j], c = Y[j * m + i];
            H[i * m + j] = CComplex(0.5 * (a.re + c.re), 0.5 * (a.im - c.im));
        }
    for (int i = 0; i < m; ++i)
        H[i * m + i] += tol * scale;
    // Hermitian Cholesky: L*L^H.
    std::vector<CComplex> L(H.size());
    for (int j = 0; j < m; ++j) {
        double d = H[j * m + j].re;
        for (int k = 0; k < j; ++k)
            d -= L[j * m + k].re * L[j * m + k].re + L[j * m + k].im * L[j * m + k].im;
        if (!(d > 0))
            return false;
        double ljj = std::sqrt(d);
        L[j * m + j] = CComplex(ljj, 0.0);
        for (int i = j + 1; i < m; ++i) {
            CComplex sum = H[i * m + j];
            for (int k = 0; k < j; ++k) {
                CComplex conj(L[j * m + k].re, -L[j * m + k].im);
                sum -= L[i * m + k] * conj;
            }
            L[i * m + j] = sum / ljj;
        }
    }
    return true;
}

// True when the full admittance matrix of the two-port has a positive
// semidefinite Hermitian part (a passive two-port).
inline bool IsPassive(TwoPortStorage& s, double tol = 1e-9)
{
    return IsHermitianPartPsd(FullAdmittance(s.blocks(), s.order()), 2 * s.order(), tol);
}

// Complex equality within an absolute tolerance, with both values shown on failure.
inline ::testing::AssertionResult CxClose(const CComplex& a, const CComplex& b, double tol)
{
    if (Abs(a - b) <= tol)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.re << ", " << a.im << ") vs (" << b.re << ", " << b.im
                                         << "), tolerance " << tol;
}

// A line record with storage for the blocks and the modal data of n conductors.
struct RecordStorage {
    std::vector<CComplex> p1, p2, p3, p4, p5, p6;
    LineCalcRecord rec;

    RecordStorage(int n, unsigned char flags)
        : p1(static_cast<std::size_t>(n) * n), p2(p1.size()), p3(p1.size()), p4(p1.size()), p5(p1.size()),
          p6(static_cast<std::size_t>(n))
    {
        rec.flags = flags;
        rec.p1 = p1.data();
        rec.p2 = p2.data();
        rec.p3 = p3.data();
        rec.p4 = p4.data();
        rec.p5 = p5.data();
        rec.p6 = p6.data();
    }
};

// An overhead line of single wires (radius 12 mm) at the given tower points,
// 10 km long over Carson's earth of 100 ohm*m.
inline CVLine MakeVLine(const std::vector<double>& x, const std::vector<double>& y, double sag = 6)
{
    CVLine line;
    const int w = static_cast<int>(x.size());
    line.wires = static_cast<std::uint8_t>(w);
    line.phaseWires = static_cast<std::uint8_t>(w);
    line.tower.name = "опора";
    line.tower.count = static_cast<std::uint8_t>(w);
    line.tower.x = x;
    line.tower.y = y;
    std::vector<CVLProv> wires(static_cast<std::size_t>(w));
    for (auto& p : wires) {
        p.sag = sag;
        p.wireType.name = "АС-300";
        p.wireType.radius = 0.012;
        p.wireType.twist = 1.0;
        p.wireType.resistivity = 3e-8;
        p.bundleStep = 0.4;
    }
    line.wireArray = wires;
    line.wireCount = static_cast<std::uint8_t>(w);
    line.earthModel = 1;
    line.earthRho1 = 100;
    line.earthEps1 = 10;
    line.length = 10000;
    line.symmetry = -1;
    return line;
}

// Tower influence data for a line of n conductors.
inline void MakeTowerInfluence(CVLine& line, int n, int spans)
{
    line.inhomogeneity = 1;
    line.pieces = static_cast<std::uint16_t>(spans);
    line.spanMean = 300;
    line.spanDeviation = 40;
    line.matrix.name = "матрица";
    line.matrix.n = static_cast<std::uint8_t>(n);
    line.matrix.cap.assign(CMatrix::PackedSize(n), -3e-12);
    line.matrix.res.assign(static_cast<std::size_t>(n), 12.0);
    for (int i = 0; i < n; ++i)
        line.matrix.cap[CMatrix::PackedIndex(n, i, i)] = 35e-12;
}

// A cable line of `circuits` circuits of three single-core cables in solid
// insulation, laid flat 0.25 m apart at 1.2 m depth, the circuits 1 m apart
// (mirror-symmetric about the middle), over an earth of 100 ohm*m.
inline CKLine MakeSolidKLine(int circuits, double length)
{
    CKLine line;
    line.circuits = static_cast<std::uint8_t>(circuits);
    line.pipe = 0;
    line.rho = 100;
    line.length = length;
    line.solidCable = MakeSolidCable("АПвПу 1x500");
    for (int i = 0; i < 3 * circuits; ++i) {
        line.x[i] = (i / 3) * 1.0 + (i % 3) * 0.25;
        line.y[i] = 1.2;
    }
    line.symmetry = -1;
    return line;
}

// A cable line of `circuits` steel pipes, each with three cables of 20 mm core
// radius in a pipe of 100 mm inner radius, 45 mm from its axis at 90, 210
// and 330 degrees.
inline CKLine MakePipeKLine(int circuits, double length)
{
    CKLine line;
    line.circuits = static_cast<std::uint8_t>(circuits);
    line.pipe = 1;
    line.rho = 1.8e-7;
    line.pipeMu = 300;
    line.pipeRadius = 0.1;
    line.length = length;
    line.pipeCable.name = "ТМ 1x300";
    line.pipeCable.coreRadius = 0.02;
    const double angles[3] = {90, 210, 330};
    for (int i = 0; i < 3; ++i) {
        line.x[i] = 0.045;
        line.y[i] = angles[i];
    }
    return line;
}

inline bool IsSymmetric(const CComplex* M, int n, double tol)
{
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < i; ++j)
            if (Abs(M[i * n + j] - M[j * n + i]) > tol)
                return false;
    return true;
}

} // namespace calctest

#define EXPECT_CX_EQ_TOL(a, b, tol) EXPECT_TRUE(calctest::CxClose((a), (b), (tol)))

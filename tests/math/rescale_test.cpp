#include "math/linecalc.h"
#include "math/rescale.h"
#include "linelike.h"

#include <array>
#include <complex>

namespace {

// A uniform line given by its modes: voltage modes T (columns), propagation
// constants gamma (1/m) and characteristic admittances Yc (S) in the basis of
// T.  For a length l:
//   Y11 = T^-T*diag(Yc*coth(gamma*l))*T^-1,  Y12 = -T^-T*diag(Yc*csch(gamma*l))*T^-1.
struct ModalLine {
    int n;
    Mat T, gamma, Yc;

    // The blocks Y11, Y12, -Y11 (std::complex, not the routines under test).
    std::array<Mat, 3> Blocks(double l) const
    {
        Mat tinv(n * n), u(n * n), w(n * n), d11(n), d12(n);
        std::array<Mat, 3> y{Mat(n * n), Mat(n * n), Mat(n * n)};
        MatInverse(T.data(), tinv.data(), n);
        MatTranspose(tinv.data(), u.data(), n, n);
        for (int i = 0; i < n; ++i) {
            std::complex<double> gl(gamma[i].re * l, gamma[i].im * l), yc(Yc[i].re, Yc[i].im);
            std::complex<double> c = yc * std::cosh(gl) / std::sinh(gl), s = -yc / std::sinh(gl);
            d11[i] = CComplex(c.real(), c.imag());
            d12[i] = CComplex(s.real(), s.imag());
        }
        MatMulDiagRight(u.data(), d11.data(), w.data(), n);
        MatMul(w.data(), tinv.data(), y[0].data(), n, n, n);
        MatMulDiagRight(u.data(), d12.data(), w.data(), n);
        MatMul(w.data(), tinv.data(), y[1].data(), n, n, n);
        MatNeg(y[0].data(), y[2].data(), n, n);
        return y;
    }
};

class RescaleTest : public ::testing::Test {
protected:
    void SetUp() override { g_MatError = 0, ResetLineCalcGlobals(); }
    void TearDown() override { g_MatError = 0, ResetLineCalcGlobals(); }

    // RescaleLineBlocks on the blocks of a piece of the line; the result in y.
    void Rescale(const ModalLine& line, double lenPiece, double lenNew, double transferSign = 1.0)
    {
        auto piece = line.Blocks(lenPiece);
        y = {piece[0], Mat(piece[0].size(), CComplex(7, 7)), piece[1]};
        MatScaleReal(y[2].data(), transferSign, line.n, line.n);
        // The modal caller gives the third block two rows even for one conductor.
        if (g_bModalMode && y[2].size() < 2 * std::size_t(line.n))
            y[2].resize(2 * std::size_t(line.n));
        RescaleLineBlocks({y[0].data(), y[1].data(), y[2].data()}, line.n, lenNew, lenPiece);
    }

    std::array<Mat, 3> y;
};

// omega for a free-space phase phi0 over the length l.
double OmegaFor(double phi0, double l)
{
    return phi0 / (l * 3.3333333333333334e-9);
}

// Three coupled, lossy modes slower than light by 1 to 10 %; at 500 kHz a
// piece of 1 km is about 10.5 rad long in free space.
const double kOmega = 6.2831853072 * 5e5;
ModalLine SlowLine()
{
    const double b0 = kOmega * 3.3333333333333334e-9;
    return {3,
            {{1, 0.01}, {0.9, 0}, {1.1, -0.02}, {0.8, 0}, {0.05, 0.01}, {-1.7, 0}, {0.6, 0}, {-1.2, 0.03}, {0.9, 0}},
            {{2e-5, b0 * 1.01}, {1e-4, b0 * 1.04}, {4e-4, b0 * 1.1}},
            {{1 / 400.0, 1e-5}, {1 / 300.0, -2e-5}, {1 / 250.0, 3e-5}}};
}

TEST_F(RescaleTest, PieceRelengthedIsTheLineOfThatLength)
{
    g_jOmega = CComplex(0, kOmega);
    const ModalLine line = SlowLine();
    // The same length gives the piece back, whatever the sign of its transfer block.
    for (auto [len, sign] : {std::pair{1000.0, 1.0}, {1000.0, -1.0}, {3000.0, 1.0}, {3000.0, -1.0}}) {
        Rescale(line, 1000, len, sign);
        ASSERT_EQ(g_MatError, 0);
        auto want = line.Blocks(len);
        for (int b = 0; b < 3; ++b)
            EXPECT_LT(RelDiff(y[b], want[b]), 1e-8) << len << " " << sign << " block " << b;
    }

    // Far beyond Re(gamma*l) = 300 only the characteristic admittance is left.
    Rescale(line, 1000, 1e8);
    EXPECT_EQ(MaxAbs(y[1]), 0.0);
    EXPECT_LT(RelDiff(y[0], line.Blocks(1e6)[0]), 1e-8);
}

TEST_F(RescaleTest, LineRecordKeepsDataThatRebuildOtherLengths)
{
    g_jOmega = CComplex(0, kOmega);
    const ModalLine line = SlowLine();
    std::array<Mat, 6> p{Mat(9), Mat(9), Mat(9), Mat(9), Mat(9), Mat(3)};
    LineCalcRecord rec{kLineRecStoreModal | kLineRecStoreBlocks, p[0].data(), p[1].data(), p[2].data(),
                       p[3].data(), p[4].data(), p[5].data()};
    g_pCurLineRec = &rec;
    Rescale(line, 1000, 2500);
    for (int b = 0; b < 3; ++b)
        EXPECT_EQ(MaxDiff(p[b], y[b]), 0.0);

    // A later section of the same cross-section: Y11 = p5*diag(coth(gamma*l))*p4.
    Mat d(3), w(9), rebuilt(9);
    for (int i = 0; i < 3; ++i)
        d[i] = Coth(p[5][i] * 7000.0);
    MatMulDiagRight(p[4].data(), d.data(), w.data(), 3);
    MatMul(w.data(), p[3].data(), rebuilt.data(), 3, 3, 3);
    EXPECT_LT(RelDiff(rebuilt, line.Blocks(7000)[0]), 1e-8);

    // Without flags, and in modal mode, nothing is stored.
    for (int modal : {0, 1}) {
        rec.flags = modal ? kLineRecStoreModal | kLineRecStoreBlocks : 0;
        g_bModalMode = modal;
        for (auto& m : p)
            std::fill(m.begin(), m.end(), CComplex(5, 5));
        Rescale(line, 1000, 2500);
        for (auto& m : p)
            EXPECT_EQ(MaxDiff(m, Mat(m.size(), CComplex(5, 5))), 0.0) << modal;
    }
}

// Checks the modal outputs: per mode, in whatever order the eigen-solver gives
// them, gamma in row 0 of Y2, the admittance times scale[i] in row 1, and the
// voltage and current modes normalised to row 0 equal to the columns of T.
void ExpectModes(const std::array<Mat, 3>& y, const ModalLine& line, const double* scale, double l)
{
    const int n = line.n;
    for (int j = 0; j < n; ++j) {
        int i = 0;
        for (int c = 1; c < n; ++c)
            if (Abs(y[2][j] - line.gamma[c]) < Abs(y[2][j] - line.gamma[i]))
                i = c;
        EXPECT_LT(Abs(y[2][j] - line.gamma[i]) * l, 1e-9) << i;
        EXPECT_LT(Abs(y[2][n + j] - line.Yc[i] * scale[i]), 1e-12) << i;
        for (int row = 0; row < n; ++row) {
            EXPECT_LT(Abs(y[0][row * n + j] - line.T[row * n + i]), 1e-9) << row << "," << i;
            EXPECT_LT(Abs(y[1][row * n + j] - line.T[row * n + i]), 1e-9) << row << "," << i;
        }
    }
}

TEST_F(RescaleTest, ModalModeBranchChoice)
{
    // Orthogonal modes: the current modes T^-T = T*diag(1/3, 1/2, 1/6),
    // normalised, are T again, and the admittances come in the normalised
    // bases, Yc*(1/3, 1/2, 1/6).
    const double l = 1000, pi = 3.1415926536, scale3[3] = {1 / 3.0, 1 / 2.0, 1 / 6.0};
    g_bModalMode = 1;
    g_jOmega = CComplex(0, OmegaFor(10.0, l));
    // Free-space phase 10 rad.  Principal phases 0.5 (k = 4), 10.7 - 3*pi
    // (k = 3) and 12 - 4*pi < 0 (k = 4).
    ModalLine line{3,
                   {{1, 0}, {1, 0}, {1, 0}, {1, 0}, {0, 0}, {-2, 0}, {1, 0}, {-1, 0}, {1, 0}},
                   {{0.05 / l, (0.5 + 4 * pi) / l}, {0.02 / l, 10.7 / l}, {0.01 / l, 12.0 / l}},
                   {{0.002, 1e-4}, {0.003, 0}, {0.004, -1e-4}}};
    Rescale(line, l, 1234);
    ASSERT_EQ(g_MatError, 0);
    ExpectModes(y, line, scale3, l);
    // Row 2 of Y2 keeps the transfer block.
    const Mat transfer = line.Blocks(l)[1];
    EXPECT_EQ(MaxDiff(&y[2][6], &transfer[6], 3), 0.0);

    // Free-space phase 0.3 rad, modal phases 1.2 and 0.5: both principal (k = 0).
    const double scale2[2] = {0.5, 0.5};
    g_jOmega = CComplex(0, OmegaFor(0.3, l));
    ModalLine two{2, {{1, 0}, {1, 0}, {1, 0}, {-1, 0}}, {{0.01 / l, 1.2 / l}, {0.03 / l, 0.5 / l}}, {{0.002, 0}, {0.005, 0}}};
    Rescale(two, l, l);
    ExpectModes(y, two, scale2, l);

    // One conductor: the admittance goes to the second row as well.
    const double scale1[1] = {1.0};
    g_jOmega = CComplex(0, OmegaFor(2.0, l));
    ModalLine one{1, {{1, 0}}, {{1e-4, 2.3 / l}}, {{0.0025, 0}}};
    Rescale(one, l, 5000);
    ExpectModes(y, one, scale1, l);
}

TEST_F(RescaleTest, SingularPieceStopsAfterTheEigenSolution)
{
    Mat zero(4), transfer = {{1, 0}, {0, 0}, {0, 0}, {1, 0}};
    y = {zero, Mat(4), transfer};
    RescaleLineBlocks({y[0].data(), y[1].data(), y[2].data()}, 2, 3000, 1000);
    EXPECT_EQ(g_MatError, 2);
    EXPECT_EQ(MaxDiff(y[0], zero) + MaxDiff(y[2], transfer), 0.0);
}

} // namespace

#include "calc/vline.h"
#include "calc/vlinespan.h"
#include "calctest.h"
#include "math/mirror.h"
#include "model/lines.h"
#include "model/modelglobals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace calctest;

namespace {

// A line with the towers' influence matrix, spans of 300 m cut into `pieces`
// pieces a half span, in the given inhomogeneity mode.
CVLine SpanLine(const std::vector<double>& x, const std::vector<double>& y, int inhomogeneity, double sag,
                int pieces = 3)
{
    CVLine line = MakeVLine(x, y, sag);
    MakeTowerInfluence(line, static_cast<int>(x.size()), pieces);
    line.inhomogeneity = static_cast<std::uint8_t>(inhomogeneity);
    return line;
}

CVLine SagLine(double sag, int pieces = 3) { return SpanLine({-4.2, 0, 4.2}, {16, 18.5, 16}, 2, sag, pieces); }
CVLine TranspLine(double sag = 6, int pieces = 3) { return SpanLine({-3.5, 3.5, 0}, {17, 17, 21}, 3, sag, pieces); }

// A tower that loads the wires with nothing: no capacitance, 1e12 ohm.
void NoTowerInfluence(CVLine& line)
{
    std::fill(line.matrix.cap.begin(), line.matrix.cap.end(), 0.0);
    std::fill(line.matrix.res.begin(), line.matrix.res.end(), 1e12);
}

class VLineSpanTest : public LineCalcTest {
protected:
    VLineSpanTest() : LineCalcTest(2e5) {}

    static TwoPortStorage Calc(CVLine& line)
    {
        const int n = line.wires;
        EXPECT_EQ(CheckVLineData(line, n, -1), "");
        TwoPortStorage s(n);
        unsigned char regenerate = 0;
        CalcVLineData(line, n, -1, s.blocks(), &regenerate);
        EXPECT_EQ(g_MatError, 0);
        return s;
    }
};

TEST_F(VLineSpanTest, SagPieceHeightsFollowTheParabola)
{
    // One piece: the middle of the half span, u = 1/2.
    EXPECT_DOUBLE_EQ(SagPieceHeight(20, 8, 0, 1), 20 - 8 * 0.75);
    // Four pieces from the tower: u = 7/8, 5/8, 3/8, 1/8.
    for (int i = 0; i < 4; ++i) {
        const double u = (7 - 2 * i) / 8.0;
        EXPECT_DOUBLE_EQ(SagPieceHeight(20, 8, i, 4), 20 - 8 * (1 - u * u)) << i;
    }
    // Without sag every piece is at the suspension height.
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(SagPieceHeight(17.5, 0, i, 5), 17.5);
}

TEST_F(VLineSpanTest, TransposedWireHangsInAParabola)
{
    // Equal supports: symmetric about mid-span, lowest point s below them.
    const int m = 4;
    for (int i = 0; i < m; ++i) {
        SpanPoint a = TranspPiecePoint(-3, 20, 5, 20, 6, i, m), b = TranspPiecePoint(-3, 20, 5, 20, 6, 2 * m - 1 - i, m);
        EXPECT_NEAR(a.h, b.h, 1e-12);
        const double x = (2 * i + 1) / (4.0 * m);
        EXPECT_NEAR(a.x, -3 + 8 * x, 1e-12);
        EXPECT_NEAR(a.h, 20 - 6 * (1 - (2 * x - 1) * (2 * x - 1)), 1e-12);
    }
    // Unequal supports, either way round: the parabola through both supports
    // with its vertex s below the lower one.
    for (bool rising : {true, false}) {
        const double Ya = rising ? 16 : 21, Yb = rising ? 21 : 16, s = 4, low = 16 - s;
        const double ra = std::sqrt(Ya - low), rb = std::sqrt(Yb - low);
        const double x0 = ra / (ra + rb), a = (Ya - low) / (x0 * x0);
        for (int i = 0; i < 2 * m; ++i) {
            const double x = (2 * i + 1) / (4.0 * m);
            EXPECT_NEAR(TranspPiecePoint(0, Ya, 1, Yb, s, i, m).h, low + a * (x - x0) * (x - x0), 1e-9)
                << rising << " " << i;
        }
    }
}

TEST_F(VLineSpanTest, PermutationFollowsTheHighestPoint)
{
    int perm[3];
    const double first[3] = {21, 17, 17}, second[3] = {17, 21, 17}, third[3] = {17, 17, 21};
    TranspPermutation(first, perm);
    EXPECT_EQ(std::vector<int>(perm, perm + 3), (std::vector<int>{0, 2, 1}));
    TranspPermutation(second, perm);
    EXPECT_EQ(std::vector<int>(perm, perm + 3), (std::vector<int>{2, 1, 0}));
    TranspPermutation(third, perm);
    EXPECT_EQ(std::vector<int>(perm, perm + 3), (std::vector<int>{1, 0, 2}));
    // Equal greatest heights: the lower index decides.
    const double tie[3] = {17, 21, 21};
    TranspPermutation(tie, perm);
    EXPECT_EQ(std::vector<int>(perm, perm + 3), (std::vector<int>{2, 1, 0}));
}

TEST_F(VLineSpanTest, SagZeroIsTheHomogeneousLine)
{
    // Without sag and without tower load every piece is the same line: the
    // cascade of pieces, mirrored and re-lengthened, gives the homogeneous
    // section.  Only the ice model differs (pi/2 as 1.5707963), so with ice
    // the tolerance allows that rounding.
    for (bool ice : {false, true}) {
        for (int pieces : {1, 4}) {
            CVLine sag = SagLine(0, pieces);
            NoTowerInfluence(sag);
            if (ice) {
                sag.ice = 1;
                sag.iceTemperature = -5;
                sag.iceFactor = 0.3;
                for (CVLProv& w : *sag.wireArray) {
                    w.iceThickness = 0.01;
                    w.iceDensity = 0.9;
                }
            }
            CVLine plain = sag;
            plain.inhomogeneity = 0;
            TwoPortStorage a = Calc(sag), b = Calc(plain);
            EXPECT_LT(BlocksDiff(a, b), 1e-7) << ice << " " << pieces;
        }
    }
}

TEST_F(VLineSpanTest, SectionsAreReciprocalAndPassive)
{
    for (double f : {3e4, 2e5, 8e5}) {
        SetFrequency(f);
        for (CVLine line : {SagLine(7), TranspLine()}) {
            TwoPortStorage s = Calc(line);
            TwoPortBlocks b = s.blocks();
            const double scale = MaxAbs(b.Y0, 9);
            EXPECT_TRUE(IsSymmetric(b.Y0, 3, 1e-9 * scale)) << f;
            EXPECT_TRUE(IsSymmetric(b.Y1, 3, 1e-9 * scale)) << f;
            for (int k = 0; k < 9; ++k)
                EXPECT_EQ(Abs(b.Y0[k] + b.Y2[k]), 0.0);
            EXPECT_TRUE(IsPassive(s)) << f << " " << int(line.inhomogeneity);
        }
    }
}

TEST_F(VLineSpanTest, ModalModeIsKept)
{
    for (CVLine line : {SagLine(6), TranspLine()}) {
        TwoPortStorage s(3);
        g_bModalMode = 1;
        unsigned char regenerate = 0;
        CalcVLineData(line, 3, -1, s.blocks(), &regenerate);
        EXPECT_EQ(g_bModalMode, 1);
        EXPECT_EQ(g_MatError, 0);
        // Modal data: mode columns with 1 in row 0, damped modes.
        TwoPortBlocks b = s.blocks();
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(Abs(b.Y0[k] - CComplex(1, 0)), 0.0, 1e-12);
            EXPECT_GT(b.Y2[k].re, 0);
            EXPECT_GT(b.Y2[k].im, 0);
        }
        g_bModalMode = 0;
        Calc(line);
        EXPECT_EQ(g_bModalMode, 0);
    }
}

TEST_F(VLineSpanTest, TranspositionThatMovesNoWireIsTheSaggingLine)
{
    // On a tower symmetric about its top point the permutation (1, 0, 2) sends
    // each lower wire to its partner's mirrored point, which is its own place:
    // the span is the sagging span, and two of them with the (symmetric) tower
    // between them are the sag model's cell twice.
    for (int pieces : {1, 3}) {
        CVLine transposed = TranspLine(6, pieces);
        CVLine sag = transposed;
        sag.inhomogeneity = 2;
        TwoPortStorage t = Calc(transposed), s = Calc(sag);
        EXPECT_LT(BlocksDiff(t, s), 1e-8) << pieces;
    }
}

TEST_F(VLineSpanTest, MeaninglessDataAreRefused)
{
    CVLine line = SagLine(6);
    line.pieces = 0;
    EXPECT_EQ(CheckVLineData(line, 3, -1), "число участков разбиения полупролета должно быть больше нуля");

    line = SagLine(6);
    line.matrix.n = 2;
    EXPECT_EQ(CheckVLineData(line, 3, -1), "порядок матрицы влияния опор (2) не равен числу проводов (3)");
    line = SagLine(6);
    line.matrix.res[1] = 0;
    EXPECT_EQ(CheckVLineData(line, 3, -1), "сопротивления матрицы влияния опор должны быть больше нуля");

    line = SagLine(17);  // the outer wires would touch the ground
    EXPECT_EQ(CheckVLineData(line, 3, -1), "провод 1 провисает ниже своего радиуса над землей");

    CVLine four = SpanLine({-6, -2, 2, 6}, {17, 17, 17, 17}, 3, 6);
    EXPECT_EQ(CheckVLineData(four, 4, -1),
              "транспозиция в пролете рассчитывается только для трех проводов, а у линии их 4");

    // Wire 1 ends where it starts at the same height: without sag 0/0.
    line = TranspLine(0);
    (*line.wireArray)[1].sag = 3;
    (*line.wireArray)[2].sag = 3;
    const std::string reason = CheckVLineData(line, 3, -1);
    EXPECT_EQ(reason, "провод 1 с точками подвеса на одной высоте должен иметь провес больше нуля");

    // Refused data stop the calculation.
    line = SagLine(6);
    line.pieces = 0;
    TwoPortStorage s(3);
    unsigned char regenerate = 0;
    CalcVLineData(line, 3, -1, s.blocks(), &regenerate);
    EXPECT_EQ(g_MatError, 2);
}

} // namespace

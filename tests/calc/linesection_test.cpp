#include "calc/linesection.h"
#include "calctest.h"
#include "math/mirror.h"
#include "math/rescale.h"
#include "model/conductors.h"
#include "model/modelglobals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace calctest;

namespace {

class LineSectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetCalcGlobals();
        ResetMirrorGlobals();
        ResetModelGlobals();
        SetFrequency(1e5);
    }
    void TearDown() override
    {
        ResetCalcGlobals();
        ResetMirrorGlobals();
        ResetModelGlobals();
    }

    static TwoPortStorage Section(const LineMatrices& m, double length, bool noStore = false)
    {
        TwoPortStorage s(m.n);
        CalcLineSection(m.E.data(), m.B.data(), s.blocks(), m.n, length, noStore);
        return s;
    }
};

TEST_F(LineSectionTest, WithoutCorrectionsTheLineIsTheFreeSpaceLine)
{
    // E = 0: every mode travels at 300000 km/s and the characteristic
    // admittance matrix is B/60, so Y11 = B*coth(j*b*l)/60, Y12 = -B*csch(j*b*l)/60.
    for (int n : {1, 2, 4, 7}) {
        std::vector<double> x, h;
        for (int i = 0; i < n; ++i) {
            x.push_back(-9 + 3.1 * i);
            h.push_back(15 + 2.3 * (i % 3));
        }
        LineMatrices m = MakeLine(x, h);
        std::fill(m.E.begin(), m.E.end(), g_CZero);
        const double length = 4321;
        TwoPortStorage s = Section(m, length);
        ASSERT_EQ(g_MatError, 0);
        CComplex bl(0.0, g_jOmega.im / 300000000.0 * length);
        CComplex c = Coth(bl) / 60.0, cs = -Csch(bl) / 60.0;
        TwoPortBlocks b = s.blocks();
        const std::size_t nn = static_cast<std::size_t>(n) * n;
        double scale = MaxAbs(m.B.data(), nn) * Abs(c);
        for (std::size_t k = 0; k < nn; ++k) {
            EXPECT_LT(Abs(b.Y0[k] - m.B[k] * c), 1e-9 * scale) << n;
            EXPECT_LT(Abs(b.Y1[k] - m.B[k] * cs), 1e-9 * scale) << n;
            EXPECT_LT(Abs(b.Y2[k] + m.B[k] * c), 1e-9 * scale) << n;
        }
    }
}

TEST_F(LineSectionTest, OneSectionEqualsTheCascadeOfItsParts)
{
    for (double f : {2e4, 3e5, 1e6}) {
        SetFrequency(f);
        LineMatrices m = MakeLine({-6, 0, 6, -3, 3}, {16, 16, 16, 24, 24});
        TwoPortStorage whole = Section(m, 7000), first = Section(m, 2500), second = Section(m, 4500);
        MatCascade(first.blocks(), second.blocks(), first.blocks(), m.n);
        ASSERT_EQ(g_MatError, 0);
        EXPECT_LT(BlocksDiff(whole, first), 1e-9) << f;
    }
}

TEST_F(LineSectionTest, LossySectionIsReciprocalAndPassive)
{
    for (double f : {5e4, 5e5}) {
        SetFrequency(f);
        LineMatrices m = MakeLine({-8, -4, 4, 8, 0}, {18, 22, 22, 18, 30});
        for (double length : {300.0, 12000.0, 150000.0}) {
            TwoPortStorage s = Section(m, length);
            TwoPortBlocks b = s.blocks();
            double tol = 1e-9 * MaxAbs(b.Y0, 25);
            EXPECT_TRUE(IsSymmetric(b.Y0, 5, tol));
            EXPECT_TRUE(IsSymmetric(b.Y1, 5, tol));
            EXPECT_TRUE(IsPassive(s)) << f << " " << length;
        }
    }
}

TEST_F(LineSectionTest, ModalOutputHasAttenuatedModesAndNormalisedColumns)
{
    LineMatrices m = MakeLine({-7, 0, 7, 0}, {17, 17, 17, 25});
    g_bModalMode = 1;
    TwoPortStorage s = Section(m, 1000);
    TwoPortBlocks b = s.blocks();
    for (int k = 0; k < 4; ++k) {
        EXPECT_GT(b.Y2[k].re, 0.0) << k;                       // attenuation
        EXPECT_GT(b.Y2[k].im, g_jOmega.im / 300000000.0) << k; // slower than light
        EXPECT_GT(b.Y2[4 + k].re, 0.0) << k;                   // characteristic admittance
        EXPECT_LT(Abs(b.Y0[k] - CComplex(1, 0)), 1e-12);
        EXPECT_LT(Abs(b.Y1[k] - CComplex(1, 0)), 1e-12);
    }
}

TEST_F(LineSectionTest, MirrorSplitGivesTheFullDecomposition)
{
    struct Case {
        std::vector<double> x, h;
    };
    for (const Case& c : {Case{{-7, 0, 7}, {17, 17, 17}}, Case{{-5, 5, -3, 3}, {15, 15, 25, 25}},
                          Case{{-6, 6, 0, -2, 2, 0}, {14, 14, 14, 22, 22, 30}}}) {
        LineMatrices m = MakeLine(c.x, c.h);
        const int n = m.n;
        int axis = FindSymmetricWires(c.x.data(), c.h.data(), static_cast<std::uint8_t>(n));
        ASSERT_GE(axis, 0);
        g_nLineSymmetry = -1;
        TwoPortStorage full = Section(m, 9000);
        g_nLineSymmetry = static_cast<signed char>(axis);
        TwoPortStorage split = Section(m, 9000);
        ASSERT_EQ(g_MatError, 0);
        // The split scales by the ten-digit 1.414213562, not by sqrt(2) itself.
        EXPECT_LT(BlocksDiff(full, split), 1e-7) << n;
    }
}

TEST_F(LineSectionTest, AStaleMirrorTableFallsBackToTheFullDecomposition)
{
    LineMatrices m = MakeLine({-5, 1, 6}, {15, 19, 16});
    g_nLineSymmetry = -1;
    TwoPortStorage full = Section(m, 5000);
    // A symmetry code from another cross-section, and no pair table for it.
    g_nLineSymmetry = 1;
    TwoPortStorage stale = Section(m, 5000);
    EXPECT_LT(BlocksDiff(full, stale), 1e-12);
}

TEST_F(LineSectionTest, RecordKeepsModalDataAndBlocksUnlessTold)
{
    LineMatrices m = ThreePhaseLine();
    const int n = m.n;
    const std::size_t nn = static_cast<std::size_t>(n) * n;
    RecordStorage store(n, kLineRecStoreModal | kLineRecStoreBlocks);
    auto &p1 = store.p1, &p2 = store.p2, &p3 = store.p3, &p4 = store.p4, &p5 = store.p5, &p6 = store.p6;
    g_pCurLineRec = &store.rec;

    Section(m, 3000, true);
    EXPECT_EQ(MaxAbs(p1.data(), nn) + MaxAbs(p4.data(), nn) + MaxAbs(p6.data(), n), 0.0);

    TwoPortStorage s = Section(m, 3000);
    EXPECT_EQ(MaxDiff(p1.data(), s.blocks().Y0, nn), 0.0);
    EXPECT_EQ(MaxDiff(p2.data(), s.blocks().Y1, nn), 0.0);
    EXPECT_EQ(MaxDiff(p3.data(), s.blocks().Y2, nn), 0.0);

    // The kept modal data give the section of any other length.
    g_pCurLineRec = nullptr;
    TwoPortStorage direct = Section(m, 11000), fromModes(n);
    BlocksFromModalData(p4.data(), p5.data(), p6.data(), n, 11000, fromModes.blocks());
    EXPECT_LT(BlocksDiff(direct, fromModes), 1e-12);
}

TEST_F(LineSectionTest, TowerShuntMatrix)
{
    const double w = g_jOmega.im;
    // Order 3 matrix, used for two conductors: entries (0,0), (0,1), (1,1).
    const double C[6] = {30e-12, -4e-12, -1e-12, 25e-12, -2e-12, 20e-12};
    const double R[3] = {10, 20, 30};
    CComplex T[4];
    FillWireMatrix(T, 2, w, C, R, 3);
    CComplex t00 = 0.5 * (CComplex(0, w * 30e-12) + w / (10 * 628000.0));
    CComplex t01 = 0.5 * CComplex(0, w * -4e-12);
    CComplex t11 = 0.5 * (CComplex(0, w * 25e-12) + w / (20 * 628000.0));
    EXPECT_LT(Abs(T[0] - (t00 + t01)), 1e-18);
    EXPECT_LT(Abs(T[1] + t01), 1e-18);
    EXPECT_LT(Abs(T[2] + t01), 1e-18);
    EXPECT_LT(Abs(T[3] - (t11 + t01)), 1e-18);
}

class InhomSectionTest : public LineSectionTest {};

TEST_F(InhomSectionTest, WithoutTowersRandomSpansMakeTheHomogeneousLine)
{
    // Without tower admittance the spans join into one uniform line whatever
    // their lengths: the section must equal the homogeneous one.
    LineMatrices m = MakeLine({-7, 0, 7}, {17, 19, 17});
    std::vector<CComplex> T(9);
    TwoPortStorage plain = Section(m, 20000);
    for (double spread : {0.0, 120.0}) {
        TwoPortStorage inhom(3);
        std::vector<unsigned char> spans{0, 255, 17, 200, 127, 128, 90};
        CalcInhomLineSectionSpans(m.E.data(), m.B.data(), T.data(), 350, spread, spans, inhom.blocks(), 3, 20000);
        ASSERT_EQ(g_MatError, 0);
        EXPECT_LT(BlocksDiff(plain, inhom), 1e-7) << spread;
    }
}

TEST_F(InhomSectionTest, SpanBytesSetTheSpanLengths)
{
    // One span: the section is the symmetric cell of that span (half a tower
    // at each end) doubled and re-lengthened by its modes.
    LineMatrices m = MakeLine({-7, 0, 7}, {17, 19, 17});
    const int n = 3;
    std::vector<CComplex> T(9);
    const double Cap[6] = {40e-12, -5e-12, -2e-12, 40e-12, -5e-12, 40e-12}, Res[3] = {15, 15, 15};
    FillWireMatrix(T.data(), n, g_jOmega.im, Cap, Res, 3);
    const double mean = 300, spread = 60, length = 9000;
    for (auto [byte, span] : {std::pair<unsigned char, double>{0, mean + spread}, {255, mean - spread}}) {
        TwoPortStorage inhom(n);
        CalcInhomLineSectionSpans(m.E.data(), m.B.data(), T.data(), mean, spread, {byte}, inhom.blocks(), n, length);

        TwoPortStorage cell = Section(m, span);
        TwoPortBlocks c = cell.blocks();
        MatAdd(c.Y0, T.data(), c.Y0, n, n);
        MatNeg(c.Y0, c.Y2, n, n);
        MatCascade(c, c, c, n);
        TwoPortStorage expect(n);
        TwoPortBlocks e = expect.blocks();
        MatCopy(c.Y0, e.Y0, n, n);
        MatCopy(c.Y1, e.Y2, n, n);
        RescaleLineBlocks(e, n, length, 2 * span);
        ASSERT_EQ(g_MatError, 0);
        EXPECT_LT(BlocksDiff(expect, inhom), 1e-7) << int(byte);
    }
}

TEST_F(InhomSectionTest, PhasesFollowTheFrequencyRun)
{
    LineMatrices m = MakeLine({-7, 0, 7}, {17, 19, 17});
    std::vector<CComplex> T(9);
    const double Cap[6] = {40e-12, -5e-12, -2e-12, 40e-12, -5e-12, 40e-12}, Res[3] = {15, 15, 15};
    std::vector<unsigned char> spans{10, 240, 128, 77};
    g_pSpanVectors.assign(1, std::vector<CComplex>(4));

    // First frequency: phases placed above the free-space phase, and kept.
    g_nSpanVector = 0;
    FillWireMatrix(T.data(), 3, g_jOmega.im, Cap, Res, 3);
    TwoPortStorage first(3);
    CalcInhomLineSectionSpans(m.E.data(), m.B.data(), T.data(), 320, 50, spans, first.blocks(), 3, 30000);
    EXPECT_EQ(g_nSpanVector, 1);
    EXPECT_GT(Abs(g_pSpanVectors[0][0]), 1e-16);

    // The next frequency follows the kept phases and finds the same branch as
    // a fresh start would.
    SetFrequency(1.02e5);
    m = MakeLine({-7, 0, 7}, {17, 19, 17});
    FillWireMatrix(T.data(), 3, g_jOmega.im, Cap, Res, 3);
    g_nSpanVector = 0;
    TwoPortStorage followed(3);
    CalcInhomLineSectionSpans(m.E.data(), m.B.data(), T.data(), 320, 50, spans, followed.blocks(), 3, 30000);
    g_pSpanVectors.clear();
    TwoPortStorage fresh(3);
    CalcInhomLineSectionSpans(m.E.data(), m.B.data(), T.data(), 320, 50, spans, fresh.blocks(), 3, 30000);
    EXPECT_LT(BlocksDiff(followed, fresh), 1e-9);
    EXPECT_TRUE(IsPassive(followed));
}

TEST_F(InhomSectionTest, NoSpansProduceNoBlocks)
{
    LineMatrices m = ThreePhaseLine();
    std::vector<CComplex> T(9);
    TwoPortStorage s(3);
    CalcInhomLineSectionSpans(m.E.data(), m.B.data(), T.data(), 300, 10, {}, s.blocks(), 3, 1000);
    EXPECT_EQ(g_MatError, 2);
}

} // namespace

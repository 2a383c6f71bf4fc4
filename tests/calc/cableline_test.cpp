#include "calc/cableline.h"
#include "calc/elementcheck.h"
#include "calctest.h"
#include "math/mirror.h"
#include "model/element.h"
#include "model/modelglobals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

using namespace calctest;

namespace {

CKLine SolidLine(int circuits, double length = 2000) { return MakeSolidKLine(circuits, length); }
CKLine PipeLine(int circuits, double length = 1500) { return MakePipeKLine(circuits, length); }

class CableLineTest : public LineCalcTest {
protected:
    CableLineTest() : LineCalcTest(1e5) {}

    static TwoPortStorage Blocks(const CKLine& line, int n)
    {
        EXPECT_EQ(CheckKLineValues(line, n), "");
        TwoPortStorage s(n);
        CalcKLineElement(line, s.blocks(), n);
        EXPECT_EQ(g_MatError, 0);
        return s;
    }

    // Modal data: T, X (m x m) and the rows gamma and Yc.
    struct Modal {
        int m = 0;
        TwoPortStorage s;
        const CComplex* gamma() { return s.blocks().Y2; }
        const CComplex* Yc() { return s.blocks().Y2 + m; }
    };
    static Modal ModalData(const CKLine& line)
    {
        Modal r;
        r.m = KLineModalOrder(line);
        r.s.resize(r.m);
        g_bModalMode = 1;
        CalcKLineElement(line, r.s.blocks(), r.m);
        g_bModalMode = 0;
        EXPECT_EQ(g_MatError, 0);
        return r;
    }
};

TEST_F(CableLineTest, ModalOrderAndWirePositions)
{
    EXPECT_EQ(KLineModalOrder(SolidLine(1)), 6);
    EXPECT_EQ(KLineModalOrder(SolidLine(2)), 12);
    EXPECT_EQ(KLineModalOrder(PipeLine(1)), 3);
    EXPECT_EQ(KLineModalOrder(PipeLine(2)), 6);
    // Solid insulation carries cores and screens, or the cores alone.
    EXPECT_EQ(CheckKLineValues(SolidLine(2), 12), "");
    EXPECT_EQ(CheckKLineValues(SolidLine(2), 6), "");
    EXPECT_NE(CheckKLineValues(SolidLine(2), 3), "");
    EXPECT_EQ(CheckKLineValues(PipeLine(2), 6), "");
    EXPECT_NE(CheckKLineValues(PipeLine(2), 3), "");
}

TEST_F(CableLineTest, CoaxialModeAtHighFrequency)
{
    // At 2 MHz the screens shield the cores: every core sees a coaxial line of
    // gamma = j*w*sqrt(eps)/c and Zc = 60/sqrt(eps)*ln(r2/r1), nearly lossless.
    // A copper cable of 500 mm2, so that the skin-effect resistance and
    // internal inductance (about R/(2wL) of the phase) stay below 0.1 %.
    SetFrequency(2e6);
    CKLine line = SolidLine(1, 60);
    CKabTv& k = line.solidCable;
    k.coreRadius = 0.0126;
    k.screenInnerRadius = 0.03;
    k.screenOuterRadius = 0.031;
    k.outerRadius = 0.036;
    k.rhoCore = k.rhoScreen = 1.72e-8;
    k.tanInner = 0.0005;
    const double beta = g_jOmega.im * std::sqrt(k.epsInner) / 3e8;
    const double Zc = 60 / std::sqrt(k.epsInner) * std::log(k.screenInnerRadius / k.coreRadius);

    Modal modal = ModalData(line);
    int coaxial = 0;
    for (int i = 0; i < modal.m; ++i) {
        const CComplex g = modal.gamma()[i];
        EXPECT_GT(g.re, 0);
        if (std::fabs(g.im / beta - 1) < 2e-3) {
            ++coaxial;
            EXPECT_LT(g.re, 1e-2 * beta);
        }
    }
    EXPECT_EQ(coaxial, 3);

    // With the screens grounded: Y0 = coth(gamma*l)/Zc, Y1 = -csch(gamma*l)/Zc
    // per core, so Zc = 1/sqrt(Y0^2 - Y1^2) and cosh(gamma*l) = -Y0/Y1.
    TwoPortStorage s = Blocks(line, 3);
    TwoPortBlocks b = s.blocks();
    for (int i = 0; i < 3; ++i) {
        const CComplex y0 = b.Y0[i * 3 + i], y1 = b.Y1[i * 3 + i];
        EXPECT_NEAR(Abs(1.0 / Sqrt(y0 * y0 - y1 * y1)) / Zc, 1.0, 5e-3);
        EXPECT_NEAR((-y0 / y1).re, std::cos(beta * line.length), 5e-3);
    }
}

TEST_F(CableLineTest, CoresAloneEqualTheCableWithGroundedScreens)
{
    for (int circuits : {1, 2}) {
        CKLine line = SolidLine(circuits);
        const int m = KLineModalOrder(line), n = m / 2;
        TwoPortStorage full = Blocks(line, m), cores = Blocks(line, n);
        // Cores first, then the screens; the reduction with both ends grounded.
        std::vector<int> P(static_cast<std::size_t>(m) * m, 0);
        for (int k = 0; k < n; ++k) {
            P[k * m + 2 * k] = 1;
            P[(n + k) * m + 2 * k + 1] = 1;
        }
        TwoPortStorage moved(m), reduced(n), tmp(m);
        TwoPortBlocks f = full.blocks(), mv = moved.blocks(), t = tmp.blocks();
        for (int b = 0; b < 3; ++b) {
            const CComplex* from = b == 0 ? f.Y0 : b == 1 ? f.Y1 : f.Y2;
            CComplex* to = b == 0 ? mv.Y0 : b == 1 ? mv.Y1 : mv.Y2;
            MatMulIntCx(P.data(), from, t.Y0, m, m, m);
            MatMulCxIntTransB(t.Y0, P.data(), to, m, m, m);
        }
        TwoPortReduce(moved.blocks(), nullptr, nullptr, reduced.blocks(), 1, 1, n, n);
        EXPECT_LT(BlocksDiff(reduced, cores), 1e-12) << circuits;
    }
}

TEST_F(CableLineTest, PipeOfTwoCircuitsIsBlockDiagonal)
{
    TwoPortStorage one = Blocks(PipeLine(1), 3), two = Blocks(PipeLine(2), 6);
    TwoPortBlocks a = one.blocks(), b = two.blocks();
    for (int bl = 0; bl < 3; ++bl) {
        const CComplex* x = bl == 0 ? a.Y0 : bl == 1 ? a.Y1 : a.Y2;
        const CComplex* y = bl == 0 ? b.Y0 : bl == 1 ? b.Y1 : b.Y2;
        for (int i = 0; i < 6; ++i)
            for (int j = 0; j < 6; ++j) {
                const CComplex v = y[i * 6 + j];
                if (i / 3 == j / 3)
                    EXPECT_EQ(Abs(v - x[(i % 3) * 3 + j % 3]), 0.0);
                else
                    EXPECT_EQ(Abs(v), 0.0);
            }
    }

    Modal modal = ModalData(PipeLine(2));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Abs(modal.gamma()[i] - modal.gamma()[i % 3]), 0.0);
        for (int j = 0; j < 6; ++j)
            if (i / 3 != j / 3) {
                EXPECT_EQ(Abs(modal.s.blocks().Y0[i * 6 + j]), 0.0);
                EXPECT_EQ(Abs(modal.s.blocks().Y1[i * 6 + j]), 0.0);
            }
    }
}

TEST_F(CableLineTest, SectionsAreReciprocalAndPassive)
{
    for (double f : {1e3, 5e4, 1e6}) {
        SetFrequency(f);
        struct Case {
            CKLine line;
            int n;
        } cases[] = {{SolidLine(1), 6}, {SolidLine(1), 3}, {SolidLine(2), 12}, {PipeLine(1), 3}, {PipeLine(2), 6}};
        for (Case& c : cases) {
            TwoPortStorage s = Blocks(c.line, c.n);
            TwoPortBlocks b = s.blocks();
            const double scale = MaxAbs(b.Y0, static_cast<std::size_t>(c.n) * c.n);
            EXPECT_TRUE(IsSymmetric(b.Y0, c.n, 1e-9 * scale)) << f << " " << c.n;
            EXPECT_TRUE(IsSymmetric(b.Y1, c.n, 1e-9 * scale)) << f << " " << c.n;
            EXPECT_TRUE(IsPassive(s)) << f << " " << c.n;
        }
    }
}

TEST_F(CableLineTest, EveryModeIsDamped)
{
    for (const CKLine& line : {SolidLine(2), PipeLine(1)}) {
        Modal modal = ModalData(line);
        for (int i = 0; i < modal.m; ++i) {
            EXPECT_GT(modal.gamma()[i].re, 0) << i;
            EXPECT_GT(modal.gamma()[i].im, 0) << i;
        }
        // Columns scaled to a largest entry of 1.
        for (int j = 0; j < modal.m; ++j) {
            double largest = 0;
            for (int i = 0; i < modal.m; ++i)
                largest = std::max(largest, Abs(modal.s.blocks().Y0[i * modal.m + j]));
            EXPECT_NEAR(largest, 1.0, 1e-12);
        }
    }
}

TEST_F(CableLineTest, MirrorSplitGivesTheWholeSolution)
{
    // Two circuits in a row: six cables symmetric about the middle, none on the
    // axis.  One circuit: the middle cable on the axis gives two axis
    // conductors (core and screen), whose couplings the split scales by the
    // rounded 1.414213562; the nearly degenerate coaxial modes amplify that a
    // little.
    struct Case {
        int circuits, code, axis;
        double tolerance;
    } cases[] = {{2, 0, 0, 1e-9}, {1, 1, 2, 1e-8}};
    for (const Case& c : cases) {
        CKLine line = SolidLine(c.circuits);
        const int m = KLineModalOrder(line);
        TwoPortStorage whole = Blocks(line, m);
        line.symmetry = c.code;
        TwoPortStorage split = Blocks(line, m);
        EXPECT_EQ(g_nLineSymmetry, c.axis);
        EXPECT_LT(BlocksDiff(whole, split), c.tolerance) << c.circuits;
    }
}

TEST_F(CableLineTest, IdenticalLineRecords)
{
    CKLine line = SolidLine(1, 1000);
    const int n = 3;
    // Blocks of the 3 cores, modal data of the 6 cores and screens.
    RecordStorage store(6, kLineRecStoreModal | kLineRecStoreBlocks);
    LineCalcRecord& lender = store.rec;
    g_pCurLineRec = &lender;
    TwoPortStorage first = Blocks(line, n);

    // An equal section copies the blocks; one of another length rebuilds them
    // from the stored modes.
    LineCalcRecord equal = lender, same = lender;
    equal.flags = kLineRecEqual;
    same.flags = kLineRecSameSection;
    g_pCurLineRec = &equal;
    TwoPortStorage copied = Blocks(line, n);
    EXPECT_EQ(BlocksDiff(first, copied), 0.0);

    CKLine longer = SolidLine(1, 3500);
    g_pCurLineRec = &same;
    TwoPortStorage rebuilt = Blocks(longer, n);
    g_pCurLineRec = nullptr;
    TwoPortStorage direct = Blocks(longer, n);
    EXPECT_LT(BlocksDiff(rebuilt, direct), 1e-12);

    // In modal mode the records are left alone.
    std::fill(store.p1.begin(), store.p1.end(), g_CZero);
    g_pCurLineRec = &lender;
    ModalData(line);
    EXPECT_EQ(MaxAbs(store.p1.data(), store.p1.size()), 0.0);
}

TEST_F(CableLineTest, NormalizeColumnsByMaxLeavesZeroColumns)
{
    std::vector<CComplex> M = {CComplex(2, 0), CComplex(0, 0), CComplex(1, 1),
                               CComplex(0, -4), CComplex(0, 0), CComplex(0, 0),
                               CComplex(1, 0), CComplex(0, 0), CComplex(1, 1)};
    NormalizeColumnsByMax(M.data(), 3);
    EXPECT_EQ(Abs(M[3] - CComplex(1, 0)), 0.0);
    EXPECT_EQ(Abs(M[0] - CComplex(0, 0.5)), 0.0);
    EXPECT_EQ(Abs(M[6] - CComplex(0, 0.25)), 0.0);
    EXPECT_EQ(Abs(M[1]) + Abs(M[4]) + Abs(M[7]), 0.0);
    // Equal largest moduli: the first one is the divisor.
    EXPECT_EQ(Abs(M[2] - CComplex(1, 0)), 0.0);
    EXPECT_EQ(Abs(M[8] - CComplex(1, 0)), 0.0);
}

TEST_F(CableLineTest, MeaninglessDataAreRefused)
{
    CKLine pipe = PipeLine(1);
    pipe.pipeRadius = 0;
    EXPECT_EQ(CheckKLineValues(pipe, 3), "не задан внутренний диаметр трубы");
    pipe = PipeLine(1);
    pipe.x[1] = 0.09;  // 90 mm from the axis plus 20 mm of core passes the wall
    EXPECT_EQ(CheckKLineValues(pipe, 3), "кабель 2 не помещается в трубе");
    pipe.x[1] = 0.0799;  // a core just clear of the wall is a valid layout
    EXPECT_EQ(CheckKLineValues(pipe, 3), "");
    pipe = PipeLine(1);
    pipe.x[2] = 0;
    EXPECT_EQ(CheckKLineValues(pipe, 3), "кабель 3 лежит на оси трубы");

    CKLine solid = SolidLine(1);
    solid.x[2] = solid.x[0];
    EXPECT_EQ(CheckKLineValues(solid, 6), "кабели 1 и 3 проложены в одной точке");
    solid = SolidLine(1);
    solid.solidCable.screenOuterRadius = solid.solidCable.screenInnerRadius;
    EXPECT_NE(CheckKLineValues(solid, 6).find(solid.solidCable.name), std::string::npos);
    solid = SolidLine(1);
    solid.solidCable.epsOuter = 0;
    EXPECT_NE(CheckKLineValues(solid, 6), "");
    solid = SolidLine(1);
    solid.length = 0;
    EXPECT_NE(CheckKLineValues(solid, 6), "");
    solid = SolidLine(1);
    solid.circuits = 14;
    EXPECT_NE(CheckKLineValues(solid, 40), "");

    // A caller that did not check gets a stopped calculation, nothing written
    // past blocks of the wrong order.
    TwoPortStorage s(2);
    CalcKLineElement(SolidLine(1), s.blocks(), 2);
    EXPECT_EQ(g_MatError, 2);
}

TEST_F(CableLineTest, PipeCoreOnTheWallIsRefusedBeforeTheRun)
{
    // 80 mm from the axis plus 20 mm of core reaches the wall of 100 mm: the
    // core would be shorted to the pipe (potential coefficient 0), and the
    // section calculated as a short.
    CElement element;
    element.SetType(kCableLine);
    element.wirePositions = 3;
    auto line = std::make_unique<CKLine>();
    line->Copy(PipeLine(1));
    line->x[1] = 0.08;
    element.data = std::move(line);
    EXPECT_EQ(CheckKLineElement(element, 4), FormatElementDataError(4, "жила кабеля 2 касается стенки трубы"));
}

} // namespace

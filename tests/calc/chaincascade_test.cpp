#include "calc/chaincascade.h"

#include "calc/blockembed.h"
#include "channeltest.h"

#include <cmath>

namespace {

using namespace channeltest;

class ChainCascadeTest : public ChannelTest {
protected:
    // Cascades the task from element start over n conductors.
    TwoPortStorage Cascade(int start, int n)
    {
        BuildSameLineTable(doc);
        calctest::SetFrequency(100e3);
        TwoPortStorage acc(n);
        CalcChain(start, acc.blocks(), n, 0);
        return acc;
    }
};

// ---- Closed forms of resistive networks between resistive ends --------------

TEST_F(ChainCascadeTest, SeriesResistorBetweenEndLoads)
{
    AddEndLoad({50.0});
    AddSeries(1, {{0, 100.0}});
    AddEndLoad({200.0});
    ASSERT_EQ(RunOnce(100).status, CalcStatus::Done);
    const CRezGraPoint& p = LastPoint();
    // Every straight link adds 1 mOhm.
    EXPECT_NEAR(p.transfer.re, 20 * std::log10(350.0 / (2 * std::sqrt(50.0 * 200.0))), 1e-4);
    EXPECT_NEAR(p.transfer.im, 0.0, 1e-6);
    EXPECT_CX_EQ_TOL(p.zLeft, CComplex(300, 0), 0.01);
    EXPECT_CX_EQ_TOL(p.zRight, CComplex(150, 0), 0.01);
    EXPECT_EQ(p.freq, 100e3);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ChainCascadeTest, TwoWireModesOfASymmetricPair)
{
    AddEndLoad({100.0, 100.0});
    AddSeries(2, {{0, 50.0}, {1, 50.0}});
    AddEndLoad({100.0, 100.0});
    // Wire to wire: both series resistors in the loop, both end loads in
    // series at each end.
    ASSERT_EQ(RunOnce(100, kWireToWire).status, CalcStatus::Done);
    CRezGraPoint wireToWire = LastPoint();
    EXPECT_NEAR(wireToWire.transfer.re, 20 * std::log10(500.0 / 400.0), 1e-4);
    EXPECT_CX_EQ_TOL(wireToWire.zLeft, CComplex(300, 0), 0.01);
    // Two wires to ground: everything in parallel.
    ASSERT_EQ(RunOnce(100, kTwoWiresToGround).status, CalcStatus::Done);
    EXPECT_NEAR(LastPoint().transfer.re, 20 * std::log10(125.0 / 100.0), 1e-4);
    EXPECT_CX_EQ_TOL(LastPoint().zLeft, CComplex(75, 0), 0.01);
    // Grounding the midpoints changes nothing on a symmetric pair, and with
    // 0 ohm it is the wire-to-wire connection exactly.
    for (double r : {0.0, 600.0}) {
        ASSERT_EQ(RunOnce(100, kWireToWireGrounded, 0, 0, 1, 1, r).status, CalcStatus::Done);
        EXPECT_NEAR(LastPoint().transfer.re, wireToWire.transfer.re, 1e-9);
        EXPECT_CX_EQ_TOL(LastPoint().zRight, wireToWire.zRight, 1e-9);
    }
    EXPECT_EQ(doc.responseResults.size(), 4u);
    EXPECT_EQ(doc.responseResults.back()->resistance, 600.0);
}

// ---- Nesting ------------------------------------------------------------------

TEST_F(ChainCascadeTest, TapOverSomeConductorsTouchesOnlyThose)
{
    auto build = [this](bool withTap) {
        doc.ClearAll();
        AddSeries(4, {{0, 10.0}, {1, 20.0}, {2, 30.0}, {3, 40.0}});
        if (withTap) {
            COtvet& tap = Add<COtvet>(kTap, 4);
            tap.selectionMode = 1;
            tap.count = 2;
            for (int i = 0; i < kMaxWires; ++i)
                tap.flags[i] = i == 1 || i == 3;
            AddSeries(2, {{0, 15.0}, {1, 25.0}});
            AddShunt(2, {{0, 1, 200.0}});
            Add<CNagrOtv>(kTapLoad, 2).mode = 1;  // insulated: the tap is a 240 ohm loop
        }
        return Cascade(0, 4);
    };
    TwoPortStorage plain = build(false);
    TwoPortStorage tapped = build(true);
    ASSERT_EQ(g_MatError, 0);
    const TwoPortBlocks a = plain.blocks(), b = tapped.blocks();
    const double loop = 1.0 / (15.0 + 200.0 + 25.0 + 0.002);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            const int k = i * 4 + j;
            EXPECT_LT(Abs(a.Y0[k] - b.Y0[k]), 1e-15);
            EXPECT_LT(Abs(a.Y1[k] - b.Y1[k]), 1e-15);
            // The tap is a shunt at the far port across the tapped wires only.
            const bool touched = (i == 1 || i == 3) && (j == 1 || j == 3);
            const double expected = touched ? (i == j ? loop : -loop) : 0.0;
            EXPECT_NEAR((a.Y2[k] - b.Y2[k]).re, expected, 1e-12) << i << "," << j;
        }
}

TEST_F(ChainCascadeTest, BranchingLeavesPhaseWiresFirstThenGroundWires)
{
    // Two circuits and a ground wire in the middle of the map; the second
    // branch lists its ground wire first.
    const std::vector<int> codes = {0, 1, 2, 3, 4, 5, 6};
    AddSeries(7, {});
    COtvet& br = Add<COtvet>(kBranchingStart, 7, codes);
    CElement& b = Last();
    b.circuitsAfter = 1, b.groundWiresAfter = 0;
    b.circuitsPart = 1, b.groundWiresPart = 1;
    for (int i = 0; i < 3; ++i)
        b.outMap[i] = i;
    std::fill(b.outMap + 3, b.outMap + kMaxWires, -1);
    const int second[4] = {3, 4, 5, 6};
    std::copy(second, second + 4, br.map);
    AddSeries(3, {{0, 1.0}, {1, 2.0}, {2, 3.0}});
    Add<COtvet>(kBranchingEnd, 3, {0, 1, 2});
    AddSeries(4, {{0, 4.0}, {1, 5.0}, {2, 6.0}, {3, 7.0}});
    Add<COtvet>(kBranchingEnd, 4, {3, 4, 5, 6});
    AddSeries(7, {});
    TwoPortStorage acc = Cascade(0, 7);
    ASSERT_EQ(g_MatError, 0);
    // Each conductor keeps its series resistance and arrives at its new
    // place: phases of both circuits, then the ground wire.
    const int goesTo[7] = {0, 1, 2, 6, 3, 4, 5};
    const double ohms[7] = {1, 2, 3, 4, 5, 6, 7};
    const TwoPortBlocks t = acc.blocks();
    for (int a = 0; a < 7; ++a)
        for (int c = 0; c < 7; ++c) {
            const CComplex y = t.Y1[a * 7 + c];
            if (c == goesTo[a])
                EXPECT_NEAR(-1.0 / y.re, ohms[a] + 0.022, 1e-9) << a;
            else
                EXPECT_LT(Abs(y), 1e-12) << a << "," << c;
        }
}

TEST_F(ChainCascadeTest, TapJustBeforeTheEndOfABranchIsClosedByItsLoad)
{
    // Branch 1 ends with an open stub (100 ohm, insulated end): it loads the
    // line with nothing, exactly as if it were not there.
    auto build = [this](bool withStub) {
        doc.ClearAll();
        Add<COtvet>(kBranchingStart, 6);
        Last().circuitsAfter = Last().circuitsPart = 1;
        std::fill(Last().outMap + 3, Last().outMap + kMaxWires, -1);
        COtvet& br = *Last().Data<COtvet>();
        for (int i = 0; i < 3; ++i)
            br.map[i] = PhaseCode(3 + i);
        AddSeries(3, {{0, 10.0}});
        if (withStub) {
            Add<COtvet>(kTap, 3);
            AddSeries(3, {{0, 100.0}, {1, 100.0}, {2, 100.0}});
            Add<CNagrOtv>(kTapLoad, 3).mode = 1;
        }
        Add<COtvet>(kBranchingEnd, 3);
        AddSeries(3, {{0, 20.0}});
        Add<COtvet>(kBranchingEnd, 3, {4, 5, 6});
        return Cascade(0, 6);
    };
    TwoPortStorage plain = build(false), stub = build(true);
    ASSERT_EQ(g_MatError, 0);
    EXPECT_LT(calctest::BlocksDiff(plain, stub), 1e-12);
}

TEST_F(ChainCascadeTest, DoublingClosedByASubstationBypassIsTheLoopThereAndBack)
{
    AddEndLoad({50.0, 50.0});
    COtvet& dbl = Add<COtvet>(kDoubling, 2);
    dbl.selectionMode = 1;
    dbl.count = 2;  // one wire there and back
    for (int i = 0; i < kMaxWires; ++i)
        dbl.flags[i] = i == 1;
    AddSeries(2, {{0, 10.0}, {1, 12.0}});
    CEObhod& bypass = Add<CEObhod>(kBypass, 2);
    bypass.n = 1;
    bypass.kind = 0;
    bypass.insideDoubling = 1;
    AddEndLoad({50.0, 50.0});
    // Wire 1 runs 10 ohm out, through the bypass (two 100 S trap links), and
    // 12 ohm back; three straight links of 1 mOhm on the way.
    ASSERT_EQ(RunOnce(100, kWireToGround, 1, 1).status, CalcStatus::Done);
    const double loop = 10.0 + 0.02 + 12.0 + 0.003;
    EXPECT_NEAR(LastPoint().transfer.re, 20 * std::log10((100.0 + loop) / 100.0), 1e-6);
    EXPECT_CX_EQ_TOL(LastPoint().zLeft, CComplex(50 + loop, 0), 1e-6);
    // Wire 0 passes straight (two links of 1 mOhm).
    ASSERT_EQ(RunOnce(100, kWireToGround, 0, 0).status, CalcStatus::Done);
    EXPECT_NEAR(LastPoint().transfer.re, 20 * std::log10(100.002 / 100.0), 1e-9);
}

TEST_F(ChainCascadeTest, AttachedCircuitIsolatedAtBothEndsChangesNothing)
{
    auto build = [this](int endKind, double c) {
        doc.ClearAll();
        AddEndLoad({50.0, 50.0});
        CVarMod& open = Add<CVarMod>(kWireCountChange, 2);
        Last().wirePositions2 = 3;
        open.wiresBefore = 2, open.wiresAfter = 3;
        for (int end = 0; end < 2; ++end) {
            if (end == 1) {
                Add<CVarMod>(kWireCountChange, 3);
                Last().wirePositions2 = 2;
            }
            CEndMod& e = Add<CEndMod>(kAttachedEnd, 1);
            e.kind = std::uint8_t(endKind);
            e.count = 1;
            e.r = std::vector<double>{0.0};
            e.l = std::vector<double>{0.0};
            e.c = std::vector<double>{c};
            if (end == 0) {
                AddSeries(3, {{0, 10.0}, {1, 10.0}, {2, 10.0}});
                AddShunt(3, {{0, 2, 100.0}});
                AddSeries(3, {{0, 10.0}, {1, 10.0}, {2, 10.0}});
            }
        }
        AddEndLoad({50.0, 50.0});
        EXPECT_EQ(RunOnce(100).status, CalcStatus::Done);
        return LastPoint();
    };
    const CRezGraPoint isolated = build(3, 0.0);
    // Without the attached circuit: 20 ohm (and links) in series.
    EXPECT_NEAR(isolated.transfer.re, 20 * std::log10((100.0 + 20.0) / 100.0), 1e-3);
    // Loaded by a capacitor alone (no R, no L): a finite, different result.
    const CRezGraPoint loaded = build(4, 1e-6);
    EXPECT_TRUE(std::isfinite(loaded.transfer.re));
    EXPECT_GT(std::fabs(loaded.transfer.re - isolated.transfer.re), 1e-3);
    EXPECT_TRUE(messages.messages().empty());
}

// ---- Failures -----------------------------------------------------------------

TEST_F(ChainCascadeTest, SingularElementInATapLineIsReportedOnceByItsNumber)
{
    AddEndLoad({50.0});
    AddSeries(1, {{0, 10.0}});
    Add<COtvet>(kTap, 1);
    // A bypass in the field whose only path is a plain wire: no impedance
    // between its ends, so it has no admittance form.
    CEObhod& bypass = Add<CEObhod>(kBypass, 1);
    bypass.n = 1;
    bypass.kind = 1;
    CObhod line;
    line.filters[0] = line.filters[1] = ResistorFilter(0.0);
    bypass.lines.push_back(line);
    Add<CNagrOtv>(kTapLoad, 1);
    AddEndLoad({50.0});
    const CalcOutcome out = RunOnce(100);
    EXPECT_EQ(out.status, CalcStatus::Failed);
    EXPECT_EQ(out.statusText, "Расчет не завершен");
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Ошибка при расчетах матриц элемента N 4.\nРасчет прекращен.");
    EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Stop);
    EXPECT_EQ(messages.messages()[0].caption, kAppName);
    EXPECT_TRUE(doc.responseResults.empty());
}

TEST_F(ChainCascadeTest, ValuesThatAreNotFiniteStopTheRunAtTheirElement)
{
    AddEndLoad({50.0});
    AddSeries(1, {{0, 10.0}});
    CEShunt& huge = AddSeries(1, {{0, 10.0}});
    huge.branches[0].c = 1e308;  // j*omega*C overflows
    AddEndLoad({50.0});
    EXPECT_EQ(RunOnce(100).status, CalcStatus::Failed);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Ошибка при расчетах матриц элемента N 3.\nРасчет прекращен.");
    EXPECT_TRUE(doc.responseResults.empty());
}

TEST_F(ChainCascadeTest, ElementOfAnotherWireCountIsRefused)
{
    AddEndLoad({50.0, 50.0});
    AddSeries(3, {{0, 10.0}});
    AddEndLoad({50.0, 50.0});
    EXPECT_EQ(RunOnce(100).status, CalcStatus::Failed);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text,
              "Ошибка в данных элемента N 2:\nу элемента 3 проводов, а на участке цепи 2.\nРасчет невозможен.");
    EXPECT_TRUE(doc.responseResults.empty());
}

TEST_F(ChainCascadeTest, TapWithoutItsLoadIsRefused)
{
    AddEndLoad({50.0});
    Add<COtvet>(kTap, 1);
    AddSeries(1, {{0, 10.0}});
    AddEndLoad({50.0});
    EXPECT_EQ(RunOnce(100).status, CalcStatus::Failed);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_NE(messages.messages()[0].text.find("элемента N 2:\nвложенный участок цепи не завершен"), std::string::npos);
}

TEST_F(ChainCascadeTest, NestingDeeperThanAnyChannelIsRefusedWithoutExhaustingTheStack)
{
    AddEndLoad({50.0});
    for (int i = 0; i < 300; ++i)
        Add<COtvet>(kTap, 1);
    AddEndLoad({50.0});
    EXPECT_EQ(RunOnce(100).status, CalcStatus::Failed);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_NE(messages.messages()[0].text.find("слишком много вложенных участков"), std::string::npos);
}

} // namespace

#include "calc/calcrun.h"

#include "channeltest.h"
#include "platform/format.h"

#include <cmath>
#include <cstdlib>

namespace {

using namespace channeltest;

FrequencyInput Range(float start, float end, float step)
{
    FrequencyInput in;
    in.mode = 1;
    in.start = start, in.end = end, in.step = step;
    return in;
}

FrequencyInput Single(float f)
{
    FrequencyInput in;
    in.mode = 0;
    in.single = f;
    return in;
}

TEST(FrequencyGridTest, RangeIsSnappedToWholeSteps)
{
    FrequencyGrid g;
    ASSERT_EQ(MakeFrequencyGrid(Range(50, 1000, 100), g), "");
    EXPECT_EQ(g.points, 10);
    EXPECT_EQ(g.snappedEnd, 950.0f);
    EXPECT_EQ(g.startHz, 50000.0);
    EXPECT_EQ(g.endHz, 950000.0);
    ASSERT_EQ(MakeFrequencyGrid(Range(100, 400, 100), g), "");
    EXPECT_EQ(g.points, 4);
    EXPECT_EQ(g.snappedEnd, 400.0f);
    // 2.95 steps and a tenth make 3: the end moves up to 400.
    ASSERT_EQ(MakeFrequencyGrid(Range(100, 395, 100), g), "");
    EXPECT_EQ(g.points, 4);
    EXPECT_EQ(g.snappedEnd, 400.0f);
    ASSERT_EQ(MakeFrequencyGrid(Single(24.5f), g), "");
    EXPECT_EQ(g.points, 1);
    EXPECT_EQ(g.startHz, 24500.0);
    EXPECT_EQ(g.endHz, 24500.0);
}

TEST(FrequencyGridTest, ImpossibleFrequenciesAreRefused)
{
    FrequencyGrid g;
    // Above about 3.4e35 kHz a float holds no frequency in hertz.
    for (const FrequencyInput& in : {Range(0, 100, 10), Range(10, 100, -5), Range(10, 100, 0), Range(100, 100, 1),
                                     Range(200, 100, 10), Range(NAN, 100, 10), Range(10, INFINITY, 10),
                                     Range(1e35f, 3.5e35f, 1e35f), Range(1, 100, 3.5e35f)})
        EXPECT_EQ(MakeFrequencyGrid(in, g), "Некорректно задан расчетный диапазон частот!");
    for (float f : {0.0f, -3.0f, NAN, 3.5e35f})
        EXPECT_EQ(MakeFrequencyGrid(Single(f), g), "Некорректно задана расчетная частота!");
    // A result holds at most 65535 points: a range of more is refused with
    // their count, unless the step is too small for a count.
    EXPECT_EQ(MakeFrequencyGrid(Range(1, 65535, 1), g), "");
    EXPECT_EQ(g.points, 65535);
    auto tooMany = [](const char* count) {
        return StrFormat("Слишком много расчетных точек%s. Допустимо не более 65535.\n"
                         "Увеличьте шаг или сократите диапазон частот.",
                         count);
    };
    EXPECT_EQ(MakeFrequencyGrid(Range(1, 65536, 1), g), tooMany(": 65536"));
    EXPECT_EQ(MakeFrequencyGrid(Range(100, 500, 0.001f), g), tooMany(": 400001"));
    EXPECT_EQ(MakeFrequencyGrid(Range(1, 1000, 1e-6f), g), tooMany(": 999000001"));
    EXPECT_EQ(MakeFrequencyGrid(Range(1, 1000, 1e-40f), g), tooMany(""));
}

TEST(FrequencyGridTest, ResultIsNamedByTheDateAndTimeOfTheRun)
{
    const char* old = std::getenv("TZ");
    std::string saved = old ? old : "";
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(FormatRunName(1700000000), "14.11.23 22:13");
    EXPECT_EQ(FormatRunName(946684800), "01.01.00 00:00");
    if (old)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

class CalcRunTest : public ChannelTest {
protected:
    void BuildResistiveChannel()
    {
        AddEndLoad({50.0, 75.0, 0.0, 100.0});
        AddSeries(4, {{0, 10.0}, {1, 20.0}, {3, 30.0}});
        AddEndLoad({50.0, 75.0, -1.0, 100.0});
    }
    CalcRequest RangeRequest(float start, float end, float step)
    {
        CalcRequest r;
        r.frequencies = Range(start, end, step);
        return r;
    }
};

TEST_F(CalcRunTest, WiresOfTheEndsAreThoseWithALoad)
{
    g_nLabelCircuits = 2;  // circuits are numbered in the names
    {
        BuildResistiveChannel();
        CalcSession session(doc);
        ASSERT_EQ(session.Wires(kTransmitSide).size(), 3u);
        EXPECT_EQ(session.Wires(kTransmitSide)[0].text, "1 (1A)");
        EXPECT_EQ(session.Wires(kTransmitSide)[2].text, "4 (2A)");
        EXPECT_EQ(session.Wires(kTransmitSide)[2].wire, 3);
        EXPECT_EQ(session.Wires(kReceiveSide).size(), 3u);
        EXPECT_TRUE(session.ModeEnabled(kWireToWire));
        EXPECT_TRUE(session.ModeEnabled(kTwoWiresToGround));
        EXPECT_TRUE(session.ModeEnabled(kWireToWireGrounded));
        EXPECT_FALSE(session.RegenerateSpansShown());

        // The second wire is any other wire of the end.
        const std::string first = session.Wires(kTransmitSide)[1].text;
        std::vector<WireEntry> second = session.WireChoices(kTransmitSide, 1, kWireToWire, first);
        ASSERT_EQ(second.size(), 2u);
        EXPECT_EQ(second[0].wire, 0);
        EXPECT_EQ(second[1].wire, 3);
        EXPECT_TRUE(session.WireChoices(kTransmitSide, 1, kWireToGround, first).empty());
    }

    // Ends with one loaded wire each allow only wire to ground.
    doc.ClearAll();
    AddEndLoad({50.0, 0.0});
    AddSeries(2, {});
    AddEndLoad({0.0, 50.0});
    CalcSession single(doc);
    EXPECT_TRUE(single.ModeEnabled(kWireToGround));
    for (int mode : {kWireToWire, kTwoWiresToGround, kWireToWireGrounded})
        EXPECT_FALSE(single.ModeEnabled(mode)) << mode;
    EXPECT_EQ(single.Wires(kReceiveSide)[0].wire, 1);
}

TEST_F(CalcRunTest, HalvesOfTheSplitConductorPairOnlyWithEachOther)
{
    doc.splitConductor = 1;
    g_nSplitConductor = 1;
    AddEndLoad({50.0, 50.0, 50.0, 50.0});
    AddSeries(4, {});
    AddEndLoad({50.0, 50.0, 50.0, 50.0});
    for (auto& e : doc.elements)
        e->splitConductor = 1;
    CalcSession session(doc);
    const std::vector<WireEntry>& tx = session.Wires(kTransmitSide);
    ASSERT_EQ(tx.size(), 4u);
    EXPECT_FALSE(tx[0].splitHalf);
    EXPECT_TRUE(tx[1].splitHalf);
    EXPECT_TRUE(tx[2].splitHalf);
    EXPECT_EQ(tx[1].text, "2 (B/1)");
    // Wire to wire: the halves pair with each other, the others likewise.
    std::vector<WireEntry> pair = session.WireChoices(kTransmitSide, 1, kWireToWire, tx[1].text);
    ASSERT_EQ(pair.size(), 1u);
    EXPECT_EQ(pair[0].wire, 2);
    // Two wires to ground never takes a half.
    for (const WireEntry& e : session.WireChoices(kTransmitSide, 0, kTwoWiresToGround, ""))
        EXPECT_FALSE(e.splitHalf);
}

// Phase A carried as two halves (positions 0 and 1) is moved by a
// transposition to positions 2 and 3.  The far end names, groups and
// calculates the halves where they are there, not where the task's split
// conductor puts them at the near end.
TEST_F(CalcRunTest, FarEndHalvesOfTheSplitConductorAreThoseTheTranspositionsLeaveThere)
{
    doc.splitConductor = 0;
    g_nSplitConductor = 0;
    auto build = [&](bool transposed) {
        doc.ClearAll();
        const int farSplit = transposed ? 2 : 0;
        auto onWires = [&](CElement& e, int split, std::vector<int> codes) {
            e.splitConductor = split;
            e.conductors = 3;
            for (int i = 0; i < 3; ++i)
                e.inMap[i] = e.outMap[i] = codes[std::size_t(i)];
        };
        AddEndLoad({300.0, 300.0, 0.0, 0.0});
        onWires(Last(), 0, {0, 1, 2});
        AddSeries(4, {{0, 10.0}, {1, 10.0}});
        onWires(Last(), 0, {0, 1, 2});
        if (transposed) {
            CTransp& t = Add<CTransp>(kTransposition, 4);
            t.count = 3;
            t.permutation = std::vector<std::uint8_t>{2, 0, 1};  // A to the third conductor
            onWires(Last(), 0, {0, 1, 2});
            Last().outMap[0] = 1, Last().outMap[1] = 2, Last().outMap[2] = 0;
            AddSeries(4, {});
            onWires(Last(), 2, {1, 2, 0});
        } else {
            AddSeries(4, {});
            onWires(Last(), 0, {0, 1, 2});
        }
        AddEndLoad(transposed ? std::vector<double>{0.0, 0.0, 300.0, 300.0} : std::vector<double>{300.0, 300.0, 0.0, 0.0});
        onWires(Last(), farSplit, transposed ? std::vector<int>{1, 2, 0} : std::vector<int>{0, 1, 2});

        CalcSession session(doc);
        const std::vector<WireEntry>& rx = session.Wires(kReceiveSide);
        EXPECT_EQ(rx.size(), 2u);
        for (const WireEntry& e : rx)
            EXPECT_TRUE(e.splitHalf) << e.text;
        EXPECT_EQ(rx.front().text, StrFormat("%d (A/1)", farSplit + 1));
        EXPECT_TRUE(session.ModeEnabled(kWireToWire));
        EXPECT_EQ(RunOnce(100, kWireToWire, 0, farSplit, 1, farSplit + 1).status, CalcStatus::Done);
        return LastPoint();
    };
    const CRezGraPoint straight = build(false);
    const CRezGraPoint transposed = build(true);
    EXPECT_GT(transposed.transfer.re, 0.1);
    EXPECT_LT(transposed.transfer.re, 100.0);
    EXPECT_NEAR(transposed.transfer.re, straight.transfer.re, 1e-9);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(CalcRunTest, RefusedRequestsLeaveEverythingUnchanged)
{
    BuildResistiveChannel();
    g_fCalcStart = 10, g_fCalcEnd = 20, g_fCalcStep = 5, g_nCalcMode = 1;
    CalcSession session(doc);
    for (const CalcRequest& r : {RangeRequest(0, 100, 10), RangeRequest(10, 100, -1)}) {
        const CalcOutcome out = session.Run(r);
        EXPECT_EQ(out.status, CalcStatus::Refused);
    }
    CalcRequest single;
    single.frequencies = Single(0);
    EXPECT_EQ(session.Run(single).status, CalcStatus::Refused);
    // Mode 3's resistance: negative (gain through passive parts), infinite or no number.
    for (double r : {-1.0, -0.5, HUGE_VAL, std::nan("")}) {
        CalcRequest grounded;
        grounded.frequencies = Single(100);
        grounded.mode = kWireToWireGrounded;
        grounded.resistance = r;
        EXPECT_EQ(session.Run(grounded).status, CalcStatus::Refused) << r;
        EXPECT_EQ(messages.messages().back().text, kResistanceRefusal);
    }
    ASSERT_EQ(messages.messages().size(), 7u);
    EXPECT_EQ(messages.messages()[0].text, "Некорректно задан расчетный диапазон частот!");
    EXPECT_EQ(messages.messages()[0].caption, kAppName);
    EXPECT_EQ(messages.messages()[0].icon, MsgIcon::None);
    EXPECT_EQ(messages.messages()[2].text, "Некорректно задана расчетная частота!");
    EXPECT_TRUE(doc.responseResults.empty());
    EXPECT_EQ(doc.responseCount, 0);
    EXPECT_EQ(g_fCalcStart, 10.0f);
    EXPECT_EQ(g_fCalcEnd, 20.0f);
    EXPECT_EQ(g_fCalcStep, 5.0f);
    EXPECT_EQ(g_nCalcMode, 1);
}

TEST_F(CalcRunTest, TwoRunsAddTwoResultsNamedByTheirTimes)
{
    BuildResistiveChannel();
    CalcSession session(doc);
    std::time_t now = 1700000000;
    session.SetClock([&now] { return now; });
    int calls = 0, shown = -1, total = 0;
    // The progress starts at 0 before the first point and ends with the points.
    const CalcOutcome first = session.Run(RangeRequest(100, 395, 100), [&](int done, int of) {
        EXPECT_TRUE(calls++ > 0 || done == 0);
        shown = done;
        total = of;
    });
    EXPECT_EQ(first.status, CalcStatus::Done);
    EXPECT_EQ(first.statusText, "Расчет завершен");
    EXPECT_EQ(first.snappedEnd, 400.0f);
    EXPECT_EQ(shown, 4);
    EXPECT_EQ(total, 4);
    now += 120;
    CalcRequest second;
    second.frequencies = Single(250);
    second.mode = kTwoWiresToGround;
    second.txWire1 = 3, second.txWire2 = 0;  // stored in order
    second.rxWire1 = 1, second.rxWire2 = 3;
    second.resistance = 600;                 // not a mode that keeps it
    EXPECT_EQ(session.Run(second).status, CalcStatus::Done);

    ASSERT_EQ(doc.responseResults.size(), 2u);
    EXPECT_EQ(doc.responseCount, 2);
    const CRezGra& a = *doc.responseResults[0];
    const CRezGra& b = *doc.responseResults[1];
    EXPECT_EQ(a.name, FormatRunName(1700000000));
    EXPECT_EQ(b.name, FormatRunName(1700000120));
    EXPECT_NE(a.name, b.name);
    ASSERT_EQ(a.PointCount(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(a.points[std::size_t(i)].freq, 100000.0 + 100000.0 * i);
    EXPECT_EQ(a.startFreq, 100000.0);
    EXPECT_EQ(a.endFreq, 400000.0);
    EXPECT_EQ(a.zEndLeft, 50.0);
    EXPECT_EQ(b.mode, kTwoWiresToGround);
    EXPECT_EQ(b.txWire1, 0);
    EXPECT_EQ(b.txWire2, 3);
    EXPECT_EQ(b.rxWire1, 1);
    EXPECT_EQ(b.rxWire2, 3);
    EXPECT_EQ(b.resistance, 0.0);
    EXPECT_DOUBLE_EQ(b.zEndLeft, 1.0 / (1.0 / 50 + 1.0 / 100));
    EXPECT_EQ(b.startFreq, 250000.0);
    // The settings of the last run stay for the next dialog.
    EXPECT_EQ(g_fCalcStart, 250.0f);
    EXPECT_EQ(g_fCalcEnd, 400.0f);
    EXPECT_EQ(g_fCalcStep, 100.0f);
    EXPECT_EQ(g_nCalcMode, 0);
    EXPECT_EQ(session.RestoredFrequencies().single, 250.0f);
    EXPECT_EQ(session.RestoredFrequencies().mode, 0);
}

TEST_F(CalcRunTest, WiresOutsideTheChoicesAreNotCalculated)
{
    BuildResistiveChannel();
    CalcSession session(doc);
    CalcRequest r;
    r.frequencies = Single(100);
    r.txWire1 = 2;  // no load on it
    EXPECT_EQ(session.Run(r).status, CalcStatus::Refused);
    r.txWire1 = 0;
    r.mode = kWireToWire;
    r.txWire2 = 0;  // the same wire twice
    EXPECT_EQ(session.Run(r).status, CalcStatus::Refused);
    EXPECT_TRUE(doc.responseResults.empty());
}

TEST_F(CalcRunTest, RefusedElementDataStopTheRunBeforeAnyResult)
{
    AddEndLoad({50.0});
    AddLine({0.0}, {17.0}, 0.0);  // no length
    AddEndLoad({50.0});
    const CalcOutcome out = RunOnce(100);
    EXPECT_EQ(out.status, CalcStatus::Failed);
    EXPECT_EQ(out.statusText, "Расчет не завершен");
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text,
              "Ошибка в данных элемента N 2:\nдлина линии должна быть больше нуля.\nРасчет невозможен.");
    EXPECT_TRUE(doc.responseResults.empty());
}

TEST_F(CalcRunTest, ChannelEndsThatDoNotMatchAreRefused)
{
    AddEndLoad({50.0, 50.0});
    AddSeries(2, {});
    AddEndLoad({50.0});
    const std::vector<CElement*> chain = {doc.elements[0].get(), doc.elements[1].get(), doc.elements[2].get()};
    EXPECT_NE(CheckCalcElements(chain).find("у конца тракта 1 проводов"), std::string::npos);
    doc.elements[2]->wirePositions = 2;
    EXPECT_NE(CheckCalcElements(chain).find("нагрузки заданы не для всех 2 проводов"), std::string::npos);
    doc.elements[0]->Data<CNagruz>()->values[1] = -INFINITY;
    EXPECT_NE(CheckCalcElements(chain).find("N 1:\nнагрузка провода 2: значение не является конечным числом"),
              std::string::npos);
    doc.elements[2]->type = kCouplingDevice;
    EXPECT_NE(CheckCalcElements(chain).find("концы тракта должны быть"), std::string::npos);
}

TEST_F(CalcRunTest, FailureAtALaterFrequencyKeepsNoResult)
{
    AddEndLoad({50.0});
    AddSeries(1, {{0, 10.0}});
    // A bypass whose cable attenuates so much that from 5 kHz on its chain
    // matrix grows past what a complex division can take: 0.115 * a * sqrt(f)
    // * l/2 (half the length in the field) passes about 355 nepers.
    CEObhod& bypass = Add<CEObhod>(kBypass, 1);
    bypass.n = 1;
    bypass.kind = 1;
    CObhod line;
    line.filters[0] = line.filters[1] = ResistorFilter(10.0);
    line.cables[0] = line.cables[1] = HfCable(1.45, 2e8, 75);
    line.lengthBefore = 2000.0;
    bypass.lines.push_back(line);
    AddEndLoad({50.0});
    CalcSession session(doc);
    int points = 0;
    const CalcOutcome out = session.Run(RangeRequest(1, 5, 1), [&points](int done, int) { points = done; });
    EXPECT_EQ(out.status, CalcStatus::Failed);
    EXPECT_EQ(points, 4);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Ошибка при расчетах матриц элемента N 3.\nРасчет прекращен.");
    EXPECT_TRUE(doc.responseResults.empty());
    // The dialog stays open: the next run is a fresh one.
    EXPECT_EQ(session.Run(RangeRequest(1, 3, 1)).status, CalcStatus::Done);
}

TEST_F(CalcRunTest, ChannelThroughCouplingDevicesIsTheSameFromEitherEnd)
{
    auto device = [](double filterR, double cable) {
        CPrisoed p;
        p.wire = 0;
        p.r = 75;
        p.filter = ResistorFilter(filterR);
        p.cable = HfCable(2e-4, 2e8, 75);
        p.cableLength = cable;
        return p;
    };
    auto build = [&](bool reversed) {
        doc.ClearAll();
        CPrisoed d1 = device(20, 150), d2 = device(40, 400);
        Add<CUpr>(kCouplingDevice, 3).devices = {reversed ? d2 : d1};
        AddLine(kRowX, kRowY, 40e3, 0);
        Add<CUpr>(kCouplingDevice, 3).devices = {reversed ? d1 : d2};
        EXPECT_EQ(RunOnce(150).status, CalcStatus::Done);
        return LastPoint();
    };
    const CRezGraPoint forward = build(false);
    const CRezGraPoint backward = build(true);
    EXPECT_NEAR(forward.transfer.re, backward.transfer.re, 1e-9);
    EXPECT_NEAR(forward.transfer.im, backward.transfer.im, 1e-9);
    EXPECT_CX_EQ_TOL(forward.zLeft, backward.zRight, 1e-9 * Abs(forward.zLeft));
    EXPECT_CX_EQ_TOL(forward.zRight, backward.zLeft, 1e-9 * Abs(forward.zRight));
    EXPECT_GT(forward.transfer.re, 0.0);
    EXPECT_EQ(doc.responseResults.back()->zEndLeft, 75.0);
}

TEST_F(CalcRunTest, MatchedLineAttenuationGrowsLinearlyWithLength)
{
    // Two wires 1 m apart, wire to wire: the loop of a nearly lossless line
    // whose wave impedance is about 120 ln(2D/d) = 530 ohm; each end loads
    // the pair with 2 x 265 ohm.
    std::vector<double> att;
    for (double km : {25.0, 50.0, 100.0}) {
        doc.ClearAll();
        AddEndLoad({265.0, 265.0});
        AddLine({-0.5, 0.5}, {20.0, 20.0}, km * 1e3);
        AddEndLoad({265.0, 265.0});
        EXPECT_EQ(RunOnce(100, kWireToWire).status, CalcStatus::Done);
        att.push_back(LastPoint().transfer.re);
    }
    const double slope1 = (att[1] - att[0]) / 25.0, slope2 = (att[2] - att[1]) / 50.0;
    EXPECT_GT(slope1, 0.0);
    EXPECT_NEAR(slope2, slope1, 0.1 * slope1);
    // The loop of two wires with skin effect at 100 kHz loses a few hundredths
    // of a dB per km; the mismatch at the ends is small.
    EXPECT_GT(slope1, 0.005);
    EXPECT_LT(slope1, 0.1);
    EXPECT_LT(std::fabs(att[0] - 25.0 * slope1), 0.5);
}

TEST_F(CalcRunTest, RandomSpansAreRedrawnOnlyWhenAskedAndOnlyOnce)
{
    AddEndLoad({300.0, 300.0, 300.0});
    CVLine& line = AddLine(kRowX, kRowY, 1200.0);
    AddEndLoad({300.0, 300.0, 300.0});
    calctest::MakeTowerInfluence(line, 3, 4);
    const std::vector<std::uint8_t> preset(4, 128);
    line.spanValues = preset;
    SeedSpanRandom(5);

    CalcSession session(doc);
    EXPECT_TRUE(session.RegenerateSpansShown());
    CalcRequest r;
    r.frequencies = Range(100, 120, 10);
    ASSERT_EQ(session.Run(r).status, CalcStatus::Done);
    EXPECT_EQ(*line.spanValues, preset);
    r.regenerateSpans = true;
    ASSERT_EQ(session.Run(r).status, CalcStatus::Done);
    const std::vector<std::uint8_t> drawn = *line.spanValues;
    EXPECT_NE(drawn, preset);
    // Redrawn at the first frequency only: a second draw would have changed
    // them again, so a run from the drawn spans at that frequency alone gives
    // the same first point.
    const CRezGraPoint firstOfRange = doc.responseResults.back()->points[0];
    r.regenerateSpans = false;
    r.frequencies = Single(100);
    ASSERT_EQ(session.Run(r).status, CalcStatus::Done);
    EXPECT_EQ(*line.spanValues, drawn);
    EXPECT_EQ(LastPoint().transfer.re, firstOfRange.transfer.re);
    EXPECT_EQ(g_bRegenSpans, 0);
}

// Two equal sections of random spans share their blocks until a run redraws
// the spans: then each draws its own, and a later run in the same dialog
// gives what a fresh dialog gives for the spans as they now are.
TEST_F(CalcRunTest, RedrawnRandomSpansAreNeverTakenFromAnotherSection)
{
    AddEndLoad({300.0, 300.0, 300.0});
    CVLine& a = AddLine(kRowX, kRowY, 1200.0);
    CVLine& b = AddLine(kRowX, kRowY, 1200.0);
    AddEndLoad({300.0, 300.0, 300.0});
    for (CVLine* line : {&a, &b}) {
        calctest::MakeTowerInfluence(*line, 3, 4);
        line->spanValues = std::vector<std::uint8_t>(4, 128);
    }
    SeedSpanRandom(5);

    CalcSession session(doc);
    session.SetClock([] { return std::time_t(1700000000); });
    CalcRequest r;
    r.frequencies = Single(100);
    r.regenerateSpans = true;
    ASSERT_EQ(session.Run(r).status, CalcStatus::Done);
    EXPECT_NE(*b.spanValues, std::vector<std::uint8_t>(4, 128));
    EXPECT_NE(*a.spanValues, *b.spanValues);
    r.regenerateSpans = false;
    ASSERT_EQ(session.Run(r).status, CalcStatus::Done);
    const CRezGraPoint sameDialog = LastPoint();
    ASSERT_EQ(RunOnce(100).status, CalcStatus::Done);
    EXPECT_EQ(LastPoint().transfer.re, sameDialog.transfer.re);
    EXPECT_EQ(LastPoint().transfer.im, sameDialog.transfer.im);
}

} // namespace

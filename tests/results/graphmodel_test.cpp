#include "results/graphmodel.h"
#include "results/quantities.h"
#include "resultstest.h"

#include <cmath>
#include <limits>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

GraphModel Build(int quantity, const std::vector<const CRezGra*>& results,
                 const GraphViewKind& kind = kResultsGraph)
{
    GraphModel m(kind);
    std::vector<CurveSource> src;
    for (const CRezGra* r : results)
        src.push_back(CurveSource{"L", r});
    m.BuildCurves(quantity, src);
    return m;
}

TEST(GraphModel, AttenuationCurveAndRanges)
{
    CRezGra r = AttenuationResult(100e3, 500e3, {10, 37, 20, 0, 5});
    GraphModel m = Build(kQuantityAttenuation, {&r});
    ASSERT_EQ(m.curveCount, 1);
    const CRez& c = m.curves[0];
    EXPECT_EQ(c.count, 5);
    EXPECT_DOUBLE_EQ(c.fMin, 100);
    EXPECT_DOUBLE_EQ(c.fMax, 500);
    EXPECT_DOUBLE_EQ(c.step, 100);
    EXPECT_DOUBLE_EQ(c.x[2], 300);
    EXPECT_EQ(m.dataYMin, 0);
    EXPECT_EQ(m.dataYMax, 37);
    EXPECT_FALSE(m.straddlesZero);
    EXPECT_TRUE(m.notFromZero);
    EXPECT_EQ(m.shownYMin, 0);
    EXPECT_EQ(m.shownYMax, 37);
    EXPECT_EQ(m.shownFMin, 100);
    EXPECT_EQ(m.shownFMax, 500);
    ASSERT_TRUE(m.ComputeAxes());
    EXPECT_EQ(m.yStep, 5);
    EXPECT_EQ(m.yBase, 0);
    EXPECT_EQ(m.xStep, 80); // 400 kHz: s = 80, step 8 x 10
    EXPECT_EQ(m.xBase, 80);
}

TEST(GraphModel, GroupDelayOfTwoPointsIsOneValueAtTheMidpoint)
{
    // Phase falls 1 rad over 1 kHz: 1 / (1000 * 2pi * 0.001) ms.
    CRezGra r = MakeResult(100e3, 101e3, 2, [](CRezGraPoint& p, int j) { p.transfer.im = -1.0 * j; });
    GraphModel m = Build(kQuantityGroupDelay, {&r});
    ASSERT_EQ(m.curveCount, 1);
    ASSERT_EQ(m.curves[0].y.size(), 1u);
    EXPECT_DOUBLE_EQ(m.curves[0].y[0], -1.0 / (1000 * kPhaseTurn * 0.001));
    EXPECT_DOUBLE_EQ(m.Abscissa(0, 0), 100.5);
    // The range recomputation sees the value at 100.5 kHz, not at 100.
    m.shownFMin = 100.4;
    m.shownFMax = 100.6;
    EXPECT_TRUE(m.CalcYRange());
    m.shownFMin = 100.0;
    m.shownFMax = 100.4;
    double before = m.dataYMin;
    EXPECT_FALSE(m.CalcYRange()); // window without a value: ranges stay
    EXPECT_EQ(m.dataYMin, before);
}

TEST(GraphModel, PhaseJumpUnwrapsByOneTurn)
{
    // 0 -> 5 rad is a wrap: the step is 5 - 6.2831852.
    CRezGra r = MakeResult(0, 2000, 3, [](CRezGraPoint& p, int j) {
        const double phases[] = {0.0, 5.0, 5.0 - 4.5};
        p.transfer.im = phases[j];
    });
    GraphModel m = Build(kQuantityGroupDelay, {&r});
    const double dOmega = 1000 * kPhaseTurn * 0.001;
    EXPECT_DOUBLE_EQ(m.curves[0].y[0], (5.0 - kPhaseTurn) / dOmega);
    EXPECT_DOUBLE_EQ(m.curves[0].y[1], (-4.5 + kPhaseTurn) / dOmega);
}

TEST(GraphModel, ResultsWithoutACurveTakeNoSlot)
{
    CRezGra one = AttenuationResult(100e3, 100e3, {3});
    CRezGra flat = AttenuationResult(100e3, 100e3, {3, 4}); // end not above start
    CRezGra down = AttenuationResult(200e3, 100e3, {3, 4});
    CRezGra good = AttenuationResult(100e3, 200e3, {3, 4});
    CRezGra empty;
    GraphModel m = Build(kQuantityAttenuation, {&one, &flat, &down, &empty, &good});
    ASSERT_EQ(m.curveCount, 1);
    EXPECT_EQ(m.curves[0].count, 2);
    for (int k = 1; k < kMaxCurves; ++k)
        EXPECT_EQ(m.curves[static_cast<std::size_t>(k)].count, 0);

    // At most ten curves, whatever the caller passes.
    std::vector<const CRezGra*> many(14, &good);
    GraphModel ten = Build(kQuantityAttenuation, many);
    EXPECT_EQ(ten.curveCount, kMaxCurves);
}

TEST(GraphModel, NoCurveComputesNoAxesAndDisablesCommands)
{
    CRezGra one = AttenuationResult(100e3, 100e3, {3});
    GraphModel m = Build(kQuantityAttenuation, {&one}, kBufferGraph);
    EXPECT_EQ(m.curveCount, 0);
    EXPECT_FALSE(m.ComputeAxes());
    for (int id : {GraphCommand::XChoose, GraphCommand::XFullRange, GraphCommand::YChoose,
                   GraphCommand::YFullRange, GraphCommand::NotFromZero, GraphCommand::Scale,
                   GraphCommand::ByFrequency, GraphCommand::BufferShiftLeft,
                   GraphCommand::BufferShiftRight, GraphCommand::GroupDelay}) {
        auto s = m.CommandState(id);
        ASSERT_TRUE(s.has_value()) << id;
        EXPECT_FALSE(s->enabled) << id;
    }
    EXPECT_FALSE(m.CommandState(GraphCommand::ResultsShiftLeft).has_value());
    // The results window's quantity commands do not need curves.
    GraphModel r = Build(kQuantityAttenuation, {&one});
    EXPECT_TRUE(r.CommandState(GraphCommand::GroupDelay)->enabled);
    EXPECT_TRUE(r.CommandState(GraphCommand::Attenuation)->ticked);
}

TEST(GraphModel, NonFiniteAndSentinelValues)
{
    CRezGra r = AttenuationResult(100e3, 400e3, {2, kNaN, 1e30, -3});
    GraphModel m = Build(kQuantityAttenuation, {&r});
    EXPECT_EQ(m.dataYMin, -3);
    EXPECT_EQ(m.dataYMax, 1e30);
    EXPECT_TRUE(m.straddlesZero);
    ASSERT_TRUE(m.ComputeAxes());
    EXPECT_TRUE(std::isfinite(m.yStep) && m.yStep > 0);

    // Every value not finite: the axes still come out finite.
    CRezGra bad = AttenuationResult(100e3, 200e3, {kNaN, kNaN});
    GraphModel b = Build(kQuantityAttenuation, {&bad});
    ASSERT_TRUE(b.ComputeAxes());
    EXPECT_TRUE(std::isfinite(b.yStep) && std::isfinite(b.yBase) && std::isfinite(b.shownYMax));

    // A matched end: mismatch attenuation 1e30, not a division by zero.
    CRezGra z = MakeResult(100e3, 200e3, 2, [](CRezGraPoint& p, int) { p.zLeft = CComplex(75, 0); });
    z.zEndLeft = 75;
    GraphModel mm = Build(kQuantityMismatchLeft, {&z});
    EXPECT_EQ(mm.curves[0].y[0], 1e30);
}

TEST(GraphModel, MouseChoiceOfTheFrequencyRange)
{
    CRezGra r = AttenuationResult(100e3, 1000e3, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    GraphModel m = Build(kQuantityAttenuation, {&r});
    m.ChooseXRange(456.7, 123.4); // reversed ends are swapped, then whole kHz
    EXPECT_EQ(m.shownFMin, 123);
    EXPECT_EQ(m.shownFMax, 457);
    EXPECT_FALSE(m.xFull);
    // Points at 200, 300, 400 kHz; zero-including range clamps the shown one.
    EXPECT_EQ(m.dataYMin, 2);
    EXPECT_EQ(m.dataYMax, 4);
    EXPECT_EQ(m.shownYMin, 2); // notFromZero: the exact range
    EXPECT_EQ(m.shownYMax, 4);
    EXPECT_TRUE(m.yFull);

    // A zero-width choice at the data maximum widens 0.5 kHz to the left...
    m.XFullRange();
    m.ChooseXRange(1000, 1000);
    EXPECT_EQ(m.shownFMin, 999);
    EXPECT_EQ(m.shownFMax, 1001);
    // ...and elsewhere to the right.
    m.ChooseXRange(300, 300);
    EXPECT_EQ(m.shownFMin, 300);
    EXPECT_EQ(m.shownFMax, 301);

    // A window between the points keeps the ranges it had.
    m.XFullRange();
    double lo = m.dataYMin, hi = m.dataYMax;
    m.ChooseXRange(310, 350);
    EXPECT_EQ(m.dataYMin, lo);
    EXPECT_EQ(m.dataYMax, hi);
    EXPECT_TRUE(m.ComputeAxes());
}

TEST(GraphModel, MouseChoiceOfTheValueRangeAndFullRanges)
{
    CRezGra r = AttenuationResult(100e3, 300e3, {10, 20, 30});
    GraphModel m = Build(kQuantityAttenuation, {&r});
    m.ToggleYChoose();
    EXPECT_TRUE(m.yChoose);
    m.ToggleXChoose();
    EXPECT_TRUE(m.xChoose);
    EXPECT_FALSE(m.yChoose);
    m.ChooseYRange(25, 25);
    EXPECT_EQ(m.shownYMin, 25);
    EXPECT_EQ(m.shownYMax, 26);
    EXPECT_FALSE(m.yFull);
    EXPECT_TRUE(m.CommandState(GraphCommand::YFullRange)->enabled);

    // Not from zero off: the range includes zero.
    m.ToggleNotFromZero();
    EXPECT_FALSE(m.notFromZero);
    EXPECT_EQ(m.shownYMin, 0);
    EXPECT_EQ(m.shownYMax, 30);
    EXPECT_TRUE(m.yFull);
    EXPECT_FALSE(m.CommandState(GraphCommand::YFullRange)->enabled);
    EXPECT_FALSE(m.CommandState(GraphCommand::NotFromZero)->ticked);
}

TEST(GraphModel, ShiftsStopAtTheDataEndsKeepingTheWidth)
{
    CRezGra r = AttenuationResult(0, 1000e3, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    GraphModel m = Build(kQuantityAttenuation, {&r}, kBufferGraph);
    m.ChooseXRange(100, 299); // shows 100 to 300
    EXPECT_TRUE(m.CommandState(GraphCommand::BufferShiftLeft)->enabled);
    m.ShiftLeft(); // 0.75 * 200 = 150 would pass 0
    EXPECT_EQ(m.shownFMin, 0);
    EXPECT_EQ(m.shownFMax, 200);
    EXPECT_FALSE(m.CommandState(GraphCommand::BufferShiftLeft)->enabled);
    EXPECT_EQ(m.dataYMin, 1);
    EXPECT_EQ(m.dataYMax, 3);
    EXPECT_TRUE(m.yFull);
    m.ShiftRight();
    EXPECT_EQ(m.shownFMin, 150);
    EXPECT_EQ(m.shownFMax, 350);
    for (int i = 0; i < 10; ++i)
        m.ShiftRight();
    EXPECT_EQ(m.shownFMax, 1000);
    EXPECT_EQ(m.shownFMin, 800);
    EXPECT_FALSE(m.CommandState(GraphCommand::BufferShiftRight)->enabled);
    EXPECT_FALSE(m.CommandState(GraphCommand::ResultsShiftRight).has_value());
}

TEST(GraphModel, ManualScale)
{
    CRezGra r = AttenuationResult(100e3, 300e3, {10, 20, 30});
    GraphModel m = Build(kQuantityAttenuation, {&r});
    m.ComputeAxes();
    m.ApplyScale(5, 25, 2.5f, 150, 250, 10);
    EXPECT_TRUE(m.manualScale);
    EXPECT_FALSE(m.yFull); // 30 lies above the new upper limit
    EXPECT_FALSE(m.xFull);
    ASSERT_TRUE(m.ComputeAxes());
    EXPECT_EQ(m.yBase, 5);
    EXPECT_EQ(m.yStep, 2.5);
    EXPECT_EQ(m.xBase, 150);
    EXPECT_EQ(m.xStep, 10);
    m.YFullRange();
    EXPECT_FALSE(m.manualScale);
}

TEST(GraphModel, PerFrequencyStartAndCursor)
{
    CRezGra a = MakeResult(100e3, 110e3, 3);
    CRezGra b = MakeResult(104e3, 108e3, 3);
    GraphModel m = Build(kQuantityGroupDelay, {&a, &b});
    // Shown minimum 100 kHz lies below the first midpoints 102.5 and 105.
    EXPECT_FLOAT_EQ(m.StartFrequencyView(), 102.5f);
    EXPECT_TRUE(m.cursorShown);
    EXPECT_TRUE(m.CursorVisible());
    m.MoveCursor(5000.0f); // stepped beyond the data: not drawn
    EXPECT_FALSE(m.CursorVisible());
    m.EndFrequencyView();
    EXPECT_FALSE(m.cursorShown);

    GraphModel att = Build(kQuantityAttenuation, {&a, &b});
    att.ChooseXRange(103.2, 106);
    EXPECT_FLOAT_EQ(att.StartFrequencyView(), 103.0f);
}

} // namespace

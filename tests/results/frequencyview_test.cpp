#include "results/frequencyview.h"
#include "platform/format.h"
#include "resultstest.h"

namespace {

// The curves of a graph of the quantity built from the results.
GraphModel Curves(int quantity, const std::vector<const CRezGra*>& results)
{
    GraphModel m;
    std::vector<CurveSource> src;
    for (const CRezGra* r : results)
        src.push_back(CurveSource{"label", r});
    m.BuildCurves(quantity, src);
    return m;
}

FrequencyViewModel Open(const GraphModel& m, float cursor = 0.0f)
{
    FrequencyViewModel v;
    v.rows = m.curves.data();
    v.rowCount = m.curveCount;
    v.quantity = static_cast<unsigned char>(m.quantity);
    v.cursorFreq = cursor;
    v.Open(0);
    return v;
}

TEST(FrequencyView, OnAPointAndBetweenPoints)
{
    CRezGra r = AttenuationResult(100e3, 300e3, {10, 20, 40});
    GraphModel m = Curves(kQuantityAttenuation, {&r});
    FrequencyViewModel v = Open(m);
    EXPECT_FLOAT_EQ(v.freq, 100); // no cursor: the lowest frequency
    EXPECT_FLOAT_EQ(v.step, 100);
    EXPECT_EQ(v.valueTexts[0], "10");
    v.TypeFrequency(200);
    EXPECT_EQ(v.valueTexts[0], "20");
    EXPECT_FLOAT_EQ(v.cursorFreq, 200); // the graph's cursor follows
    v.TypeFrequency(250);
    EXPECT_EQ(v.valueTexts[0], "30");
    // On the last point: its own value, read inside the curve.
    v.TypeFrequency(300);
    EXPECT_EQ(v.valueTexts[0], "40");
    v.TypeFrequency(300.5f);
    EXPECT_EQ(v.valueTexts[0], "Нет");
    v.TypeFrequency(99);
    EXPECT_EQ(v.valueTexts[0], "Нет");
    EXPECT_EQ(v.valueTexts[1], ""); // rows past the count are empty
    EXPECT_FALSE(v.RowShown(1));
}

TEST(FrequencyView, DelayStartsHalfAStepIn)
{
    // Phases 0, -1, -3: delays -1/dw and -2/dw at 105 and 115 kHz.
    CRezGra r = MakeResult(100e3, 120e3, 3, [](CRezGraPoint& p, int j) {
        const double ph[] = {0, -1, -3};
        p.transfer.im = ph[j];
    });
    GraphModel m = Curves(kQuantityGroupDelay, {&r});
    float start = m.StartFrequencyView();
    EXPECT_FLOAT_EQ(start, 105);
    FrequencyViewModel v = Open(m, start);
    EXPECT_FLOAT_EQ(v.lowFreq, 105);
    EXPECT_FLOAT_EQ(v.highFreq, 115);
    const double dw = 10000 * 6.2831852 * 0.001;
    EXPECT_EQ(v.valueTexts[0], StrFormat("%g", -1 / dw));
    v.TypeFrequency(110);
    EXPECT_EQ(v.valueTexts[0], StrFormat("%g", -1.5 / dw));
    v.TypeFrequency(115); // the last value, inside the curve
    EXPECT_EQ(v.valueTexts[0], StrFormat("%g", -2 / dw));
    v.TypeFrequency(100); // the lowest frequency itself has no delay
    EXPECT_EQ(v.valueTexts[0], "Нет");
    EXPECT_EQ(v.caption, "Искажение группового времени запаздывания, мсек");
}

TEST(FrequencyView, OneDelayValueReadsOnlyAtItsFrequency)
{
    CRezGra r = MakeResult(100e3, 101e3, 2, [](CRezGraPoint& p, int j) { p.transfer.im = -0.5 * j; });
    GraphModel m = Curves(kQuantityGroupDelay, {&r});
    FrequencyViewModel v = Open(m, m.StartFrequencyView());
    EXPECT_FLOAT_EQ(v.freq, 100.5f);
    EXPECT_EQ(v.valueTexts[0], StrFormat("%g", m.curves[0].y[0]));
    v.TypeFrequency(100.75f);
    EXPECT_EQ(v.valueTexts[0], "Нет");
}

TEST(FrequencyView, CurvesWithDifferentSteps)
{
    CRezGra fine = AttenuationResult(100e3, 140e3, {1, 2, 3, 4, 5}); // 10 kHz
    CRezGra coarse = AttenuationResult(100e3, 200e3, {0, 5, 10});   // 50 kHz
    GraphModel m = Curves(kQuantityAttenuation, {&fine, &coarse});
    FrequencyViewModel v = Open(m);
    EXPECT_FLOAT_EQ(v.step, 10);
    EXPECT_FLOAT_EQ(v.highFreq, 200);
    for (int i = 0; i < 5; ++i)
        v.StepFrequency(-1); // the up-down's "up": change 0 or less
    EXPECT_FLOAT_EQ(v.freq, 150);
    EXPECT_EQ(v.valueTexts[0], "Нет");
    EXPECT_EQ(v.valueTexts[1], "5");
    v.StepFrequency(1);
    EXPECT_FLOAT_EQ(v.freq, 140);
    EXPECT_EQ(v.valueTexts[0], "5");
    // The coarse curve interpolates with its own step.
    EXPECT_EQ(v.valueTexts[1], "4");
    // A typed step only moves the frequency.
    v.TypeStep(1);
    v.StepFrequency(0);
    EXPECT_FLOAT_EQ(v.freq, 141);
    EXPECT_EQ(v.valueTexts[1], "4.1");
}

TEST(FrequencyView, SteppingHasNoBound)
{
    CRezGra r = AttenuationResult(900e3, 1000e3, {1, 2});
    GraphModel m = Curves(kQuantityAttenuation, {&r});
    FrequencyViewModel v = Open(m, 995);
    v.TypeStep(10);
    v.StepFrequency(0);
    EXPECT_FLOAT_EQ(v.freq, 1005);
    EXPECT_EQ(v.valueTexts[0], "Нет");
}

TEST(FrequencyView, AllCurvesAbove1000kHzOpenAt1000)
{
    CRezGra r = AttenuationResult(2000e3, 3000e3, {1, 2});
    GraphModel m = Curves(kQuantityAttenuation, {&r});
    FrequencyViewModel v = Open(m);
    EXPECT_FLOAT_EQ(v.lowFreq, 1000);
    EXPECT_FLOAT_EQ(v.freq, 1000);
    EXPECT_EQ(v.valueTexts[0], "Нет");
}

TEST(FrequencyView, FirstFrequencyThatIsNotAFloat)
{
    // 100.1 kHz has no exact single-precision form; the row still reads there.
    CRezGra r = AttenuationResult(100.1e3, 100.3e3, {7, 9, 11});
    GraphModel m = Curves(kQuantityAttenuation, {&r});
    FrequencyViewModel v = Open(m);
    EXPECT_EQ(v.valueTexts[0], "7");
    v.TypeFrequency(100.3f);
    EXPECT_EQ(v.valueTexts[0], "11");
}

TEST(FrequencyView, CaptionsAndSetUp)
{
    EXPECT_STREQ(FrequencyViewCaption(3), "Входное сопротивление с правой стороны, Ом");
    EXPECT_STREQ(FrequencyViewCaption(4), "Затухание несогласованности с левой стороны, дБ");
    EXPECT_STREQ(FrequencyViewCaption(5), "Затухание несогласованности с правой стороны, дБ");

    FrequencyViewModel v;
    EXPECT_FALSE(v.TypeFrequency(5)); // ignored before the dialog is set up
    CRezGra r = AttenuationResult(100e3, 200e3, {1, 2});
    GraphModel m = Curves(kQuantityAttenuation, {&r});
    v.rows = m.curves.data();
    v.rowCount = 1;
    v.Open(1);
    EXPECT_EQ(v.styleBase, 10);
    EXPECT_EQ(v.labelTexts[0], "label");
    EXPECT_EQ(v.labelTexts[1], "");
    EXPECT_TRUE(v.TypeFrequency(150));
}

} // namespace

#include "results/graphview.h"
#include "results/quantities.h"
#include "results/resulttext.h"
#include "model/document.h"
#include "model/element.h"
#include "model/modelglobals.h"
#include "resultstest.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

TEST(ResultText, ConnectionForms)
{
    ConnectionNames n{"1A", "1B", "B", "C"};
    EXPECT_EQ(ConnectionText(0, n), "1A-0/B-0");
    EXPECT_EQ(ConnectionText(2, n), "1A-1B-0/B-C-0");
    EXPECT_EQ(ConnectionText(3, n), "1A-1B/B-C"); // reports and templates: no suffix
    EXPECT_EQ(GraphConnectionLabel(3, n), "1A-1B/B-C+R");
    EXPECT_EQ(ResultConnectionLabel(3, n, 75), "1A-1B/B-C+R=75 Ом");
    EXPECT_EQ(WordConnectionText(3, 0, 1, 0, 1), "1-2/1-2+R");
    EXPECT_EQ(WordConnectionText(0, 2, 5, 3, 7), "3-0/4-0");
}

TEST(ResultText, NamesFromTheEndElements)
{
    ResetModelGlobals();
    g_nLabelCircuits = 2;
    int left[40], right[40];
    for (int i = 0; i < 40; ++i)
        left[i] = right[i] = -1;
    left[0] = 0;  // 1A
    left[1] = 5;  // 2B
    right[0] = 1; // 1B
    right[2] = 6; // 2C
    CRezGra r;
    r.txWire1 = 0;
    r.txWire2 = 1;
    r.rxWire1 = 0;
    r.rxWire2 = 2;
    r.mode = 0;
    ConnectionNames n = ResultConnectionNames(r, left, -1, right, -1);
    EXPECT_EQ(ConnectionText(0, n), "1A-0/1B-0");
    EXPECT_EQ(ConnectionText(1, n), "1A-2B/1B-2C");
    // A damaged index or a chain without its last element names "?".
    r.rxWire1 = 45;
    n = ResultConnectionNames(r, left, -1, nullptr, -1);
    EXPECT_EQ(n.r1, "?");
    EXPECT_EQ(n.r2, "?");

    // Each end's halves by that end element's own split conductor: phase A
    // split at positions 0, 1 and moved by a transposition to 2, 3.
    g_nLabelCircuits = 1;
    CKestrinDoc doc;
    for (int split : {0, 2}) {
        auto e = std::make_unique<CElement>();
        e->splitConductor = split;
        const int codes[3] = {split == 0 ? 0 : 1, split == 0 ? 1 : 2, split == 0 ? 2 : 0};
        std::copy(codes, codes + 3, e->inMap);
        doc.elements.push_back(std::move(e));
    }
    r.txWire1 = 0, r.txWire2 = 1, r.rxWire1 = 2, r.rxWire2 = 3;
    EXPECT_EQ(ConnectionText(1, ResultConnectionNames(r, doc)), "A/1-A/2/A/1-A/2");
    ResetModelGlobals();
}

TEST(ResultText, ResultNameSplit)
{
    ResultNameParts p = SplitResultName("07.12.26 23:05");
    EXPECT_EQ(p.date, "07\\12\\26");
    EXPECT_EQ(p.time, "23:05");
    p = SplitResultName("07.12.26   23:05");
    EXPECT_EQ(p.time, "23:05");
    p = SplitResultName("07.12.26");
    EXPECT_EQ(p.date, "07\\12\\26");
    EXPECT_EQ(p.time, "");
}

TEST(Quantities, GroupDelay)
{
    EXPECT_EQ(DelayAngularStep(100e3, 100e3, 1), 0.0);
    EXPECT_DOUBLE_EQ(DelayAngularStep(0, 2000, 3), 1000 * 6.2831852 * 0.001);
    EXPECT_DOUBLE_EQ(UnwrappedPhaseStep(1.0, 4.1), 3.1);
    EXPECT_DOUBLE_EQ(UnwrappedPhaseStep(1.0, 4.9), 3.9 - 6.2831852);
    EXPECT_DOUBLE_EQ(UnwrappedPhaseStep(0.0, 4.5), 4.5 - 6.2831852);
    EXPECT_DOUBLE_EQ(UnwrappedPhaseStep(0.0, -4.5), -4.5 + 6.2831852);
    double d = 123;
    EXPECT_FALSE(GroupDelayMs(0, 1, 0.0, d)); // equal start and end frequency
    EXPECT_EQ(d, 123);

    CRezGra r = MakeResult(0, 2000, 3, [](CRezGraPoint& p, int j) { p.transfer.im = -0.5 * j; });
    ASSERT_TRUE(ResultGroupDelayMs(r, 1, d));
    EXPECT_DOUBLE_EQ(d, -0.5 / (1000 * 6.2831852 * 0.001));
    EXPECT_FALSE(ResultGroupDelayMs(r, 2, d)); // the last point has none
    CRezGra same = MakeResult(5000, 5000, 3);
    EXPECT_FALSE(ResultGroupDelayMs(same, 0, d));
}

// A pure delay tau sampled every df turns its phase by 2 pi tau df per step;
// wrapped into (-pi, pi] it crosses +-pi again and again.  Up to tau df = 0.45
// every step must show tau, never tau - 1/df.
TEST(Quantities, GroupDelayOfAPureDelayAcrossWrapsOfThePhase)
{
    const double df = 1000.0; // Hz
    for (double tauDf : {0.1, 0.3, 0.37, 0.45}) {
        const double tauMs = tauDf / df * 1000.0;
        CRezGra r = MakeResult(100e3, 100e3 + 200 * df, 201, [&](CRezGraPoint& p, int j) {
            p.transfer.im = std::remainder(kPhaseTurn * tauDf * j, kPhaseTurn);
        });
        for (std::size_t i = 0; i + 1 < r.PointCount(); ++i) {
            double d = 0;
            ASSERT_TRUE(ResultGroupDelayMs(r, i, d));
            ASSERT_NEAR(d, tauMs, 1e-9) << "tau*df " << tauDf << " point " << i;
        }
    }
}

TEST(Quantities, MismatchAttenuation)
{
    EXPECT_EQ(MismatchAttenuation(CComplex(75, 0), 75), 1e30);
    EXPECT_EQ(MismatchAttenuation(CComplex(75, 1e-41), 75), 1e30);
    EXPECT_EQ(MismatchAttenuation(CComplex(-75, 0), 75), -1e30);
    // |Z + R| / |Z - R| = 3 for Z = 2R.
    EXPECT_DOUBLE_EQ(MismatchAttenuation(CComplex(150, 0), 75), 20 * std::log10(3.0));
    CRezGra r = MakeResult(0, 1000, 2, [](CRezGraPoint& p, int) {
        p.zLeft = CComplex(150, 0);
        p.zRight = CComplex(600, 0);
    });
    r.zEndLeft = 75;
    r.zEndRight = 600;
    EXPECT_DOUBLE_EQ(ResultMismatchLeft(r, 0), 20 * std::log10(3.0));
    EXPECT_EQ(ResultMismatchRight(r, 1), 1e30);
}

TEST(GraphTexts, TwoViewsDifferOnlyInTheirData)
{
    EXPECT_STREQ(GraphYCaption(kResultsGraph, 0), "a,дБ");
    EXPECT_STREQ(GraphYCaption(kBufferGraph, 0), "A,дБ");
    EXPECT_STREQ(GraphYCaption(kBufferGraph, 1), GraphYCaption(kResultsGraph, 1));
    EXPECT_FALSE(kBufferGraph.showsTaskTitle);
    EXPECT_EQ(GraphTaskTitleText("T1"), "Задача: \"T1\"");
    EXPECT_EQ(GraphTaskTitleText(""), "");
}

} // namespace

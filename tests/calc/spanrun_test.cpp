// A line with tower influence over a long run of spans.  Towers that load the
// wires heavily attenuate every mode by a few nepers per span, so over tens of
// spans tanh^2 of each modal length rounds to 1; the section must still come
// out finite and right, with the far end of a dark mode simply cut off.
#include "calc/linesection.h"
#include "calc/vline.h"
#include "calctest.h"
#include "math/rescale.h"
#include "model/lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

using namespace calctest;

namespace {

std::vector<unsigned char> SpanBytes(int spans)
{
    std::vector<unsigned char> bytes(static_cast<std::size_t>(spans));
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<unsigned char>((i * 97 + 31) % 256);
    return bytes;
}

// A single-circuit 110 kV line: three phases of AC-300 at 20 m and a steel
// ground wire at 27 m, towers of 35 pF and 12 ohm to every wire, spans of
// 300 m +/- 40 m, its length the mean spans laid end to end.
CVLine SingleCircuitLine(int spans)
{
    CVLine line = MakeVLine({-5, 0, 5, 0}, {20, 20, 20, 27});
    CVLProv& ground = (*line.wireArray)[3];
    ground.wireType.name = "С-70";
    ground.wireType.radius = 0.0055;
    ground.wireType.resistivity = 1.9e-7;
    MakeTowerInfluence(line, 4, spans);
    std::vector<unsigned char> bytes = SpanBytes(spans);
    line.spanValues = std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    line.length = 300.0 * spans;
    return line;
}

// The sum of the spans the section lays out.
double RunLength(double mean, double spread, const std::vector<unsigned char>& bytes)
{
    double total = 0;
    for (unsigned char b : bytes)
        total += mean + (127.5 - b) * spread * 0.00784313725490196;
    return total;
}

// ln(max|Y11| / max|Y12|): how much the section attenuates from end to end.
double EndToEndLoss(TwoPortStorage& s)
{
    const std::size_t nn = static_cast<std::size_t>(s.order()) * s.order();
    return std::log(MaxAbs(s.blocks().Y0, nn) / MaxAbs(s.blocks().Y1, nn));
}

bool AllFinite(TwoPortStorage& s)
{
    const std::size_t nn = static_cast<std::size_t>(s.order()) * s.order();
    TwoPortBlocks b = s.blocks();
    for (const CComplex* Y : {b.Y0, b.Y1, b.Y2})
        for (std::size_t k = 0; k < nn; ++k)
            if (!std::isfinite(Y[k].re) || !std::isfinite(Y[k].im))
                return false;
    return true;
}

class SpanRunTest : public LineCalcTest {
protected:
    SpanRunTest() : LineCalcTest(24865) {}

    // The element's blocks, the phases of its modes followed from the previous
    // frequency as in a frequency run.
    static TwoPortStorage Calc(CVLine& line)
    {
        if (g_pSpanVectors.empty())
            g_pSpanVectors.assign(1, std::vector<CComplex>(4));
        g_nSpanVector = 0;
        TwoPortStorage s(4);
        unsigned char regenerate = 0;
        CalcVLineData(line, 4, -1, s.blocks(), &regenerate);
        return s;
    }

    // The tower shunt of MakeTowerInfluence at the current frequency.
    static std::vector<CComplex> TowerShunt(int n)
    {
        CVLine line;
        MakeTowerInfluence(line, n, 1);
        std::vector<CComplex> T(static_cast<std::size_t>(n) * n);
        FillWireMatrix(T.data(), n, g_jOmega.im, line.matrix.cap.data(), line.matrix.res.data(), n);
        return T;
    }

    // The run of spans cascaded by hand and joined to its mirror image: the
    // symmetric composite of twice the run's length whose modes the section uses.
    static TwoPortStorage Composite(const LineMatrices& m, const CComplex* T, double mean, double spread,
                                    const std::vector<unsigned char>& bytes)
    {
        const int n = m.n;
        TwoPortStorage run(n), span(n);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            TwoPortStorage& target = i == 0 ? run : span;
            TwoPortBlocks b = target.blocks();
            double len = mean + (127.5 - bytes[i]) * spread * 0.00784313725490196;
            CalcLineSection(m.E.data(), m.B.data(), b, n, len, true);
            MatAdd(b.Y0, T, b.Y0, n, n);
            MatNeg(b.Y0, b.Y2, n, n);
            if (i > 0)
                MatCascade(run.blocks(), b, run.blocks(), n);
        }
        TwoPortStorage mirror(n);
        TwoPortBlocks r = run.blocks(), w = mirror.blocks();
        MatNeg(r.Y2, w.Y0, n, n);
        MatTranspose(r.Y1, w.Y1, n, n);
        MatNeg(r.Y0, w.Y2, n, n);
        MatCascade(r, w, r, n);
        return run;
    }
};

TEST_F(SpanRunTest, LongRunGivesFiniteBlocksOverTheSweep)
{
    // The frequency where a sweep of the reference channel stopped, then 16 to
    // 1000 kHz at every fifth point of its sweep, the phases followed.
    CVLine line = SingleCircuitLine(300);
    std::vector<double> frequencies{24865};
    for (int i = 0; i < 200; ++i)
        frequencies.push_back(16000 + i * 4925.0);
    for (double f : frequencies) {
        SetFrequency(f);
        TwoPortStorage s = Calc(line);
        ASSERT_EQ(g_MatError, 0) << f;
        ASSERT_TRUE(AllFinite(s)) << f;
    }
}

TEST_F(SpanRunTest, LongRunIsReciprocalPassiveAndAttenuatesWithLength)
{
    for (double f : {24865.0, 1e5, 1e6}) {
        SetFrequency(f);
        double lossBefore = 0, rateBefore = 0;
        int spansBefore = 0;
        for (int spans : {10, 30, 100, 300}) {
            CVLine line = SingleCircuitLine(spans);
            g_pSpanVectors.clear();
            TwoPortStorage s = Calc(line);
            ASSERT_EQ(g_MatError, 0) << f << " " << spans;
            TwoPortBlocks b = s.blocks();
            EXPECT_TRUE(IsSymmetric(b.Y0, 4, 1e-9 * MaxAbs(b.Y0, 16))) << f << " " << spans;
            EXPECT_TRUE(IsSymmetric(b.Y1, 4, 1e-9 * MaxAbs(b.Y1, 16))) << f << " " << spans;
            EXPECT_TRUE(IsPassive(s)) << f << " " << spans;

            // Every span adds its towers' loss at about the same rate, until
            // the far end falls below the smallest number (an infinite loss).
            const double loss = EndToEndLoss(s);
            EXPECT_TRUE(loss > lossBefore || std::isinf(loss)) << f << " " << spans;
            if (spansBefore > 0 && std::isfinite(loss)) {
                const double rate = (loss - lossBefore) / (spans - spansBefore);
                if (rateBefore > 0) {
                    EXPECT_NEAR(rate, rateBefore, 0.05 * rateBefore) << f << " " << spans;
                }
                rateBefore = rate;
            }
            lossBefore = loss;
            spansBefore = spans;
        }
        EXPECT_GT(rateBefore, 0.5) << f; // nepers per span
    }
}

TEST_F(SpanRunTest, StronglyAttenuatedModesKeepTheirLength)
{
    // At twice the run's length the section is the composite of the run and
    // its mirror image, its transfer block the composite's own: every mode's
    // length must be right although tanh^2 of each rounds to 1.
    struct Case {
        double f;
        int spans;
    };
    for (Case c : {Case{24865, 10}, Case{24865, 20}, Case{1e5, 4}, Case{1e5, 40}}) {
        SetFrequency(c.f);
        LineMatrices m = MakeLine({-5, 0, 5, 0}, {15.5, 15.5, 15.5, 22.5});
        std::vector<CComplex> T = TowerShunt(4);
        std::vector<unsigned char> bytes = SpanBytes(c.spans);
        TwoPortStorage composite = Composite(m, T.data(), 300, 40, bytes), section(4);
        CalcInhomLineSectionSpans(m.E.data(), m.B.data(), T.data(), 300, 40, bytes, section.blocks(), 4,
                                  2 * RunLength(300, 40, bytes));
        ASSERT_EQ(g_MatError, 0);
        TwoPortBlocks e = composite.blocks(), s = section.blocks();
        ASSERT_LT(MaxAbs(e.Y1, 16), 1e-6 * MaxAbs(e.Y0, 16)) << c.f << " " << c.spans; // every mode dark
        EXPECT_LT(MaxDiff(e.Y0, s.Y0, 16), 1e-12 * MaxAbs(e.Y0, 16)) << c.f << " " << c.spans;
        EXPECT_LT(MaxDiff(e.Y1, s.Y1, 16), 1e-8 * MaxAbs(e.Y1, 16)) << c.f << " " << c.spans;
    }
}

TEST_F(SpanRunTest, ShortRowOfLightTowersKeepsThePlainModalLengths)
{
    // Towers of 10 kohm barely load the line: over four spans no mode comes
    // near tanh^2 = 1, and the section is the plain re-lengthening of the
    // composite by its modes.
    CVLine data;
    MakeTowerInfluence(data, 4, 1);
    data.matrix.res.assign(4, 1e4);
    for (double f : {24865.0, 1e5, 1e6}) {
        SetFrequency(f);
        LineMatrices m = MakeLine({-5, 0, 5, 0}, {15.5, 15.5, 15.5, 22.5});
        std::vector<CComplex> T(16);
        FillWireMatrix(T.data(), 4, g_jOmega.im, data.matrix.cap.data(), data.matrix.res.data(), 4);
        std::vector<unsigned char> bytes = SpanBytes(4);
        const double length = 1234;
        TwoPortStorage section(4);
        CalcInhomLineSectionSpans(m.E.data(), m.B.data(), T.data(), 300, 40, bytes, section.blocks(), 4, length);

        TwoPortStorage expect = Composite(m, T.data(), 300, 40, bytes);
        TwoPortBlocks e = expect.blocks();
        MatCopy(e.Y1, e.Y2, 4, 4);
        RescaleLineBlocks(e, 4, length, 2 * RunLength(300, 40, bytes));
        ASSERT_EQ(g_MatError, 0);
        EXPECT_LT(BlocksDiff(expect, section), 1e-12) << f;
    }
}

TEST_F(SpanRunTest, BlocksThatAreNotNumbersStopTheCalculation)
{
    LineMatrices m = ThreePhaseLine();
    TwoPortStorage s(3);
    CalcLineSection(m.E.data(), m.B.data(), s.blocks(), 3, std::nan(""), false);
    EXPECT_EQ(g_MatError, 2);

    g_MatError = 0;
    std::vector<CComplex> T = TowerShunt(3);
    CalcInhomLineSectionSpans(m.E.data(), m.B.data(), T.data(), 300, 40, SpanBytes(4), s.blocks(), 3,
                              std::nan(""));
    EXPECT_EQ(g_MatError, 2);

    // An element whose kept blocks are not finite (an equal section lends them).
    g_MatError = 0;
    CVLine line = MakeVLine({-6, 0, 6}, {20, 20, 20});
    RecordStorage store(3, kLineRecEqual);
    store.p2[4] = CComplex(0, INFINITY);
    g_pCurLineRec = &store.rec;
    unsigned char regenerate = 0;
    CalcVLineData(line, 3, -1, s.blocks(), &regenerate);
    EXPECT_EQ(g_MatError, 2);
}

} // namespace

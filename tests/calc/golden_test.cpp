// The reference channels compute the numbers of the golden file: the
// benchmark's four channels and the channel with every element type, over the
// tests' 13-point sweep, bit for bit where the machine's math routines match
// the file's fingerprint (else within the stated tolerance), and with several
// threads bit for bit as on one.  DISABLED_WriteGoldenFile writes the file anew
// (run it by hand, with --gtest_also_run_disabled_tests, only when a change of
// the results is intended).
#include "wholechannel.h"

#include "bench/benchchannels.h"
#include "bench/golden.h"

#include "platform/format.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

namespace {

using namespace channeltest;

const GoldenFile& File()
{
    static GoldenFile file;
    static std::string error;
    static const bool read = ReadGoldenFile(GoldenFilePath(), file, error);
    EXPECT_TRUE(read) << error;
    return file;
}

const GoldenSweeps& Golden()
{
    return File().sweeps;
}

// The comparison with the golden file on this machine; says once which it is.
const GoldenMatch& Match()
{
    static const GoldenMatch match = [] {
        GoldenMatch m(File().fingerprint);
        std::printf("%s\n", m.Note().c_str());
        return m;
    }();
    return match;
}

class GoldenTest : public WholeChannelTest {
protected:
    // One run of the open task (g_pDoc); its points, empty when it failed.
    std::vector<CRezGraPoint> RunOpenTask(CKestrinDoc& task, const CalcRequest& r)
    {
        CalcSession session(task);
        session.SetClock([] { return std::time_t(1700000000); });
        const CalcOutcome outcome = session.Run(r);
        EXPECT_EQ(outcome.status, CalcStatus::Done)
            << (messages.messages().empty() ? "" : messages.messages()[0].text);
        if (outcome.status != CalcStatus::Done)
            return {};
        return task.responseResults.back()->points;
    }
    std::vector<CRezGraPoint> RunBench(BenchChannel c, const CalcRequest& r)
    {
        Reset();
        std::unique_ptr<CKestrinDoc> task = BuildBenchChannel(c);
        std::vector<CRezGraPoint> points = RunOpenTask(*task, r);
        g_pDoc = &doc;
        return points;
    }
    // The channel with every element type, wire to ground and with a
    // grounded midpoint between two wires.
    std::vector<CRezGraPoint> RunEvery(bool midpoint, int threads)
    {
        CalcRequest r = GoldenCoarseRequest();
        r.threads = threads;
        if (midpoint) {
            r.mode = kWireToWireGrounded;
            r.txWire1 = 0, r.txWire2 = 1;
            r.rxWire1 = 3, r.rxWire2 = 5;
            r.resistance = 300;
        }
        return RunOpenTask(doc, r);
    }
    static std::string Key(int channel, const char* sweep) { return StrFormat("ch%d-%s", channel, sweep); }
    void ExpectGolden(const std::string& key, const std::vector<CRezGraPoint>& points)
    {
        auto it = Golden().find(key);
        ASSERT_NE(it, Golden().end()) << key;
        EXPECT_EQ(CompareWithGolden(it->second, points, Match()), "") << key;
    }
};

TEST_F(GoldenTest, ReferenceChannelsGiveTheGoldenNumbersOnAnyNumberOfThreads)
{
    BuildEveryElementType();
    std::map<std::string, std::vector<CRezGraPoint>> oneThread;
    for (int threads : {1, 2, 3, 8}) {
        SCOPED_TRACE(StrFormat("%d threads", threads));
        CalcRequest r = GoldenCoarseRequest();
        r.threads = threads;
        std::map<std::string, std::vector<CRezGraPoint>> run;
        for (int c = 0; c < 4; ++c)
            run[Key(c, "coarse")] = RunBench(BenchChannel(c), r);
        run["every-ground"] = RunEvery(false, threads);
        run["every-midpoint"] = RunEvery(true, threads);
        for (const auto& [key, points] : run) {
            if (threads == 1)
                ExpectGolden(key, points);
            else
                EXPECT_EQ(CompareWithGolden(oneThread[key], points), "") << key << " against one thread";
        }
        if (threads == 1)
            oneThread = run;
    }
}

// On a machine whose math routines differ from the file's, the golden numbers
// are met within the tolerance: the last bits pass, a real change does not.
TEST_F(GoldenTest, ChangedFingerprintComparesWithinTheToleranceOnly)
{
    const double pi = std::acos(-1.0);
    std::vector<CRezGraPoint> golden = Golden().at("ch0-coarse");
    golden[9].transfer.im = pi - 1e-9;
    const std::string running = MathFingerprint();
    const GoldenMatch same(running, running), other("sin=0000000000000000" + running.substr(20), running);
    ASSERT_TRUE(same.Exact());
    ASSERT_FALSE(other.Exact());
    EXPECT_NE(other.Note().find("within 1e-05 relative"), std::string::npos) << other.Note();

    // Last bits, and a phase that comes out just across the cut at pi.
    std::vector<CRezGraPoint> lastBits = golden;
    lastBits[5].transfer.re = std::nextafter(golden[5].transfer.re, 0.0);
    lastBits[7].zLeft.im = golden[7].zLeft.im * (1 + 1e-12);
    lastBits[9].transfer.im = -pi + 1e-9;
    EXPECT_EQ(CompareWithGolden(golden, lastBits, other), "");
    EXPECT_NE(CompareWithGolden(golden, lastBits, same).find("point 5"), std::string::npos);

    std::vector<CRezGraPoint> changed = lastBits;
    changed[7].zLeft.im = golden[7].zLeft.im + 3e-5 * std::hypot(golden[7].zLeft.re, golden[7].zLeft.im);
    EXPECT_NE(CompareWithGolden(golden, changed, other).find("point 7"), std::string::npos);
}

TEST_F(GoldenTest, DISABLED_WriteGoldenFile)
{
    GoldenFile file;
    file.fingerprint = MathFingerprint();
    GoldenSweeps& sweeps = file.sweeps;
    for (int c = 0; c < 4; ++c) {
        CalcRequest coarse = GoldenCoarseRequest(), sweep = GoldenSweepRequest();
        coarse.threads = sweep.threads = 1;
        sweeps[Key(c, "coarse")] = RunBench(BenchChannel(c), coarse);
        sweeps[Key(c, "sweep")] = RunBench(BenchChannel(c), sweep);
    }
    BuildEveryElementType();
    sweeps["every-ground"] = RunEvery(false, 1);
    sweeps["every-midpoint"] = RunEvery(true, 1);
    std::string error;
    EXPECT_TRUE(WriteGoldenFile(GoldenFilePath(), file, error)) << error;
}

} // namespace

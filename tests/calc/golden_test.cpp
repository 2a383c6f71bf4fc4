// The reference channels compute the numbers of the golden file bit for bit:
// the benchmark's four channels and the channel with every element type, over
// the tests' 13-point sweep, with one thread and with several.  DISABLED_WriteGoldenFile writes the file anew
// (run it by hand, with --gtest_also_run_disabled_tests, only when a change of
// the results is intended).
#include "wholechannel.h"

#include "bench/benchchannels.h"
#include "bench/golden.h"

#include "platform/format.h"

#include <string>

namespace {

using namespace channeltest;

const GoldenSweeps& Golden()
{
    static GoldenSweeps sweeps;
    static std::string error;
    static const bool read = ReadGoldenFile(GoldenFilePath(), sweeps, error);
    EXPECT_TRUE(read) << error;
    return sweeps;
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
        EXPECT_EQ(CompareWithGolden(it->second, points), "") << key;
    }
};

TEST_F(GoldenTest, ReferenceChannelsGiveTheGoldenNumbersOnAnyNumberOfThreads)
{
    BuildEveryElementType();
    for (int threads : {1, 2, 3, 8}) {
        SCOPED_TRACE(StrFormat("%d threads", threads));
        CalcRequest r = GoldenCoarseRequest();
        r.threads = threads;
        for (int c = 0; c < 4; ++c)
            ExpectGolden(Key(c, "coarse"), RunBench(BenchChannel(c), r));
        ExpectGolden("every-ground", RunEvery(false, threads));
        ExpectGolden("every-midpoint", RunEvery(true, threads));
    }
}

TEST_F(GoldenTest, DISABLED_WriteGoldenFile)
{
    GoldenSweeps sweeps;
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
    EXPECT_TRUE(WriteGoldenFile(GoldenFilePath(), sweeps, error)) << error;
}

} // namespace

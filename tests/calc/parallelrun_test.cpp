// Frequency points on several threads: the same results as one after the
// other, bit for bit, through the phase tracking of random spans, a failure in
// the middle of a range and a modal calculation made while a range runs; and
// the progress of a long range, which must not hold the run.
#include "channeltest.h"

#include "bench/benchchannels.h"
#include "bench/golden.h"
#include "calc/modalcalc.h"
#include "platform/format.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace channeltest;

class ParallelRunTest : public ChannelTest {
protected:
    // One run of the open task; its points, empty when it failed.
    std::vector<CRezGraPoint> Run(CKestrinDoc& task, CalcRequest r, int threads,
                                  const std::function<void(int, int)>& progress = {})
    {
        r.threads = threads;
        CalcSession session(task);
        session.SetClock([] { return std::time_t(1700000000); });
        if (session.Run(r, progress).status != CalcStatus::Done)
            return {};
        return task.responseResults.back()->points;
    }
    static CalcRequest Range(float start, float end, float step)
    {
        CalcRequest r;
        r.frequencies.mode = 1;
        r.frequencies.start = start;
        r.frequencies.end = end;
        r.frequencies.step = step;
        return r;
    }
};

TEST_F(ParallelRunTest, RandomSpansFollowTheirPhasesAcrossEveryChunkBoundary)
{
    // Eight points 50 kHz apart, where the first-frequency rule and the
    // tracking of the previous point often pick different branches; with 2 to
    // 8 threads a chunk starts at every point.  Redrawn spans come from the same
    // generator in the same order.
    for (bool regenerate : {false, true}) {
        CalcRequest r = Range(16, 366, 50);
        r.regenerateSpans = regenerate;
        SeedSpanRandom(7);
        std::unique_ptr<CKestrinDoc> task = BuildBenchChannel(BenchChannel::TowerInfluence);
        const std::vector<CRezGraPoint> sequential = Run(*task, r, 1);
        ASSERT_EQ(sequential.size(), 8u);
        for (int threads = 2; threads <= 8; ++threads) {
            SeedSpanRandom(7);
            task = BuildBenchChannel(BenchChannel::TowerInfluence);
            EXPECT_EQ(CompareWithGolden(sequential, Run(*task, r, threads)), "")
                << threads << " threads, regenerate " << regenerate;
        }
    }
    g_pDoc = &doc;
}

TEST_F(ParallelRunTest, FailureInTheMiddleIsReportedAsTheSequentialRunReportsIt)
{
    // A bypass whose cable attenuates past what a complex division can take
    // from 5 kHz on: every point from the fifth fails.
    AddEndLoad({50.0});
    AddSeries(1, {{0, 10.0}});
    CEObhod& bypass = Add<CEObhod>(kBypass, 1);
    bypass.n = 1;
    bypass.kind = 1;
    CObhod line;
    line.filters[0] = line.filters[1] = ResistorFilter(10.0);
    line.cables[0] = line.cables[1] = HfCable(1.45, 2e8, 75);
    line.lengthBefore = 2000.0;
    bypass.lines.push_back(line);
    AddEndLoad({50.0});
    for (int threads : {1, 2, 3, 8}) {
        messages.clear();
        int shown = 0;
        EXPECT_TRUE(Run(doc, Range(1, 9, 1), threads, [&shown](int done, int) { shown = done; }).empty());
        EXPECT_EQ(shown, 4) << threads;
        ASSERT_EQ(messages.messages().size(), 1u) << threads;
        EXPECT_EQ(messages.messages()[0].text, "Ошибка при расчетах матриц элемента N 3.\nРасчет прекращен.");
        EXPECT_TRUE(doc.responseResults.empty());
    }
}

TEST_F(ParallelRunTest, ModalCalculationDuringARangeDoesNotDisturbIt)
{
    GoldenFile file;
    std::string error;
    ASSERT_TRUE(ReadGoldenFile(GoldenFilePath(), file, error)) << error;
    const GoldenMatch match(file.fingerprint);
    for (int threads : {1, 8}) {
        std::unique_ptr<CKestrinDoc> task = BuildBenchChannel(BenchChannel::TwoCircuitRefinedEarth);
        CElement& line = *task->elements[1];
        int modal = 0;
        const std::vector<CRezGraPoint> points = Run(*task, GoldenCoarseRequest(), threads, [&](int, int) {
            modal += CalcModalParameters(line, 1, 250.0, false, "").status == ModalCalcStatus::Done ? 1 : 0;
        });
        EXPECT_GE(modal, 2);  // before the first point and at the end at least
        EXPECT_EQ(CompareWithGolden(file.sweeps["ch0-coarse"], points, match), "") << threads << " threads";
    }
    g_pDoc = &doc;
}

TEST_F(ParallelRunTest, ProgressIsReportedAtMostAboutThirtyTimesASecond)
{
    // Points of a three-wire line and a progress function as slow as a
    // repaint of the bar, or slower than the interval between reports: it is
    // called from 0 to the point count, but at most about 30 times for each
    // second the run spends outside it, whatever the number of threads.
    AddEndLoad({300.0, 300.0, 300.0});
    AddLine({-4.0, 0.0, 4.0}, {20.0, 20.0, 20.0}, 20e3);
    AddEndLoad({300.0, 300.0, 300.0});
    const struct {
        int threads, points, reportMs;
    } cases[] = {{1, 4001, 1}, {4, 4001, 1}, {1, 200, 40}};
    for (const auto& c : cases) {
        std::vector<int> shown;
        std::chrono::steady_clock::duration reporting{};
        const auto start = std::chrono::steady_clock::now();
        const std::vector<CRezGraPoint> points =
            Run(doc, Range(10, 10 + (c.points - 1) * 0.25, 0.25f), c.threads, [&](int done, int total) {
                const auto enter = std::chrono::steady_clock::now();
                EXPECT_EQ(total, c.points);
                shown.push_back(done);
                std::this_thread::sleep_for(std::chrono::milliseconds(c.reportMs));
                reporting += std::chrono::steady_clock::now() - enter;
            });
        const double outside = std::chrono::duration<double>(std::chrono::steady_clock::now() - start - reporting).count();
        const std::string what = std::to_string(c.threads) + " threads, " + std::to_string(c.reportMs) + " ms";
        ASSERT_EQ(points.size(), std::size_t(c.points)) << what;
        ASSERT_GE(shown.size(), 2u) << what;
        EXPECT_EQ(shown.front(), 0) << what;
        EXPECT_EQ(shown.back(), c.points) << what;
        EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end())) << what;
        EXPECT_LE(double(shown.size()), outside * 30.0 + 3.0) << what << ", " << outside << " s outside";
    }
}

// Where the system refuses every new thread (a user at the limit of its
// processes), a run on several threads still completes, on the calling
// thread, with the same numbers.
TEST_F(ParallelRunTest, RunCompletesWhenNoThreadCanStart)
{
    GoldenFile file;
    std::string error;
    ASSERT_TRUE(ReadGoldenFile(GoldenFilePath(), file, error)) << error;
    const GoldenMatch match(file.fingerprint);
    std::unique_ptr<CKestrinDoc> task = BuildBenchChannel(BenchChannel::TwoCircuitRefinedEarth);
    auto runRefused = [&] {
        // Root is not held to the limit: run as an ordinary user.
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(3);
        const rlimit none{0, 0};
        if (setrlimit(RLIMIT_NPROC, &none) != 0)
            _exit(4);
        const std::vector<CRezGraPoint> points = Run(*task, GoldenCoarseRequest(), 4);
        _exit(!points.empty() && CompareWithGolden(file.sweeps["ch0-coarse"], points, match).empty() ? 0 : 1);
    };
    EXPECT_EXIT(runRefused(),
        testing::ExitedWithCode(0), "");
    g_pDoc = &doc;
}

} // namespace

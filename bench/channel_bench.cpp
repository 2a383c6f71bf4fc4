// The calculation of the reference channels through the run of the
// calculation dialog: one frequency, and a sweep of 1000 points from 16 to
// 1000 kHz.  Prints the microseconds per frequency point; a sweep also prints
// the threads it ran on (KESTRIN_THREADS, else the hardware's count), the
// points per second and the ratio of its time to that of the same sweep on
// one thread, measured in the same run.  A sweep with a progress function
// that costs what a repaint of the dialog's bar costs (1 ms) is timed beside
// the same sweep without one: a run must not wait for its reports.
//
// Every sweep on one thread is compared with the golden file (bit for bit
// where the math routines match its fingerprint, else within the stated
// tolerance; the program says which at its start), as is the sweep with the
// progress function, and the sweep on several threads with the one-thread
// sweep bit for bit; a difference (or a sweep that
// no longer completes) is reported as an error of its benchmark and the
// program exits non-zero, so a fast but wrong engine cannot pass.
#include "bench/benchchannels.h"
#include "bench/golden.h"
#include "calc/calcglobals.h"
#include "calc/calcrun.h"
#include "calc/pointrun.h"
#include "model/results.h"
#include "platform/format.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace {

bool g_goldenFailed = false;

const GoldenFile* Golden()
{
    static GoldenFile file;
    static std::string error;
    static const bool read = ReadGoldenFile(GoldenFilePath(), file, error);
    if (!read) {
        std::fprintf(stderr, "golden file: %s\n", error.c_str());
        return nullptr;
    }
    return &file;
}

const GoldenMatch& Match()
{
    static const GoldenMatch match(Golden() ? Golden()->fingerprint : std::string());
    return match;
}

CalcRequest SingleRequest(float kHz)
{
    CalcRequest r;
    r.frequencies.mode = 0;
    r.frequencies.single = kHz;
    return r;
}

double Seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// The sweep's points against the golden file; the first difference, empty
// when they match.
std::string CheckSweep(BenchChannel channel, const CKestrinDoc& doc)
{
    const GoldenFile* golden = Golden();
    if (!golden)
        return "the golden file cannot be read";
    auto it = golden->sweeps.find(StrFormat("ch%d-sweep", int(channel)));
    if (it == golden->sweeps.end())
        return "no golden sweep of the channel";
    if (doc.responseResults.empty())
        return "the sweep stopped with a matrix error";
    return CompareWithGolden(it->second, doc.responseResults.back()->points, Match());
}

void RunChannel(benchmark::State& state, BenchChannel channel, bool sweep)
{
    ResetCalcGlobals();
    std::unique_ptr<CKestrinDoc> doc = BuildBenchChannel(channel);
    CalcSession session(*doc);
    CalcRequest request = sweep ? GoldenSweepRequest() : SingleRequest(100.0f);
    const std::string name = BenchChannelName(channel);
    const int threads = CalcThreadCount(0);

    // The sweep on one thread, once, for the ratio (and checked as well).
    double oneThread = 0.0;
    std::vector<CRezGraPoint> oneThreadPoints;
    if (sweep) {
        request.threads = 1;
        const auto start = std::chrono::steady_clock::now();
        session.Run(request);
        oneThread = Seconds(std::chrono::steady_clock::now() - start);
        const std::string difference = CheckSweep(channel, *doc);
        if (!difference.empty()) {
            g_goldenFailed = true;
            state.SkipWithError(("one thread differs from the golden results: " + difference).c_str());
            return;
        }
        oneThreadPoints = doc->responseResults.back()->points;
        request.threads = threads;
    }

    long long iterations = 0;
    bool done = true;
    const auto begin = std::chrono::steady_clock::now();
    for (auto _ : state) {
        doc->ClearResults();
        done = session.Run(request).status == CalcStatus::Done && done;
        ++iterations;
    }
    const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - begin).count();
    const int points = done ? int(doc->responseResults.back()->PointCount()) : 0;
    if (sweep) {
        const std::string difference = doc->responseResults.empty()
                                           ? "the sweep stopped with a matrix error"
                                           : CompareWithGolden(oneThreadPoints, doc->responseResults.back()->points);
        if (!difference.empty()) {
            g_goldenFailed = true;
            state.SkipWithError(StrFormat("%d threads differ from one: %s", threads, difference.c_str()).c_str());
            return;
        }
    } else if (!done) {
        state.SkipWithError("the channel was not calculated at 100 kHz (matrix error)");
        return;
    }
    const double perPoint = iterations > 0 ? us / double(iterations * points) : 0.0;
    state.counters["points"] = points;
    if (!sweep) {
        state.SetLabel(StrFormat("%9.1f us/point  %s", perPoint, name.c_str()));
        return;
    }
    const double parallel = perPoint * points * 1e-6;
    state.SetLabel(StrFormat("%9.1f us/point  %s  %d threads  %.0f points/s  parallel/1 thread %.3f (%.1f ms)",
                             perPoint, name.c_str(), threads, perPoint > 0 ? 1e6 / perPoint : 0.0,
                             oneThread > 0 ? parallel / oneThread : 0.0, oneThread * 1e3));
}

void BM_OnePoint(benchmark::State& state)
{
    RunChannel(state, BenchChannel(state.range(0)), false);
}

void BM_Sweep1000(benchmark::State& state)
{
    RunChannel(state, BenchChannel(state.range(0)), true);
}

// The sweep on the default threads, without a progress function and with one
// that sleeps 1 ms per call as a repaint of the bar does, timed alternately.
// The label gives both times, the reports made and the ratio of the times.
void BM_SweepProgress(benchmark::State& state)
{
    const BenchChannel channel = BenchChannel(state.range(0));
    ResetCalcGlobals();
    std::unique_ptr<CKestrinDoc> doc = BuildBenchChannel(channel);
    CalcSession session(*doc);
    CalcRequest request = GoldenSweepRequest();
    request.threads = CalcThreadCount(0);

    int reports = 0, first = -1, last = -1, total = 0;
    const auto repaint = [&](int done, int of) {
        if (reports++ == 0)
            first = done;
        last = done, total = of;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
    double without = 0.0, with = 0.0;
    long long iterations = 0;
    bool done = true;
    for (auto _ : state) {
        doc->ClearResults();
        auto start = std::chrono::steady_clock::now();
        done = session.Run(request).status == CalcStatus::Done && done;
        without += Seconds(std::chrono::steady_clock::now() - start);
        doc->ClearResults();
        start = std::chrono::steady_clock::now();
        done = session.Run(request, repaint).status == CalcStatus::Done && done;
        with += Seconds(std::chrono::steady_clock::now() - start);
        ++iterations;
    }
    const std::string difference = done ? CheckSweep(channel, *doc) : "the sweep stopped with a matrix error";
    if (!difference.empty()) {
        g_goldenFailed = true;
        state.SkipWithError(("the sweep with progress differs from the golden results: " + difference).c_str());
        return;
    }
    const int points = int(doc->responseResults.back()->PointCount());
    if (first != 0 || last != points || total != points) {
        state.SkipWithError(StrFormat("the progress went from %d to %d of %d", first, last, total).c_str());
        return;
    }
    const double n = double(std::max(iterations, 1LL));
    state.counters["ratio"] = without > 0 ? with / without : 0.0;
    state.SetLabel(StrFormat("%s  %d threads  without progress %.1f ms  with a 1 ms progress %.1f ms "
                             "(%.1f reports)  ratio %.3f",
                             BenchChannelName(channel), request.threads, without * 1e3 / n, with * 1e3 / n,
                             double(reports) / n, without > 0 ? with / without : 0.0));
}

} // namespace

BENCHMARK(BM_OnePoint)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Sweep1000)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SweepProgress)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    std::printf("%s\n", Match().Note().c_str());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_goldenFailed) {
        std::fprintf(stderr, "FAILED: a sweep differs from the golden results\n");
        return 1;
    }
    return 0;
}

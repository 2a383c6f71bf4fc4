// The calculation of the reference channels through the run of the
// calculation dialog: one frequency, and a sweep of 1000 points from 16 to
// 1000 kHz.  Prints the microseconds per frequency point.
//
// A sweep that a matrix error stops is timed point by point instead (each
// frequency a run of its own), and the label says at which frequency the
// sweep stopped and how many points failed.
#include "bench/benchchannels.h"
#include "calc/calcglobals.h"
#include "calc/calcrun.h"
#include "model/results.h"
#include "platform/format.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace {

CalcRequest SingleRequest(float kHz)
{
    CalcRequest r;
    r.frequencies.mode = 0;
    r.frequencies.single = kHz;
    return r;
}

CalcRequest SweepRequest()
{
    // 16 to 1000 kHz in 1000 points.
    CalcRequest r;
    r.frequencies.mode = 1;
    r.frequencies.start = 16.0f;
    r.frequencies.end = 1000.0f;
    r.frequencies.step = 0.985f;
    return r;
}

void RunChannel(benchmark::State& state, BenchChannel channel, bool sweep)
{
    ResetCalcGlobals();
    std::unique_ptr<CKestrinDoc> doc = BuildBenchChannel(channel);
    CalcSession session(*doc);
    const CalcRequest request = sweep ? SweepRequest() : SingleRequest(100.0f);
    std::string label = BenchChannelName(channel);

    int done = 0;
    const bool whole = session.Run(request, [&done](int d, int) { done = d; }).status == CalcStatus::Done;
    std::vector<CalcRequest> runs;
    if (whole) {
        runs.push_back(request);
    } else if (sweep) {
        for (int i = 0; i < 1000; ++i)
            runs.push_back(SingleRequest(request.frequencies.start + float(i) * request.frequencies.step));
    } else {
        state.SkipWithError("the channel was not calculated at 100 kHz (matrix error)");
        return;
    }
    const int points = whole ? int(doc->responseResults.back()->PointCount()) : int(runs.size());

    long long iterations = 0;
    int failed = -1;
    const auto begin = std::chrono::steady_clock::now();
    for (auto _ : state) {
        doc->ClearResults();
        int failedNow = 0;
        for (const CalcRequest& r : runs)
            failedNow += session.Run(r).status == CalcStatus::Done ? 0 : 1;
        failed = failedNow;
        ++iterations;
    }
    const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - begin).count();
    const double perPoint = iterations > 0 ? us / double(iterations * points) : 0.0;
    label = StrFormat("%9.1f us/point  %s", perPoint, label.c_str());
    if (!whole)
        label += StrFormat(" (the sweep stops with a matrix error at %.3f kHz; timed point by point, %d of %d "
                           "points fail)",
                           request.frequencies.start + float(done) * request.frequencies.step, failed, points);
    state.counters["points"] = points;
    state.SetLabel(label);
}

void BM_OnePoint(benchmark::State& state)
{
    RunChannel(state, BenchChannel(state.range(0)), false);
}

void BM_Sweep1000(benchmark::State& state)
{
    RunChannel(state, BenchChannel(state.range(0)), true);
}

} // namespace

BENCHMARK(BM_OnePoint)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Sweep1000)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

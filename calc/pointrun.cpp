#include "calc/pointrun.h"

#include "calc/calcglobals.h"
#include "calc/chaincascade.h"
#include "calc/elementcheck.h"
#include "calc/linecache.h"
#include "calc/terminations.h"
#include "math/matrix.h"
#include "math/twoport.h"
#include "model/element.h"
#include "model/lines.h"
#include "model/results.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

// More threads than this gain nothing on any machine we know.
constexpr int kMaxThreads = 256;

// The shortest time between two reports of the progress: a bar moved more
// often shows nothing more, and each move costs the caller a repaint.
constexpr std::chrono::steady_clock::duration kProgressInterval =
    std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::seconds(1)) / 30;

using SpanState = std::vector<std::vector<CComplex>>;

// Bit-for-bit equality of two span states or two points.
bool SameBits(const SpanState& a, const SpanState& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].size() != b[i].size() ||
            (!a[i].empty() && std::memcmp(a[i].data(), b[i].data(), a[i].size() * sizeof(CComplex)) != 0))
            return false;
    return true;
}

bool SameBits(const CRezGraPoint& a, const CRezGraPoint& b)
{
    const double x[7] = {a.freq, a.transfer.re, a.transfer.im, a.zLeft.re, a.zLeft.im, a.zRight.re, a.zRight.im};
    const double y[7] = {b.freq, b.transfer.re, b.transfer.im, b.zLeft.re, b.zLeft.im, b.zRight.re, b.zRight.im};
    return std::memcmp(x, y, sizeof x) == 0;
}

// One point on the calling thread, into point; the thread's span vectors
// carry the phases from its previous point.  False on a matrix error.
bool CalcPoint(const PointRun& run, TwoPortStorage& channel, int i, bool regenerate, CRezGraPoint& point)
{
    const double f = run.freqs[std::size_t(i)];
    g_MatError = 0;
    g_bModalMode = 0;
    g_dCalcFreq = f;
    g_jOmega = CComplex(0.0, f * 6.2831853072);
    g_nSpanVector = 0;
    g_bRegenSpans = regenerate ? 1 : 0;
    CalcChain(run.start, channel.blocks(), run.n, 0);
    g_bRegenSpans = 0;
    if (g_MatError)
        return false;
    CalcResultPoint(channel.blocks(), run.n, *run.first, *run.last, *run.result, point);
    return !g_MatError;
}

// The random spans a point would draw: then the first point must run alone
// and first, as it always did, so that the values come in the same order.
bool SpansToDraw(const PointRun& run)
{
    for (const CElement* e : g_ppCalcElements) {
        const CVLine* line = e && e->type == kOverheadLine ? e->Data<CVLine>() : nullptr;
        if (line && line->inhomogeneity == 1 &&
            (run.regenerateSpans || !line->spanValues || line->spanValues->size() < line->pieces))
            return true;
    }
    return false;
}

// The state of a thread that calculates points: its own identical-line
// records, no stale flag, the span vectors of the channel, quiet messages.
struct PointThread {
    explicit PointThread(const PointRun& run, const SpanState& spans) : channel(run.n)
    {
        UseSameLineTableOnThisThread();
        g_MatError = 0;
        g_bModalMode = 0;
        g_nCalcSplitConductor = -1;
        g_pSpanVectors = spans;
    }
    ~PointThread() { g_pSpanVectors.clear(); }
    QuietCalcMessages quiet;
    TwoPortStorage channel;
};

// The progress of a run as its caller sees it, on the calling thread: (0,
// total) first, then the count of finished points at most once per
// kProgressInterval however many points and threads there are, and the last
// count once more when the run ends.  The points never wait for a report.
class RunProgress {
public:
    using Clock = std::chrono::steady_clock;

    explicit RunProgress(const PointRun& run) : m_report(run.progress), m_total(int(run.freqs.size())) {}

    bool Wanted() const { return bool(m_report); }

    // The first report, before any point.
    void Start() { Show(0, Clock::now()); }

    // done points are finished: shown when the interval since the last
    // report has passed.  A count not shown waits for a later offer or the
    // end; with nothing new the next look is an interval later.
    void Offer(int done)
    {
        if (!m_report)
            return;
        const Clock::time_point now = Clock::now();
        if (now < m_next)
            return;
        if (done != m_shown)
            Show(done, now);
        else
            m_next = now + kProgressInterval;
    }

    // When the next report may be made.
    Clock::time_point Next() const { return m_next; }

    // The end of the run: its last count shown unless it already is.
    void Finish(int done)
    {
        if (m_report && done != m_shown)
            Show(done, Clock::now());
    }

private:
    // The next report is timed from the end of this one: a slow report
    // (a repaint on a busy machine) would otherwise be followed at once by
    // the next, and the run would go at the pace of the bar.
    void Show(int done, Clock::time_point now)
    {
        m_shown = done;
        m_next = now + kProgressInterval;
        if (m_report) {
            m_report(std::min(done, m_total), m_total);
            m_next = Clock::now() + kProgressInterval;
        }
    }

    const std::function<void(int, int)>& m_report;
    const int m_total;
    int m_shown = -1;
    Clock::time_point m_next;
};

// Runs work(t) on count threads and offers the progress on the calling
// thread until they end; rethrows what a thread threw.
class Pool {
public:
    // base: the points finished before the pool starts; a pool without
    // progress reports nothing.
    Pool(int count, int base, RunProgress* progress) : m_count(count), m_base(base), m_progress(progress) {}

    // A thread the system refuses to start (too many threads or too little
    // memory) does not stop the run: its share of the work is done on the
    // calling thread after the others have ended.
    template <class Work>
    void Run(Work work)
    {
        std::vector<std::thread> threads;
        std::vector<std::exception_ptr> errors(static_cast<std::size_t>(m_count));
        std::vector<int> refused;
        for (int t = 0; t < m_count; ++t) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                ++m_running;
            }
            try {
                threads.emplace_back([&, t] {
                    try {
                        work(t);
                    } catch (...) {
                        errors[std::size_t(t)] = std::current_exception();
                    }
                    std::lock_guard<std::mutex> lock(m_mutex);
                    --m_running;
                    m_changed.notify_one();
                });
            } catch (const std::system_error&) {
                std::lock_guard<std::mutex> lock(m_mutex);
                --m_running;
                refused.push_back(t);
            }
        }
        ReportProgress();
        for (std::thread& t : threads)
            t.join();
        for (const std::exception_ptr& e : errors)
            if (e)
                std::rethrow_exception(e);
        for (int t : refused)
            work(t);
    }

    // A thread finished a point.  Only counted: the calling thread looks at
    // the count when a report is due, so no point waits for it.
    void PointDone() { m_done.fetch_add(1, std::memory_order_relaxed); }
    // The points finished since the pool started (exact once Run returned).
    int Done() const { return m_done.load(std::memory_order_relaxed); }

private:
    // Until every thread has ended: the count offered whenever a report is
    // due, the calling thread asleep in between.
    void ReportProgress()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        const auto ended = [this] { return m_running == 0; };
        if (!m_progress || !m_progress->Wanted()) {
            m_changed.wait(lock, ended);
            return;
        }
        while (!m_changed.wait_until(lock, m_progress->Next(), ended)) {
            lock.unlock();
            m_progress->Offer(m_base + Done());
            lock.lock();
        }
    }

    const int m_count;
    const int m_base;
    RunProgress* const m_progress;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_running = 0;
    std::atomic<int> m_done{0};
};

// Where a run stopped: the lowest failing point and the span state before it.
struct Failure {
    int point = -1;
    SpanState before;
};

// Independent points: the threads take the next point until none is left or
// a lower one has failed.
Failure RunIndependent(const PointRun& run, int from, Pool& pool, const SpanState& spans)
{
    const int total = int(run.freqs.size());
    std::atomic<int> next(from);
    std::atomic<int> failed(total);
    pool.Run([&](int) {
        PointThread thread(run, spans);
        for (int i = next++; i < total && i < failed.load(); i = next++) {
            if (CalcPoint(run, thread.channel, i, false, run.result->points[std::size_t(i)])) {
                pool.PointDone();
                continue;
            }
            int lowest = failed.load();
            while (i < lowest && !failed.compare_exchange_weak(lowest, i)) {
            }
        }
    });
    Failure f;
    if (failed.load() < total) {
        f.point = failed.load();
        f.before = spans;
    }
    return f;
}

// Points linked by the phase tracking of tower-influence lines.
Failure RunTracked(const PointRun& run, int from, int threads, Pool& pool, const SpanState& spans)
{
    const int total = int(run.freqs.size());
    const int chunks = std::min(threads, total - from);
    struct Chunk {
        int begin = 0, end = 0;
        int computed = 0;        // points calculated before a failure or the end
        SpanState afterFirst;    // the phases after its first point
        SpanState last;          // after its last calculated point
        SpanState beforeFailure; // before the point that failed, if one did
    };
    std::vector<Chunk> chunk(static_cast<std::size_t>(chunks));
    for (int c = 0; c < chunks; ++c) {
        chunk[std::size_t(c)].begin = from + int((long long)(total - from) * c / chunks);
        chunk[std::size_t(c)].end = from + int((long long)(total - from) * (c + 1) / chunks);
    }
    SpanState zero = spans;
    for (auto& v : zero)
        std::fill(v.begin(), v.end(), CComplex());

    // Every chunk at once; the first one continues from the given phases, the
    // others start with the first-frequency rule.
    pool.Run([&](int c) {
        if (c >= chunks)
            return;
        Chunk& k = chunk[std::size_t(c)];
        PointThread thread(run, c == 0 ? spans : zero);
        for (int i = k.begin; i < k.end; ++i) {
            SpanState before = g_pSpanVectors;
            if (!CalcPoint(run, thread.channel, i, false, run.result->points[std::size_t(i)])) {
                k.beforeFailure = std::move(before);
                break;
            }
            if (++k.computed == 1)
                k.afterFirst = g_pSpanVectors;
            pool.PointDone();
        }
        k.last = g_pSpanVectors;
    });

    // The boundaries in order, on one thread.
    Failure failure;
    Pool single(1, 0, nullptr);
    single.Run([&](int) {
        PointThread thread(run, spans);
        SpanState previous = chunk[0].last;
        for (int c = 0; c < chunks; ++c) {
            Chunk& k = chunk[std::size_t(c)];
            if (c > 0) {
                g_pSpanVectors = previous;
                CRezGraPoint point;
                if (!CalcPoint(run, thread.channel, k.begin, false, point)) {
                    failure.point = k.begin;
                    failure.before = previous;
                    return;
                }
                const bool same = k.computed >= 1 && SameBits(g_pSpanVectors, k.afterFirst) &&
                                  SameBits(point, run.result->points[std::size_t(k.begin)]);
                if (!same) {
                    // Another branch: the chunk again, following its predecessor.
                    run.result->points[std::size_t(k.begin)] = point;
                    for (int i = k.begin + 1; i < k.end; ++i) {
                        SpanState before = g_pSpanVectors;
                        if (!CalcPoint(run, thread.channel, i, false, run.result->points[std::size_t(i)])) {
                            failure.point = i;
                            failure.before = std::move(before);
                            return;
                        }
                    }
                    k.computed = k.end - k.begin;
                    k.last = g_pSpanVectors;
                }
            }
            if (k.computed < k.end - k.begin) {
                failure.point = k.begin + k.computed;
                failure.before = k.beforeFailure;
                return;
            }
            previous = k.last;
        }
    });
    return failure;
}

} // namespace

int CalcThreadCount(int requested)
{
    if (requested > 0)
        return std::min(requested, kMaxThreads);
    if (const char* env = std::getenv("KESTRIN_THREADS")) {
        char* end = nullptr;
        const long v = std::strtol(env, &end, 10);
        if (end != env && *end == '\0' && v > 0)
            return int(std::min<long>(v, kMaxThreads));
    }
    const unsigned hardware = std::thread::hardware_concurrency();
    return hardware > 0 ? int(std::min<unsigned>(hardware, kMaxThreads)) : 1;
}

bool RunFrequencyPoints(const PointRun& run)
{
    const int total = int(run.freqs.size());
    TwoPortStorage channel(run.n);
    UseSameLineTableOnThisThread();
    // The first point may run alone for long (random spans, or one thread):
    // the progress starts at 0 before it.
    RunProgress progress(run);
    progress.Start();
    int from = 0;
    // One after the other on the calling thread: the whole run with one
    // thread, and the first point alone when it draws random spans.
    const bool alone = run.threads <= 1 || total < 2;
    const int sequential = alone ? total : (SpansToDraw(run) ? 1 : 0);
    for (; from < sequential; ++from) {
        const double f = run.freqs[std::size_t(from)];
        g_MatError = 0;
        g_bModalMode = 0;
        g_dCalcFreq = f;
        g_jOmega = CComplex(0.0, f * 6.2831853072);
        g_nSpanVector = 0;
        g_bRegenSpans = run.regenerateSpans && from == 0 ? 1 : 0;
        CalcChain(run.start, channel.blocks(), run.n, 0);
        g_bRegenSpans = 0;
        if (g_MatError) {
            progress.Finish(from);
            return false;
        }
        CalcResultPoint(channel.blocks(), run.n, *run.first, *run.last, *run.result,
                        run.result->points[std::size_t(from)]);
        progress.Offer(from + 1);
        if (g_MatError) {
            progress.Finish(from + 1);
            return false;
        }
    }
    if (from == total) {
        progress.Finish(total);
        return true;
    }

    const SpanState spans = g_pSpanVectors;
    const int threads = std::min(run.threads, total - from);
    Pool pool(threads, from, &progress);
    const bool tracked = !spans.empty();
    Failure failure = tracked ? RunTracked(run, from, threads, pool, spans)
                              : RunIndependent(run, from, pool, spans);
    if (failure.point < 0) {
        progress.Finish(total);
        return true;
    }
    // The bar shows the points finished before the message of the failing
    // one; that point once more on the calling thread, with its messages.
    progress.Finish(from + pool.Done());
    UseSameLineTableOnThisThread();
    g_pSpanVectors = failure.before;
    CRezGraPoint point;
    if (CalcPoint(run, channel, failure.point, false, point))
        g_MatError = 2;  // not met again: still a failed run, never a half result
    return false;
}

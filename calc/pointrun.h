// The frequency points of one run of the channel calculation, on the calling
// thread one after the other or on a pool of threads.  Either way every point
// is calculated with the same arithmetic, so the results are the same bit for
// bit whatever the number of threads.
//
// The points of a range are independent, except that a tower-influence line
// with random spans follows the phase of each of its modes from one frequency
// to the next.  Such a channel is calculated in chunks of consecutive points,
// each starting with the first-frequency rule; then the chunk boundaries are
// visited in order, and a chunk whose first point would pick another phase
// branch when following its predecessor's last phases is calculated again
// from there.
#pragma once

#include <functional>
#include <vector>

class CElement;
class CRezGra;

struct PointRun {
    int start = 0;  // first element of the chain (1 after an end load)
    int n = 0;      // wires of the channel ends
    const CElement* first = nullptr;
    const CElement* last = nullptr;
    CRezGra* result = nullptr;     // its points receive the results
    std::vector<double> freqs;     // Hz, one per point of the result
    bool regenerateSpans = false;  // redraw the random spans at the first point
    int threads = 1;
    // (done, total) on the calling thread: (0, total) first, then the count of
    // finished points at most about 30 times a second, and the last count
    // (total after a complete run) at the end.
    std::function<void(int, int)> progress;
};

// The number of threads a run uses: requested when above 0, else the
// environment variable KESTRIN_THREADS when it holds a positive number, else
// the hardware's count.
int CalcThreadCount(int requested);

// Calculates every point.  The span vectors of the calling thread
// (g_pSpanVectors) must be allocated for the channel, all zero.  Returns false
// after a failure: the message of the lowest failing point has been shown,
// exactly as the sequential run shows it, and the result must not be kept.
bool RunFrequencyPoints(const PointRun& run);

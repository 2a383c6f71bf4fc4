#include "calc/calcrun.h"

#include "calc/bypass.h"
#include "calc/cableline.h"
#include "calc/calcglobals.h"
#include "calc/chaincascade.h"
#include "calc/earthreturn.h"
#include "calc/elementcheck.h"
#include "calc/linecache.h"
#include "calc/pointrun.h"
#include "calc/simplecheck.h"
#include "calc/terminations.h"
#include "calc/vline.h"
#include "math/matrix.h"
#include "math/twoport.h"
#include "model/branches.h"
#include "model/conductors.h"
#include "model/coupling.h"
#include "model/document.h"
#include "model/lines.h"
#include "model/results.h"
#include "platform/format.h"
#include "platform/messages.h"

#include <algorithm>
#include <cmath>
#include <memory>

float g_fCalcStart = 0.0f;
float g_fCalcEnd = 0.0f;
float g_fCalcStep = 0.0f;
int g_nCalcMode = 1;

void ResetCalcSettings()
{
    g_fCalcStart = g_fCalcEnd = g_fCalcStep = 0.0f;
    g_nCalcMode = 1;
}

namespace {

// The refusal of a range that is valid but gives more points than a result
// holds.  It names the count where a double holds it exactly: a tiny step can
// make it too large for that, or overflow the float quotient altogether.
std::string TooManyPointsRefusal(double steps)
{
    const double points = std::floor(steps) + 1.0;
    const std::string count = points < 0x1p53 ? StrFormat(": %lld", static_cast<long long>(points)) : std::string();
    return StrFormat("Слишком много расчетных точек%s. Допустимо не более %d.\n"
                     "Увеличьте шаг или сократите диапазон частот.",
                     count.c_str(), kMaxCalcPoints);
}

// Whether the frequency in hertz, as the run makes it from kHz in a float,
// is a number: above about 3.4e35 kHz it is infinite, a frequency as
// impossible as one of 0.
bool HoldsHertz(float kHz)
{
    return std::isfinite(kHz * 1000.0f);
}

} // namespace

std::string MakeFrequencyGrid(const FrequencyInput& in, FrequencyGrid& grid)
{
    if (in.mode == 0) {
        if (!(in.single > 0) || !HoldsHertz(in.single))
            return kFrequencyRefusal;
        grid.points = 1;
        grid.startHz = grid.endHz = in.single * 1000.0f;
        grid.stepHz = 0.0;
        grid.snappedEnd = in.single;
        return {};
    }
    if (!(in.step > 0 && in.end > in.start && in.start > 0 && HoldsHertz(in.end) && HoldsHertz(in.step)))
        return kRangeRefusal;
    // A whole number of steps; the tenth of a step forgives the rounding of
    // the typed values.  A range of more points than a result holds is
    // possible in itself: its refusal says why.
    const double steps = double((in.end - in.start) / in.step) + 0.1;
    if (!(steps < double(kMaxCalcPoints)))
        return TooManyPointsRefusal(steps);
    const int N = static_cast<int>(steps);
    const float snappedEnd = in.start + static_cast<float>(N) * in.step;
    if (!HoldsHertz(snappedEnd))
        return kRangeRefusal;  // moved onto the last step beyond what a float holds
    grid.points = N + 1;
    grid.snappedEnd = snappedEnd;
    grid.startHz = in.start * 1000.0f;
    grid.endHz = grid.snappedEnd * 1000.0f;
    grid.stepHz = in.step * 1000.0f;
    return {};
}

std::string FormatRunName(std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    char text[30];
    if (std::strftime(text, sizeof text, "%d.%m.%y %H:%M", &local) == 0)
        return {};
    return text;
}

// ---- Checks before a run ------------------------------------------------------

namespace {

std::string CheckChannelEnds(const std::vector<CElement*>& elements)
{
    const int count = static_cast<int>(elements.size());
    const CElement& first = *elements.front();
    const CElement& last = *elements.back();
    const int n = first.wirePositions;
    auto refuse = [](int number, const std::string& reason) { return FormatElementDataError(number, reason); };
    if (count < 2)
        return refuse(1, "в тракте нет элементов между его концами");
    if (n < 1 || n > kMaxWires)
        return refuse(1, StrFormat("неверное число проводов (%d)", n));
    if ((first.type != kCouplingDevice && first.type != kEndLoad) || last.type != first.type)
        return refuse(count, "концы тракта должны быть оба устройствами присоединения или оба концевыми нагрузками");
    if (last.wirePositions != n)
        return refuse(count, StrFormat("у конца тракта %d проводов, а у его начала %d", last.wirePositions, n));
    if (first.type == kEndLoad)
        for (int end = 0; end < 2; ++end) {
            const CNagruz* load = elements[end ? count - 1 : 0]->Data<CNagruz>();
            if (!load || int(std::min<std::size_t>(load->count, load->values.size())) < n)
                return refuse(end ? count : 1, StrFormat("нагрузки заданы не для всех %d проводов", n));
            for (int i = 0; i < n; ++i)
                if (!std::isfinite(load->Value(i)))
                    return refuse(end ? count : 1, NotFiniteReason(StrFormat("нагрузка провода %d", i + 1)));
        }
    return {};
}

} // namespace

std::string CheckCalcElement(const CElement& e, int number)
{
    switch (e.type) {
    case kOverheadLine:
        return CheckVLineElement(e, number);
    case kCableLine:
        return CheckKLineElement(e, number);
    case kBypass: {
        std::string message = CheckBypassElement(e, number);
        return message.empty() ? CheckSimpleElementData(e, number) : message;
    }
    default:
        return CheckSimpleElementData(e, number);
    }
}

std::string CheckCalcElements(const std::vector<CElement*>& elements)
{
    if (elements.empty())
        return FormatElementDataError(1, "тракт пуст");
    std::string message = CheckChannelEnds(elements);
    for (std::size_t i = 0; i < elements.size() && message.empty(); ++i)
        message = CheckCalcElement(*elements[i], int(i) + 1);
    return message;
}

// ---- Session ------------------------------------------------------------------

namespace {

// The wires of one channel end that carry a load (end loads) or a coupling
// device.  Which rule holds for both ends is decided by the first element.
// The wires are named and grouped by the end element's own split conductor:
// a transposition may have moved the split phase's halves to other positions
// than the task's split conductor names.
std::vector<WireEntry> EndWires(const CElement& end, bool endLoads)
{
    const int split = end.splitConductor;
    std::vector<WireEntry> wires;
    auto add = [&](int wire) {
        WireEntry entry;
        entry.wire = wire;
        entry.text = StrFormat("%d (%s)", wire + 1,
                               FormatConductorName(end.inMap, split, static_cast<std::uint8_t>(wire)).c_str());
        entry.splitHalf = split >= 0 && (wire == split || wire == split + 1);
        wires.push_back(std::move(entry));
    };
    if (endLoads) {
        if (const CNagruz* load = end.Data<CNagruz>())
            for (int i = 0; i < end.wirePositions && i < kMaxWires; ++i)
                if (load->Value(i) > 0)
                    add(i);
    } else if (const CUpr* upr = end.Data<CUpr>()) {
        for (const CPrisoed& device : upr->devices)
            if (device.wire < kMaxWires)
                add(device.wire);
    }
    return wires;
}

// Random-span vectors: one per tower-influence line between the ends, of the
// largest cross-section among them plus one.
void AllocateSpanVectors(const std::vector<CElement*>& elements)
{
    g_pSpanVectors.clear();
    g_nSpanVector = 0;
    int lines = 0, m = 0;
    for (std::size_t i = 1; i + 1 < elements.size(); ++i) {
        const CElement& e = *elements[i];
        const CVLine* line = e.type == kOverheadLine ? e.Data<CVLine>() : nullptr;
        if (line && line->inhomogeneity != 0) {
            ++lines;
            m = std::max<int>(m, line->wires);
        }
    }
    g_pSpanVectors.assign(std::size_t(lines), std::vector<CComplex>(std::size_t(m) + 1));
}

// The chosen wires of one end, the first the smaller one.
void OrderPair(std::uint8_t& a, std::uint8_t& b)
{
    if (b < a)
        std::swap(a, b);
}

} // namespace

CalcSession::CalcSession(CKestrinDoc& doc) : m_doc(doc), m_clock([] { return std::time(nullptr); })
{
    BuildSameLineTable(doc);
    const std::vector<CElement*>& elements = g_ppCalcElements;
    if (elements.empty())
        return;
    const CElement& first = *elements.front();
    const CElement& last = *elements.back();
    const bool endLoads = first.type == kEndLoad;
    m_wires[kTransmitSide] = EndWires(first, endLoads);
    m_wires[kReceiveSide] = EndWires(last, endLoads);
    for (std::size_t i = 0; i + 1 < elements.size(); ++i) {
        const CVLine* line = elements[i]->type == kOverheadLine ? elements[i]->Data<CVLine>() : nullptr;
        if (line && line->inhomogeneity == 1)
            m_regenerateShown = true;
    }
}

CalcSession::~CalcSession()
{
    ReleaseEarthWeights();
    FreeSameLineTable();
}

int CalcSession::SplitCount(int side) const
{
    return static_cast<int>(std::count_if(m_wires[side].begin(), m_wires[side].end(),
                                          [](const WireEntry& e) { return e.splitHalf; }));
}

bool CalcSession::ModeEnabled(int mode) const
{
    const bool otherPairs = OtherCount(0) >= 2 && OtherCount(1) >= 2;
    switch (mode) {
    case kWireToGround:
        return true;
    case kWireToWire:
    case kWireToWireGrounded:
        return (SplitCount(0) >= 2 && SplitCount(1) >= 2) || otherPairs;
    case kTwoWiresToGround:
        return otherPairs;
    default:
        return false;
    }
}

FrequencyInput CalcSession::RestoredFrequencies() const
{
    FrequencyInput in;
    in.mode = g_nCalcMode;
    in.single = in.start = g_fCalcStart;
    in.end = g_fCalcEnd;
    in.step = g_fCalcStep;
    return in;
}

std::vector<WireEntry> CalcSession::WireChoices(int side, int which, int mode, const std::string& firstText) const
{
    std::vector<WireEntry> choices;
    if (which == 1 && mode == kWireToGround)
        return choices;
    const std::vector<WireEntry>& wires = m_wires[side];
    // The second wire comes from the same group as the first: both halves of
    // the split conductor, or two ordinary wires.
    bool group = false;
    for (const WireEntry& e : wires)
        if (e.text == firstText)
            group = e.splitHalf;
    for (const WireEntry& e : wires) {
        if (which == 1 && e.text == firstText)
            continue;
        if (mode != kWireToGround) {
            if (!e.splitHalf && OtherCount(side) < 2)
                continue;
            if (e.splitHalf && (mode == kTwoWiresToGround || SplitCount(side) < 2))
                continue;
            if (which == 1 && e.splitHalf != group)
                continue;
        }
        choices.push_back(e);
    }
    return choices;
}

bool CalcSession::RequestWiresValid(const CalcRequest& r) const
{
    if (!ModeEnabled(r.mode))
        return false;
    auto pick = [this, &r](int side, int wire1, int wire2) {
        for (const WireEntry& first : WireChoices(side, 0, r.mode, {})) {
            if (first.wire != wire1)
                continue;
            if (r.mode == kWireToGround)
                return true;
            for (const WireEntry& second : WireChoices(side, 1, r.mode, first.text))
                if (second.wire == wire2)
                    return true;
        }
        return false;
    };
    return pick(kTransmitSide, r.txWire1, r.txWire2) && pick(kReceiveSide, r.rxWire1, r.rxWire2);
}

CalcOutcome CalcSession::Run(const CalcRequest& request, const std::function<void(int, int)>& progress)
{
    CalcOutcome outcome;
    g_MatError = 0;

    FrequencyGrid grid;
    const std::string refusal = MakeFrequencyGrid(request.frequencies, grid);
    if (!refusal.empty()) {
        ShowMessage(refusal, kAppName, MsgIcon::None, MsgButtons::Ok);
        return outcome;
    }
    if (request.mode == kWireToWireGrounded && !(std::isfinite(request.resistance) && request.resistance >= 0.0)) {
        ShowMessage(kResistanceRefusal, kAppName, MsgIcon::None, MsgButtons::Ok);
        return outcome;
    }
    const std::vector<CElement*>& elements = g_ppCalcElements;
    if (elements.empty() || !RequestWiresValid(request))
        return outcome;

    const FrequencyInput& in = request.frequencies;
    outcome.snappedEnd = grid.snappedEnd;
    if (in.mode == 0) {
        g_fCalcStart = in.single;
    } else {
        g_fCalcStart = in.start;
        g_fCalcEnd = grid.snappedEnd;
        g_fCalcStep = in.step;
    }
    g_nCalcMode = in.mode;
    g_bRegenSpans = request.regenerateSpans ? 1 : 0;
    g_bModalMode = 0;
    outcome.status = CalcStatus::Failed;

    const std::string dataError = CheckCalcElements(elements);
    if (!dataError.empty()) {
        ShowElementDataError(dataError);
        return outcome;
    }
    // The table of identical sections made again from the sections as they
    // are now: an earlier run that redrew random spans has changed them.  A
    // run that redraws them lets each such section draw its own.
    BuildSameLineTable(m_doc, request.regenerateSpans);

    // The result of the run.
    auto result = std::make_unique<CRezGra>();
    result->name = FormatRunName(m_clock());
    result->startFreq = grid.startHz;
    result->endFreq = grid.endHz;
    result->mode = static_cast<std::uint8_t>(request.mode);
    result->txWire1 = static_cast<std::uint8_t>(request.txWire1);
    result->rxWire1 = static_cast<std::uint8_t>(request.rxWire1);
    if (request.mode == kWireToWireGrounded)
        result->resistance = request.resistance;
    if (request.mode != kWireToGround) {
        result->txWire2 = static_cast<std::uint8_t>(request.txWire2);
        result->rxWire2 = static_cast<std::uint8_t>(request.rxWire2);
        OrderPair(result->txWire1, result->txWire2);
        OrderPair(result->rxWire1, result->rxWire2);
    }
    result->points.resize(static_cast<std::size_t>(grid.points));
    m_doc.CalcRezGraImpedances(*result);

    const CElement& first = *elements.front();
    const CElement& last = *elements.back();
    const int n = first.wirePositions;
    const int start = first.type == kEndLoad ? 1 : 0;
    AllocateSpanVectors(elements);

    PointRun run;
    run.start = start;
    run.n = n;
    run.first = &first;
    run.last = &last;
    run.result = result.get();
    run.freqs.resize(std::size_t(grid.points));
    double f = grid.startHz;
    for (double& point : run.freqs) {
        point = f;
        f = f + in.step * 1000.0f;
    }
    run.regenerateSpans = request.regenerateSpans;
    run.threads = CalcThreadCount(request.threads);
    run.progress = progress;
    const bool done = RunFrequencyPoints(run);
    if (!done && !g_MatError)
        g_MatError = 2;
    g_pSpanVectors.clear();
    g_nSpanVector = 0;
    g_pCurLineRec = nullptr;

    if (!done)
        return outcome;
    m_doc.AddResponseResult(std::move(result));
    outcome.status = CalcStatus::Done;
    outcome.statusText = kCalcDoneText;
    return outcome;
}

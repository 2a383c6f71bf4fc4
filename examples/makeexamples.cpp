// Makes the files of examples/: the catalog of typical items and three
// channels built from it, each calculated over its frequency range with the
// result kept in the task.  The channels are placed element by element with
// the editor's own structure walk (so their wires, maps and cells are those
// the scheme editor gives), their data are copies of the catalog's items,
// and each is checked and calculated after it was written and read back, as
// the program would calculate the opened file.
//
// Usage: kestrin_makeexamples <folder>   (the repository's examples/)
// The output is the same on every run: fixed data, a fixed result name and
// the calculation's own bit-for-bit sweep.
#include "examples/examplecatalog.h"
#include "examples/examplefiles.h"

#include "bench/goldenmatch.h"

#include "app/structreplay.h"
#include "app/structwalk.h"
#include "app/wiredialoghost.h"
#include "calc/calcrun.h"
#include "model/branches.h"
#include "model/conductors.h"
#include "model/coupling.h"
#include "model/document.h"
#include "model/lines.h"
#include "model/modelglobals.h"
#include "model/shunts.h"
#include "platform/messages.h"
#include "platform/modal.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using namespace examplenames;

namespace {

// 01.12.26 10:00 UTC: the name of every stored result.
constexpr std::time_t kRunTime = 1796119200;

// The wire choice of a tap or a bypass: every wire of the line goes on (a
// single-circuit line offers no other choice); a bypass stands at a
// substation.
class AllWires : public WireDialogHost {
public:
    int RunOtvetDlg(CElement& e, int) override
    {
        e.circuitsPart = e.circuits;
        e.groundWiresPart = e.groundWires;
        std::copy(std::begin(e.inMap), std::end(e.inMap), e.outMap);
        if (CEObhod* b = e.Data<CEObhod>()) {
            std::fill(std::begin(b->flags), std::end(b->flags), std::uint8_t(1));
            b->selectionMode = 0;
            b->kind = 0;
            b->n = e.wirePositions;
        } else if (COtvet* t = e.Data<COtvet>()) {
            std::fill(std::begin(t->flags), std::end(t->flags), std::uint8_t(1));
            t->selectionMode = 0;
            t->count = e.wirePositions;
        }
        return IDOK;
    }
    int RunRazvetvDlg(CElement&) override { throw std::logic_error("the examples have no branching"); }
    int RunIzmProvDlg(WireCountChoice&) override { throw std::logic_error("the examples change no wire count"); }
};

// Every message the editors, the walk or the calculation show goes to the
// generator's error output.
class PrintedMessages : public MessageSink {
public:
    PrintedMessages() { SetMessageSink(this); }
    ~PrintedMessages() override { SetMessageSink(nullptr); }
    MsgAnswer show(const std::string& text, const std::string& caption, MsgIcon, MsgButtons, MsgAnswer) override
    {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        return MsgAnswer::Ok;
    }
};

// A task being placed on the scheme's grid, from cell (1, 3) to the right.
class Channel {
public:
    Channel(const char* title, int groundWires) : m_walk(m_doc, m_state, &m_wires)
    {
        ResetModelGlobals();
        g_pDoc = &m_doc;
        m_doc.title = title;
        m_doc.circuits = 1;
        m_doc.groundWires = std::uint8_t(groundWires);
        m_doc.conductorCount = std::uint8_t(3 + groundWires);
        m_doc.basePath = kExampleCatalog;
        g_bDC = 0;
        g_nConductors = m_doc.conductorCount;
        StructureReplay(m_doc, m_state, false).Run();
    }
    ~Channel() { g_pDoc = nullptr; }

    // Places an element with its data at a cell and marks its parameters
    // entered; returns it as placed.
    template <class Data>
    CElement& Place(int type, int x, int y, Data data)
    {
        CElement tmpl;
        tmpl.SetType(type);
        tmpl.data = std::make_unique<Data>(std::move(data));
        return PlaceTemplate(tmpl, x, y);
    }
    // An element whose data the wire choice makes (a tap, a bypass).
    CElement& PlaceMarker(int type, int x, int y)
    {
        CElement tmpl;
        tmpl.SetType(type);
        return PlaceTemplate(tmpl, x, y);
    }

    // The wire position of a conductor at the chain end.
    int PositionOf(int code) const
    {
        for (int i = 0; i < kMaxWires; ++i)
            if (m_state.wireMap[i] == code)
                return i;
        throw std::logic_error("no such conductor at the chain end");
    }

    // Writes the task, reads it back and checks it as the program does
    // before a run, calculates it and writes it with the result.
    void SaveCalculated(const std::string& path, const CalcRequest& request)
    {
        if (!StructureReplay(m_doc, m_state, false).Run())
            throw std::runtime_error(path + ": the chain is broken: " + m_state.brokenReason);
        Write(m_doc, path);

        CKestrinDoc doc;
        g_pDoc = &doc;
        std::string error;
        if (!doc.OpenTaskFile(path, error))
            throw std::runtime_error(path + ": " + error);
        std::vector<CElement*> elements;
        for (auto& e : doc.elements)
            elements.push_back(e.get());
        const std::string refusal = CheckCalcElements(elements);
        if (!refusal.empty())
            throw std::runtime_error(path + ": " + refusal);
        {
            CalcSession session(doc);
            session.SetClock([] { return kRunTime; });
            // A refused request names wires the channel's ends do not offer.
            const CalcStatus status = session.Run(request).status;
            if (status != CalcStatus::Done)
                throw std::runtime_error(path + (status == CalcStatus::Refused ? ": the wires of the run are refused"
                                                                                  : ": the calculation failed"));
        }
        Write(doc, path);
        g_pDoc = &m_doc;
        const CRezGra& result = *doc.responseResults.back();
        auto [low, high] = std::minmax_element(result.points.begin(), result.points.end(),
                                               [](const CRezGraPoint& a, const CRezGraPoint& b) {
                                                   return a.transfer.re < b.transfer.re;
                                               });
        std::printf("%s: %zu points, %.1f-%.1f kHz, attenuation %.2f dB (%g kHz) to %.2f dB (%g kHz)\n",
                    path.c_str(), result.points.size(), result.startFreq / 1000, result.endFreq / 1000,
                    low->transfer.re, low->freq / 1000, high->transfer.re, high->freq / 1000);
    }

private:
    CElement& PlaceTemplate(CElement& tmpl, int x, int y)
    {
        tmpl.cellX = x;
        tmpl.cellY = y;
        PlacedElement placed;
        if (!m_walk.AddElement(tmpl, placed))
            throw std::runtime_error(m_doc.title + ": element refused: " + m_walk.Problem());
        CElement& e = *m_doc.elements[std::size_t(placed.index)];
        e.entered = 1;
        if (CUpr* upr = e.Data<CUpr>())
            upr->wires = e.wirePositions;
        return e;
    }

    static void Write(CKestrinDoc& doc, const std::string& path)
    {
        std::string error;
        if (!doc.SaveTaskFile(path, error))
            throw std::runtime_error(path + ": " + error);
    }

    CKestrinDoc m_doc;
    StructureState m_state;
    AllWires m_wires;
    StructureWalk m_walk;
};

// One wire of a line section: its catalog wire, sag and bundle.
struct LineWire {
    const CProvod* type;
    double sag;  // m
    std::uint8_t bundle = 1;
    double bundleStep = 0.0;  // m
};

// An overhead line section over the tower's points, Carson's earth of
// 100 ohm*m (a usual mean for loam and clay soils).
CVLine LineSection(const COpora& tower, const std::vector<LineWire>& wires, int phaseWires, double lengthKm)
{
    CVLine line;
    line.tower = tower;
    line.wireCount = std::uint8_t(wires.size());
    line.wires = line.wireCount;
    line.phaseWires = std::uint8_t(phaseWires);
    line.earthModel = 1;
    line.earthRho1 = 100.0;
    line.earthEps1 = 10.0;
    line.length = lengthKm * 1000.0;
    std::vector<CVLProv> array;
    for (const LineWire& w : wires) {
        CVLProv p;
        p.wireType = *w.type;
        p.sag = w.sag;
        p.bundleCount = w.bundle;
        p.bundleStep = w.bundleStep;
        array.push_back(p);
    }
    line.wireArray = std::move(array);
    return line;
}

// A coupling device on each listed wire: filter, HF cable of that length
// and the 75 ohm input of the HF equipment at the cable's far end.
CUpr Coupling(const CBase& base, const char* filter, std::vector<int> wires, double cableLength)
{
    CUpr upr;
    for (int w : wires) {
        CPrisoed d;
        d.wire = std::uint8_t(w);
        d.r = 75.0;
        d.cableLength = cableLength;
        d.filter = FindFilter(base, filter);
        d.cable = FindHfCable(base, kHfCable);
        upr.devices.push_back(d);
    }
    return upr;
}

// Line traps in series with one wire.
CEShunt Traps(const CBase& base, const char* trap, int wire)
{
    CEShunt s;
    s.trapKind = 1;
    CShunt b;
    b.firstWire = b.secondWire = std::uint8_t(wire);
    b.trap = FindTrap(base, trap);
    s.branches.push_back(b);
    s.count = 1;
    return s;
}

// The frequency step of a sweep over a route of the given length.  The
// signal takes tau = length / c to cross the route, so its phase turns by
// tau * df per step and the reflections between the route's ends ripple the
// response with a period of 1 / (2 tau).  A step of at most a quarter of
// that period, 1 / (8 tau), draws each ripple with four points and keeps the
// phase step within an eighth of a turn, well inside the half turn the group
// delay can tell apart.  The step is that bound rounded down to a power of
// two of a kHz, exact in the float the request holds.
double StepKHzFor(double routeKm)
{
    constexpr double kLightKmPerMs = 299.792458;
    const double tauMs = routeKm / kLightKmPerMs;
    const double boundKHz = 1.0 / (8.0 * tauMs);
    double step = 1.0;
    while (step > boundKHz)
        step /= 2.0;
    return step;
}

CalcRequest Range(double startKHz, double endKHz, double stepKHz, int mode, const std::vector<int>& txWires,
                  const std::vector<int>& rxWires)
{
    CalcRequest r;
    r.frequencies.mode = 1;
    r.frequencies.start = float(startKHz);
    r.frequencies.end = float(endKHz);
    r.frequencies.step = float(stepKHz);
    r.mode = mode;
    r.txWire1 = txWires.at(0);
    r.rxWire1 = rxWires.at(0);
    r.txWire2 = txWires.size() > 1 ? txWires[1] : 0;
    r.rxWire2 = rxWires.size() > 1 ? rxWires[1] : 0;
    r.threads = 1;
    return r;
}

// 110 kV, 60 km, phase A to earth, a coupling device at each end.
void Make110(const CBase& base, const std::string& folder)
{
    const CProvod& phase = FindPhaseWire(base, kWire120);
    const CProvod& ground = FindGroundWire(base, kGroundWire);
    Channel ch("ВЛ 110 кВ, 60 км, фаза - земля", 1);
    ch.Place(kCouplingDevice, 1, 3, Coupling(base, kHighPassFilter, {0}, 150.0));
    ch.Place(kOverheadLine, 2, 3,
             LineSection(FindTower(base, kTower110), {{&phase, 4.5}, {&phase, 4.5}, {&phase, 4.5}, {&ground, 3.5}},
                         3, 60.0));
    ch.Place(kCouplingDevice, 3, 3, Coupling(base, kHighPassFilter, {0}, 200.0));
    const ExampleTask& task = kExampleTasks[0];
    ch.SaveCalculated(folder + "/" + task.file, Range(100, 500, StepKHzFor(task.lengthKm), kWireToGround, {0}, {0}));
}

// 220 kV, phase A to earth: 45 km to an intermediate substation bypassed
// over its busbars with line traps in phase A on both sides, then 55 km to
// the far end with a 15 km tap 30 km after the substation.  A smaller trap
// at the tap's start keeps the tap from the channel.
void Make220(const CBase& base, const std::string& folder)
{
    const CProvod& phase = FindPhaseWire(base, kWire240);
    const CProvod& ground = FindGroundWire(base, kGroundWire);
    const COpora& tower = FindTower(base, kTower220);
    const std::vector<LineWire> wires = {{&phase, 8.0}, {&phase, 8.0}, {&phase, 8.0}, {&ground, 6.5}};
    Channel ch("ВЛ 220 кВ, 100 км, обход и отпайка, фаза - земля", 1);
    ch.Place(kCouplingDevice, 1, 3, Coupling(base, kBandPassFilter, {0}, 250.0));
    ch.Place(kOverheadLine, 2, 3, LineSection(tower, wires, 3, 45.0));

    // The bypass's wires are chosen as it is placed; its parameters follow.
    CElement& bypassElement = ch.PlaceMarker(kBypass, 3, 3);
    CEObhod& bypass = *bypassElement.Data<CEObhod>();
    // The choice as the sheet keeps it: a flag for each wire of the line
    // (none for the positions beyond), and the wires' conductor codes.
    std::fill(std::begin(bypass.flags), std::end(bypass.flags), std::uint8_t(0));
    std::fill_n(bypass.flags, bypass.n, std::uint8_t(1));
    std::copy_n(bypassElement.outMap, bypass.n, bypass.map);
    bypass.traps[0] = Traps(base, kTrap1250, 0);
    bypass.traps[1] = Traps(base, kTrap1250, 0);
    // Busbars and the equipment on them: about 5 nF to earth per phase and
    // 0.3 nF between phases.  The ground wire does not come down onto the
    // busbars: its pairs hold none.
    bypass.equivalentCapacitance = 5e-9;
    auto onBusbars = [&](int k) { return !IsGroundCode(bypassElement.inMap[k]); };
    std::vector<double> mutual;
    for (int a = 0; a < bypass.n; ++a)
        for (int b = a + 1; b < bypass.n; ++b)
            mutual.push_back(onBusbars(a) && onBusbars(b) ? 0.3e-9 : 0.0);
    bypass.triangle = std::move(mutual);
    CObhod around;
    around.filters[0] = around.filters[1] = FindFilter(base, kBandPassFilter);
    around.cables[0] = around.cables[1] = FindHfCable(base, kHfCable);
    around.lengthBefore = around.lengthAfter = 100.0;
    bypass.lines.push_back(around);

    ch.Place(kOverheadLine, 4, 3, LineSection(tower, wires, 3, 30.0));
    ch.PlaceMarker(kTap, 5, 3);
    ch.Place(kSeriesImpedance, 5, 4, Traps(base, kTrap630, 0));
    ch.Place(kOverheadLine, 5, 5, LineSection(tower, wires, 3, 15.0));
    CNagrOtv tapEnd;
    tapEnd.mode = 2;  // the tap substation's busbars and transformer: about 3 nF
    tapEnd.capacitance = 3e-9;
    ch.Place(kTapLoad, 5, 6, tapEnd);
    ch.Place(kOverheadLine, 6, 3, LineSection(tower, wires, 3, 25.0));
    ch.Place(kCouplingDevice, 7, 3, Coupling(base, kBandPassFilter, {0}, 300.0));
    const ExampleTask& task = kExampleTasks[1];
    ch.SaveCalculated(folder + "/" + task.file, Range(100, 300, StepKHzFor(task.lengthKm), kWireToGround, {0}, {0}));
}

// 500 kV, 250 km, phase A to phase C: phases of three АС 300/39 wires
// 0.4 m apart and a full transposition cycle: three transpositions over
// sections of 40, 85, 85 and 40 km, so that each phase hangs in each place
// for about a third of the route and all are back in their places at the
// far end.
void Make500(const CBase& base, const std::string& folder)
{
    const CProvod& phase = FindPhaseWire(base, kWire300);
    const CProvod& ground = FindGroundWire(base, kGroundWire500);
    const COpora& tower = FindTower(base, kTower500);
    const LineWire bundle{&phase, 12.0, 3, 0.4};
    const std::vector<LineWire> wires = {bundle, bundle, bundle, {&ground, 9.0}, {&ground, 9.0}};
    Channel ch("ВЛ 500 кВ, 250 км, фаза - фаза", 2);
    // Phases A and C sit at wire positions 0 and 2 (B between them).
    const std::vector<int> phasesAC = {0, 2};
    ch.Place(kCouplingDevice, 1, 3, Coupling(base, kBandPassFilter, phasesAC, 300.0));
    // Each transposition moves every phase one place along: the wire in
    // place 1 to place 2, 2 to 3, 3 to 1; the ground wires stay.
    CTransp step;
    step.count = 5;
    step.permutation = std::vector<std::uint8_t>{1, 2, 0, 3, 4};
    const double sections[] = {40.0, 85.0, 85.0, 40.0};
    int x = 2;
    for (double km : sections) {
        if (x > 2)
            ch.Place(kTransposition, x++, 3, step);
        ch.Place(kOverheadLine, x++, 3, LineSection(tower, wires, 3, km));
    }
    // After the whole cycle the phases arrive where they started.
    if (std::vector<int>{ch.PositionOf(0), ch.PositionOf(2)} != phasesAC)
        throw std::logic_error("the transposition cycle does not close");
    ch.Place(kCouplingDevice, x, 3, Coupling(base, kBandPassFilter, phasesAC, 300.0));
    const ExampleTask& task = kExampleTasks[2];
    ch.SaveCalculated(folder + "/" + task.file,
                      Range(100, 400, StepKHzFor(task.lengthKm), kWireToWire, phasesAC, phasesAC));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    // The result names are the run's local time: make it the same everywhere.
    setenv("TZ", "UTC", 1);
    tzset();
    const std::string folder = argv[1];
    PrintedMessages messages;
    try {
        std::filesystem::create_directories(folder);
        CBase base;
        BuildExampleCatalog(base);
        std::string error;
        if (!SaveBaseFile(folder + "/" + kExampleCatalog, base, error))
            throw std::runtime_error(error);
        Make110(base, folder);
        Make220(base, folder);
        Make500(base, folder);
        std::ofstream(folder + "/" + kExampleFingerprint) << MathFingerprint() << "\n";
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kestrin_makeexamples: %s\n", e.what());
        return 1;
    }
    return 0;
}

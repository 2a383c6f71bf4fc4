#include "bench/benchchannels.h"

#include "model/branches.h"
#include "model/coupling.h"
#include "model/element.h"
#include "model/lines.h"
#include "model/modelglobals.h"
#include "model/shunts.h"

#include <utility>
#include <vector>

namespace {

using Points = std::vector<std::pair<double, double>>;

struct Wire {
    double x, y;
    int code;
    bool ground;
};

// Two circuits on one tower, two ground wires on top.
std::vector<Wire> TwoCircuitTower()
{
    return {{-4.0, 20.0, 0, false}, {-6.5, 24.0, 1, false}, {-4.0, 28.0, 2, false},
            {4.0, 20.0, 4, false},  {6.5, 24.0, 5, false},  {4.0, 28.0, 6, false},
            {-2.5, 33.0, 3, true},  {2.5, 33.0, 7, true}};
}

// Thirteen circuits side by side (a corridor of lines on a common right of
// way), each a triangle of its own, and a ground wire.
std::vector<Wire> FortyWireTower()
{
    std::vector<Wire> w;
    const double dx[3] = {-3.1, 0.4, 3.3}, dy[3] = {19.0, 26.5, 21.7};
    for (int i = 0; i < 39; ++i) {
        const int c = i / 3, p = i % 3;
        w.push_back({-60.0 + 10.3 * c + dx[p], dy[p] + 0.37 * c, 4 * c + p, false});
    }
    w.push_back({1.7, 33.0, 3, true});
    return w;
}

// A single-circuit line with one ground wire.
std::vector<Wire> SingleCircuitTower()
{
    return {{-5.0, 20.0, 0, false}, {0.0, 20.0, 1, false}, {5.0, 20.0, 2, false}, {0.0, 27.0, 3, true}};
}

CElement& Append(CKestrinDoc& doc, int type, const std::vector<Wire>& wires, std::unique_ptr<CElementData> data)
{
    auto e = std::make_unique<CElement>();
    e->type = std::uint8_t(type);
    e->wirePositions = std::uint8_t(wires.size());
    e->entered = 1;
    int ground = 0;
    for (std::size_t i = 0; i < wires.size(); ++i) {
        e->inMap[i] = e->outMap[i] = wires[i].code;
        ground += wires[i].ground ? 1 : 0;
    }
    e->groundWires = std::uint8_t(ground);
    e->circuits = std::uint8_t((wires.size() - std::size_t(ground)) / 3);
    e->conductors = std::uint8_t(wires.size());
    e->data = std::move(data);
    CElement& ref = *e;
    doc.AppendElement(std::move(e));
    return ref;
}

CProvod HfCable()
{
    CProvod c;
    c.name = "РК-75";
    c.radius = 1.5e-4;  // dB/(m*sqrt(kHz))
    c.twist = 2e8;      // m/s
    c.resistivity = 75;
    return c;
}

// Coupling filter of scheme 3: a series resonant circuit and a matching
// transformer.
CFiltr Filter()
{
    CFiltr f;
    f.name = "ФП-3";
    f.type = 3;
    f.nC = CFiltr::kCapCount[3];
    f.nL = CFiltr::kIndCount[3];
    f.C[0] = 4.4e-9;
    f.L[0] = 0.2e-3;
    f.C[1] = 1e-10;
    f.R = 5.0;
    f.ratio = 0.5;
    return f;
}

CZagrad Trap()
{
    CZagrad t;
    t.name = "ВЗ-630-0.5";
    t.L1 = 0.5e-3;
    t.C3 = 5e-9;
    t.R = 600;
    return t;
}

std::unique_ptr<CUpr> CouplingDevice(int wire)
{
    auto upr = std::make_unique<CUpr>();
    CPrisoed d;
    d.wire = std::uint8_t(wire);
    d.r = 75;
    d.filter = Filter();
    d.cable = HfCable();
    d.cableLength = 300;
    upr->devices.push_back(d);
    return upr;
}

std::unique_ptr<CVLine> Line(const std::vector<Wire>& wires, double length, std::uint8_t earthModel)
{
    auto v = std::make_unique<CVLine>();
    v->tower.name = "П220-2";
    v->tower.count = std::uint8_t(wires.size());
    for (const Wire& w : wires) {
        v->tower.x.push_back(w.x);
        v->tower.y.push_back(w.y);
    }
    v->wires = v->wireCount = std::uint8_t(wires.size());
    v->phaseWires = 0;
    v->earthModel = earthModel;
    v->earthRho1 = 100;
    v->earthEps1 = 10;
    v->length = length;
    v->wireArray.emplace();
    for (const Wire& w : wires) {
        CVLProv p;
        p.sag = 6.0;
        if (w.ground) {
            p.wireType.name = "С-70";
            p.wireType.radius = 0.0055;
            p.wireType.twist = 1.0;
            p.wireType.resistivity = 1.9e-7;
        } else {
            ++v->phaseWires;
            p.wireType.name = "АС-300/39";
            p.wireType.radius = 0.012;
            p.wireType.twist = 1.0;
            p.wireType.resistivity = 3e-8;
        }
        v->wireArray->push_back(p);
    }
    return v;
}

std::unique_ptr<CEObhod> SubstationBypass(const std::vector<Wire>& wires)
{
    auto b = std::make_unique<CEObhod>();
    const int n = int(wires.size());
    b->n = std::uint8_t(n);
    b->kind = 0;
    b->equivalentCapacitance = 5e-9;
    b->triangle = std::vector<double>(CEObhod::TriangleSize(n), 2e-10);
    for (int side = 0; side < 2; ++side) {
        CShunt trap;
        trap.trap = Trap();
        b->traps[side].branches.push_back(trap);
        b->traps[side].trapKind = 1;
    }
    CObhod line;
    line.equipment = 1;
    line.r = 2000;
    line.filters[0] = line.filters[1] = Filter();
    line.cables[0] = line.cables[1] = HfCable();
    line.lengthBefore = 150;
    line.lengthAfter = 200;
    b->lines.push_back(line);
    return b;
}

void BuildTwoCircuit(CKestrinDoc& doc, std::uint8_t earthModel)
{
    const std::vector<Wire> w = TwoCircuitTower();
    Append(doc, kCouplingDevice, w, CouplingDevice(0));
    Append(doc, kOverheadLine, w, Line(w, 20e3, earthModel));
    Append(doc, kBypass, w, SubstationBypass(w));
    Append(doc, kOverheadLine, w, Line(w, 35e3, earthModel));
    auto t = std::make_unique<CTransp>();
    t->count = 8;
    t->permutation = std::vector<std::uint8_t>{1, 2, 0, 4, 5, 3, 6, 7};
    Append(doc, kTransposition, w, std::move(t));
    Append(doc, kOverheadLine, w, Line(w, 20e3, earthModel));
    Append(doc, kCouplingDevice, w, CouplingDevice(0));
}

void BuildFortyWires(CKestrinDoc& doc)
{
    const std::vector<Wire> w = FortyWireTower();
    Append(doc, kCouplingDevice, w, CouplingDevice(0));
    Append(doc, kOverheadLine, w, Line(w, 30e3, 1));
    Append(doc, kCouplingDevice, w, CouplingDevice(0));
}

void BuildTowerInfluence(CKestrinDoc& doc)
{
    const std::vector<Wire> w = SingleCircuitTower();
    const int n = int(w.size());
    Append(doc, kCouplingDevice, w, CouplingDevice(0));
    auto line = Line(w, 300 * 300.0, 1);
    line->inhomogeneity = 1;
    line->pieces = 300;
    line->spanMean = 300;
    line->spanDeviation = 40;
    line->matrix.name = "М-П110";
    line->matrix.n = std::uint8_t(n);
    line->matrix.cap.assign(CMatrix::PackedSize(n), -3e-12);
    for (int i = 0; i < n; ++i)
        line->matrix.cap[CMatrix::PackedIndex(n, i, i)] = 35e-12;
    line->matrix.res.assign(std::size_t(n), 12.0);
    std::vector<std::uint8_t> spans(300);
    for (std::size_t i = 0; i < spans.size(); ++i)
        spans[i] = std::uint8_t((i * 97 + 31) % 256);  // a fixed run of spans
    line->spanValues = spans;
    Append(doc, kOverheadLine, w, std::move(line));
    Append(doc, kCouplingDevice, w, CouplingDevice(0));
}

} // namespace

const char* BenchChannelName(BenchChannel c)
{
    switch (c) {
    case BenchChannel::TwoCircuitRefinedEarth:
        return "8 wires, refined earth";
    case BenchChannel::TwoCircuitCarson:
        return "8 wires, Carson";
    case BenchChannel::FortyWires:
        return "40 wires";
    case BenchChannel::TowerInfluence:
        return "300 random spans";
    }
    return "";
}

std::unique_ptr<CKestrinDoc> BuildBenchChannel(BenchChannel c)
{
    ResetModelGlobals();
    auto doc = std::make_unique<CKestrinDoc>();
    g_pDoc = doc.get();
    switch (c) {
    case BenchChannel::TwoCircuitRefinedEarth:
        BuildTwoCircuit(*doc, 0);
        break;
    case BenchChannel::TwoCircuitCarson:
        BuildTwoCircuit(*doc, 1);
        break;
    case BenchChannel::FortyWires:
        BuildFortyWires(*doc);
        break;
    case BenchChannel::TowerInfluence:
        BuildTowerInfluence(*doc);
        break;
    }
    doc->conductorCount = doc->elements.front()->wirePositions;
    return doc;
}

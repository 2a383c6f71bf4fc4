// Sample element data of every kind, filled with distinct values so that a
// round trip shows any field that is lost or swapped.
#pragma once

#include "model/branches.h"
#include "model/coupling.h"
#include "model/lines.h"
#include "model/results.h"
#include "model/shunts.h"
#include "modeltest.h"

inline CVLine MakeVLine(int inhomogeneity = 0, double length = 1000.0)
{
    CVLine v;
    v.tower = MakeTower("П110", {{-4.2, 19.0}, {4.2, 19.0}, {0.0, 23.0}, {-2.0, 27.0}, {2.0, 27.0}});
    v.wires = 5;
    v.phaseWires = 3;
    v.wireCount = 5;
    v.ice = 1;
    v.inhomogeneity = std::uint8_t(inhomogeneity);
    v.earthModel = 3;
    v.pieces = 4;
    v.iceTemperature = -5.0;
    v.iceFactor = 0.8;
    v.spanDeviation = 25.0;
    v.earthRho1 = 100.0;
    v.earthRho2 = 1000.0;
    v.earthEps1 = 10.0;
    v.earthEps2 = 5.0;
    v.layerDepth = 3.0;
    v.spanMean = 250.0;
    v.length = length;
    if (inhomogeneity != 0)
        v.matrix = MakeMatrix("М5", 5);
    if (inhomogeneity == 1)
        v.spanValues = std::vector<std::uint8_t>{12, 200, 3, 77};
    v.wireArray.emplace();
    for (int i = 0; i < 5; ++i) {
        CVLProv w;
        w.sag = i < 3 ? 6.5 : 4.0;
        w.bundleStep = 0.4;
        w.bundleCount = i < 3 ? 2 : 1;
        w.iceThickness = 0.01;
        w.iceDensity = 0.9;
        w.wireType = i < 3 ? MakeWire("АС-300", 0.012) : MakeWire("С-70", 0.0055);
        v.wireArray->push_back(w);
    }
    return v;
}

inline CKLine MakeKLine(int circuits = 2, int pipe = 0)
{
    CKLine k;
    k.circuits = std::uint8_t(circuits);
    k.pipe = std::uint8_t(pipe);
    k.elementWires = std::uint8_t(3 * circuits);
    k.rho = pipe ? 1.5e-7 : 100.0;
    k.pipeRadius = 0.1;
    k.pipeMu = 200.0;
    k.length = 1500.0;
    k.symmetry = -1;
    k.pipeCable.name = "МНСК";
    k.pipeCable.coreRadius = 0.01;
    k.solidCable = MakeSolidCable("АПвП");
    for (int i = 0; i < k.CableCount(); ++i) {
        k.x[i] = 0.1 * i;
        k.y[i] = 1.2 + 0.01 * i;
    }
    return k;
}

inline CShunt MakeShunt(int first, int second)
{
    CShunt s;
    s.firstWire = std::uint8_t(first);
    s.secondWire = std::uint8_t(second);
    s.r = 10.0 + first;
    s.l = 1e-3;
    s.c = 2e-9;
    s.trap = MakeTrap("ВЗ-" + std::to_string(first), first % 3);
    return s;
}

inline CEShunt MakeEShunt(int branches, int trapKind = 1)
{
    CEShunt e;
    e.capacitance = 5e-9;
    e.trapKind = std::uint8_t(trapKind);
    for (int i = 0; i < branches; ++i)
        e.branches.push_back(MakeShunt(i, i));
    e.count = std::uint8_t(branches);
    return e;
}

inline CPrisoed MakePrisoed(int wire, int filterType)
{
    CPrisoed p;
    p.wire = std::uint8_t(wire);
    p.polarity = std::uint8_t(wire % 2);
    p.r = 75.0;
    p.l = 1e-6;
    p.c = 1e-12;
    p.cableLength = 120.0 + wire;
    p.filter = MakeFilter("ФП-" + std::to_string(filterType), filterType);
    p.cable = MakeWire("РК-75", 0.0001, 2e8, 75.0);
    return p;
}

inline CObhod MakeObhod(int before, int after)
{
    CObhod o;
    o.wireBefore = std::uint8_t(before);
    o.wireAfter = std::uint8_t(after);
    o.equipment = 1;
    o.polarity2 = 1;
    o.r = 75.0;
    o.l = 2e-6;
    o.c = 3e-12;
    o.lengthBefore = 50.0;
    o.lengthAfter = 60.0;
    o.filters[0] = MakeFilter("ФП-6", 6);
    o.filters[1] = MakeFilter("ФП-2", 2);
    o.cables[0] = MakeWire("РК-75", 0.0001, 2e8, 75.0);
    o.cables[1] = MakeWire("РК-50", 0.0002, 2e8, 50.0);
    return o;
}

inline CEObhod MakeEObhod(int kind = 2)
{
    CEObhod e;
    e.n = 3;
    e.selectionMode = 1;
    e.kind = std::uint8_t(kind);
    for (int i = 0; i < kMaxWires; ++i) {
        e.flags[i] = i < 3 ? 1 : 0;
        e.map[i] = i < 4 ? i : -1;
    }
    e.insideDoubling = 1;
    e.equivalentCapacitance = 4e-9;
    e.triangle = std::vector<double>{1e-10, 2e-10, 3e-10};
    // As the bypass sheet leaves them: the kind byte of a bypass's trap parts
    // stays at its default, 0; they hold line traps all the same.
    e.traps[0] = MakeEShunt(2, 0);
    e.traps[1] = MakeEShunt(1, 0);
    e.lines = {MakeObhod(0, 0), MakeObhod(1, 2)};
    if (kind == 2)
        e.cableInsert = std::make_unique<CKLine>(MakeKLine(1));
    return e;
}

inline COtvet MakeOtvet(int count)
{
    COtvet o;
    o.selectionMode = 2;
    o.count = std::uint8_t(count);
    for (int i = 0; i < kMaxWires; ++i) {
        o.flags[i] = i % 2;
        o.map[i] = i < 8 ? 7 - i : -1;
    }
    return o;
}

inline CEndMod MakeEndMod(int count)
{
    CEndMod e;
    e.kind = 4;
    e.count = std::uint8_t(count);
    e.r.emplace();
    e.l.emplace();
    e.c.emplace();
    for (int i = 0; i < count; ++i) {
        e.r->push_back(100.0 + i);
        e.l->push_back(1e-3 * (i + 1));
        e.c->push_back(1e-9 * (i + 1));
    }
    return e;
}

inline CNagruz MakeNagruz(std::initializer_list<double> values)
{
    CNagruz n;
    n.values = values;
    n.count = std::uint8_t(n.values.size());
    return n;
}

inline CRezGra MakeResponse(int mode, int n)
{
    CRezGra r;
    r.name = "05.03.24 14:30";
    r.startFreq = 24000.0;
    r.endFreq = 24000.0 + 1000.0 * (n - 1);
    r.txWire1 = 0;
    r.txWire2 = 1;
    r.rxWire1 = 2;
    r.rxWire2 = 2;
    r.mode = std::uint8_t(mode);
    r.resistance = mode == 3 ? 600.0 : 0.0;
    r.zEndLeft = 75.0;
    r.label = "1A-2B";
    for (int i = 0; i < n; ++i) {
        CRezGraPoint p;
        p.freq = r.startFreq + 1000.0 * i;
        p.transfer = CComplex(20.0 + i, -1.5 * i);
        p.zLeft = CComplex(400.0 + i, 30.0);
        p.zRight = CComplex(380.0, -20.0 - i);
        r.points.push_back(p);
    }
    return r;
}

inline CRezMod MakeModal(int m)
{
    CRezMod r;
    r.name = "05.03.24 14:31";
    r.position = 3;
    r.freq = 100000.0;
    r.m = std::uint8_t(m);
    r.AllocArrays();
    for (int i = 0; i < m * m; ++i) {
        r.V[std::size_t(i)] = CComplex(i, 0.5);
        r.U[std::size_t(i)] = CComplex(-i, 1.5);
    }
    for (int i = 0; i < m; ++i) {
        r.gamma[std::size_t(i)] = CComplex(1e-6 * (i + 1), 2e-3);
        r.y[std::size_t(i)] = CComplex(0.0025, -1e-5 * i);
    }
    return r;
}


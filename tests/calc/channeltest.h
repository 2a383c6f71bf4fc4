// Helpers of the channel tests: a document installed as the open task,
// elements of every kind built in a few lines, and the resistive networks whose
// results an engineer can check by hand.
#pragma once

#include "calc/calcrun.h"
#include "calc/linecache.h"
#include "math/matrix.h"
#include "model/branches.h"
#include "model/coupling.h"
#include "model/document.h"
#include "model/element.h"
#include "model/lines.h"
#include "model/modelglobals.h"
#include "model/shunts.h"
#include "platform/messages.h"
#include "calctest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

namespace channeltest {

// Conductor code of phase wire i when every wire is a phase wire: circuits of
// three, "A", "B", "C", then "1A" ... from the second circuit on.
inline int PhaseCode(int i)
{
    return 4 * (i / 3) + i % 3;
}

// Working attenuation, dB, of a network of input impedance zIn seen from a
// source of resistance rs whose load rl receives the voltage ratio v2/e.
inline double WorkingAttenuation(double rs, double rl, double v2OverE)
{
    return 20.0 * std::log10(1.0 / (2.0 * std::fabs(v2OverE)) * std::sqrt(rl / rs));
}

// A CHF cable of the catalog: attenuation dB/(m*sqrt(kHz)), speed m/s, wave impedance ohm.
inline CProvod HfCable(double a = 1e-4, double v = 2e8, double zc = 75.0)
{
    CProvod c;
    c.name = "РК-75";
    c.radius = a;
    c.twist = v;
    c.resistivity = zc;
    return c;
}

// A coupling filter of scheme 3 that is a plain series resistor (the other
// parts absent, ratio 1).
inline CFiltr ResistorFilter(double r)
{
    CFiltr f;
    f.name = "ФП-R";
    f.type = 3;
    f.R = r;
    f.ratio = 1.0;
    return f;
}

// A line trap of scheme 0: reactor 0.5 mH tuned by 5 nF, damped by 600 ohm.
inline CZagrad LineTrap()
{
    CZagrad t;
    t.name = "ВЗ-630";
    t.L1 = 0.5e-3;
    t.C3 = 5e-9;
    t.R = 600;
    return t;
}

// A bypass line from wire `before` to wire `after`: a resistive filter and an
// HF cable on each side.
inline CObhod BypassLine(int before, int after, double filterR = 20.0)
{
    CObhod o;
    o.wireBefore = std::uint8_t(before);
    o.wireAfter = std::uint8_t(after);
    o.filters[0] = o.filters[1] = ResistorFilter(filterR);
    o.cables[0] = HfCable(1e-4, 2e8, 75);
    o.cables[1] = HfCable(2e-4, 1.5e8, 50);
    o.lengthBefore = 300;
    o.lengthAfter = 500;
    return o;
}

// Three phase wires in a row, 7 m apart, 17 m high.
inline const std::vector<double> kRowX = {-7.0, 0.0, 7.0};
inline const std::vector<double> kRowY = {17.0, 17.0, 17.0};

// A document installed as the open task, with every message recorded.
class ChannelTest : public calctest::LineCalcTest {
protected:
    void SetUp() override
    {
        LineCalcTest::SetUp();
        ResetCalcSettings();
        g_pDoc = &doc;
    }
    void TearDown() override
    {
        LineCalcTest::TearDown();
        ResetCalcSettings();
    }

    // Appends an element of the type over n wires with the given codes (phase
    // codes when none are given) on both sides.
    template <class Data>
    Data& Add(int type, int n, std::vector<int> codes = {})
    {
        auto e = std::make_unique<CElement>();
        e->type = std::uint8_t(type);
        e->wirePositions = std::uint8_t(n);
        e->conductors = std::uint8_t(n);
        e->circuits = std::uint8_t(n / 3);
        e->groundWires = std::uint8_t(n % 3);
        e->entered = 1;
        for (int i = 0; i < n; ++i)
            e->inMap[i] = e->outMap[i] = i < int(codes.size()) ? codes[std::size_t(i)] : PhaseCode(i);
        auto data = std::make_unique<Data>();
        Data& ref = *data;
        e->data = std::move(data);
        doc.AppendElement(std::move(e));
        if (doc.conductorCount == 0)
            doc.conductorCount = std::uint8_t(n);
        return ref;
    }
    CElement& Last() { return *doc.elements.back(); }

    CNagruz& AddEndLoad(std::vector<double> r)
    {
        CNagruz& d = Add<CNagruz>(kEndLoad, int(r.size()));
        d.values = std::move(r);
        d.count = std::uint8_t(d.values.size());
        return d;
    }
    // A series element over n wires with resistances on some of them.
    CEShunt& AddSeries(int n, std::initializer_list<std::pair<int, double>> branches)
    {
        CEShunt& d = Add<CEShunt>(kSeriesImpedance, n);
        for (auto [wire, r] : branches) {
            CShunt b;
            b.firstWire = b.secondWire = std::uint8_t(wire);
            b.r = r;
            d.branches.push_back(b);
        }
        d.count = std::uint8_t(d.branches.size());
        return d;
    }
    // A shunt element over n wires: branches (a, b, R), a == b to ground.
    CEShunt& AddShunt(int n, std::initializer_list<std::tuple<int, int, double>> branches)
    {
        CEShunt& d = Add<CEShunt>(kShuntImpedance, n);
        for (auto [a, b, r] : branches) {
            CShunt s;
            s.firstWire = std::uint8_t(a);
            s.secondWire = std::uint8_t(b);
            s.r = r;
            d.branches.push_back(s);
        }
        d.count = std::uint8_t(d.branches.size());
        return d;
    }

    // An overhead line of single wires at the tower points (x, y), with
    // Carson's earth (earth model 1) unless told.
    CVLine& AddLine(const std::vector<double>& x, const std::vector<double>& y, double length,
                    std::uint8_t earth = 1)
    {
        CVLine& v = Add<CVLine>(kOverheadLine, int(x.size()));
        v = calctest::MakeVLine(x, y);
        v.length = length;
        v.earthModel = earth;
        return v;
    }

    // One run at one frequency (kHz) in the given mode and wires.
    CalcOutcome RunOnce(double fKHz, int mode = kWireToGround, int tx1 = 0, int rx1 = 0, int tx2 = 1, int rx2 = 1,
                        double resistance = 0)
    {
        CalcSession session(doc);
        session.SetClock([] { return std::time_t(1700000000); });
        CalcRequest r;
        r.frequencies.mode = 0;
        r.frequencies.single = float(fKHz);
        r.mode = mode;
        r.txWire1 = tx1, r.txWire2 = tx2, r.rxWire1 = rx1, r.rxWire2 = rx2;
        r.resistance = resistance;
        return session.Run(r);
    }
    const CRezGraPoint& LastPoint() const { return doc.responseResults.back()->points.back(); }

    CKestrinDoc doc;
    ScriptedMessages messages;
};

} // namespace channeltest

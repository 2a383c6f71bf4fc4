// The channel with an element of every type (the calculation tests and the
// golden results share it) and its two runs.
#pragma once

#include "channeltest.h"

namespace channeltest {
// Two circuits of three phases: "1A" ... "2C".
inline const std::vector<int> kTwoCircuits = {0, 1, 2, 4, 5, 6};

inline CObhod EquippedBypassLine(int before, int after)
{
    CObhod o = BypassLine(before, after, 15.0);
    o.equipment = 1;
    o.r = 1000;
    return o;
}

class WholeChannelTest : public ChannelTest {
protected:
    void BuildEveryElementType()
    {
        doc.title = "Все элементы";
        doc.circuits = 2;
        doc.conductorCount = 6;
        const std::vector<double> x = {-7, 0, 7, -7, 0, 7}, y = {17, 17, 17, 24, 24, 24};
        AddEndLoad({300, 300, 300, 300, 300, 300});
        AddLine(x, y, 10e3);
        CPrisoed device;
        device.wire = 0;
        device.r = 75;
        device.filter = ResistorFilter(10.0);
        device.cable = HfCable();
        device.cableLength = 100;
        Add<CUpr>(kCouplingDevice, 6).devices = {device};  // inside the chain: a shunt
        Add<CKLine>(kCableLine, 6) = calctest::MakeSolidKLine(2, 1000);
        AddShunt(6, {{0, 0, 1e4}, {1, 4, 2e3}});
        CEShunt& series = AddSeries(6, {{1, 0.0}});
        series.trapKind = 1;
        series.branches[0].trap = LineTrap();
        CTransp& transp = Add<CTransp>(kTransposition, 6);
        transp.count = 6;
        transp.permutation = std::vector<std::uint8_t>{1, 2, 0, 4, 5, 3};

        CEObhod& substation = Add<CEObhod>(kBypass, 6);  // at a substation
        substation.n = 6;
        substation.equivalentCapacitance = 2e-9;
        substation.triangle = std::vector<double>(15, 5e-11);
        for (int side = 0; side < 2; ++side) {
            CShunt b;
            b.firstWire = b.secondWire = 0;
            b.trap = LineTrap();
            substation.traps[side].branches.push_back(b);
            substation.traps[side].trapKind = 1;
        }
        substation.lines = {EquippedBypassLine(0, 0)};

        CEObhod& field = Add<CEObhod>(kBypass, 6);  // in the field, over three wires
        field.n = 3;
        field.kind = 1;
        field.selectionMode = 1;
        std::fill(std::begin(field.flags), std::end(field.flags), 0);
        field.flags[3] = field.flags[4] = field.flags[5] = 1;
        field.lines = {EquippedBypassLine(0, 1)};

        Add<COtvet>(kTap, 6);
        AddLine(x, y, 2e3);
        CNagrOtv& tapEnd = Add<CNagrOtv>(kTapLoad, 6);
        tapEnd.mode = 2;
        tapEnd.capacitance = 1e-8;

        COtvet& dbl = Add<COtvet>(kDoubling, 6);
        dbl.selectionMode = 1;
        dbl.count = 2;
        std::fill(std::begin(dbl.flags), std::end(dbl.flags), 0);
        dbl.flags[5] = 1;
        AddSeries(2, {{0, 5.0}, {1, 5.0}});
        CEObhod& closing = Add<CEObhod>(kBypass, 2);  // closes the doubling
        closing.n = 1;
        closing.insideDoubling = 1;

        Add<CVarMod>(kWireCountChange, 6);
        Last().wirePositions2 = 7;
        CEndMod& nearEnd = Add<CEndMod>(kAttachedEnd, 1);
        nearEnd.kind = 1;
        nearEnd.count = 1;
        nearEnd.r = std::vector<double>{600.0};
        AddSeries(7, {{6, 20.0}});
        AddShunt(7, {{0, 6, 500.0}});
        Add<CVarMod>(kWireCountChange, 7);
        Last().wirePositions2 = 6;
        CEndMod& farEnd = Add<CEndMod>(kAttachedEnd, 1);
        farEnd.kind = 4;
        farEnd.count = 1;
        farEnd.r = std::vector<double>{300.0};
        farEnd.l = std::vector<double>{1e-3};
        farEnd.c = std::vector<double>{1e-9};

        COtvet& branching = Add<COtvet>(kBranchingStart, 6, kTwoCircuits);
        CElement& b = Last();
        b.circuitsAfter = 1;
        b.circuitsPart = 1;
        std::fill(b.outMap + 3, b.outMap + kMaxWires, -1);
        for (int i = 0; i < 3; ++i)
            branching.map[i] = kTwoCircuits[std::size_t(3 + i)];
        AddSeries(3, {{0, 2.0}});
        Add<COtvet>(kBranchingEnd, 3);
        Last().data.reset();
        AddLine({-7, 0, 7}, {24, 24, 24}, 1e3);
        Add<COtvet>(kBranchingEnd, 3, {4, 5, 6});
        Last().data.reset();
        AddLine(x, y, 5e3);
        AddEndLoad({300, 300, 300, 300, 300, 300});
        g_nLabelCircuits = 2;
    }

    // Two runs: wire to ground over a range, and the grounded-midpoint mode.
    void Calculate()
    {
        CalcSession session(doc);
        session.SetClock([] { return std::time_t(1700000000); });
        CalcRequest r;
        r.frequencies.mode = 1;
        r.frequencies.start = 50;
        r.frequencies.end = 500;
        r.frequencies.step = 150;
        ASSERT_EQ(session.Run(r).status, CalcStatus::Done)
            << (messages.messages().empty() ? "" : messages.messages()[0].text);
        r.mode = kWireToWireGrounded;
        r.txWire1 = 0, r.txWire2 = 1;
        r.rxWire1 = 3, r.rxWire2 = 5;
        r.resistance = 300;
        ASSERT_EQ(session.Run(r).status, CalcStatus::Done)
            << (messages.messages().empty() ? "" : messages.messages()[0].text);
    }
};

} // namespace channeltest

// A task that can be calculated: a coupling device on some wires of a
// three-wire overhead line at each end (coupling device, line, coupling
// device), every element entered.
#pragma once

#include "model/coupling.h"
#include "model/document.h"
#include "model/element.h"
#include "model/lines.h"

#include <memory>
#include <vector>

namespace calcfixture {

inline CPrisoed Device(int wire)
{
    CPrisoed p;
    p.wire = std::uint8_t(wire);
    p.r = 75;
    p.filter.name = "ФП-R";
    p.filter.type = 3;
    p.filter.R = 20;
    p.filter.ratio = 1.0;
    p.cable.name = "РК-75";
    p.cable.radius = 2e-4;
    p.cable.twist = 2e8;
    p.cable.resistivity = 75;
    p.cableLength = 150;
    return p;
}

inline CVLine Line(double length = 40e3)
{
    CVLine line;
    line.wires = line.phaseWires = 3;
    line.tower.name = "опора";
    line.tower.count = 3;
    line.tower.x = {-7.0, 0.0, 7.0};
    line.tower.y = {17.0, 17.0, 17.0};
    std::vector<CVLProv> wires(3);
    for (auto& p : wires) {
        p.sag = 6;
        p.wireType.name = "АС-300";
        p.wireType.radius = 0.012;
        p.wireType.twist = 1.0;
        p.wireType.resistivity = 3e-8;
        p.bundleStep = 0.4;
    }
    line.wireArray = wires;
    line.wireCount = 3;
    line.earthModel = 1;
    line.earthRho1 = 100;
    line.earthEps1 = 10;
    line.length = length;
    line.symmetry = -1;
    return line;
}

inline std::unique_ptr<CElement> Element(int type, int x)
{
    auto e = std::make_unique<CElement>();
    e->SetType(type);
    e->data = CreateElementData(type);
    e->cellX = x;
    e->cellY = 3;
    e->entered = 1;
    e->wirePositions = e->conductors = 3;
    e->circuits = 1;
    for (int i = 0; i < 3; ++i)
        e->inMap[i] = e->outMap[i] = i;
    return e;
}

// Fills doc with the channel; each coupling device joins the given wires.
inline void BuildChannel(CKestrinDoc& doc, const std::vector<int>& txWires = {0, 1},
                         const std::vector<int>& rxWires = {0, 1})
{
    doc.ClearAll();
    doc.title = "Тракт";
    doc.conductorCount = 3;
    doc.circuits = 1;
    doc.groundWires = 0;
    int x = 1;
    for (const std::vector<int>* wires : {&txWires, static_cast<const std::vector<int>*>(nullptr), &rxWires}) {
        if (!wires) {
            auto e = Element(kOverheadLine, x++);
            e->name = "ВЛ-110";
            *e->Data<CVLine>() = Line();
            doc.AppendElement(std::move(e));
            continue;
        }
        auto e = Element(kCouplingDevice, x++);
        auto* upr = e->Data<CUpr>();
        for (int w : *wires)
            upr->devices.push_back(Device(w));
        upr->wires = 3;
        upr->count = std::uint8_t(wires->size());
        doc.AppendElement(std::move(e));
    }
}

} // namespace calcfixture

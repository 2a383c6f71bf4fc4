// Data of the nesting elements and the end loads: taps, doublings and
// branchings (COtvet), the change of the number of wires (CVarMod), the end
// of an attached circuit (CEndMod) and the end load (CNagruz).
#pragma once

#include "model/elementdata.h"
#include "model/modelglobals.h"

#include <cstdint>
#include <optional>
#include <vector>

// Tap, doubling or branching: which wires go into the nested part, and the
// old then the new conductor codes of those wires.
class COtvet : public CElementDataOf<COtvet> {
public:
    std::uint8_t selectionMode = 0;  // 0 all wires, 1 the first count, 2 the last count
    std::uint8_t count = 0;          // wires of the nested part
    std::uint8_t flags[kMaxWires];   // 1 = the wire goes into the nested part
    int map[kMaxWires];              // old codes of the branch wires, then their new codes

    COtvet();
    void Clear() override { *this = COtvet(); }
    void Copy(const COtvet& src) { *this = src; }
    void Load(ArchiveReader& ar) override;
    void Store(ArchiveWriter& ar) override;
};

// Change of the number of wires (opens or rejoins an attached circuit).
class CVarMod : public CElementDataOf<CVarMod> {
public:
    std::uint8_t wiresBefore = 0;
    std::uint8_t wiresAfter = 0;
    std::uint8_t circuitsDiff = 0;
    std::uint8_t groundDiff = 0;
    int map[kMaxWires];  // conductor codes of the wires after the change

    CVarMod();
    void Clear() override { *this = CVarMod(); }
    void Copy(const CVarMod& src) { *this = src; }
    void Load(ArchiveReader& ar) override;
    void Store(ArchiveWriter& ar) override;
};

// End of an attached circuit: kind 1 resistive load, 2 grounded, 3 insulated,
// 4 R, L and C load; per-wire values (each array present or absent).
class CEndMod : public CElementDataOf<CEndMod> {
public:
    std::uint8_t count = 0;
    std::uint8_t kind = 0;
    std::optional<std::vector<double>> r;  // ohm
    std::optional<std::vector<double>> l;  // H
    std::optional<std::vector<double>> c;  // F

    void Clear() override { *this = CEndMod(); }
    void Copy(const CEndMod& src) { *this = src; }
    // Refuses a count above 40 wires.
    void Load(ArchiveReader& ar) override;
    void Store(ArchiveWriter& ar) override;
};

// End load: the load resistance of each conductor, ohm.
class CNagruz : public CElementDataOf<CNagruz> {
public:
    std::uint8_t count = 0;
    std::vector<double> values;

    // The value of conductor i; 0 when the load does not hold it.
    double Value(int i) const { return i >= 0 && i < int(values.size()) ? values[std::size_t(i)] : 0.0; }

    void Clear() override { *this = CNagruz(); }
    void Copy(const CNagruz& src) { *this = src; }
    // Refuses a count above 40 wires.
    void Load(ArchiveReader& ar) override;
    void Store(ArchiveWriter& ar) override;
    // Dalvex form; also fills g_ImportWireOrder when the record carries the order.
    void LoadDalvex(ArchiveReader& ar);
};

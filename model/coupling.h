// Data of the coupling devices (CUpr with one CPrisoed per connection) and of
// the bypass of an intermediate substation (CEObhod with its line traps, its
// bypass lines CObhod and an optional cable insert).
#pragma once

#include "model/catalogitems.h"
#include "model/elementdata.h"
#include "model/lines.h"
#include "model/modelglobals.h"
#include "model/shunts.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// One connection of HF equipment to a wire through a coupling filter and an
// HF cable; r, l, c is the load at the far end of the cable.
class CPrisoed {
public:
    std::uint8_t wire = 0;
    std::uint8_t polarity = 0;  // 0 normal, non-zero reversed
    double r = 0.0;             // ohm
    double l = 0.0;             // H
    double c = 0.0;             // F
    double cableLength = 0.0;   // m
    CFiltr filter;
    CProvod cable;

    void Clear() { *this = CPrisoed(); }
    void Copy(const CPrisoed& src) { *this = src; }
    // The wire must lie within the element's wires.
    void Load(ArchiveReader& ar);
    void Store(ArchiveWriter& ar) const;
};

class CUpr : public CElementDataOf<CUpr> {
public:
    std::vector<CPrisoed> devices;  // empty: no array of connections
    std::uint8_t wires = 0;         // wire positions of the element
    std::uint8_t count = 0;         // devices, set from the array when stored

    void Clear() override { *this = CUpr(); }
    void Copy(const CUpr& src) { *this = src; }
    void Load(ArchiveReader& ar) override;
    void Store(ArchiveWriter& ar) override;
    // Dalvex form; also fills g_ImportWireOrder when the record carries the order.
    void LoadDalvex(ArchiveReader& ar);
};

// One bypass line around the substation: HF equipment joining a wire before
// the substation to a wire after it through two filters and two HF cables.
class CObhod {
public:
    std::uint8_t wireBefore = 0;
    std::uint8_t wireAfter = 0;
    std::uint8_t equipment = 0;  // 1: the channel equipment r, l, c is present
    std::uint8_t polarity1 = 0;
    std::uint8_t polarity2 = 0;
    double r = 0.0;              // ohm
    double l = 0.0;              // H
    double c = 0.0;              // F
    double lengthBefore = 0.0;   // m of HF cable
    double lengthAfter = 0.0;
    CFiltr filters[2];           // before, after
    CProvod cables[2];           // before, after

    void Clear() { *this = CObhod(); }
    void Copy(const CObhod& src) { *this = src; }
    void Load(ArchiveReader& ar);
    void Store(ArchiveWriter& ar) const;
};

class CEObhod : public CElementDataOf<CEObhod> {
public:
    CEShunt traps[2];                      // line traps before and after the bypass
    std::uint8_t n = 0;                    // bypassed wires (order of the busbar triangle)
    std::uint8_t selectionMode = 0;        // 0 all wires, 1 the first n, 2 the last n
    std::uint8_t kind = 0;                 // 0 at the substation, 1 in the field, 2 around a cable insert
    std::uint8_t flags[kMaxWires];         // 1 = the wire position is bypassed
    std::uint8_t insideDoubling = 0;       // 1 when the bypass closes a doubling of wires
    int map[kMaxWires];                    // conductor codes
    double equivalentCapacitance = 0.0;    // F
    std::optional<std::vector<double>> triangle;  // n(n-1)/2 mutual busbar capacitances, F
    std::unique_ptr<CKLine> cableInsert;   // kind 2
    std::vector<CObhod> lines;

    CEObhod();
    CEObhod(const CEObhod& src) : CEObhod() { Copy(src); }
    CEObhod& operator=(const CEObhod& src)
    {
        Copy(src);
        return *this;
    }

    static std::size_t TriangleSize(int order) { return order < 2 ? 0 : std::size_t(order) * (order - 1) / 2; }

    void Clear() override;
    void Copy(const CEObhod& src);
    void Load(ArchiveReader& ar) override;
    void Store(ArchiveWriter& ar) override;
    // Dalvex form; also fills g_ImportWireOrder when the record carries the order.
    void LoadDalvex(ArchiveReader& ar);

private:
    void ReadTriangle(ArchiveReader& ar, bool present);
    void ReadLines(ArchiveReader& ar);
};

// Reads a Dalvex conductor order of count bytes into g_ImportWireOrder.
void ReadImportWireOrder(ArchiveReader& ar, int count);

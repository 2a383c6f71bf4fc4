#include "model/coupling.h"

#include "platform/archive.h"

#include <algorithm>
#include <iterator>

void ReadImportWireOrder(ArchiveReader& ar, int count)
{
    CheckWireCount(ar, count, "conductor order");
    std::vector<std::uint8_t> order = ar.readBytes(std::size_t(count), "conductor order");
    std::copy(order.begin(), order.end(), g_ImportWireOrder);
}

namespace {

void SkipIgnoredDoubles(ArchiveReader& ar)
{
    for (int i = 0; i < 3; ++i)
        ar.readDouble("unused value");
}

}  // namespace

// ---- CPrisoed ---------------------------------------------------------------

void CPrisoed::Load(ArchiveReader& ar)
{
    wire = ar.readByte("coupling wire");
    CheckLoadedWire(ar, wire, "coupling wire");
    polarity = ar.readByte("coupling polarity");
    cableLength = ar.readDouble("HF cable length");
    r = ar.readDouble("coupling load r");
    l = ar.readDouble("coupling load l");
    c = ar.readDouble("coupling load c");
    filter.Load(ar);
    cable.Load(ar);
}

void CPrisoed::Store(ArchiveWriter& ar) const
{
    ar.writeByte(wire);
    ar.writeByte(polarity);
    ar.writeDouble(cableLength);
    ar.writeDouble(r);
    ar.writeDouble(l);
    ar.writeDouble(c);
    filter.Store(ar);
    cable.Store(ar);
}

// ---- CUpr -------------------------------------------------------------------

namespace {

void ReadDevices(ArchiveReader& ar, std::vector<CPrisoed>& devices, std::uint8_t count)
{
    ar.checkCount(count, 2 + 32 + 20 + 25, "coupling devices");
    devices.resize(count);
    for (CPrisoed& p : devices)
        p.Load(ar);
}

}  // namespace

void CUpr::Load(ArchiveReader& ar)
{
    Clear();
    wires = ar.readByte("coupling device wires");
    count = ar.readByte("coupling device count");
    ReadDevices(ar, devices, count);
}

void CUpr::Store(ArchiveWriter& ar)
{
    if (devices.size() > 0xFF)
        throw ArchiveError("more than 255 coupling devices cannot be written");
    count = std::uint8_t(devices.size());
    ar.writeByte(wires);
    ar.writeByte(count);
    for (const CPrisoed& p : devices)
        p.Store(ar);
}

void CUpr::LoadDalvex(ArchiveReader& ar)
{
    Clear();
    count = ar.readByte("coupling device count");
    wires = ar.readByte("coupling device wires");
    ReadDevices(ar, devices, count);
    SkipIgnoredDoubles(ar);
    if (ar.readByte("conductor order flag"))
        ReadImportWireOrder(ar, wires);
}

// ---- CObhod -----------------------------------------------------------------

void CObhod::Load(ArchiveReader& ar)
{
    r = ar.readDouble("bypass line r");
    l = ar.readDouble("bypass line l");
    c = ar.readDouble("bypass line c");
    wireBefore = ar.readByte("bypass line wire");
    wireAfter = ar.readByte("bypass line wire");
    CheckWireCount(ar, wireBefore + 1, "bypass line wire");
    CheckWireCount(ar, wireAfter + 1, "bypass line wire");
    equipment = ar.readByte("bypass line equipment");
    polarity1 = ar.readByte("bypass line polarity");
    polarity2 = ar.readByte("bypass line polarity");
    lengthBefore = ar.readDouble("bypass line cable length");
    lengthAfter = ar.readDouble("bypass line cable length");
    filters[0].Load(ar);
    filters[1].Load(ar);
    cables[0].Load(ar);
    cables[1].Load(ar);
}

void CObhod::Store(ArchiveWriter& ar) const
{
    ar.writeDouble(r);
    ar.writeDouble(l);
    ar.writeDouble(c);
    ar.writeByte(wireBefore);
    ar.writeByte(wireAfter);
    ar.writeByte(equipment);
    ar.writeByte(polarity1);
    ar.writeByte(polarity2);
    ar.writeDouble(lengthBefore);
    ar.writeDouble(lengthAfter);
    filters[0].Store(ar);
    filters[1].Store(ar);
    cables[0].Store(ar);
    cables[1].Store(ar);
}

// ---- CEObhod ----------------------------------------------------------------

CEObhod::CEObhod()
{
    std::fill(std::begin(flags), std::end(flags), std::uint8_t(1));
    std::fill(std::begin(map), std::end(map), -1);
}

void CEObhod::Clear()
{
    traps[0].Clear();
    traps[1].Clear();
    n = 0;
    selectionMode = 0;
    kind = 0;
    std::fill(std::begin(flags), std::end(flags), std::uint8_t(1));
    insideDoubling = 0;
    std::fill(std::begin(map), std::end(map), -1);
    equivalentCapacitance = 0.0;
    triangle.reset();
    cableInsert.reset();
    lines.clear();
}

void CEObhod::Copy(const CEObhod& src)
{
    if (this == &src)
        return;
    Clear();
    traps[0].Copy(src.traps[0]);
    traps[1].Copy(src.traps[1]);
    n = src.n;
    selectionMode = src.selectionMode;
    kind = src.kind;
    std::copy(std::begin(src.flags), std::end(src.flags), flags);
    insideDoubling = src.insideDoubling;
    std::copy(std::begin(src.map), std::end(src.map), map);
    equivalentCapacitance = src.equivalentCapacitance;
    triangle = src.triangle;
    if (src.cableInsert) {
        cableInsert = std::make_unique<CKLine>();
        cableInsert->Copy(*src.cableInsert);
    }
    lines = src.lines;
}

void CEObhod::ReadTriangle(ArchiveReader& ar, bool present)
{
    CheckWireCount(ar, n, "bypassed wire count");
    if (!present)
        return;
    std::size_t size = TriangleSize(n);
    ar.checkCount(size, 8, "busbar capacitances");
    triangle.emplace(size);
    for (double& d : *triangle)
        d = ar.readDouble("busbar capacitance");
}

void CEObhod::ReadLines(ArchiveReader& ar)
{
    traps[0].Load(ar);
    traps[1].Load(ar);
    std::uint16_t count = ar.readWord("bypass line count");
    // r, l, c and the two cable lengths, five bytes, two empty filters, two cables.
    ar.checkCount(count, 40 + 5 + 2 * 20 + 2 * 25, "bypass lines");
    lines.resize(count);
    for (CObhod& line : lines)
        line.Load(ar);
}

void CEObhod::Load(ArchiveReader& ar)
{
    Clear();
    n = ar.readByte("bypassed wire count");
    equivalentCapacitance = ar.readDouble("equivalent capacitance");
    std::uint8_t hasTriangle = ar.readByte("busbar capacitances flag");
    if (g_nTaskVersion >= 3) {
        selectionMode = ar.readByte("bypass selection mode");
        kind = ar.readByte("bypass kind");
        if (g_nTaskVersion >= 6) {
            for (int i = 0; i < kMaxWires; ++i) {
                flags[i] = ar.readByte("bypass flag");
                map[i] = ar.readInt("bypass map");
            }
            insideDoubling = ar.readByte("bypass inside doubling");
        } else {
            // Versions 3 to 5 keep only the selection mode: derive the flags
            // over the element's wire positions.
            int w = std::min<int>(g_nLoadWires, kMaxWires);
            for (int i = 0; i < w; ++i)
                flags[i] = (selectionMode == 0 || (selectionMode == 1 && i < n) ||
                            (selectionMode == 2 && i >= int(g_nLoadWires) - n))
                               ? 1
                               : 0;
        }
    }
    ReadTriangle(ar, hasTriangle != 0);
    ReadLines(ar);
    if (kind == 2 && ar.readByte("cable insert flag")) {
        cableInsert = std::make_unique<CKLine>();
        cableInsert->Load(ar);
    }
}

void CEObhod::Store(ArchiveWriter& ar)
{
    if (lines.size() > 0xFFFF)
        throw ArchiveError("more than 65535 bypass lines cannot be written");
    ar.writeByte(n);
    ar.writeDouble(equivalentCapacitance);
    ar.writeByte(triangle ? 1 : 0);
    ar.writeByte(selectionMode);
    ar.writeByte(kind);
    for (int i = 0; i < kMaxWires; ++i) {
        ar.writeByte(flags[i]);
        ar.writeInt(map[i]);
    }
    ar.writeByte(insideDoubling);
    if (triangle)
        for (std::size_t i = 0; i < TriangleSize(n); ++i)
            ar.writeDouble(i < triangle->size() ? (*triangle)[i] : 0.0);
    traps[0].Store(ar);
    traps[1].Store(ar);
    ar.writeWord(std::uint16_t(lines.size()));
    for (const CObhod& line : lines)
        line.Store(ar);
    if (kind == 2) {
        ar.writeByte(cableInsert ? 1 : 0);
        if (cableInsert)
            cableInsert->Store(ar);
    }
}

void CEObhod::LoadDalvex(ArchiveReader& ar)
{
    Clear();
    equivalentCapacitance = ar.readDouble("equivalent capacitance");
    std::uint8_t hasTriangle = ar.readByte("busbar capacitances flag");
    n = ar.readByte("bypassed wire count");
    ar.readByte("unused byte");
    ReadTriangle(ar, hasTriangle != 0);
    SkipIgnoredDoubles(ar);
    if (ar.readByte("conductor order flag"))
        ReadImportWireOrder(ar, n);
    ReadLines(ar);
    selectionMode = 0;
    kind = 0;
}

#include "model/coupling.h"

#include "platform/archive.h"

#include <algorithm>
#include <iterator>

void ReadImportWireOrder(ArchiveReader& ar, int count)
{
    CheckWireCount(ar, count, "порядок проводов");
    std::vector<std::uint8_t> order = ar.readBytes(std::size_t(count), "порядок проводов");
    std::copy(order.begin(), order.end(), g_ImportWireOrder);
}

namespace {

void SkipIgnoredDoubles(ArchiveReader& ar)
{
    for (int i = 0; i < 3; ++i)
        ar.readBytes(8, "неиспользуемое значение");  // any bits: never read as a number
}

}  // namespace

// ---- CPrisoed ---------------------------------------------------------------

void CPrisoed::Load(ArchiveReader& ar)
{
    wire = ar.readByte("провод присоединения");
    CheckLoadedWire(ar, wire, "провод присоединения");
    polarity = ar.readByte("полярность присоединения");
    cableLength = ar.readDouble("длина ВЧ кабеля");
    r = ar.readDouble("сопротивление нагрузки присоединения");
    l = ar.readDouble("индуктивность нагрузки присоединения");
    c = ar.readDouble("емкость нагрузки присоединения");
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
    ar.checkCount(count, 2 + 32 + 20 + 25, "устройства присоединения");
    devices.resize(count);
    for (CPrisoed& p : devices)
        p.Load(ar);
}

}  // namespace

void CUpr::Load(ArchiveReader& ar)
{
    Clear();
    wires = ar.readByte("провода устройств присоединения");
    count = ar.readByte("число устройств присоединения");
    ReadDevices(ar, devices, count);
}

void CUpr::Store(ArchiveWriter& ar)
{
    if (devices.size() > 0xFF)
        throw ArchiveError("больше 255 устройств присоединения не записать");
    count = std::uint8_t(devices.size());
    ar.writeByte(wires);
    ar.writeByte(count);
    for (const CPrisoed& p : devices)
        p.Store(ar);
}

void CUpr::LoadDalvex(ArchiveReader& ar)
{
    Clear();
    count = ar.readByte("число устройств присоединения");
    wires = ar.readByte("провода устройств присоединения");
    ReadDevices(ar, devices, count);
    SkipIgnoredDoubles(ar);
    if (ar.readByte("признак порядка проводов"))
        ReadImportWireOrder(ar, wires);
}

// ---- CObhod -----------------------------------------------------------------

void CObhod::Load(ArchiveReader& ar)
{
    r = ar.readDouble("сопротивление линии обхода");
    l = ar.readDouble("индуктивность линии обхода");
    c = ar.readDouble("емкость линии обхода");
    wireBefore = ar.readByte("провод линии обхода");
    wireAfter = ar.readByte("провод линии обхода");
    CheckWireCount(ar, wireBefore + 1, "провод линии обхода");
    CheckWireCount(ar, wireAfter + 1, "провод линии обхода");
    equipment = ar.readByte("оборудование линии обхода");
    polarity1 = ar.readByte("полярность линии обхода");
    polarity2 = ar.readByte("полярность линии обхода");
    lengthBefore = ar.readDouble("длина кабеля линии обхода");
    lengthAfter = ar.readDouble("длина кабеля линии обхода");
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
    CheckWireCount(ar, n, "число обходимых проводов");
    if (!present)
        return;
    std::size_t size = TriangleSize(n);
    ar.checkCount(size, 8, "емкости шин");
    triangle.emplace(size);
    for (double& d : *triangle)
        d = ar.readDouble("емкость шин");
}

void CEObhod::ReadLines(ArchiveReader& ar)
{
    traps[0].Load(ar);
    traps[1].Load(ar);
    std::uint16_t count = ar.readWord("число линий обхода");
    // r, l, c and the two cable lengths, five bytes, two empty filters, two cables.
    ar.checkCount(count, 40 + 5 + 2 * 20 + 2 * 25, "линии обхода");
    lines.resize(count);
    for (CObhod& line : lines)
        line.Load(ar);
}

void CEObhod::Load(ArchiveReader& ar)
{
    Clear();
    n = ar.readByte("число обходимых проводов");
    equivalentCapacitance = ar.readDouble("эквивалентная емкость");
    std::uint8_t hasTriangle = ar.readByte("признак емкостей шин");
    if (g_nTaskVersion >= 3) {
        selectionMode = ar.readByte("режим выбора проводов обхода");
        kind = ar.readByte("вид обхода");
        if (g_nTaskVersion >= 6) {
            for (int i = 0; i < kMaxWires; ++i) {
                flags[i] = ar.readByte("признак провода обхода");
                map[i] = ar.readInt("соответствие проводов обхода");
            }
            insideDoubling = ar.readByte("признак обхода внутри удвоения");
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
    if (kind == 2 && ar.readByte("признак кабельной вставки")) {
        cableInsert = std::make_unique<CKLine>();
        cableInsert->Load(ar);
    }
}

void CEObhod::Store(ArchiveWriter& ar)
{
    if (lines.size() > 0xFFFF)
        throw ArchiveError("больше 65535 линий обхода не записать");
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
    equivalentCapacitance = ar.readDouble("эквивалентная емкость");
    std::uint8_t hasTriangle = ar.readByte("признак емкостей шин");
    n = ar.readByte("число обходимых проводов");
    ar.readByte("неиспользуемый байт");
    ReadTriangle(ar, hasTriangle != 0);
    SkipIgnoredDoubles(ar);
    if (ar.readByte("признак порядка проводов"))
        ReadImportWireOrder(ar, n);
    ReadLines(ar);
    selectionMode = 0;
    kind = 0;
}

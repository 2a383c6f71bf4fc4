#include "model/shunts.h"

#include "platform/archive.h"

// ---- CShunt -----------------------------------------------------------------

void CShunt::Load(ArchiveReader& ar, bool joinsSecondWire)
{
    r = ar.readDouble("сопротивление ветви");
    l = ar.readDouble("индуктивность ветви");
    c = ar.readDouble("емкость ветви");
    const std::size_t firstAt = ar.offset();
    firstWire = ar.readByte("первый провод ветви");
    secondWire = ar.readByte("второй провод ветви");
    CheckLoadedWire(ar, firstWire, "провод ветви", firstAt);
    if (joinsSecondWire)
        CheckLoadedWire(ar, secondWire, "провод ветви", firstAt + 1);
    trap.Load(ar);
}

void CShunt::Store(ArchiveWriter& ar) const
{
    ar.writeDouble(r);
    ar.writeDouble(l);
    ar.writeDouble(c);
    ar.writeByte(firstWire);
    ar.writeByte(secondWire);
    trap.Store(ar);
}

// ---- CEShunt ----------------------------------------------------------------

void CEShunt::Read(ArchiveReader& ar, bool joinsSecondWires)
{
    Clear();
    capacitance = ar.readDouble("эквивалентная емкость");
    count = ar.readByte("число ветвей");
    trapKind = ar.readByte("вид заградителя");
    ar.checkCount(count, 24 + 2 + 57, "ветви");
    branches.resize(count);
    for (CShunt& s : branches)
        s.Load(ar, joinsSecondWires);
}

void CEShunt::Store(ArchiveWriter& ar)
{
    if (branches.size() > 0xFF)
        throw ArchiveError("больше 255 ветвей не записать");
    count = std::uint8_t(branches.size());
    ar.writeDouble(capacitance);
    ar.writeByte(count);
    ar.writeByte(trapKind);
    for (const CShunt& s : branches)
        s.Store(ar);
}

// ---- CNagrOtv ---------------------------------------------------------------

void CNagrOtv::Load(ArchiveReader& ar)
{
    mode = ar.readByte("режим нагрузки отпайки");
    capacitance = ar.readDouble("емкость нагрузки отпайки");
}

void CNagrOtv::Store(ArchiveWriter& ar)
{
    ar.writeByte(mode);
    ar.writeDouble(capacitance);
}

// ---- CTransp ----------------------------------------------------------------

int CTransp::Target(int j) const
{
    if (!permutation || j < 0 || j >= int(permutation->size()))
        return -1;
    return (*permutation)[std::size_t(j)];
}

void CTransp::ReadPermutation(ArchiveReader& ar, bool present)
{
    CheckWireCount(ar, count, "число проводов транспозиции");
    if (!present)
        return;
    permutation = ar.readBytes(count, "транспозиция");
    for (std::uint8_t t : *permutation)
        if (t >= count)
            ar.fail("провод транспозиции " + std::to_string(t) + " вне ее " + std::to_string(count) +
                    " проводов");
}

void CTransp::Load(ArchiveReader& ar)
{
    Clear();
    count = ar.readByte("число проводов транспозиции");
    std::uint8_t has = ar.readByte("признак транспозиции");
    ReadPermutation(ar, has != 0);
}

void CTransp::Store(ArchiveWriter& ar)
{
    ar.writeByte(count);
    ar.writeByte(permutation ? 1 : 0);
    if (permutation)
        for (int j = 0; j < count; ++j)
            ar.writeByte(std::uint8_t(j < int(permutation->size()) ? (*permutation)[std::size_t(j)] : j));
}

void CTransp::LoadDalvex(ArchiveReader& ar)
{
    Clear();
    std::uint8_t has = ar.readByte("признак транспозиции");
    count = ar.readByte("число проводов транспозиции");
    ReadPermutation(ar, has != 0);
}

#include "model/shunts.h"

#include "platform/archive.h"

// ---- CShunt -----------------------------------------------------------------

void CShunt::Load(ArchiveReader& ar)
{
    r = ar.readDouble("branch r");
    l = ar.readDouble("branch l");
    c = ar.readDouble("branch c");
    firstWire = ar.readByte("branch first wire");
    secondWire = ar.readByte("branch second wire");
    CheckLoadedWire(ar, firstWire, "branch wire");
    CheckLoadedWire(ar, secondWire, "branch wire");
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

void CEShunt::Load(ArchiveReader& ar)
{
    Clear();
    capacitance = ar.readDouble("equivalent capacitance");
    count = ar.readByte("branch count");
    trapKind = ar.readByte("trap kind");
    ar.checkCount(count, 24 + 2 + 57, "branches");
    branches.resize(count);
    for (CShunt& s : branches)
        s.Load(ar);
}

void CEShunt::Store(ArchiveWriter& ar)
{
    if (branches.size() > 0xFF)
        throw ArchiveError("more than 255 branches cannot be written");
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
    mode = ar.readByte("tap load mode");
    capacitance = ar.readDouble("tap load capacitance");
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
    CheckWireCount(ar, count, "transposition wire count");
    if (!present)
        return;
    permutation = ar.readBytes(count, "transposition");
    for (std::uint8_t t : *permutation)
        if (t >= count)
            ar.fail("transposition target " + std::to_string(t) + " outside its " + std::to_string(count) +
                    " wires");
}

void CTransp::Load(ArchiveReader& ar)
{
    Clear();
    count = ar.readByte("transposition wire count");
    std::uint8_t has = ar.readByte("transposition flag");
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
    std::uint8_t has = ar.readByte("transposition flag");
    count = ar.readByte("transposition wire count");
    ReadPermutation(ar, has != 0);
}

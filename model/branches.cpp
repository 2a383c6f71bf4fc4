#include "model/branches.h"

#include "model/coupling.h"
#include "platform/archive.h"

#include <algorithm>
#include <iterator>
#include <cstdlib>

// ---- COtvet -----------------------------------------------------------------

COtvet::COtvet()
{
    std::fill(std::begin(flags), std::end(flags), std::uint8_t(1));
    std::fill(std::begin(map), std::end(map), -1);
}

void COtvet::Load(ArchiveReader& ar)
{
    selectionMode = ar.readByte("режим выбора проводов отпайки");
    count = ar.readByte("число проводов отпайки");
    if (g_nTaskVersion < 5)
        return;  // flags and map keep their defaults
    for (int& code : map)
        code = ar.readInt("соответствие проводов отпайки");
    if (g_nTaskVersion >= 6) {
        for (std::uint8_t& f : flags)
            f = ar.readByte("признак провода отпайки");
        return;
    }
    // Version 5 keeps only the selection mode: derive the flags over the
    // element's wire positions.
    int w = std::min<int>(g_nLoadWires, kMaxWires);
    for (int i = 0; i < w; ++i)
        flags[i] = (selectionMode == 0 || (selectionMode == 1 && i < count) ||
                    (selectionMode == 2 && i >= int(g_nLoadWires) - count))
                       ? 1
                       : 0;
}

void COtvet::Store(ArchiveWriter& ar)
{
    ar.writeByte(selectionMode);
    ar.writeByte(count);
    for (int code : map)
        ar.writeInt(code);
    for (std::uint8_t f : flags)
        ar.writeByte(f);
}

// ---- CVarMod ----------------------------------------------------------------

CVarMod::CVarMod()
{
    std::fill(std::begin(map), std::end(map), -1);
}

void CVarMod::Load(ArchiveReader& ar)
{
    wiresBefore = ar.readByte("провода до изменения");
    wiresAfter = ar.readByte("провода после изменения");
    if (g_nTaskVersion >= 5) {
        circuitsDiff = ar.readByte("цепи изменения");
        groundDiff = ar.readByte("грозотросы изменения");
        for (int& code : map)
            code = ar.readInt("соответствие проводов изменения");
        return;
    }
    int d = std::abs(int(wiresBefore) - int(wiresAfter));
    circuitsDiff = std::uint8_t(d / 3);
    groundDiff = std::uint8_t(d % 3);
}

void CVarMod::Store(ArchiveWriter& ar)
{
    ar.writeByte(wiresBefore);
    ar.writeByte(wiresAfter);
    ar.writeByte(circuitsDiff);
    ar.writeByte(groundDiff);
    for (int code : map)
        ar.writeInt(code);
}

// ---- CEndMod ----------------------------------------------------------------

namespace {

void ReadValues(ArchiveReader& ar, std::optional<std::vector<double>>& v, int count, const char* what)
{
    if (!ar.readByte(what))
        return;
    ar.checkCount(std::size_t(count), 8, what);
    v.emplace(std::size_t(count));
    for (double& d : *v)
        d = ar.readDouble(what);
}

void WriteValues(ArchiveWriter& ar, const std::optional<std::vector<double>>& v, int count)
{
    ar.writeByte(v ? 1 : 0);
    if (v)
        for (int i = 0; i < count; ++i)
            ar.writeDouble(i < int(v->size()) ? (*v)[std::size_t(i)] : 0.0);
}

}  // namespace

void CEndMod::Load(ArchiveReader& ar)
{
    Clear();
    kind = ar.readByte("вид конца");
    count = ar.readByte("число проводов конца");
    CheckWireCount(ar, count, "число проводов конца");
    ReadValues(ar, r, count, "сопротивления конца");
    ReadValues(ar, c, count, "емкости конца");
    ReadValues(ar, l, count, "индуктивности конца");
}

void CEndMod::Store(ArchiveWriter& ar)
{
    ar.writeByte(kind);
    ar.writeByte(count);
    WriteValues(ar, r, count);
    WriteValues(ar, c, count);
    WriteValues(ar, l, count);
}

// ---- CNagruz ----------------------------------------------------------------

void CNagruz::Load(ArchiveReader& ar)
{
    Clear();
    count = ar.readByte("число нагрузок конца");
    CheckWireCount(ar, count, "число нагрузок конца");
    ar.checkCount(count, 8, "нагрузки конца");
    values.resize(count);
    for (double& d : values)
        d = ar.readDouble("нагрузка конца");
}

void CNagruz::Store(ArchiveWriter& ar)
{
    ar.writeByte(count);
    for (int i = 0; i < count; ++i)
        ar.writeDouble(Value(i));
}

void CNagruz::LoadDalvex(ArchiveReader& ar)
{
    Clear();
    std::uint8_t hasValues = ar.readByte("признак нагрузок конца");
    count = ar.readByte("число нагрузок конца");
    ar.readByte("неиспользуемый байт");
    CheckWireCount(ar, count, "число нагрузок конца");
    if (hasValues) {
        ar.checkCount(count, 8, "нагрузки конца");
        values.resize(count);
        for (double& d : values)
            d = ar.readDouble("нагрузка конца");
    }
    for (int i = 0; i < 3; ++i)
        ar.readBytes(8, "неиспользуемое значение");  // any bits: never read as a number
    if (ar.readByte("признак порядка проводов"))
        ReadImportWireOrder(ar, count);
}

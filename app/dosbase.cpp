#include "app/dosbase.h"

#include "model/base.h"
#include "platform/archive.h"
#include "platform/codepage.h"
#include "platform/format.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>

namespace {

// A value of the record named name.  Any bit pattern is a float, but a NaN or
// an infinity is no value of a catalog item (such an item would not even
// compare equal to itself): the file is refused as damaged.
double ReadFloat(ArchiveReader& ar, const std::string& name)
{
    const std::size_t at = ar.offset();
    const float v = std::bit_cast<float>(static_cast<std::uint32_t>(ar.readInt("число")));
    if (!std::isfinite(v))
        ar.failAt(at, StrFormat("значение записи «%s» не является конечным числом", name.c_str()));
    return static_cast<double>(v);
}

std::string ReadDosName(ArchiveReader& ar)
{
    std::string raw;
    for (;;) {
        if (ar.atEnd())
            ar.fail("имя записи без закрывающего '@'");
        char c = static_cast<char>(ar.readByte("имя"));
        if (c == '@')
            break;
        if (raw.size() == kDosNameMax)
            ar.fail(StrFormat("имя записи длиннее %zu байт", kDosNameMax));
        raw += c;
    }
    return Cp866ToUtf8(raw);
}

void ReadWire(ArchiveReader& ar, CProvod& w)
{
    w.radius = ReadFloat(ar, w.name);
    w.twist = ReadFloat(ar, w.name);
    w.resistivity = ReadFloat(ar, w.name);
}

// Capacitances m and inductances k of a filter by its stored scheme type.
bool DosFilterCounts(int type, int& m, int& k)
{
    switch (type) {
    case 0:
    case 1:
        m = 3;
        k = 3;
        return true;
    case 2:
        m = 4;
        k = 5;
        return true;
    case 4:
        m = 2;
        k = 1;
        return true;
    case 3:
    case 5:
    case 6:
        m = 5;
        k = 5;
        return true;
    default:
        return false;
    }
}

} // namespace

bool IsDosBaseName(std::string_view fileName)
{
    static constexpr std::string_view kName = "basek";
    if (fileName.size() != kName.size())
        return false;
    for (std::size_t i = 0; i < kName.size(); ++i) {
        char c = fileName[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != kName[i])
            return false;
    }
    return true;
}

void ReadDosBase(ArchiveReader& ar, CBase& base)
{
    base.RemoveAll();
    while (!ar.atEnd()) {
        const int type = ar.readByte("тип записи");
        std::string name = ReadDosName(ar);
        switch (type) {
        case 0: {
            auto t = std::make_unique<COpora>();
            t->name = std::move(name);
            t->count = ar.readByte("число точек");
            ar.need(std::size_t(t->count) * 8 + 2, "точки опоры");
            t->x.resize(t->count);
            t->y.resize(t->count);
            for (auto& v : t->x)
                v = ReadFloat(ar, t->name);
            for (auto& v : t->y)
                v = ReadFloat(ar, t->name);
            ar.readBytes(2, "конец записи опоры");
            base.towers.push_back(std::move(t));
            break;
        }
        case 1:
        case 5:
        case 7: {
            auto w = std::make_unique<CProvod>();
            w->name = std::move(name);
            ReadWire(ar, *w);
            (type == 1 ? base.phaseWires : type == 5 ? base.hfCables : base.groundWires).push_back(std::move(w));
            break;
        }
        case 2: {
            auto c = std::make_unique<CKabTv>();
            c->name = std::move(name);
            for (double* v : {&c->coreRadius, &c->screenInnerRadius, &c->screenOuterRadius, &c->outerRadius,
                              &c->tanInner, &c->tanOuter, &c->epsInner, &c->epsOuter, &c->rhoCore, &c->rhoScreen})
                *v = ReadFloat(ar, c->name);
            base.solidCables.push_back(std::move(c));
            break;
        }
        case 3: {
            auto c = std::make_unique<CKabTr>();
            c->name = std::move(name);
            c->coreRadius = ReadFloat(ar, c->name);
            base.pipeCables.push_back(std::move(c));
            break;
        }
        case 4: {
            auto f = std::make_unique<CFiltr>();
            f->name = std::move(name);
            const int stored = ar.readByte("тип фильтра");
            int m = 0, k = 0;
            if (!DosFilterCounts(stored, m, k))
                ar.fail(StrFormat("фильтр присоединения неизвестного типа схемы %d", stored));
            f->nC = static_cast<std::uint8_t>(m);
            f->nL = static_cast<std::uint8_t>(k);
            for (int i = 0; i < m; ++i)
                f->C[i] = ReadFloat(ar, f->name);
            for (int i = 0; i < k; ++i)
                f->L[i] = ReadFloat(ar, f->name);
            if (stored == 5)
                f->R = ReadFloat(ar, f->name);
            f->ratio = ReadFloat(ar, f->name);
            // The DOS program's scheme 5 is scheme 3 with its resistance given.
            f->type = static_cast<std::uint8_t>(stored == 5 ? 3 : stored);
            base.filters[f->type].push_back(std::move(f));
            break;
        }
        case 6: {
            auto z = std::make_unique<CZagrad>();
            z->name = std::move(name);
            for (double* v : {&z->C1, &z->C2, &z->C3, &z->L1, &z->L2, &z->L3, &z->R})
                *v = ReadFloat(ar, z->name);
            z->L4 = 0.0;
            // A negative resistance marked the second scheme.
            if (z->R < 0) {
                z->R = -z->R;
                z->scheme = 1;
            } else {
                z->scheme = 0;
            }
            base.traps.push_back(std::move(z));
            break;
        }
        default:
            // An unknown record: only its type and name are consumed, and what
            // follows is read as the next record.
            break;
        }
    }
}

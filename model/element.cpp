#include "model/element.h"

#include "model/branches.h"
#include "model/coupling.h"
#include "model/lines.h"
#include "model/shunts.h"
#include "platform/archive.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

std::unique_ptr<CElementData> CreateElementData(int type)
{
    switch (type) {
    case kOverheadLine:
        return std::make_unique<CVLine>();
    case kCableLine:
        return std::make_unique<CKLine>();
    case kShuntImpedance:
    case kSeriesImpedance:
        return std::make_unique<CEShunt>();
    case kTapLoad:
        return std::make_unique<CNagrOtv>();
    case kTransposition:
        return std::make_unique<CTransp>();
    case kCouplingDevice:
        return std::make_unique<CUpr>();
    case kBypass:
        return std::make_unique<CEObhod>();
    case kTap:
    case kDoubling:
    case kBranchingStart:
        return std::make_unique<COtvet>();
    case kWireCountChange:
        return std::make_unique<CVarMod>();
    case kAttachedEnd:
        return std::make_unique<CEndMod>();
    case kEndLoad:
        return std::make_unique<CNagruz>();
    default:
        return nullptr;
    }
}

CElement::CElement()
{
    std::fill(std::begin(inMap), std::end(inMap), -1);
    std::fill(std::begin(outMap), std::end(outMap), -1);
}

CElement::~CElement() = default;

void CElement::SetType(int t)
{
    Clear();
    type = std::uint8_t(t);
}

void CElement::Clear()
{
    name.clear();
    entered = 0;
    selected = 0;
    wirePositions = 0;
    wirePositions2 = 0;
    splitConductor = -1;
    std::fill(std::begin(inMap), std::end(inMap), -1);
    std::fill(std::begin(outMap), std::end(outMap), -1);
    data.reset();
}

void CElement::Copy(const CElement& src)
{
    if (this == &src)
        return;
    Clear();
    name = src.name;
    type = src.type;
    cellX = src.cellX;
    cellY = src.cellY;
    selected = src.selected;
    entered = src.entered;
    wirePositions = src.wirePositions;
    wirePositions2 = src.wirePositions2;
    circuits = src.circuits;
    groundWires = src.groundWires;
    circuitsAfter = src.circuitsAfter;
    groundWiresAfter = src.groundWiresAfter;
    circuitsPart = src.circuitsPart;
    groundWiresPart = src.groundWiresPart;
    conductors = src.conductors;
    splitConductor = src.splitConductor;
    reserved = src.reserved;
    std::copy(std::begin(src.inMap), std::end(src.inMap), inMap);
    std::copy(std::begin(src.outMap), std::end(src.outMap), outMap);
    if (src.data && src.type != kBranchingEnd && src.type <= kEndLoad)
        data = src.data->Clone();
}

std::uint8_t CElement::IsSameLine(const CElement& other) const
{
    if (type > kCableLine || type != other.type || splitConductor != other.splitConductor)
        return 0;
    if (type == kOverheadLine) {
        const CVLine* a = Data<CVLine>();
        const CVLine* b = other.Data<CVLine>();
        return a && b ? a->IsSame(*b) : 0;
    }
    const CKLine* a = Data<CKLine>();
    const CKLine* b = other.Data<CKLine>();
    return a && b ? a->IsSame(*b) : 0;
}

int CElement::MapPairs() const
{
    return (g_bDC ? 1 : 3) * circuits + groundWires;
}

void CElement::DeriveOldCounts()
{
    // Files before version 5 keep only the position counts.
    int w = wirePositions;
    int w2 = wirePositions2;
    conductors = std::uint8_t(w);
    circuits = std::uint8_t(w / 3);
    groundWires = std::uint8_t(w % 3);
    switch (type) {
    case kTap:
        circuitsAfter = circuitsPart = circuits;
        groundWiresAfter = groundWiresPart = groundWires;
        break;
    case kWireCountChange:
        circuitsAfter = std::uint8_t(w2 / 3);
        groundWiresAfter = std::uint8_t(w2 % 3);
        circuitsPart = std::uint8_t(std::abs(w2 / 3 - w / 3));
        groundWiresPart = std::uint8_t(std::abs(w2 % 3 - w % 3));
        break;
    case kDoubling:
        circuitsAfter = circuits;
        groundWiresAfter = groundWires;
        circuitsPart = std::uint8_t(2 * circuits);
        groundWiresPart = std::uint8_t(2 * groundWires);
        break;
    default:
        break;
    }
}

void CElement::LoadData(ArchiveReader& ar, bool hasData)
{
    if (!hasData) {
        if (type == kTap || type == kDoubling) {
            auto tap = std::make_unique<COtvet>();
            tap->count = std::uint8_t(type == kTap ? wirePositions : 2 * wirePositions);
            data = std::move(tap);
        } else if (type == kWireCountChange) {
            auto change = std::make_unique<CVarMod>();
            change->wiresBefore = wirePositions;
            change->wiresAfter = wirePositions2;
            data = std::move(change);
        }
        return;
    }
    data = CreateElementData(type);
    if (!data)
        return;
    // Taps and branchings carry their record from version 1 on, doublings
    // from version 2 on; older ones keep the defaults.
    if ((type == kTap || type == kBranchingStart) && g_nTaskVersion < 1)
        return;
    if (type == kDoubling && g_nTaskVersion < 2)
        return;
    ReadData(ar);
}

void CElement::ReadData(ArchiveReader& ar)
{
    if (CEShunt* shunt = type == kShuntImpedance ? Data<CEShunt>() : nullptr)
        shunt->LoadShunt(ar);
    else
        data->Load(ar);
}

void CElement::Load(ArchiveReader& ar)
{
    Clear();
    name = ar.readString("имя элемента");
    type = ar.readByte("тип элемента");
    cellX = ar.readInt("клетка элемента");
    cellY = ar.readInt("клетка элемента");
    wirePositions = ar.readByte("позиции проводов элемента");
    wirePositions2 = ar.readByte("позиции проводов элемента");
    CheckWireCount(ar, wirePositions, "позиции проводов элемента");
    CheckWireCount(ar, wirePositions2, "позиции проводов элемента");
    entered = ar.readByte("признак введенного элемента");
    bool hasData = ar.readByte("признак данных элемента") != 0;
    g_nLoadWires = wirePositions;
    if (g_nTaskVersion >= 5) {
        conductors = ar.readByte("провода элемента");
        circuits = ar.readByte("цепи элемента");
        groundWires = ar.readByte("грозотросы элемента");
        splitConductor = ar.readInt("расщепленный провод элемента");
        circuitsAfter = ar.readByte("цепи элемента");
        groundWiresAfter = ar.readByte("грозотросы элемента");
        reserved = ar.readInt("резервное значение элемента");
        circuitsPart = ar.readByte("цепи элемента");
        groundWiresPart = ar.readByte("грозотросы элемента");
        if (splitConductor < -1 || splitConductor >= kMaxWires)
            ar.fail("расщепленный провод " + std::to_string(splitConductor) + " вне 40 проводов");
        int k = MapPairs();
        CheckWireCount(ar, k, "число пар соответствия проводов элемента");
        for (int i = 0; i < k; ++i) {
            inMap[i] = ar.readInt("соответствие проводов элемента");
            outMap[i] = ar.readInt("соответствие проводов элемента");
        }
    } else {
        DeriveOldCounts();
    }
    LoadData(ar, hasData);
}

void CElement::Store(ArchiveWriter& ar) const
{
    int k = MapPairs();
    if (k > kMaxWires)
        throw ArchiveError("элемент из " + std::to_string(k) + " проводов не записать");
    ar.writeString(name);
    ar.writeByte(type);
    ar.writeInt(cellX);
    ar.writeInt(cellY);
    ar.writeByte(wirePositions);
    ar.writeByte(wirePositions2);
    ar.writeByte(std::uint8_t(entered & 0xFF));
    ar.writeByte(data ? 1 : 0);
    ar.writeByte(conductors);
    ar.writeByte(circuits);
    ar.writeByte(groundWires);
    ar.writeInt(splitConductor);
    ar.writeByte(circuitsAfter);
    ar.writeByte(groundWiresAfter);
    ar.writeInt(reserved);
    ar.writeByte(circuitsPart);
    ar.writeByte(groundWiresPart);
    for (int i = 0; i < k; ++i) {
        ar.writeInt(inMap[i]);
        ar.writeInt(outMap[i]);
    }
    if (data && type != kBranchingEnd && type <= kEndLoad)
        data->Store(ar);
}

void CElement::LoadDalvex(ArchiveReader& ar)
{
    Clear();
    name = ar.readString("имя элемента");
    type = ar.readByte("тип элемента");
    cellX = ar.readInt("клетка элемента");
    cellY = ar.readInt("клетка элемента");
    entered = ar.readByte("признак введенного элемента");
    bool hasData = ar.readByte("признак данных элемента") != 0;

    // The sibling program keeps no counts per element: every element takes the task's.
    circuits = circuitsAfter = circuitsPart = g_nCurCircuits;
    groundWires = groundWiresAfter = groundWiresPart = g_nCurGround;
    conductors = std::uint8_t(g_nCurGround + (g_bDC ? 1 : 3) * g_nCurCircuits);
    wirePositions = wirePositions2 = std::uint8_t(conductors + (g_nSplitConductor >= 0 ? 1 : 0));
    CheckWireCount(ar, wirePositions, "позиции проводов элемента");
    splitConductor = g_nSplitConductor;
    g_nLoadWires = wirePositions;

    if (type == kTap) {
        auto tap = std::make_unique<COtvet>();
        tap->count = g_nConductors;
        data = std::move(tap);
        return;
    }
    if (!hasData)
        return;
    switch (type) {
    case kOverheadLine: {
        auto line = std::make_unique<CVLine>();
        line->LoadDalvex(ar);
        data = std::move(line);
        break;
    }
    case kCableLine: {
        auto cable = std::make_unique<CKLine>();
        cable->LoadDalvex(ar);
        data = std::move(cable);
        break;
    }
    case kShuntImpedance:
    case kSeriesImpedance:
    case kTapLoad:
        data = CreateElementData(type);
        ReadData(ar);
        break;
    case kTransposition: {
        auto t = std::make_unique<CTransp>();
        t->LoadDalvex(ar);
        data = std::move(t);
        break;
    }
    case kCouplingDevice: {
        auto upr = std::make_unique<CUpr>();
        upr->LoadDalvex(ar);
        data = std::move(upr);
        break;
    }
    case kBypass: {
        auto bypass = std::make_unique<CEObhod>();
        bypass->LoadDalvex(ar);
        data = std::move(bypass);
        break;
    }
    case kEndLoad: {
        auto load = std::make_unique<CNagruz>();
        load->LoadDalvex(ar);
        data = std::move(load);
        break;
    }
    default:
        break;  // types 9 to 13 come without data; the completion supplies it
    }
}

int NumberConductors(CElement& e)
{
    COtvet* tap = e.Data<COtvet>();
    if (!tap)
        return 0;
    // Three slots per circuit also on a DC task; the loop stays within the
    // 40 wire slots.
    int n = std::min(3 * e.circuits + e.groundWires, kMaxWires);
    int m = 0;
    for (int i = 0; i < n; ++i)
        if (tap->flags[i])
            ++m;
    int newNumber[32];
    std::fill(std::begin(newNumber), std::end(newNumber), -1);
    int j = 0;
    for (int i = 0; i < n; ++i) {
        int old = e.inMap[i];
        if (!tap->flags[i]) {
            e.outMap[i] = old;
            continue;
        }
        int code = -1;
        if (old >= 0 && old % 4 == 3) {
            code = 4 * g_nLabelGround + 3;
            ++g_nLabelGround;
        } else if (old >= 0 && old / 4 < 32) {
            int k = old / 4;
            if (newNumber[k] < 0)
                newNumber[k] = g_nLabelCircuits++;
            code = old % 4 + 4 * newNumber[k];
        }
        // The map holds the old codes, then the new ones; with more than 20
        // wires in the branch the new codes would not fit its 40 entries.
        if (j < kMaxWires)
            tap->map[j] = old;
        if (m + j < kMaxWires)
            tap->map[m + j] = code;
        e.outMap[i] = code;
        ++j;
    }
    return m;
}

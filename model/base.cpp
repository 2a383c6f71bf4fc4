#include "model/base.h"

#include "platform/archive.h"
#include "platform/savefile.h"
#include "platform/storedtext.h"
#include "platform/syserror.h"

#include <cerrno>
#include <new>

CBase g_CurBase;
CBase g_TaskBase;

namespace {

// Smallest record of each item kind: lets a count be checked against the bytes
// left before a single item is made.
constexpr std::size_t kMinTower = 2;     // name, point count
constexpr std::size_t kMinWire = 25;     // name, 3 doubles
constexpr std::size_t kMinSolid = 81;    // name, 10 doubles
constexpr std::size_t kMinPipe = 9;      // name, 1 double
constexpr std::size_t kMinFilter = 20;   // name, 3 bytes, 2 doubles
constexpr std::size_t kMinTrap = 57;     // name, 7 doubles (older form)
constexpr std::size_t kMinMatrix = 2;    // name, order

template <class T>
void LoadList(ArchiveReader& ar, ObjList<T>& list, std::size_t minBytes, const char* what)
{
    std::uint16_t count = ar.readWord(what);
    ar.checkCount(count, minBytes, what);
    list.reserve(count);
    for (std::uint16_t i = 0; i < count; ++i) {
        auto item = std::make_unique<T>();
        item->Load(ar);
        list.push_back(std::move(item));
    }
}

template <class T>
void StoreList(ArchiveWriter& ar, const ObjList<T>& list)
{
    ar.writeWord(static_cast<std::uint16_t>(list.size()));
    for (const auto& item : list)
        item->Store(ar);
}

template <class T>
void CopyList(ObjList<T>& to, const ObjList<T>& from)
{
    to.reserve(to.size() + from.size());
    for (const auto& item : from) {
        auto copy = std::make_unique<T>();
        copy->Copy(*item);
        to.push_back(std::move(copy));
    }
}

template <class T>
void EmptyFromTail(ObjList<T>& list)
{
    while (!list.empty())
        list.pop_back();
}

}  // namespace

void CBase::RemoveAll()
{
    EmptyFromTail(towers);
    EmptyFromTail(phaseWires);
    EmptyFromTail(solidCables);
    EmptyFromTail(pipeCables);
    for (auto& list : filters)
        EmptyFromTail(list);
    EmptyFromTail(traps);
    EmptyFromTail(groundWires);
    EmptyFromTail(matrices);
    EmptyFromTail(hfCables);
}

bool CBase::IsEmpty() const
{
    for (const auto& list : filters)
        if (!list.empty())
            return false;
    return towers.empty() && phaseWires.empty() && groundWires.empty() && hfCables.empty() &&
           solidCables.empty() && pipeCables.empty() && traps.empty() && matrices.empty();
}

void CBase::Load(ArchiveReader& ar)
{
    CBase fresh;
    LoadList(ar, fresh.towers, kMinTower, "опоры");
    LoadList(ar, fresh.phaseWires, kMinWire, "фазные провода");
    LoadList(ar, fresh.solidCables, kMinSolid, "кабели со сплошной изоляцией");
    LoadList(ar, fresh.pipeCables, kMinPipe, "кабели в трубе");
    std::uint8_t lists = ar.readByte("число списков фильтров");
    if (lists > kFilterLists)
        ar.fail("число списков фильтров " + std::to_string(lists) + " больше семи");
    for (std::uint8_t k = 0; k < lists; ++k)
        LoadList(ar, fresh.filters[k], kMinFilter, "фильтры присоединения");
    fresh.filterListCount = kFilterLists;
    LoadList(ar, fresh.traps, kMinTrap, "заградители");
    LoadList(ar, fresh.groundWires, kMinWire, "грозотросы");
    LoadList(ar, fresh.matrices, kMinMatrix, "матрицы влияния опор");
    LoadList(ar, fresh.hfCables, kMinWire, "ВЧ кабели");
    Swap(fresh);
}

void CBase::Store(ArchiveWriter& ar)
{
    auto tooLong = [](std::size_t n) { return n > 0xFFFF; };
    bool refused = tooLong(towers.size()) || tooLong(phaseWires.size()) || tooLong(solidCables.size()) ||
                   tooLong(pipeCables.size()) || tooLong(traps.size()) || tooLong(groundWires.size()) ||
                   tooLong(matrices.size()) || tooLong(hfCables.size());
    for (const auto& list : filters)
        refused = refused || tooLong(list.size());
    if (refused)
        throw ArchiveError("в списке базы данных больше 65535 записей: такой список не записать");

    filterListCount = kFilterLists;
    StoreList(ar, towers);
    StoreList(ar, phaseWires);
    StoreList(ar, solidCables);
    StoreList(ar, pipeCables);
    ar.writeByte(filterListCount);
    for (const auto& list : filters)
        StoreList(ar, list);
    StoreList(ar, traps);
    StoreList(ar, groundWires);
    StoreList(ar, matrices);
    StoreList(ar, hfCables);
}

void CBase::CopyFrom(const CBase& other)
{
    if (this == &other)
        return;
    RemoveAll();
    filterListCount = other.filterListCount;
    CopyList(towers, other.towers);
    CopyList(phaseWires, other.phaseWires);
    CopyList(solidCables, other.solidCables);
    CopyList(pipeCables, other.pipeCables);
    for (int k = 0; k < kFilterLists; ++k)
        CopyList(filters[k], other.filters[k]);
    CopyList(traps, other.traps);
    CopyList(groundWires, other.groundWires);
    CopyList(matrices, other.matrices);
    CopyList(hfCables, other.hfCables);
}

void CBase::Swap(CBase& other)
{
    std::swap(filterListCount, other.filterListCount);
    towers.swap(other.towers);
    phaseWires.swap(other.phaseWires);
    groundWires.swap(other.groundWires);
    hfCables.swap(other.hfCables);
    solidCables.swap(other.solidCables);
    pipeCables.swap(other.pipeCables);
    for (int k = 0; k < kFilterLists; ++k)
        filters[k].swap(other.filters[k]);
    traps.swap(other.traps);
    matrices.swap(other.matrices);
    std::swap(fileStamp, other.fileStamp);
}

void LoadBaseFile(const std::string& path, CBase& base)
{
    FileStamp stamp;
    try {
        ArchiveReader ar = ArchiveReader::FromFile(path, &stamp);
        base.Load(ar);
    } catch (const std::bad_alloc&) {
        const std::string reason = SystemErrorText(ENOMEM);
        throw FileReadError("не удалось прочитать файл " + path + ": " + reason, reason);
    }
    base.fileStamp = std::move(stamp);
}

bool SaveBaseFile(const std::string& path, CBase& base, std::string& error)
{
    ArchiveWriter ar;
    try {
        base.Store(ar);
    } catch (const ArchiveError& e) {
        error = e.what();
        return false;
    }
    FileStamp written;
    if (!SaveFileAtomic(path, ar.bytes(), error, &written))
        return false;
    base.fileStamp = std::move(written);
    ReportAlteredTexts(path, ar.alteredTexts());
    return true;
}

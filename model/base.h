// The catalog: one typed list of items per category.  The catalog database
// file (kdb) is exactly what Store writes, with no header.
//
// Two catalogs live for the whole run: the current catalog g_CurBase (loaded
// from and saved to the user's kdb file) and g_TaskBase (the items the open
// task uses, rebuilt by CollectTaskItems).
#pragma once

#include "model/catalogitems.h"
#include "platform/filestamp.h"

#include <memory>
#include <string>
#include <vector>

template <class T>
using ObjList = std::vector<std::unique_ptr<T>>;

class CBase {
public:
    static constexpr std::uint8_t kFilterLists = 7;

    CBase() = default;
    virtual ~CBase() = default;
    CBase(const CBase&) = delete;
    CBase& operator=(const CBase&) = delete;

    std::uint8_t filterListCount = kFilterLists;  // always 7 in memory
    ObjList<COpora> towers;                       // "Опоры"
    ObjList<CProvod> phaseWires;                  // "Фазные провода"
    ObjList<CProvod> groundWires;                 // "Тросы"
    ObjList<CProvod> hfCables;                    // "Кабели высокочастотные"
    ObjList<CKabTv> solidCables;                  // "Кабели в твердой изоляции"
    ObjList<CKabTr> pipeCables;                   // "Кабели в трубе"
    ObjList<CFiltr> filters[kFilterLists];        // "Фильтры присоединения", list k = type k
    ObjList<CZagrad> traps;                       // "Заградители"
    ObjList<CMatrix> matrices;                    // "Матрицы"
    // The catalog file as last read or saved: a save over that path asks
    // first when someone changed the file since.  CopyFrom keeps it (the
    // catalog stays the file's), Swap exchanges it.
    FileStamp fileStamp;

    void RemoveAll();
    bool IsEmpty() const;

    // Reads a whole catalog in file order.  The file is read into a fresh
    // catalog first and taken over only when it was read to its end: a short
    // or damaged file throws ArchiveError and leaves this catalog as it was.
    void Load(ArchiveReader& ar);
    // Writes the catalog in file order.  Throws ArchiveError, before writing
    // anything, when a list holds more items than its 16-bit count can say.
    void Store(ArchiveWriter& ar);
    // Deep copy of every list of the other catalog, in its order.
    void CopyFrom(const CBase& other);
    void Swap(CBase& other);
};

extern CBase g_CurBase;
extern CBase g_TaskBase;

// Reads a kdb file into base and records its stamp; on any failure throws
// ArchiveError (FileReadError when the file could not be read at all, a
// memory failure included) and base is unchanged.
void LoadBaseFile(const std::string& path, CBase& base);
// Writes base to a kdb file through the atomic save and records its stamp; on
// failure returns false with a message in error and the old file is untouched.
// A written name that lost characters CP1251 cannot hold is reported.
bool SaveBaseFile(const std::string& path, CBase& base, std::string& error);

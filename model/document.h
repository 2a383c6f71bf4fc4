// The document: one task, that is one channel with its base data, its chain
// of elements and its stored results, and the task file (ktf) of versions 0
// to 6 (version 6 written).
#pragma once

#include "model/element.h"
#include "model/modelglobals.h"
#include "model/results.h"
#include "platform/filestamp.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CBase;

class CKestrinDoc {
public:
    static constexpr int kMaxElements = 0x7FFF;  // 15 bits of the count word
    static constexpr std::uint8_t kTaskVersion = 6;

    std::string title;
    std::string basePath;              // catalog file the task was built with; kept by ClearAll
    std::uint16_t elementCount = 0;    // refreshed from the chain
    std::uint16_t modalCount = 0;      // = modalResults.size()
    std::uint16_t responseCount = 0;   // = responseResults.size()
    std::uint8_t conductorCount = 0;   // conductors of the line, at most 40
    std::uint8_t circuits = 1;         // three-phase circuits, or poles of a DC line
    std::uint8_t groundWires = 0;
    std::uint8_t dc = 0;
    int splitConductor = -1;
    int phasing[kMaxWires];            // kept with the task, not interpreted
    std::vector<std::unique_ptr<CElement>> elements;
    std::vector<std::unique_ptr<CRezMod>> modalResults;
    std::vector<std::unique_ptr<CRezGra>> responseResults;
    // Tells tasks apart that have no file yet: a new value for every new,
    // opened or imported task.  CopyFrom keeps it (an edit restored from its
    // backup is the same task); Swap exchanges it with the task taken over.
    std::uint64_t identity;
    // The task file as last read or saved (for which path, which file, when):
    // a save over that path asks first when someone changed the file since.
    // A new or imported task has none; CopyFrom keeps it, Swap exchanges it.
    FileStamp fileStamp;

    // Construction and destruction leave the globals of the open task alone.
    CKestrinDoc();
    ~CKestrinDoc();
    CKestrinDoc(const CKestrinDoc&) = delete;
    CKestrinDoc& operator=(const CKestrinDoc&) = delete;

    // Empties the task (not the base path) and sets g_nTaskCompletion to 0.
    void ClearAll();
    void ClearResults();
    // The element at a zero-based index, or null.
    CElement* GetElement(int index);
    // Copies the task of another document; the base path stays and the
    // phasing codes become -1.
    void CopyFrom(const CKestrinDoc& other);
    // Fills the nominal end impedances of a result from the first and last
    // element; a side that cannot be computed gets 0.
    void CalcRezGraImpedances(CRezGra& result) const;

    void AppendElement(std::unique_ptr<CElement> e);
    void AddModalResult(std::unique_ptr<CRezMod> r);
    void AddResponseResult(std::unique_ptr<CRezGra> r);
    // Phasing codes in use: (DC ? circuits : 3 * circuits) + ground wires.
    int PhasingCount() const;

    // A new task (with a new identity): ClearAll, then the shell's ResetEditState.
    bool OnNewDocument();

    // Reads a task file as the open task.  The file is read into a fresh
    // document and taken over only when it was read to its end; a short or
    // damaged file throws ArchiveError and this document and the globals stay
    // as they were.  Shows the message of an older version; then the shell's
    // ResetEditState and UpdateTitle.
    void Serialize(ArchiveReader& ar);
    // Writes the task file, version 6; then the shell's UpdateTitle.  Throws
    // ArchiveError for a task the format cannot hold (more than 32767
    // elements, more than 40 conductors).
    void Serialize(ArchiveWriter& ar);
    // Reads a task file into this document without touching the globals of
    // the open task or the shell (the comparison buffer's temporary document).
    void ReadTemporary(ArchiveReader& ar, bool showMessages = true);

    // File forms of the two above: false with a message in error on failure
    // (the document, or the old file, is untouched; a memory failure while
    // reading is such a failure).  Both record the file's stamp.  reason, when
    // given, gets the cause alone, without the file's name (for a message that
    // names the file already).  A text written with characters CP1251 cannot
    // hold (a catalog path, an imported name) is reported after the save.
    bool OpenTaskFile(const std::string& path, std::string& error, std::string* reason = nullptr);
    bool SaveTaskFile(const std::string& path, std::string& error);

    // Imports a Dalvex task (dvx) into this document.  Returns 1 when
    // imported (completion then pending: g_nTaskCompletion = 1), 0 when the
    // task is an experimental span (refused with a message; the document
    // keeps the path and title read and has no elements).  A short or damaged
    // file throws ArchiveError and this document and the globals stay as
    // they were.
    int ImportDalvexTask(ArchiveReader& ar);

    void Swap(CKestrinDoc& other);

private:
    void ReadTask(ArchiveReader& ar, bool showMessages);
    void MigrateOldTask(bool showMessages);
    int ReadDalvex(ArchiveReader& ar);
    void BuildDalvexMaps(CElement& e, const CElement* previous, int phaseWires, int groundWires) const;
};

// Rebuilds g_TaskBase from the current document (g_pDoc): each catalog item
// the entered elements use, once per name, in the order of first use.
void CollectTaskItems();
void CollectTaskItems(const CKestrinDoc& doc, CBase& target);

// The comparison buffer: copies of the frequency responses of several tasks,
// kept in memory only, so that the buffer window can overlay curves of
// different tasks.  The main frame owns one (its compareBuffer); it outlives
// every task change and is never written to a file.
#pragma once

#include "model/results.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CKestrinDoc;

// One buffered curve: a full copy of a result with its connection label.
class CBufGra {
public:
    int selected = 0;  // 1 when chosen for the buffer window; every new copy starts at 0
    CRezGra result;    // label included
};

// The curves of one task, in the order of the task's results.
class CBufZad {
public:
    std::string key;    // real path of the task file (RealPathOf); empty for a task never saved
    std::string title;  // the task's title without its ".ktf"
    // The document identity of an unsaved task (empty key), so that two
    // unsaved tasks keep groups of their own; 0 for a group made from a file.
    std::uint64_t taskIdentity = 0;
    std::vector<std::unique_ptr<CBufGra>> curves;

    // A deep copy: key, title, identity and every curve with its flag and label.
    std::unique_ptr<CBufZad> Clone() const;
    // Deletes every curve, then appends an unselected, labelled copy of every
    // result of the task of at least 2 points, in the task's order.
    void Fill(const CKestrinDoc& doc);
    // Whether this group holds the results of that task: the same key (exact
    // comparison), and for the empty key also the same unsaved task.
    bool Holds(const std::string& pathName, std::uint64_t identity) const;
    int SelectedCount() const;
};

// The buffer: the groups in the order they were put in.
class CompareBuffer {
public:
    std::vector<std::unique_ptr<CBufZad>> groups;

    CompareBuffer() = default;
    CompareBuffer(const CompareBuffer& other) { CopyFrom(other); }
    CompareBuffer& operator=(const CompareBuffer& other)
    {
        CopyFrom(other);
        return *this;
    }
    CompareBuffer(CompareBuffer&&) = default;
    CompareBuffer& operator=(CompareBuffer&&) = default;

    // Replaces every group by deep copies of the other buffer's, in order.
    void CopyFrom(const CompareBuffer& other);
    void Clear() { groups.clear(); }

    // The first group from the head that holds the task (its file by any
    // name: groups are keyed by the file's real path), or null.
    CBufZad* Find(const std::string& pathName, std::uint64_t identity) const;

    // "В буфер сравнения": enabled when some result of the task has more than
    // 2 points.
    static bool CanPutTask(const CKestrinDoc& doc);
    // Puts the open task in: its group (found as above) is refilled in place,
    // keeping its title and position; otherwise a new group titled after the
    // document is filled and appended.  The group is appended even when no
    // result qualifies.
    void PutTask(const CKestrinDoc& doc, const std::string& pathName, const std::string& docTitle);
    // After a calculation: when the task holds tract results, its group (if
    // any) is refilled; no group is made.
    void RefreshTask(const CKestrinDoc& doc, const std::string& pathName);
    // After results of the task were deleted: every group of the task is
    // refilled from the results that remain (an empty group stays).
    void RefillTask(const CKestrinDoc& doc, const std::string& pathName);

    // Adds the results of a task file ("Дополнить"): the file is read into a
    // temporary document, leaving the open task, its globals and the current
    // document alone.  A file without a result of at least 2 points, or one
    // that cannot be read, is refused with a stop message and changes nothing.
    // Returns whether the buffer changed.
    bool AddTaskFile(const std::string& path);
    // The same for a task already read (the labels name its conductors with
    // its own DC flag and circuit and ground-wire counts).
    bool AddTask(const CKestrinDoc& task, const std::string& path);

private:
    // The group holding the task of that key (KeyOf of its path), or null.
    CBufZad* FindByKey(const std::string& key, std::uint64_t identity) const;
    // Refills the task's group in place, or appends a new one filled.
    void PutGroup(const CKestrinDoc& doc, const std::string& pathName, const std::string& title);
};

// The group title of a document title: a trailing ".ktf" (any letter case) is
// cut off; any other title is kept whole.
std::string BufferGroupTitle(const std::string& docTitle);
// The group title of a task file: its file name without ".ktf".
std::string BufferFileTitle(const std::string& path);

// Whether a result qualifies for the buffer (at least 2 points).
bool IsBufferableResult(const CRezGra& result);


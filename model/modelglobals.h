// State of the open task that the element records and conductor names read.
// The task-file reader, the import and the editor set these; records read
// while a file is read take the version and wire counts from here.
#pragma once

#include <cstdint>

class CKestrinDoc;

// At most this many wire slots per element (and conductors per task).
inline constexpr int kMaxWires = 40;

// The current document (set by the application shell).
extern CKestrinDoc* g_pDoc;

extern std::uint8_t g_nTaskVersion;     // version of the task file being read (0..6); 6 while writing
extern std::uint8_t g_nConductors;      // conductors of the task
extern std::uint8_t g_bDC;              // 1 on a DC line
extern int g_nSplitConductor;           // index of the split conductor, -1 none
extern std::uint8_t g_nTaskCompletion;  // 0 complete, 1 must be completed, 2 completion running
extern std::uint8_t g_nLoadWires;       // wire positions of the element being read

// Circuits and ground wires numbered so far: names show a circuit number from
// 2 circuits on and a ground-wire number from 2 ground wires on.
extern std::uint8_t g_nLabelCircuits;
extern std::uint8_t g_nLabelGround;
// Circuits and ground wires at the end of the chain, and the conductor map
// there (kept by the editor's structure replay).
extern std::uint8_t g_nCurCircuits;
extern std::uint8_t g_nCurGround;
extern int* g_pCurWireMap;

// Mirror pairs of the last FindSymmetricWires: +k and -k for pair k, 0 on the axis.
extern thread_local std::int8_t g_SymWires[kMaxWires];
// Conductor order carried by the end records of an imported Dalvex task; 127 = unset.
extern std::uint8_t g_ImportWireOrder[kMaxWires];

// Sets every global above to its start-up value (tests start from here).
void ResetModelGlobals();

// Saves the globals of the open task and puts them back when it goes out of
// scope, unless Commit was called: reading a task into a temporary document
// goes through one of these so that the open task keeps its state, and a
// read that fails half-way leaves the globals as they were.
class ModelGlobalsGuard {
public:
    ModelGlobalsGuard();
    ~ModelGlobalsGuard();
    // Keeps the values the globals hold now.
    void Commit() { m_commit = true; }
    ModelGlobalsGuard(const ModelGlobalsGuard&) = delete;
    ModelGlobalsGuard& operator=(const ModelGlobalsGuard&) = delete;

private:
    std::uint8_t m_taskVersion, m_conductors, m_dc, m_taskCompletion, m_loadWires;
    int m_split;
    std::uint8_t m_labelCircuits, m_labelGround, m_curCircuits, m_curGround;
    int* m_curWireMap;
    std::int8_t m_symWires[kMaxWires];
    std::uint8_t m_importOrder[kMaxWires];
    bool m_commit = false;
};

// The structure replay: walks the stored chain from its first element,
// tracks the nesting of taps, attached circuits, doublings and branchings,
// and rebuilds every element's wire counts and conductor maps and the
// editor's state at the chain end.  Placing an element (StructureWalk)
// applies the same step to the one new element.
//
// A chain read from a file may be damaged: a closing marker with nothing open,
// nesting deeper than the stack, a transposition that sends wires past the
// line, more than 40 wires.  Every step is checked before it changes
// anything; the replay stops at the first element that fails and the chain
// counts as broken from there.
#pragma once

#include "app/structstate.h"

#include <string>

class CKestrinDoc;

// Why element e cannot follow the reduced state s (a phrase of the structure
// message), or null.  Checks the element type, the stack depth of an opening
// marker, what a closing marker closes, the data object that the step reads
// and the wire count after the element.
const char* StructuralProblem(const CStructState& s, const CElement& e);
// A substation bypass that closes the doubling open at the top of the stack.
bool BypassClosesDoubling(const CStructState& s, const CElement& e);
// The stack, section kind, sub-state, depth, wire count and branch phase
// after element e.  StructuralProblem(s, e) must be null.
void AdvanceStructure(CStructState& s, const CElement& e);

// Why element e, at that index of the chain, cannot follow the state s at
// the chain end (null when it can).  Covers everything the step indexes: the
// structure, the permutation of a transposition, the map lengths, the split
// conductor and the counts of circuits and ground wires after it.
const char* StructureStepProblem(const CKestrinDoc& doc, const StructureState& s, const CElement& e, int index);

class StructureReplay {
public:
    // report: the replay runs for a command (entering editing, a change of
    // the chain) and may show its messages; enable rules pass false.
    StructureReplay(CKestrinDoc& doc, StructureState& st, bool report);

    // The whole chain from nothing.  Does nothing while a task completion is
    // pending or running.  Returns false when the chain is broken (the state
    // then describes the chain up to the element before st.brokenAt).
    bool Run();

    // StructureStepProblem at the chain end of this replay.
    const char* Problem(const CElement& e, int index) const;
    // One step for element e at that index: its input map (after the first
    // element), wire positions, counts and output map, the nested maps, the
    // state at the chain end and the globals of the chain end.  Problem must
    // have returned null.
    void Apply(CElement& e, int index);

private:
    void ApplyTransposition(CElement& e);
    const int* ApplyBypass(CElement& e, int index);
    const int* ApplyWireChange(CElement& e);
    const int* ApplyBranchingEnd(CElement& e, const CElement*& last);
    void ReportBypassOrder(int index);

    CKestrinDoc& m_doc;
    StructureState& m_st;
    bool m_report;
    bool m_orderReported = false;
};

// The reduced replay of elements 0 to index inclusive into st, leaving the
// editor's state and the chain alone.  False when the index is outside the
// chain or the chain is broken at or before it.
bool GetStructState(CKestrinDoc& doc, int index, CStructState& st);

// The message that reports a broken chain (stop icon).
std::string StructureBrokenMessage(int index, const std::string& reason);

// "Параметры" of the scheme view: the selected element's dialog opened on a
// copy, written back on OK in editing mode.  Which dialog an element type
// opens is one table of rows (app/elemparamstable.cpp): each row names a
// runner that shows the type's dialog on the copy and answers IDOK or
// IDCANCEL.  The command around the rows creates a missing data object,
// shows the message-only cases, completes the copy after OK (transposition
// output map, tap map, renumbered doubling, overhead-line symmetry), writes
// it back and replays the structure.
#pragma once

#include <span>

class CElement;
class CKestrinDoc;

// What a runner is given.
struct ElemParamsCall {
    CElement& element;  // the copy the dialog edits (its data object already made, except an overhead line's)
    CKestrinDoc& doc;
    int index;          // the selected element's position in the chain
    int previousType;   // type of the element before it, -1 for the first
    bool editing;       // the main frame is in editing mode (else the dialog is view-only)
};

using ElemParamsRunner = int (*)(ElemParamsCall& call);

struct ElemParamsRow {
    int type;
    ElemParamsRunner run;
};

// The rows of the table; a type has at most one.
std::span<const ElemParamsRow> ElemParamsRows();
// The runner of a type, null without a row.
ElemParamsRunner FindElemParamsRunner(int type);

// Whether "Параметры" can do something for the element at index: its type
// has a row, or the command only shows a message (a change of the number of
// wires, an end of branching, an end of tap after a coupling device, a
// non-selective tap or doubling, an end of an attached circuit of kind 0).
bool ElemParamsAvailable(const CKestrinDoc& doc, int index);

// The command on the element at index.  Returns true when the copy was
// written back (OK in editing mode).  The caller replays the structure and
// redraws; replay tells whether the command asks for a replay.
bool RunElemParams(CKestrinDoc& doc, int index, bool editing, bool& replay);

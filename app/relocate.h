// The relocations of the element commands as plain functions over the chain:
// the anchor of an element (the earlier element it hangs on), delete with the
// rest pulled back, the insertion gap and its cancel, move and rotate of the
// rest of a section, and the balancing of a selected range.  No Qt, no view:
// the view keeps the pivot, shift, target and indices they hand back.
#pragma once

#include "app/schemegeometry.h"

#include <functional>
#include <vector>

class CKestrinDoc;
class CStructState;

// One element's cells during a command.
struct CCellMove {
    int oldX = 0, oldY = 0, newX = 0, newY = 0;
    unsigned short anchor = 0;
    bool hasAnchor = false;
};

enum class AnchorRule {
    Any,        // city-block distance 1, or diagonally adjacent
    GapElement, // the element at an insertion gap: diagonal only on a start of branching
    AfterGap,   // later elements of an insertion: diagonal only when either type is above 11
};

// The anchor of element i among the visible elements before it, by their
// cells as they stand; -1 when none touches it.
int FindAnchor(const CKestrinDoc& doc, int i, AnchorRule rule);

// Removes elements lo..hi.  When hi is not the last element, the element
// after the range takes lo's cell and each later one follows its anchor's
// displacement; an element without an anchor keeps its cell.
void DeleteElements(CKestrinDoc& doc, int lo, int hi);

// Opens an insertion gap at element start: it moves by the shift and so does
// every later element whose anchor moved.  Returns the gap cell, the shift
// and the indices that moved.
struct InsertGap {
    SchemePoint cell;
    SchemePoint shift;
    std::vector<int> moved;
};
InsertGap OpenInsertGap(CKestrinDoc& doc, int start);
// Moves the elements of an open gap back.
void CloseInsertGap(CKestrinDoc& doc, const InsertGap& gap);

// The pivot of a move or rotation of element s: the nearest earlier visible
// element at city-block distance 1, or a diagonally adjacent start of
// branching; -1 when none.
int FindMovePivot(const CKestrinDoc& doc, int s);

// Moves (rotate false) or turns (rotate true) element s onto target around
// pivot, with the later elements.  summed(i, sum) answers the summed
// structure state after element i (false on a broken chain: the walk stops
// there).  When the sum at s is not 0 the walk stops after the first later
// element whose sum is below it.  Returns the last index moved.
int ApplyMoveRotate(CKestrinDoc& doc, int s, SchemePoint pivot, SchemePoint target, bool rotate,
                    const std::function<bool(int, int&)>& summed);

// The range end after balancing a range from start to end: the far end moves
// towards the start until every branching inside is whole and the state
// before the lower bound equals the state at the upper bound.  state(i, st)
// answers the state after element i (false on a broken chain).  Returns
// start when no balanced range exists (an ordinary selection).
int BalanceRange(const CKestrinDoc& doc, int start, int end,
                 const std::function<bool(int, CStructState&)>& state);

// Every end load becomes a coupling device without parameters; the indices changed.
std::vector<int> ReplaceByCoupling(CKestrinDoc& doc);
// The first and the last element, when coupling devices, become end loads
// without data; the indices changed.
std::vector<int> ReplaceByEndLoad(CKestrinDoc& doc);

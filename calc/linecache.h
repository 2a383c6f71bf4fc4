// The table of identical line sections of a channel.  Built once when the
// calculation dialog opens: a line section equal to an earlier one (flag 8)
// takes the earlier section's blocks, one with the same cross-section (flag
// 4) its modal data; the lending sections (flags 2 and 1) get storage to keep
// them in.  The line models fill and read the storage through g_pCurLineRec at
// every frequency; the table is frequency-independent and lives until the
// dialog closes.  The comparisons are made once; every thread that calculates
// points keeps its own records and storage made from them.
#pragma once

#include "math/linecalc.h"

#include <vector>

class CElement;
class CKestrinDoc;

// Fills g_ppCalcElements with the elements in chain order and g_pLineRecs
// with one record each, allocating the storage of the lending sections.  Any
// earlier table is freed first.  spansRedrawn: the run draws the random spans
// of every tower-influence section anew, each its own, so none of those
// sections shares with another.
void BuildSameLineTable(const CKestrinDoc& doc, bool spansRedrawn = false);
void BuildSameLineTable(const std::vector<CElement*>& elements, bool spansRedrawn = false);

// The records and storage of the calling thread, made from the table when
// they belong to an earlier one (a thread that calculates points of a run
// calls this before its first point).  The table's own thread has them.
void UseSameLineTableOnThisThread();
// Makes the calling thread's records and storage anew from the table.
void MakeThreadLineRecords();

// Frees the storage, the records and the element array; g_pCurLineRec := null.
void FreeSameLineTable();

// 2 when the later section can take the earlier one's blocks, 1 when it can
// take its modal data, 0 otherwise: CElement::IsSameLine, confirmed by equal
// wire positions, catalog items that compare as equal in every value and the
// same spacing of the split wire's halves.
unsigned char SameLineKind(const CElement& earlier, const CElement& later);

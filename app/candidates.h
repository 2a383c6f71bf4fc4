// The grid cells the scheme view offers for the next element: the free cells
// next to the chain end, and for an end of branching also those next to the
// end of the first branch.
#pragma once

class CElement;
class CKestrinDoc;

struct CandidateCell {
    int x = 0;
    int y = 0;
    bool offered = false;
};

class InsertCandidates {
public:
    static constexpr int kCount = 8;
    CandidateCell cells[kCount];
    bool shown = false;  // candidates are offered

    // Offers the cells around the chain end (the cell of chainEnd) for an
    // element of type templateType.
    void Show(const CKestrinDoc& doc, const CElement& chainEnd, int templateType);
    void Withdraw();
    // The offered candidate at a cell, -1 when none is offered there.
    int Find(int x, int y) const;
};

#include "app/candidates.h"

#include "model/document.h"

namespace {

// The four diagonal neighbours of a cell, offered, into cells[0 .. 3].
void SetDiagonal(CandidateCell* cells, int x, int y)
{
    const int dx[] = {-1, -1, 1, 1};
    const int dy[] = {-1, 1, -1, 1};
    for (int i = 0; i < 4; ++i)
        cells[i] = {x + dx[i], y + dy[i], true};
}

bool CellHoldsElement(const CKestrinDoc& doc, int x, int y)
{
    for (const auto& e : doc.elements)
        if (e->cellX == x && e->cellY == y)
            return true;
    return false;
}

} // namespace

void InsertCandidates::Show(const CKestrinDoc& doc, const CElement& chainEnd, int templateType)
{
    for (int i = 4; i < kCount; ++i)
        cells[i].offered = false;
    const int x = chainEnd.cellX;
    const int y = chainEnd.cellY;
    if (chainEnd.type == kBranchingStart || templateType == kBranchingEnd) {
        // Branches leave a branching, and join at its end, diagonally.
        SetDiagonal(cells, x, y);
        if (templateType == kBranchingEnd) {
            // Also around the end of the first branch: the element before
            // the latest end-of-branching marker.
            for (std::size_t i = doc.elements.size(); i-- > 1;) {
                if (doc.elements[i]->type == kBranchingEnd) {
                    const CElement& firstEnd = *doc.elements[i - 1];
                    SetDiagonal(cells + 4, firstEnd.cellX, firstEnd.cellY);
                    break;
                }
            }
        }
    } else {
        cells[0] = {x - 1, y, true};
        cells[1] = {x, y - 1, true};
        cells[2] = {x + 1, y, true};
        cells[3] = {x, y + 1, true};
    }
    // Nothing is placed to the left of a lone first element.
    if (doc.elements.size() == 1)
        cells[0].offered = false;
    for (auto& c : cells)
        if (c.offered && CellHoldsElement(doc, c.x, c.y))
            c.offered = false;
    shown = true;
}

void InsertCandidates::Withdraw()
{
    for (auto& c : cells)
        c.offered = false;
    shown = false;
}

int InsertCandidates::Find(int x, int y) const
{
    if (!shown)
        return -1;
    for (int i = 0; i < kCount; ++i)
        if (cells[i].offered && cells[i].x == x && cells[i].y == y)
            return i;
    return -1;
}

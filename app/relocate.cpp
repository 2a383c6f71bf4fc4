#include "app/relocate.h"

#include "app/structstate.h"
#include "model/coupling.h"
#include "model/document.h"

#include <cstdlib>

namespace {

CElement& At(CKestrinDoc& doc, int i)
{
    return *doc.elements[std::size_t(i)];
}

bool Orthogonal(const CElement& a, const CElement& b)
{
    return std::abs(a.cellX - b.cellX) + std::abs(a.cellY - b.cellY) == 1;
}

bool Diagonal(const CElement& a, const CElement& b)
{
    return std::abs(a.cellX - b.cellX) == 1 && std::abs(a.cellY - b.cellY) == 1;
}

void MoveBy(CElement& e, SchemePoint d)
{
    e.cellX += d.x;
    e.cellY += d.y;
}

// The end of a branch's first half sits, unseen, on the cell of the element
// before it (as placing puts it there): after a relocation it follows that element.
void FollowMarkers(CKestrinDoc& doc)
{
    for (std::size_t i = 1; i < doc.elements.size(); ++i)
        if (IsInvisibleMarker(*doc.elements[i])) {
            doc.elements[i]->cellX = doc.elements[i - 1]->cellX;
            doc.elements[i]->cellY = doc.elements[i - 1]->cellY;
        }
}

} // namespace

int FindAnchor(const CKestrinDoc& doc, int i, AnchorRule rule)
{
    if (i <= 0 || std::size_t(i) >= doc.elements.size())
        return -1;
    const CElement& e = *doc.elements[std::size_t(i)];
    for (int j = i - 1; j >= 0; --j) {
        const CElement& a = *doc.elements[std::size_t(j)];
        if (IsInvisibleMarker(a))
            continue;
        if (Orthogonal(a, e))
            return j;
        if (!Diagonal(a, e))
            continue;
        const bool diagonalCounts = rule == AnchorRule::Any ||
                                    (rule == AnchorRule::GapElement && a.type == kBranchingStart) ||
                                    (rule == AnchorRule::AfterGap && (a.type > 11 || e.type > 11));
        if (diagonalCounts)
            return j;
    }
    return -1;
}

void DeleteElements(CKestrinDoc& doc, int lo, int hi)
{
    const int n = int(doc.elements.size());
    if (lo < 0 || hi >= n || lo > hi)
        return;
    if (hi < n - 1) {
        std::vector<CCellMove> moves(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            CCellMove& m = moves[std::size_t(i)];
            const CElement& e = At(doc, i);
            m.oldX = m.newX = e.cellX;
            m.oldY = m.newY = e.cellY;
            const int a = IsInvisibleMarker(e) ? -1 : FindAnchor(doc, i, AnchorRule::Any);
            m.hasAnchor = a >= 0;
            m.anchor = static_cast<unsigned short>(a >= 0 ? a : 0);
        }
        moves[std::size_t(hi + 1)].newX = moves[std::size_t(lo)].oldX;
        moves[std::size_t(hi + 1)].newY = moves[std::size_t(lo)].oldY;
        for (int i = hi + 2; i < n; ++i) {
            CCellMove& m = moves[std::size_t(i)];
            if (!m.hasAnchor)
                continue;
            const CCellMove& a = moves[m.anchor];
            m.newX = m.oldX + (a.newX - a.oldX);
            m.newY = m.oldY + (a.newY - a.oldY);
        }
        for (int i = hi + 1; i < n; ++i) {
            At(doc, i).cellX = moves[std::size_t(i)].newX;
            At(doc, i).cellY = moves[std::size_t(i)].newY;
        }
    }
    doc.elements.erase(doc.elements.begin() + lo, doc.elements.begin() + hi + 1);
    doc.elementCount = static_cast<std::uint16_t>(doc.elements.size());
    FollowMarkers(doc);
}

InsertGap OpenInsertGap(CKestrinDoc& doc, int start)
{
    InsertGap gap;
    const int n = int(doc.elements.size());
    if (start <= 0 || start >= n)
        return gap;
    // Anchors by the cells before anything moves.
    std::vector<int> anchors(std::size_t(n), -1);
    for (int i = start; i < n; ++i)
        anchors[std::size_t(i)] = FindAnchor(doc, i, i == start ? AnchorRule::GapElement : AnchorRule::AfterGap);
    CElement& s = At(doc, start);
    const int a = anchors[std::size_t(start)];
    gap.cell = {s.cellX, s.cellY};
    if (a < 0 || At(doc, a).type == kBranchingStart || s.type == kBranchingEnd)
        gap.shift = {1, 0};
    else
        gap.shift = {s.cellX - At(doc, a).cellX, s.cellY - At(doc, a).cellY};
    std::vector<bool> moved(std::size_t(n), false);
    MoveBy(s, gap.shift);
    moved[std::size_t(start)] = true;
    gap.moved.push_back(start);
    for (int i = start + 1; i < n; ++i) {
        const int anchor = anchors[std::size_t(i)];
        if (IsInvisibleMarker(At(doc, i)) || anchor < 0 || !moved[std::size_t(anchor)])
            continue;
        MoveBy(At(doc, i), gap.shift);
        moved[std::size_t(i)] = true;
        gap.moved.push_back(i);
    }
    FollowMarkers(doc);
    return gap;
}

void CloseInsertGap(CKestrinDoc& doc, const InsertGap& gap)
{
    for (int i : gap.moved)
        if (i >= 0 && std::size_t(i) < doc.elements.size())
            MoveBy(At(doc, i), {-gap.shift.x, -gap.shift.y});
    FollowMarkers(doc);
}

int FindMovePivot(const CKestrinDoc& doc, int s)
{
    if (s <= 0 || std::size_t(s) >= doc.elements.size())
        return -1;
    const CElement& e = *doc.elements[std::size_t(s)];
    for (int j = s - 1; j >= 0; --j) {
        const CElement& p = *doc.elements[std::size_t(j)];
        if (IsInvisibleMarker(p))
            continue;
        if (Orthogonal(p, e) || (p.type == kBranchingStart && Diagonal(p, e)))
            return j;
    }
    return -1;
}

int ApplyMoveRotate(CKestrinDoc& doc, int s, SchemePoint pivot, SchemePoint target, bool rotate,
                    const std::function<bool(int, int&)>& summed)
{
    const int n = int(doc.elements.size());
    if (s < 0 || s >= n)
        return -1;
    CElement& e = At(doc, s);
    const SchemePoint a{e.cellX - pivot.x, e.cellY - pivot.y};
    const SchemePoint b{target.x - pivot.x, target.y - pivot.y};
    const int norm = a.x * a.x + a.y * a.y;
    if (rotate && norm == 0)
        return -1;
    // The turn that takes a onto b, divided by |a|² so that a diagonal
    // pivot (|a|² = 2) turns without stretching the section.
    const int cosine = rotate ? (a.x * b.x + a.y * b.y) / norm : 1;
    const int sine = rotate ? (b.y * a.x - b.x * a.y) / norm : 0;
    const SchemePoint shift{target.x - e.cellX, target.y - e.cellY};
    int sumStart = 0;
    const bool bounded = summed && summed(s, sumStart) && sumStart != 0;
    e.cellX = target.x;
    e.cellY = target.y;
    int last = s;
    for (int i = s + 1; i < n; ++i) {
        CElement& f = At(doc, i);
        if (rotate) {
            const SchemePoint r{f.cellX - pivot.x, f.cellY - pivot.y};
            f.cellX = pivot.x + cosine * r.x - sine * r.y;
            f.cellY = pivot.y + sine * r.x + cosine * r.y;
        } else {
            MoveBy(f, shift);
        }
        last = i;
        if (bounded) {
            int sum = 0;
            if (!summed(i, sum) || sum < sumStart)
                break;
        }
    }
    FollowMarkers(doc);
    return last;
}

int BalanceRange(const CKestrinDoc& doc, int start, int end, const std::function<bool(int, CStructState&)>& state)
{
    const int step = end > start ? -1 : 1;
    for (; end != start; end += step) {
        const int lo = std::min(start, end), hi = std::max(start, end);
        // Every start of branching inside with both its ends.
        int counter = 0;
        bool whole = true;
        for (int i = lo; i <= hi && whole; ++i) {
            const int type = doc.elements[std::size_t(i)]->type;
            if (type == kBranchingStart) {
                counter = 1;
            } else if (type == kBranchingEnd) {
                if (counter == 0)
                    whole = false;
                counter = (counter + 1) % 3;
            }
        }
        if (!whole || counter != 0)
            continue;
        if (lo == 0)
            continue;
        CStructState before, after;
        if (!state(lo - 1, before) || !state(hi, after))
            return start; // a broken chain: an ordinary selection
        if (before.kind == after.kind && before.subState == after.subState && before.depth == after.depth &&
            before.wireCount == after.wireCount && before.branchPhase == after.branchPhase)
            return end;
    }
    return start;
}

std::vector<int> ReplaceByCoupling(CKestrinDoc& doc)
{
    std::vector<int> changed;
    for (std::size_t i = 0; i < doc.elements.size(); ++i) {
        CElement& e = *doc.elements[i];
        if (e.type != kEndLoad)
            continue;
        e.type = kCouplingDevice;
        auto upr = std::make_unique<CUpr>();
        upr->wires = e.wirePositions;
        e.data = std::move(upr);
        e.entered = 0;
        changed.push_back(int(i));
    }
    return changed;
}

std::vector<int> ReplaceByEndLoad(CKestrinDoc& doc)
{
    std::vector<int> changed;
    if (doc.elements.size() < 2)
        return changed;
    for (std::size_t i : {std::size_t(0), doc.elements.size() - 1}) {
        CElement& e = *doc.elements[i];
        if (e.type != kCouplingDevice)
            continue;
        e.type = kEndLoad;
        e.data.reset();
        e.entered = 0;
        changed.push_back(int(i));
    }
    return changed;
}

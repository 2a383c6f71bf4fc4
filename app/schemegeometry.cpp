#include "app/schemegeometry.h"

#include "model/document.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

const char* const g_ElemAbbr[15] = {"ВЛ",  "КЛ", "ШС",  "ПС",  "НАГ", "ТР", "УПР", "ОБХ",
                                    "ОТВ", "ИЧП", "УДВ", "КПЦ", "",    "",   "КН"};

const char* ElementAbbr(int type)
{
    return type >= 0 && type < 15 ? g_ElemAbbr[type] : "";
}

bool IsInvisibleMarker(const CElement& e)
{
    return e.type == kBranchingEnd && e.circuitsAfter == 0;
}

double DeviceFactor(int logicalDpiY)
{
    return logicalDpiY * 0.010416666666666666;
}

int CellSize(double factor, double zoom, bool printing)
{
    int c = int(factor * zoom * 24);
    if (printing)
        c = int(c * 1.5);
    return std::max(c, 2);
}

namespace {

// Floor division, so that cells left of or above the origin map correctly.
int FloorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

const CElement* At(const CKestrinDoc& doc, std::ptrdiff_t index)
{
    return index >= 0 && std::size_t(index) < doc.elements.size() ? doc.elements[std::size_t(index)].get()
                                                                   : nullptr;
}

bool Touches(const CElement& a, const CElement& b)
{
    return std::abs(a.cellX - b.cellX) <= 1 && std::abs(a.cellY - b.cellY) <= 1;
}

} // namespace

SchemePoint SchemeGeometry::CellAt(int px, int py) const
{
    const int c = std::max(cell, 1);
    return {FloorDiv(px - originX + c / 2, c), FloorDiv(py - originY + c / 2, c)};
}

bool ComputeSchemeExtent(const CKestrinDoc& doc, int cell, SchemeExtent& extent)
{
    if (doc.elements.empty())
        return false;
    int minX = 1, minY = 3, maxX = 1, maxY = 3;
    for (const auto& e : doc.elements) {
        if (IsInvisibleMarker(*e))
            continue;
        minX = std::min(minX, e->cellX);
        minY = std::min(minY, e->cellY);
        maxX = std::max(maxX, e->cellX);
        maxY = std::max(maxY, e->cellY);
    }
    extent.left = std::min(cell * (minX - 1), 0);
    extent.top = std::min(cell * (minY - 2), 0);
    extent.right = cell * (maxX + 2);
    extent.bottom = cell * (maxY + 2);
    return true;
}

std::vector<int> ElementNumbers(const CKestrinDoc& doc)
{
    std::vector<int> numbers(doc.elements.size(), 0);
    int hidden = 0;
    for (std::size_t i = 0; i < doc.elements.size(); ++i) {
        if (IsInvisibleMarker(*doc.elements[i]))
            ++hidden;
        else
            numbers[i] = int(i) + 1 - hidden;
    }
    return numbers;
}

Fork ForkPoints(SchemePoint centre, int cell, ForkSide from)
{
    const int half = cell / 2, eighth = cell / 8, fourteenth = cell / 14;
    // Along the chain u runs from the side the chain arrives at to the
    // opposite side; v runs across it.  The first polyline takes v < 0.
    int du = 0, dv = 0;    // unit of u in x and y
    bool horizontal = true;
    switch (from) {
    case ForkSide::Left: du = 1; break;
    case ForkSide::Right: du = -1; break;
    case ForkSide::Above: dv = 1; horizontal = false; break;
    case ForkSide::Below: dv = -1; horizontal = false; break;
    }
    auto map = [&](int u, int v) -> SchemePoint {
        if (horizontal)
            return {centre.x + u * du, centre.y + v};
        return {centre.x + v, centre.y + u * dv};
    };
    Fork f;
    for (int s : {-1, 1}) {
        SchemePoint* p = s < 0 ? f.a : f.b;
        p[0] = map(-half, s * fourteenth);
        p[1] = map(-eighth, s * fourteenth);
        p[2] = map(half, s * half);
    }
    return f;
}

ForkSide BranchStartSide(const CKestrinDoc& doc, std::size_t index)
{
    const CElement* e = At(doc, std::ptrdiff_t(index));
    const CElement* prev = At(doc, std::ptrdiff_t(index) - 1);
    if (!e || !prev)
        return ForkSide::Left;
    if (prev->cellX < e->cellX)
        return ForkSide::Left;
    if (prev->cellX > e->cellX)
        return ForkSide::Right;
    return prev->cellY < e->cellY ? ForkSide::Above : prev->cellY > e->cellY ? ForkSide::Below : ForkSide::Left;
}

ForkSide BranchEndSide(const CKestrinDoc& doc, std::size_t index, ForkSide last)
{
    const CElement* e = At(doc, std::ptrdiff_t(index));
    const CElement* next = At(doc, std::ptrdiff_t(index) + 1);
    if (!e || !next)
        return last;
    // The fork converges towards the next element: it "arrives" from the
    // opposite side.
    if (next->cellX > e->cellX)
        return ForkSide::Right;
    if (next->cellX < e->cellX)
        return ForkSide::Left;
    if (next->cellY > e->cellY)
        return ForkSide::Below;
    if (next->cellY < e->cellY)
        return ForkSide::Above;
    return last;
}

bool BranchConnector(const CKestrinDoc& doc, std::size_t index, const SchemeGeometry& g, SchemePoint& from,
                     SchemePoint& to)
{
    const CElement* e = At(doc, std::ptrdiff_t(index));
    const CElement* p = At(doc, std::ptrdiff_t(index) - 1);
    if (!e || !p)
        return false;
    // Q: the element before the latest invisible marker (the first branch's end).
    std::ptrdiff_t marker = std::ptrdiff_t(index) - 1;
    while (marker >= 0 && !IsInvisibleMarker(*doc.elements[std::size_t(marker)]))
        --marker;
    const CElement* q = At(doc, marker - 1);
    if (marker < 0 || !q)
        return false;
    const bool pTouches = Touches(*p, *e), qTouches = Touches(*q, *e);
    if (pTouches && qTouches)
        return false;
    const CElement* t = pTouches ? q : p;
    const CElement* o = pTouches ? p : q;
    const std::ptrdiff_t tIndex = t == p ? std::ptrdiff_t(index) - 1 : marker - 1;
    const CElement* r = At(doc, tIndex - 1);
    if (!r)
        return false;

    const int h = g.cell / 2;
    const SchemePoint ec = g.Centre(e->cellX, e->cellY);
    const bool above = o->cellY < e->cellY, left = o->cellX < e->cellX;
    int sx = 0, sy = 0; // start corner of E: -1 left/top, +1 right/bottom
    if (above && left) {
        if (t->cellY > e->cellY) sx = -1, sy = 1;
        else sx = 1, sy = -1;
    } else if (above) {
        if (t->cellX < e->cellX) sx = 1, sy = 1;
        else sx = -1, sy = -1;
    } else if (left) {
        if (t->cellY < e->cellY) sx = -1, sy = -1;
        else sx = 1, sy = 1;
    } else {
        if (t->cellX <= e->cellX) sx = -1, sy = -1;
        else sx = 1, sy = 1;
    }
    from = {ec.x + sx * h, ec.y + sy * h};

    const SchemePoint tc = g.Centre(t->cellX, t->cellY);
    int tx = 0, ty = 0;
    if (r->cellX != t->cellX) {
        tx = r->cellX < t->cellX ? 1 : -1;
        ty = t->cellY < e->cellY ? 1 : -1;
    } else {
        ty = r->cellY < t->cellY ? 1 : -1;
        tx = t->cellX < e->cellX ? 1 : -1;
    }
    to = {tc.x + tx * h, tc.y + ty * h};
    return true;
}

SchemePoint PageTiling::PageOffset(int page, int pageWidth, int pageHeight) const
{
    if (columns <= 0 || page < 1)
        return {};
    return {((page - 1) % columns) * pageWidth, ((page - 1) / columns) * pageHeight};
}

PageTiling TileScheme(const SchemeExtent& extent, int pageWidth, int pageHeight)
{
    PageTiling t;
    if (pageWidth <= 0 || pageHeight <= 0 || extent.Width() <= 0 || extent.Height() <= 0)
        return t;
    t.columns = (extent.Width() + pageWidth - 1) / pageWidth;
    t.rows = (extent.Height() + pageHeight - 1) / pageHeight;
    return t;
}

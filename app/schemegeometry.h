// The geometry of the scheme: the grid cell on a device (screen, printer or
// PDF alike), the extent of the chain, the elements' numbers, and the
// branching symbols (forks and the connector of an end of branching) as
// points.  The widget paints what these give; nothing here reads past the
// chain, even where a damaged chain does not follow the nesting rules.
#pragma once

#include <string>
#include <vector>

class CElement;
class CKestrinDoc;

// The abbreviation drawn in an element's cell, by type; "" for the
// branching markers, which show their fork instead.
extern const char* const g_ElemAbbr[15];
const char* ElementAbbr(int type);

// The end of a branch's first half: an end of branching that is not drawn.
bool IsInvisibleMarker(const CElement& e);

// Pixels per inch of the device over 96.
double DeviceFactor(int logicalDpiY);
// The side of a grid cell in device units: 24 × factor × zoom, half as large
// again when printing, never below 2 units (the click's cell conversion divides by it).
int CellSize(double factor, double zoom, bool printing);

struct SchemePoint {
    int x = 0;
    int y = 0;
    bool operator==(const SchemePoint&) const = default;
};

// Cell size and the logical position of grid cell (0, 0).
struct SchemeGeometry {
    int cell = 24;
    int originX = 0;
    int originY = 0;

    SchemePoint Centre(int x, int y) const { return {originX + x * cell, originY + y * cell}; }
    // The grid cell under a logical point.
    SchemePoint CellAt(int px, int py) const;
};

// The logical rectangle the scheme needs at a cell size: one empty column
// left of the leftmost cell and two empty rows above the topmost (never
// starting right of or below grid cell (0, 0)'s corner), two cells beyond the
// last ones.
struct SchemeExtent {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const SchemeExtent&) const = default;
};
// False for a task without elements.
bool ComputeSchemeExtent(const CKestrinDoc& doc, int cell, SchemeExtent& extent);

// Each element's number as drawn: its position in the chain from 1, not
// counting invisible markers; 0 for an invisible marker.
std::vector<int> ElementNumbers(const CKestrinDoc& doc);

// Where a fork opens from or converges to.
enum class ForkSide { Left, Right, Above, Below };

// The two three-point polylines of a branching symbol in the cell centred at
// c, for a chain arriving from side `from`.
struct Fork {
    SchemePoint a[3];
    SchemePoint b[3];
};
Fork ForkPoints(SchemePoint centre, int cell, ForkSide from);

// The side a start of branching opens from: where the previous element lies
// (from the left when there is none).
ForkSide BranchStartSide(const CKestrinDoc& doc, std::size_t index);
// The side a visible end of branching converges towards: away from the next
// element; without a next element in another cell, `last` (the previous fork's side).
ForkSide BranchEndSide(const CKestrinDoc& doc, std::size_t index, ForkSide last);

// The connector line from a corner of a visible end of branching to a
// corner of the end of the branch that does not touch it; false when both
// branch ends touch it, or when the chain holds no first branch for it.
bool BranchConnector(const CKestrinDoc& doc, std::size_t index, const SchemeGeometry& g, SchemePoint& from,
                     SchemePoint& to);

// Pages needed to print an extent on pages of the given size, row by row.
struct PageTiling {
    int columns = 0;
    int rows = 0;
    int Pages() const { return columns * rows; }
    // The logical offset of a page's top-left corner (page from 1).
    SchemePoint PageOffset(int page, int pageWidth, int pageHeight) const;
};
PageTiling TileScheme(const SchemeExtent& extent, int pageWidth, int pageHeight);

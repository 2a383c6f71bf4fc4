// The scheme's cell geometry, extent, numbering, branching symbols and the
// page tiling of a printed scheme.
#include "app/schemegeometry.h"
#include "model/document.h"

#include <gtest/gtest.h>

namespace {

struct Cell {
    int type, x, y;
    int after = 1; // circuitsAfter: 0 makes an end of branching invisible
};

void Fill(CKestrinDoc& doc, const std::vector<Cell>& cells)
{
    for (const Cell& c : cells) {
        auto e = std::make_unique<CElement>();
        e->SetType(c.type);
        e->cellX = c.x;
        e->cellY = c.y;
        e->circuitsAfter = std::uint8_t(c.after);
        doc.AppendElement(std::move(e));
    }
}

TEST(SchemeGeometry, CellSizeOnEveryDevice)
{
    EXPECT_EQ(CellSize(DeviceFactor(96), 1.0, false), 24);
    EXPECT_EQ(CellSize(DeviceFactor(96), 1.0, true), 36);
    EXPECT_EQ(CellSize(DeviceFactor(1200), 1.0, true), 450);
    EXPECT_EQ(CellSize(DeviceFactor(96), 0.5, false), 12);
    EXPECT_EQ(CellSize(DeviceFactor(96), 0.001, false), 2); // never below 2 units
    const SchemeGeometry g{24, 10, 20};
    EXPECT_EQ(g.CellAt(10 + 2 * 24 + 11, 20 + 3 * 24 - 12), (SchemePoint{2, 3}));
    EXPECT_EQ(g.CellAt(10 - 24, 20), (SchemePoint{-1, 0}));
}

TEST(SchemeGeometry, ExtentKeepsMarginsAndShiftsTheOrigin)
{
    CKestrinDoc empty;
    SchemeExtent e;
    EXPECT_FALSE(ComputeSchemeExtent(empty, 24, e)); // no layout for an empty task

    const struct {
        std::vector<Cell> cells;
        SchemeExtent extent;
    } cases[] = {
        {{{0, 1, 3}, {0, 2, 3}}, {0, 0, 24 * 4, 24 * 5}},
        // Left of column 1 and above row 2: one empty column, two empty rows kept.
        {{{0, 1, 3}, {0, 0, 3}, {0, -2, 3}, {0, -2, 1}}, {-24 * 3, -24, 24 * 3, 24 * 5}},
        // An invisible marker far away does not count.
        {{{0, 1, 3}, {12, 2, 2}, {13, 20, 20, 0}}, {0, 0, 24 * 4, 24 * 5}},
    };
    for (const auto& c : cases) {
        CKestrinDoc doc;
        Fill(doc, c.cells);
        ASSERT_TRUE(ComputeSchemeExtent(doc, 24, e));
        EXPECT_EQ(e, c.extent);
    }
}

TEST(SchemeGeometry, InvisibleMarkerIsNotNumbered)
{
    CKestrinDoc doc;
    Fill(doc, {{0, 1, 3}, {12, 2, 3}, {0, 3, 2}, {13, 3, 2, 0}, {0, 3, 4}, {13, 4, 3}, {14, 5, 3}});
    EXPECT_EQ(ElementNumbers(doc), (std::vector<int>{1, 2, 3, 0, 4, 5, 6}));
}

TEST(SchemeGeometry, ForksOpenAwayFromTheChain)
{
    const SchemePoint c{100, 100};
    const Fork left = ForkPoints(c, 28, ForkSide::Left); // c/2 14, c/8 3, c/14 2
    EXPECT_EQ(left.a[0], (SchemePoint{86, 98}));
    EXPECT_EQ(left.a[1], (SchemePoint{97, 98}));
    EXPECT_EQ(left.a[2], (SchemePoint{114, 86}));
    EXPECT_EQ(left.b[2], (SchemePoint{114, 114}));
    const Fork above = ForkPoints(c, 28, ForkSide::Above);
    EXPECT_EQ(above.a[0], (SchemePoint{98, 86}));
    EXPECT_EQ(above.a[2], (SchemePoint{86, 114}));
    // An end converging towards a next element on its right.
    const Fork right = ForkPoints(c, 28, ForkSide::Right);
    EXPECT_EQ(right.a[0], (SchemePoint{114, 98}));
    EXPECT_EQ(right.a[2], (SchemePoint{86, 86}));

    CKestrinDoc doc;
    Fill(doc, {{12, 1, 3}, {0, 2, 2}, {13, 3, 3, 0}, {0, 1, 4}, {0, 1, 5}, {13, 2, 5}});
    EXPECT_EQ(BranchStartSide(doc, 0), ForkSide::Left); // no element before it: as from the left
    EXPECT_EQ(BranchEndSide(doc, 5, ForkSide::Above), ForkSide::Above); // no next: the last side
}

TEST(SchemeGeometry, ConnectorCorners)
{
    const SchemeGeometry g{20, 0, 0};
    // Rows: the chain, the end of branching's index, whether a connector is
    // drawn, and its two ends.
    const struct {
        std::vector<Cell> cells;
        bool drawn;
        SchemePoint from, to;
    } cases[] = {
        // Both branch ends touch the end: no connector.
        {{{0, 1, 3}, {12, 2, 3}, {0, 3, 2}, {13, 3, 2, 0}, {0, 3, 4}, {13, 4, 3}}, false, {}, {}},
        // The first branch ends far above: O = P (below-left), T = Q above.
        {{{0, 1, 3}, {12, 2, 3}, {0, 3, 2}, {0, 4, 1}, {0, 5, 1}, {13, 5, 1, 0}, {0, 3, 4}, {0, 4, 4}, {13, 5, 3}},
         true, {90, 50}, {110, 30}},
        // The second branch ends far to the left below: T = P, O = Q.
        {{{0, 1, 3}, {12, 2, 3}, {0, 3, 2}, {13, 3, 2, 0}, {0, 2, 4}, {0, 2, 5}, {13, 4, 3}}, true, {70, 70}, {50, 110}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        CKestrinDoc doc;
        Fill(doc, cases[i].cells);
        SchemePoint from, to;
        const bool drawn = BranchConnector(doc, doc.elements.size() - 1, g, from, to);
        EXPECT_EQ(drawn, cases[i].drawn) << i;
        if (drawn && cases[i].drawn) {
            EXPECT_EQ(from, cases[i].from) << i;
            EXPECT_EQ(to, cases[i].to) << i;
        }
    }
}

TEST(SchemeGeometry, DamagedChainsDrawWithoutFault)
{
    // Ends of branching without a start or a first branch, a start first in
    // the chain, cells that do not touch.
    const std::vector<std::vector<Cell>> chains = {
        {{13, 1, 3}},
        {{13, 1, 3, 0}, {13, 5, 9}},
        {{12, 1, 3}, {13, 7, 7}},
        {{0, 1, 3}, {13, 1, 4, 0}, {13, 9, 9}},
    };
    const SchemeGeometry g{24, 0, 0};
    for (const auto& cells : chains) {
        CKestrinDoc doc;
        Fill(doc, cells);
        ForkSide side = ForkSide::Left;
        for (std::size_t i = 0; i < doc.elements.size(); ++i) {
            side = doc.elements[i]->type == kBranchingStart ? BranchStartSide(doc, i) : BranchEndSide(doc, i, side);
            SchemePoint a, b;
            BranchConnector(doc, i, g, a, b);
        }
        ElementNumbers(doc);
    }
}

TEST(SchemeGeometry, PrintedPagesCoverTheScheme)
{
    // A scheme 40 cells wide at 1200 dpi on A4 (about 9500 x 13600 units).
    CKestrinDoc doc;
    std::vector<Cell> cells;
    for (int x = 1; x <= 40; ++x)
        cells.push_back({0, x, 3});
    Fill(doc, cells);
    const int cell = CellSize(DeviceFactor(1200), 1.0, true);
    SchemeExtent e;
    ASSERT_TRUE(ComputeSchemeExtent(doc, cell, e));
    const PageTiling t = TileScheme(e, 9500, 13600);
    EXPECT_EQ(t.columns, (e.Width() + 9499) / 9500);
    EXPECT_GE(t.columns * 9500, e.Width());
    EXPECT_GE(t.rows * 13600, e.Height());
    // The last cell's right edge lies on the last column of pages.
    const int lastRight = -e.left + 40 * cell + cell / 2;
    const SchemePoint lastPage = t.PageOffset(t.columns, 9500, 13600);
    EXPECT_GE(lastRight, lastPage.x);
    EXPECT_LE(lastRight, lastPage.x + 9500);
    EXPECT_EQ(t.PageOffset(t.columns + 1, 9500, 13600), (SchemePoint{0, 13600})); // row by row
}

} // namespace

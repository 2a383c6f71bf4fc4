// The element commands' relocations over the chain, range balancing, the
// replace commands and the element menu's table.
#include "app/commandids.h"
#include "app/elemmenu.h"
#include "app/relocate.h"
#include "app/structstate.h"
#include "model/coupling.h"
#include "model/document.h"

#include <gtest/gtest.h>

namespace {

using Cells = std::vector<SchemePoint>;

struct Cell {
    int type, x, y;
    int after = 1;
};

void Fill(CKestrinDoc& doc, const std::vector<Cell>& cells)
{
    for (const Cell& c : cells) {
        auto e = std::make_unique<CElement>();
        e->SetType(c.type);
        e->cellX = c.x;
        e->cellY = c.y;
        e->circuitsAfter = std::uint8_t(c.after);
        e->data = CreateElementData(c.type);
        doc.AppendElement(std::move(e));
    }
}

Cells CellsOf(const CKestrinDoc& doc)
{
    Cells out;
    for (const auto& e : doc.elements)
        out.push_back({e->cellX, e->cellY});
    return out;
}

TEST(Relocate, DeleteFromTheMiddlePullsTheRestBack)
{
    // A line that turns down after its fourth element.
    CKestrinDoc doc;
    Fill(doc, {{6, 1, 3}, {0, 2, 3}, {0, 3, 3}, {0, 4, 3}, {0, 4, 4}, {14, 4, 5}});
    DeleteElements(doc, 2, 2);
    EXPECT_EQ(CellsOf(doc), (Cells{{1, 3}, {2, 3}, {3, 3}, {3, 4}, {3, 5}}));

    // A range reaching the end goes from the tail; nothing moves.
    DeleteElements(doc, 3, 4);
    EXPECT_EQ(CellsOf(doc), (Cells{{1, 3}, {2, 3}, {3, 3}}));

    // A follower hanging diagonally on a start of branching moves with it.
    CKestrinDoc b;
    Fill(b, {{6, 1, 3}, {0, 2, 3}, {0, 3, 3}, {12, 4, 3}, {0, 5, 2}, {13, 5, 2, 0}, {0, 5, 4}, {13, 6, 3}});
    DeleteElements(b, 2, 2);
    EXPECT_EQ(CellsOf(b), (Cells{{1, 3}, {2, 3}, {3, 3}, {4, 2}, {4, 2}, {4, 4}, {5, 3}})); // the marker follows
}

TEST(Relocate, InsertThenCancelRestoresEveryCell)
{
    CKestrinDoc doc;
    Fill(doc, {{6, 1, 3}, {0, 2, 3}, {12, 3, 3}, {0, 4, 2}, {13, 4, 2, 0}, {0, 4, 4}, {13, 5, 3}, {14, 6, 3}});
    const Cells before = CellsOf(doc);
    const InsertGap gap = OpenInsertGap(doc, 1);
    EXPECT_EQ(gap.cell, (SchemePoint{2, 3}));
    EXPECT_EQ(gap.shift, (SchemePoint{1, 0}));
    EXPECT_EQ(doc.elements[1]->cellX, 3);
    EXPECT_EQ(doc.elements[7]->cellX, 7); // the whole rest moved along
    EXPECT_EQ(doc.elements[3]->cellX, 5); // the branch's first element, hung diagonally
    CloseInsertGap(doc, gap);
    EXPECT_EQ(CellsOf(doc), before);
}

TEST(Relocate, MoveAndRotate)
{
    const auto noStates = [](int, int&) { return false; };
    const struct {
        const char* what;
        std::vector<Cell> chain;
        int s;
        SchemePoint pivot, target;
        bool rotate;
        Cells expected;
    } cases[] = {
        {"half turn",
         {{6, 1, 3}, {0, 2, 3}, {0, 3, 3}, {0, 3, 4}},
         2, {2, 3}, {1, 3}, true,
         {{1, 3}, {2, 3}, {1, 3}, {1, 2}}},
        {"quarter turn swaps the axes",
         {{6, 1, 3}, {0, 2, 3}, {0, 3, 3}, {0, 4, 3}},
         2, {2, 3}, {2, 4}, true,
         {{1, 3}, {2, 3}, {2, 4}, {2, 5}}},
        {"turn around a start of branching keeps distances",
         {{6, 1, 3}, {12, 2, 3}, {0, 3, 2}, {0, 4, 2}},
         2, {2, 3}, {3, 4}, true,
         {{1, 3}, {2, 3}, {3, 4}, {3, 5}}},
        {"shift",
         {{6, 1, 3}, {0, 2, 3}, {0, 3, 3}, {0, 4, 3}},
         2, {2, 3}, {2, 2}, false,
         {{1, 3}, {2, 3}, {2, 2}, {3, 2}}},
    };
    for (const auto& c : cases) {
        CKestrinDoc doc;
        Fill(doc, c.chain);
        ApplyMoveRotate(doc, c.s, c.pivot, c.target, c.rotate, noStates);
        EXPECT_EQ(CellsOf(doc), c.expected) << c.what;
    }

    // The pivot of the branch's first element is the start of branching it
    // hangs on diagonally; cells that do not touch have none.
    CKestrinDoc doc;
    Fill(doc, {{6, 1, 3}, {12, 2, 3}, {0, 3, 2}, {0, 7, 7}});
    EXPECT_EQ(FindMovePivot(doc, 2), 1);
    EXPECT_EQ(FindMovePivot(doc, 3), -1);

    // The walk stops after the first later element whose summed state falls
    // below the start's.
    CKestrinDoc nested;
    Fill(nested, {{6, 1, 3}, {8, 2, 3}, {0, 3, 3}, {0, 4, 3}, {4, 5, 3}, {0, 6, 3}, {14, 7, 3}});
    const int sums[] = {0, 1, 1, 1, 0, 0, 0};
    const int last = ApplyMoveRotate(nested, 2, {2, 3}, {2, 2}, false, [&](int i, int& sum) {
        sum = sums[i];
        return true;
    });
    EXPECT_EQ(last, 4);
    EXPECT_EQ(CellsOf(nested), (Cells{{1, 3}, {2, 3}, {2, 2}, {3, 2}, {4, 2}, {6, 3}, {7, 3}}));
}

TEST(Relocate, RangeBalancing)
{
    CKestrinDoc doc;
    Fill(doc, {{6, 1, 3}, {0, 2, 3}, {12, 3, 3}, {0, 4, 2}, {13, 4, 2, 0}, {0, 4, 4}, {13, 5, 3}, {0, 6, 3}, {14, 7, 3}});
    // States: all equal (sound and flat) except inside the branching.
    const auto flat = [](int i, CStructState& st) {
        st.depth = (i >= 2 && i <= 5) ? 1 : 0;
        st.wireCount = 4;
        return true;
    };
    EXPECT_EQ(BalanceRange(doc, 1, 7, flat), 7);  // the whole branching inside
    EXPECT_EQ(BalanceRange(doc, 1, 5, flat), 1);  // half a branching: back to an ordinary selection
    EXPECT_EQ(BalanceRange(doc, 7, 3, flat), 7);  // towards the start from below
    const auto broken = [](int, CStructState&) { return false; };
    EXPECT_EQ(BalanceRange(doc, 1, 7, broken), 1);
}

TEST(Relocate, ReplaceCommands)
{
    CKestrinDoc doc;
    Fill(doc, {{14, 1, 3}, {0, 2, 3}, {14, 3, 3}});
    doc.elements[0]->wirePositions = 4;
    doc.elements[0]->entered = 1;
    EXPECT_EQ(ReplaceByCoupling(doc), (std::vector<int>{0, 2}));
    EXPECT_EQ(doc.elements[0]->type, kCouplingDevice);
    EXPECT_EQ(doc.elements[0]->Data<CUpr>()->wires, 4);
    EXPECT_EQ(doc.elements[0]->entered, 0);
    EXPECT_EQ(ReplaceByEndLoad(doc), (std::vector<int>{0, 2}));
    EXPECT_EQ(doc.elements[2]->type, kEndLoad);
    EXPECT_EQ(doc.elements[2]->data, nullptr);
}

TEST(ElemMenu, ItemsInOrderAndTheirStates)
{
    CKestrinDoc doc;
    Fill(doc, {{6, 1, 3}, {0, 2, 3}, {5, 3, 3}, {14, 4, 3}});
    using namespace cmd;
    auto ids = [](const std::vector<ElemMenuItem>& items) {
        std::vector<int> out;
        for (const auto& i : items)
            out.push_back(i.enabled ? i.id : -i.id);
        return out;
    };
    ElemMenuState s;
    s.doc = &doc;
    s.editing = true;
    s.selectedIndex = 1;
    s.templateType = kOverheadLine;
    // An overhead line in the middle, editing: all but cancel and modal parameters.
    EXPECT_EQ(ids(ElemMenuItems(s)), (std::vector<int>{ID_ELEM_PARAMS, 0, ID_ELEM_DELETE, ID_ELEM_INSERT,
                                                       -ID_ELEM_CANCEL_INSERT, 0, ID_ELEM_SHIFT, ID_ELEM_ROTATE,
                                                       -ID_CALC_MODAL}));
    // The first element (a coupling device): not deleted alone, not moved; "Заменить на КН" offered.
    // ("Параметры" follows the dispatch table, which has rows for these types.)
    s.selectedIndex = 0;
    s.templateType = kCouplingDevice;
    EXPECT_EQ(ids(ElemMenuItems(s)), (std::vector<int>{ID_ELEM_PARAMS, 0, -ID_ELEM_DELETE, -ID_ELEM_INSERT,
                                                       -ID_ELEM_CANCEL_INSERT, 0, -ID_ELEM_SHIFT, -ID_ELEM_ROTATE,
                                                       ID_REPLACE_BY_END_LOAD}));
    // An open gap: no change but its cancel; outside editing nothing changes the chain.
    s.selectedIndex = 3;
    s.templateType = kEndLoad;
    s.gapOpen = true;
    EXPECT_EQ(ids(ElemMenuItems(s)), (std::vector<int>{ID_ELEM_PARAMS, 0, -ID_ELEM_DELETE, -ID_ELEM_INSERT,
                                                       ID_ELEM_CANCEL_INSERT, 0, -ID_ELEM_SHIFT, -ID_ELEM_ROTATE,
                                                       -ID_REPLACE_BY_COUPLING}));
    s.gapOpen = false;
    s.editing = false;
    s.templateType = kOverheadLine;
    s.templateEntered = true;
    s.selectedIndex = 1;
    EXPECT_EQ(ids(ElemMenuItems(s)), (std::vector<int>{ID_ELEM_PARAMS, 0, -ID_ELEM_DELETE, -ID_ELEM_INSERT,
                                                       -ID_ELEM_CANCEL_INSERT, 0, -ID_ELEM_SHIFT, -ID_ELEM_ROTATE,
                                                       ID_CALC_MODAL}));
}

} // namespace

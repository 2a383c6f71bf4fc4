#include "results/textlines.h"

#include <gtest/gtest.h>

namespace {

TextLines Lines(int n)
{
    TextLines t;
    for (int i = 0; i < n; ++i)
        t.lines.push_back("line " + std::to_string(i));
    return t;
}

TEST(TextLines, LineFromPoint)
{
    const TextLines t = Lines(5); // lines 20 high from y = 10
    const struct {
        int y, line;
    } cases[] = {{0, 0}, {9, 0}, {10, 0}, {29, 0}, {30, 1}, {109, 4}, {110, 4}, {5000, 4}};
    for (const auto& c : cases)
        EXPECT_EQ(t.LineFromPoint(c.y, 20), c.line) << c.y;
    EXPECT_EQ(Lines(0).LineFromPoint(50, 20), -1);
}

TEST(TextLines, PressDragAndEsc)
{
    TextLines t = Lines(10);
    LineSpan r = t.Press(10 + 5 * 20 + 3, 20);
    EXPECT_TRUE(t.selection && t.dragging);
    EXPECT_EQ(r.first, 5);
    EXPECT_EQ(r.last, 5);
    r = t.DragTo(10 + 8 * 20, 20); // down: the last line follows
    EXPECT_EQ(t.firstSelected, 5);
    EXPECT_EQ(t.lastSelected, 8);
    EXPECT_EQ(r.first, 5);
    EXPECT_EQ(r.last, 8);
    t.DragTo(10 + 2 * 20, 20); // above the start: the first line follows, the last stays
    EXPECT_EQ(t.firstSelected, 2);
    EXPECT_EQ(t.lastSelected, 8);
    t.DragTo(10 + 6 * 20 + 5, 20); // back below the start: the top end stays
    EXPECT_EQ(t.firstSelected, 2);
    EXPECT_EQ(t.lastSelected, 6);
    t.Release();
    EXPECT_FALSE(t.dragging);
    EXPECT_EQ(t.DragTo(10, 20).Empty(), true);

    // A new press drops the old selection and repaints it.
    r = t.Press(0, 20);
    EXPECT_EQ(r.first, 0);
    EXPECT_EQ(r.last, 6);
    EXPECT_EQ(t.firstSelected, 0);

    r = t.EndSelection();
    EXPECT_FALSE(t.selection);
    EXPECT_EQ(r.last, 0);
    EXPECT_TRUE(t.EndSelection().Empty()); // Esc without a selection only passes the key on
}

TEST(TextLines, NoLinesSelectNothing)
{
    TextLines t;
    EXPECT_TRUE(t.Press(50, 20).Empty());
    EXPECT_FALSE(t.selection);
    EXPECT_FALSE(t.dragging);
    EXPECT_FALSE(t.SelectAll());
    EXPECT_EQ(t.SelectedText(), "");
    EXPECT_EQ(PageText(t, true, 1000, 20).Pages(), 0);
}

TEST(TextLines, CopyEndsEachLineWithCrLf)
{
    TextLines t = Lines(4);
    t.lines[2] = "Провод 1 (A)";
    EXPECT_EQ(t.SelectedText(), "");
    t.Press(10 + 20, 20);
    t.DragTo(10 + 2 * 20, 20);
    EXPECT_EQ(t.SelectedText(), "line 1\r\nПровод 1 (A)\r\n");
    ASSERT_TRUE(t.SelectAll());
    EXPECT_EQ(t.SelectedText(), "line 0\r\nline 1\r\nПровод 1 (A)\r\nline 3\r\n");
}

TEST(TextLines, PrintPaging)
{
    TextLines t = Lines(20);
    // All lines, 3 to a page: 7 pages, the last holding lines 18 and 19.
    TextPaging all = PageText(t, false, 65, 20);
    EXPECT_EQ(all.linesPerPage, 3);
    EXPECT_EQ(all.Pages(), 7);
    EXPECT_EQ(all.PageLines(7).first, 18);
    EXPECT_EQ(all.PageLines(7).last, 19);
    EXPECT_TRUE(all.PageLines(8).Empty());

    // The selection 5..9 starts the first page at its first line.
    t.Press(10 + 5 * 20, 20);
    t.DragTo(10 + 9 * 20, 20);
    TextPaging sel = PageText(t, true, 60, 20);
    EXPECT_EQ(sel.Pages(), 2);
    EXPECT_EQ(sel.PageLines(1).first, 5);
    EXPECT_EQ(sel.PageLines(1).last, 7);
    EXPECT_EQ(sel.PageLines(2).first, 8);
    EXPECT_EQ(sel.PageLines(2).last, 9);
    // Asked for the selection with none: every line.
    t.EndSelection();
    EXPECT_EQ(PageText(t, true, 60, 20).lineCount, 20);
    // A line taller than the page still prints one line a page.
    EXPECT_EQ(PageText(t, false, 10, 20).linesPerPage, 1);
}

} // namespace

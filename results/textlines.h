// A text face made of whole lines: the lines, a selection of a range of
// lines made with the mouse, Ctrl+A and Esc, the copy of the selected lines
// as text ended by "\r\n", and the paging of the lines for printing.  The
// main window's listings and the results window's reports share it; the
// widgets only paint the lines, pass on the pointer's logical y and repaint
// the lines a call names.  Standard library only.
#pragma once

#include <string>
#include <vector>

// A range of lines to repaint, first to last inclusive; empty when last < first.
struct LineSpan {
    int first = 0;
    int last = -1;

    bool Empty() const { return last < first; }
    // The smallest span covering both.
    LineSpan Union(const LineSpan& o) const;
};

class TextLines {
public:
    // Lines start this far from the top and the left edge of the text.
    static constexpr int kMargin = 10;

    std::vector<std::string> lines;

    // The selection, first to last inclusive, first <= last.  Without a
    // selection both are meaningless.
    bool selection = false;
    int firstSelected = 0;
    int lastSelected = 0;
    // The left button drags a selection; dragStartY is where it went down.
    bool dragging = false;
    int dragStartY = 0;

    int Count() const { return int(lines.size()); }
    // Empties the lines and ends any selection or drag.
    void Clear();
    // Ends the selection and the drag, keeping the lines.
    void ResetSelection();

    // The line at logical y of a text with lines lineHeight high: 0 above
    // the first line's top, the last line below the last one; -1 when there
    // are no lines.
    int LineFromPoint(int y, int lineHeight) const;
    // The top of a line and the height of the whole text (lines and margins).
    static int LineTop(int line, int lineHeight) { return kMargin + line * lineHeight; }
    int TextHeight(int lineHeight) const { return lineHeight * Count() + kMargin; }
    bool IsSelected(int line) const { return selection && line >= firstSelected && line <= lastSelected; }

    // The left button goes down at y: the old selection is dropped and the
    // line under the pointer selected, and a drag begins.  With no lines
    // nothing is selected and no drag begins.  Returns the lines to repaint.
    LineSpan Press(int y, int lineHeight);
    // The pointer moves to y while dragging: above the drag start it moves
    // the first selected line, else the last one.  Returns the lines between
    // the old and the new bound.
    LineSpan DragTo(int y, int lineHeight);
    void Release() { dragging = false; }
    // Ctrl+A: every line; false when there are none.
    bool SelectAll();
    // Esc: ends the selection; returns the lines it covered (empty when there
    // was none, and the key is then only passed on).
    LineSpan EndSelection();

    // The selected lines, each followed by "\r\n"; empty without a selection.
    std::string SelectedText() const;
};

// How a set of lines falls onto printed pages.
struct TextPaging {
    int firstLine = 0;     // first line printed (the first selected one when printing the selection)
    int lineCount = 0;     // lines printed
    int linesPerPage = 1;  // at least one, however tall a line is

    int Pages() const { return lineCount <= 0 ? 0 : (lineCount + linesPerPage - 1) / linesPerPage; }
    // The lines of page (from 1) as indices into the text's lines; empty past the last page.
    LineSpan PageLines(int page) const;
};

// Pages a text onto pages pageHeight high with lines lineHeight high: the
// selected lines when selectionOnly and a selection exists, else all lines.
TextPaging PageText(const TextLines& text, bool selectionOnly, int pageHeight, int lineHeight);

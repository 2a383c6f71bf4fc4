#include "results/textlines.h"

#include <algorithm>

LineSpan LineSpan::Union(const LineSpan& o) const
{
    if (Empty())
        return o;
    if (o.Empty())
        return *this;
    return {std::min(first, o.first), std::max(last, o.last)};
}

void TextLines::Clear()
{
    lines.clear();
    ResetSelection();
}

void TextLines::ResetSelection()
{
    selection = false;
    dragging = false;
    firstSelected = lastSelected = 0;
}

int TextLines::LineFromPoint(int y, int lineHeight) const
{
    if (lines.empty())
        return -1;
    if (y < kMargin || lineHeight <= 0)
        return 0;
    return std::min((y - kMargin) / lineHeight, Count() - 1);
}

LineSpan TextLines::Press(int y, int lineHeight)
{
    LineSpan redraw = EndSelection();
    dragging = false;
    const int line = LineFromPoint(y, lineHeight);
    if (line < 0)
        return redraw;
    firstSelected = lastSelected = line;
    dragStartY = y;
    dragging = true;
    selection = true;
    return redraw.Union({line, line});
}

LineSpan TextLines::DragTo(int y, int lineHeight)
{
    if (!dragging || !selection)
        return {};
    const int line = LineFromPoint(y, lineHeight);
    if (line < 0)
        return {};
    int& bound = y < dragStartY ? firstSelected : lastSelected;
    const LineSpan changed{std::min(bound, line), std::max(bound, line)};
    bound = line;
    if (firstSelected > lastSelected)
        std::swap(firstSelected, lastSelected);
    return changed;
}

bool TextLines::SelectAll()
{
    if (lines.empty())
        return false;
    selection = true;
    firstSelected = 0;
    lastSelected = Count() - 1;
    return true;
}

LineSpan TextLines::EndSelection()
{
    if (!selection)
        return {};
    selection = false;
    return {firstSelected, lastSelected};
}

std::string TextLines::SelectedText() const
{
    std::string text;
    if (!selection)
        return text;
    const int last = std::min(lastSelected, Count() - 1);
    for (int i = std::max(firstSelected, 0); i <= last; ++i) {
        text += lines[std::size_t(i)];
        text += "\r\n";
    }
    return text;
}

LineSpan TextPaging::PageLines(int page) const
{
    if (page < 1 || page > Pages())
        return {};
    const int begin = (page - 1) * linesPerPage;
    const int end = std::min(begin + linesPerPage, lineCount);
    return {firstLine + begin, firstLine + end - 1};
}

TextPaging PageText(const TextLines& text, bool selectionOnly, int pageHeight, int lineHeight)
{
    TextPaging p;
    p.linesPerPage = lineHeight > 0 ? std::max(1, pageHeight / lineHeight) : 1;
    if (selectionOnly && text.selection) {
        p.firstLine = std::clamp(text.firstSelected, 0, std::max(text.Count() - 1, 0));
        p.lineCount = std::max(0, std::min(text.lastSelected, text.Count() - 1) - p.firstLine + 1);
    } else {
        p.lineCount = text.Count();
    }
    return p;
}

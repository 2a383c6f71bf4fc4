#include "app/ui/schemepainter.h"

#include "app/kestrinview.h"
#include "app/ui/fonts.h"
#include "model/document.h"
#include "results/textlines.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cstdlib>

namespace {

const QColor kMarked(255, 0, 0);
const QColor kOlive(155, 155, 0);
const QColor kYellow(255, 255, 0);
const QColor kEntered(0, 0, 255);
const QColor kNotEntered(120, 120, 120);
const QColor kOffered(210, 210, 210);
const QColor kSelectionBand(20, 20, 20);

QPoint Q(const SchemePoint& p)
{
    return {p.x, p.y};
}

void FillOffered(QPainter& p, const SchemeGeometry& g, int x, int y)
{
    // (x ± 0.5)·c, (y ± 0.5)·c from the origin.
    const int left = g.originX + int((x - 0.5) * g.cell), top = g.originY + int((y - 0.5) * g.cell);
    const int right = g.originX + int((x + 0.5) * g.cell), bottom = g.originY + int((y + 0.5) * g.cell);
    p.fillRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), kOffered);
}

} // namespace

QFont SchemeFont(int cell)
{
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setWeight(QFont::Bold);
    f.setPixelSize(std::max(1, int(0.4 * cell)));
    return f;
}

QFont TextFont(int logicalDpiY, bool printing)
{
    QFont f = g_Font;
    const long height = std::labs(g_LogFont.lfHeight) > 0 ? std::labs(g_LogFont.lfHeight) : 10;
    f.setPixelSize(std::max(1, int(logicalDpiY * height / (printing ? 60 : 72))));
    return f;
}

void PaintScheme(QPainter& p, const CKestrinDoc& doc, const CKestrinView& view, const SchemeGeometry& g,
                 bool printing, const QString& title)
{
    p.save();
    p.setBackgroundMode(Qt::TransparentMode);
    p.setFont(SchemeFont(g.cell));
    p.setPen(Qt::black);
    p.drawText(QRect(20, 10, 100000, 100000), Qt::AlignLeft | Qt::AlignTop, title);

    // Pen widths in screen units, scaled like the cell on a finer device (a
    // printer at 1200 dpi would otherwise draw hairlines).
    const double penScale = std::max(1.0, DeviceFactor(p.device()->logicalDpiY()));
    const QPen markedPen(kMarked, 3 * penScale), normalPen(kOlive, 2 * penScale), branchPen(kYellow, 2 * penScale);
    const QColor textColour = printing ? QColor(Qt::black) : kYellow;
    const std::vector<int> numbers = ElementNumbers(doc);
    const int c = g.cell, half = c / 2;
    ForkSide lastSide = ForkSide::Left;
    const QFontMetrics fm(p.font(), p.device());

    for (std::size_t i = 0; i < doc.elements.size(); ++i) {
        const CElement& e = *doc.elements[i];
        if (IsInvisibleMarker(e))
            continue;
        const SchemePoint centre = g.Centre(e.cellX, e.cellY);
        p.setPen(e.selected ? markedPen : normalPen);
        p.setBrush(printing ? QColor(Qt::white) : e.entered ? kEntered : kNotEntered);
        p.drawRoundedRect(QRect(QPoint(centre.x - half, centre.y - half), QPoint(centre.x + half, centre.y + half)),
                          2.5 * penScale, 2.5 * penScale);

        if (e.type == kBranchingStart || e.type == kBranchingEnd) {
            const ForkSide side =
                e.type == kBranchingStart ? BranchStartSide(doc, i) : BranchEndSide(doc, i, lastSide);
            lastSide = side;
            const Fork f = ForkPoints(centre, c, side);
            p.setPen(branchPen);
            p.drawPolyline(QPolygon({Q(f.a[0]), Q(f.a[1]), Q(f.a[2])}));
            p.drawPolyline(QPolygon({Q(f.b[0]), Q(f.b[1]), Q(f.b[2])}));
            SchemePoint from, to;
            if (e.type == kBranchingEnd && BranchConnector(doc, i, g, from, to)) {
                p.setPen(normalPen);
                p.drawLine(Q(from), Q(to));
            }
        } else {
            p.setPen(textColour);
            const QString abbr = QString::fromUtf8(ElementAbbr(e.type));
            p.drawText(centre.x - fm.horizontalAdvance(abbr) / 2, centre.y - fm.descent(), abbr);
        }
        p.setPen(textColour);
        const QString number = QString::number(numbers[i]);
        p.drawText(centre.x - fm.horizontalAdvance(number) / 2, centre.y + 1 + fm.ascent(), number);
    }

    // The cells offered to the editor, and the open gap when it is offered.
    if (view.m_bCandidates || view.m_nMoveMode != 0)
        for (const CandidateCell& cell : view.m_Candidates.cells)
            if (cell.offered)
                FillOffered(p, g, cell.x, cell.y);
    if (view.m_bInsertGap && view.m_bGapOffered)
        FillOffered(p, g, view.m_nPivotX, view.m_nPivotY);
    p.restore();
}

void PaintTextLines(QPainter& p, const TextLines& text, int first, int last, int y, int lineHeight,
                    bool markSelection, int selectionWidth)
{
    const QFontMetrics fm(p.font(), p.device());
    for (int i = std::max(first, 0); i <= last && i < text.Count(); ++i, y += lineHeight) {
        const bool selected = markSelection && text.IsSelected(i);
        if (selected)
            p.fillRect(QRect(0, y, selectionWidth, lineHeight), kSelectionBand);
        p.setPen(selected ? kYellow : QColor(Qt::black));
        p.drawText(10, y + fm.ascent(), QString::fromStdString(text.lines[std::size_t(i)]));
    }
}

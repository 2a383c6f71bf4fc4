#include "results/ui/resultsicons.h"

#include "app/ui/icons.h"
#include "results/graphview.h"
#include "results/resultscommands.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kInk(40, 40, 40);
const QColor kBlue(30, 90, 170);
const QColor kRed(190, 40, 40);

// Two axes in the lower left corner.
void Axes(QPainter& p)
{
    p.setPen(QPen(kInk, 1.5));
    p.drawLine(QPointF(4, 3), QPointF(4, 20));
    p.drawLine(QPointF(4, 20), QPointF(21, 20));
}

// A small curve over the axes.
void Curve(QPainter& p)
{
    QPainterPath path(QPointF(5, 16));
    path.cubicTo(QPointF(9, 4), QPointF(14, 18), QPointF(20, 7));
    p.setPen(QPen(kBlue, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

// A dotted range mark, along X (vertical marks) or along Y.
QIcon RangeChoice(bool alongX)
{
    return DrawIcon([alongX](QPainter& p) {
        Axes(p);
        Curve(p);
        p.setPen(QPen(kRed, 1.4, Qt::DotLine));
        if (alongX) {
            p.drawLine(QPointF(9, 3), QPointF(9, 20));
            p.drawLine(QPointF(16, 3), QPointF(16, 20));
        } else {
            p.drawLine(QPointF(4, 8), QPointF(21, 8));
            p.drawLine(QPointF(4, 15), QPointF(21, 15));
        }
    });
}

// Arrows to both ends of an axis.
QIcon FullRange(bool alongX)
{
    return DrawIcon([alongX](QPainter& p) {
        p.setPen(QPen(kInk, 1.6));
        if (alongX) {
            p.drawLine(QPointF(3, 12), QPointF(21, 12));
            p.drawLine(QPointF(3, 12), QPointF(7, 8));
            p.drawLine(QPointF(3, 12), QPointF(7, 16));
            p.drawLine(QPointF(21, 12), QPointF(17, 8));
            p.drawLine(QPointF(21, 12), QPointF(17, 16));
        } else {
            p.drawLine(QPointF(12, 3), QPointF(12, 21));
            p.drawLine(QPointF(12, 3), QPointF(8, 7));
            p.drawLine(QPointF(12, 3), QPointF(16, 7));
            p.drawLine(QPointF(12, 21), QPointF(8, 17));
            p.drawLine(QPointF(12, 21), QPointF(16, 17));
        }
    });
}

QIcon Shift(bool left)
{
    return DrawIcon([left](QPainter& p) {
        Axes(p);
        QPainterPath arrow;
        const double x0 = left ? 18 : 7, x1 = left ? 7 : 18;
        arrow.moveTo(x1, 11);
        arrow.lineTo(x0, 6);
        arrow.lineTo(x0, 16);
        arrow.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawPath(arrow);
    });
}

QIcon Text(const char* text, bool curve)
{
    return DrawIcon([text, curve](QPainter& p) {
        if (curve) {
            Axes(p);
            Curve(p);
        }
        QFont f;
        f.setPixelSize(curve ? 9 : 11);
        f.setBold(true);
        p.setFont(f);
        p.setPen(curve ? kRed : kInk);
        p.drawText(QRect(0, curve ? 12 : 0, kIconSize, curve ? 12 : kIconSize), Qt::AlignCenter, QString::fromUtf8(text));
    });
}

} // namespace

QIcon ResultsCommandIcon(int id)
{
    namespace gc = GraphCommand;
    switch (id) {
    case gc::XChoose:
        return RangeChoice(true);
    case gc::YChoose:
        return RangeChoice(false);
    case gc::XFullRange:
        return FullRange(true);
    case gc::YFullRange:
        return FullRange(false);
    case gc::Scale:
        return Text("1:2", false);
    case gc::ResultsShiftLeft:
    case gc::BufferShiftLeft:
        return Shift(true);
    case gc::ResultsShiftRight:
    case gc::BufferShiftRight:
        return Shift(false);
    case gc::NotFromZero:
        return DrawIcon([](QPainter& p) {
            Axes(p);
            Curve(p);
            p.setPen(QPen(kRed, 1.6));
            p.drawLine(QPointF(1, 22), QPointF(8, 15));
        });
    case rescmd::Legend:
        return DrawIcon([](QPainter& p) {
            for (int k = 0; k < 3; ++k) {
                p.setPen(QPen(k == 1 ? kRed : kBlue, 2));
                p.drawLine(QPointF(3, 6 + 6 * k), QPointF(10, 6 + 6 * k));
                p.setPen(QPen(kInk, 1));
                p.drawLine(QPointF(13, 6 + 6 * k), QPointF(21, 6 + 6 * k));
            }
        });
    case gc::ByFrequency:
        return DrawIcon([](QPainter& p) {
            Axes(p);
            Curve(p);
            p.setPen(QPen(kRed, 1.4));
            p.drawLine(QPointF(13, 3), QPointF(13, 20));
        });
    default:
        return CommandIcon(id);
    }
}

#include "app/ui/icons.h"

#include "app/commandids.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <array>

using namespace cmd;

namespace {

const QColor kInk(40, 40, 40);
const QColor kPaper(250, 250, 250);
const QColor kBlue(30, 90, 170);
const QColor kYellow(235, 190, 30);

// An element's cell as the scheme draws it.
void CellFrame(QPainter& p)
{
    p.setPen(QPen(QColor(155, 155, 0), 1.5));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(1.5, 1.5, kIconSize - 3, kIconSize - 3), 3, 3);
}

// An element command: the cell with the element's abbreviation.
QIcon ElementCell(const char* abbr)
{
    return DrawIcon([abbr](QPainter& p) {
        CellFrame(p);
        QFont f;
        f.setPixelSize(QString::fromUtf8(abbr).size() > 2 ? 8 : 10);
        f.setBold(true);
        p.setFont(f);
        p.setPen(kYellow);
        p.drawText(QRect(0, 0, kIconSize, kIconSize), Qt::AlignCenter, QString::fromUtf8(abbr));
    });
}

// The fork of a branching: two lines joining on the left (start) or on the right (end).
QIcon Fork(bool start)
{
    return DrawIcon([start](QPainter& p) {
        CellFrame(p);
        p.setPen(QPen(kYellow, 2));
        if (!start) {
            p.translate(kIconSize, 0);
            p.scale(-1, 1);
        }
        p.drawPolyline(QPolygonF({QPointF(3, 11), QPointF(9, 11), QPointF(20, 4)}));
        p.drawPolyline(QPolygonF({QPointF(3, 13), QPointF(9, 13), QPointF(20, 20)}));
    });
}

void Page(QPainter& p, QRectF r)
{
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - 5, r.top());
    path.lineTo(r.right(), r.top() + 5);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 5, r.top()), QPointF(r.right() - 5, r.top() + 5));
    p.drawLine(QPointF(r.right() - 5, r.top() + 5), QPointF(r.right(), r.top() + 5));
}

void DrawNew(QPainter& p)
{
    Page(p, QRectF(5.5, 2.5, 13, 19));
}

void DrawOpen(QPainter& p)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(240, 200, 90));
    p.drawPolygon(QPolygonF({QPointF(2.5, 6.5), QPointF(9, 6.5), QPointF(11, 8.5), QPointF(20.5, 8.5),
                             QPointF(20.5, 19.5), QPointF(2.5, 19.5)}));
    p.setBrush(QColor(250, 220, 120));
    p.drawPolygon(QPolygonF({QPointF(5.5, 11.5), QPointF(22.5, 11.5), QPointF(20.5, 19.5), QPointF(2.5, 19.5)}));
}

void DrawSave(QPainter& p)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 1.5, 1.5);
    p.setBrush(kPaper);
    p.drawRect(QRectF(7.5, 3.5, 9, 6));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(6.5, 13.5, 11, 7));
}

void DrawPrint(QPainter& p)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawRect(QRectF(7.5, 2.5, 9, 7));
    p.setBrush(QColor(170, 170, 170));
    p.drawRoundedRect(QRectF(2.5, 9.5, 19, 8), 1.5, 1.5);
    p.setBrush(kPaper);
    p.drawRect(QRectF(6.5, 14.5, 11, 7));
}

void DrawCopy(QPainter& p)
{
    Page(p, QRectF(3.5, 2.5, 11, 14));
    Page(p, QRectF(9.5, 7.5, 11, 14));
}

void DrawBuffer(QPainter& p)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawRect(QRectF(2.5, 3.5, 19, 17));
    p.setPen(QPen(QColor(200, 30, 30), 1.5));
    p.drawPolyline(QPolygonF({QPointF(4, 17), QPointF(9, 10), QPointF(13, 13), QPointF(20, 6)}));
    p.setPen(QPen(kBlue, 1.5));
    p.drawPolyline(QPolygonF({QPointF(4, 13), QPointF(9, 15), QPointF(13, 9), QPointF(20, 11)}));
}

void Magnifier(QPainter& p)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(10, 10), 7, 7);
    p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15, 15), QPointF(21, 21));
}

void DrawZoomNormal(QPainter& p)
{
    Magnifier(p);
    QFont f;
    f.setPixelSize(7);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kInk);
    p.drawText(QRectF(3, 3, 14, 14), Qt::AlignCenter, "1:1");
}

void DrawZoomFit(QPainter& p)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawRect(QRectF(2.5, 2.5, 19, 19));
    p.setPen(QPen(kBlue, 1.5));
    p.drawLine(QPointF(6, 6), QPointF(18, 18));
    p.drawLine(QPointF(6, 18), QPointF(18, 6));
    p.setBrush(kBlue);
    for (auto [x, y, dx, dy] : {std::array<int, 4>{5, 5, 1, 1}, {19, 5, -1, 1}, {5, 19, 1, -1}, {19, 19, -1, -1}})
        p.drawPolygon(QPolygonF({QPointF(x, y), QPointF(x + 5 * dx, y), QPointF(x, y + 5 * dy)}));
}

void DrawWarnings(QPainter& p)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kYellow);
    p.drawPolygon(QPolygonF({QPointF(12, 2.5), QPointF(22, 20.5), QPointF(2, 20.5)}));
    p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, 8), QPointF(12, 14));
    p.drawPoint(QPointF(12, 17.5));
}

void DrawBaseData(QPainter& p)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawRect(QRectF(3.5, 2.5, 17, 19));
    p.setPen(QPen(kBlue, 1.5));
    for (int y : {7, 11, 15, 19}) {
        p.drawLine(QPointF(6, y), QPointF(10, y));
        p.drawLine(QPointF(12, y), QPointF(18, y));
    }
}

void DrawSaveIntermediate(QPainter& p)
{
    DrawSave(p);
    p.setPen(QPen(kYellow, 2.5));
    p.drawLine(QPointF(17, 1.5), QPointF(17, 9.5));
    p.drawLine(QPointF(13, 5.5), QPointF(21, 5.5));
}

void DrawFinish(QPainter& p)
{
    p.setPen(QPen(QColor(20, 140, 40), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(4, 13), QPointF(10, 19), QPointF(20, 5)}));
}

void DrawCancel(QPainter& p)
{
    p.setPen(QPen(QColor(200, 30, 30), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 5), QPointF(19, 19));
    p.drawLine(QPointF(19, 5), QPointF(5, 19));
}

} // namespace

QIcon CommandIcon(int id)
{
    switch (id) {
    case ID_FILE_NEW:
        return DrawIcon(DrawNew);
    case ID_FILE_OPEN:
        return DrawIcon(DrawOpen);
    case ID_FILE_SAVE:
        return DrawIcon(DrawSave);
    case ID_FILE_PRINT:
        return DrawIcon(DrawPrint);
    case ID_EDIT_COPY:
        return DrawIcon(DrawCopy);
    case ID_ADD_TO_BUFFER:
        return DrawIcon(DrawBuffer);
    case ID_ZOOM_NORMAL:
        return DrawIcon(DrawZoomNormal);
    case ID_ZOOM_FIT:
        return DrawIcon(DrawZoomFit);
    case ID_TOGGLE_WARNINGS:
        return DrawIcon(DrawWarnings);
    case ID_TASK_BASE_DATA:
        return DrawIcon(DrawBaseData);
    case ID_SAVE_INTERMEDIATE:
        return DrawIcon(DrawSaveIntermediate);
    case ID_FINISH_EDIT:
        return DrawIcon(DrawFinish);
    case ID_CANCEL_EDIT:
        return DrawIcon(DrawCancel);
    // Element commands: the abbreviations the scheme writes in the cells.
    case ID_ELEM_END_LOAD:
        return ElementCell("КН");
    case ID_ELEM_COUPLING:
        return ElementCell("УПР");
    case ID_ELEM_VLINE:
        return ElementCell("ВЛ");
    case ID_ELEM_KLINE:
        return ElementCell("КЛ");
    case ID_ELEM_TRANSP:
        return ElementCell("ТР");
    case ID_ELEM_SHUNT:
        return ElementCell("ШС");
    case ID_ELEM_SERIES_Z:
        return ElementCell("ПС");
    case ID_ELEM_TAP_LOAD:
        return ElementCell("НАГ");
    case ID_ELEM_BYPASS:
        return ElementCell("ОБХ");
    case ID_ELEM_TAP:
        return ElementCell("ОТВ");
    case ID_ELEM_DOUBLING:
        return ElementCell("УДВ");
    case ID_ELEM_WIRE_CHANGE:
        return ElementCell("ИЧП");
    case ID_ELEM_CIRCUIT_END:
        return ElementCell("КПЦ");
    case ID_ELEM_BRANCH_START:
        return Fork(true);
    case ID_ELEM_BRANCH_END:
        return Fork(false);
    default:
        return QIcon();
    }
}

QIcon DrawIcon(const std::function<void(QPainter&)>& paint)
{
    QPixmap pm(kIconSize, kIconSize);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        paint(p);
    }
    return QIcon(pm);
}

QIcon AppIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 64.0, size / 64.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(31, 95, 153));
        p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
        // A tower carrying two wires, and the HF signal riding on them.
        p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(22, 56), QPointF(32, 10), QPointF(42, 56)}));
        p.drawLine(QPointF(16, 22), QPointF(48, 22));
        p.drawLine(QPointF(20, 34), QPointF(44, 34));
        QPainterPath wave;
        wave.moveTo(6, 46);
        for (int k = 0; k < 4; ++k)
            wave.quadTo(6 + 13 * k + 6.5, k % 2 ? 54 : 38, 6 + 13 * (k + 1), 46);
        p.setPen(QPen(kYellow, 3.5, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(wave);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

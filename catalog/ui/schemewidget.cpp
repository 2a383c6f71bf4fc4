#include "catalog/ui/schemewidget.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace {

using Kind = SchemeItem::Kind;

bool Horizontal(const SchemeItem& it)
{
    return it.y1 == it.y2;
}

// The element's body of the given length centred on its segment; the leads
// from the segment's ends to the body are drawn here.  Answers the body's
// start along the segment (x for a horizontal element, y for a vertical one).
int Leads(QPainter& p, const SchemeItem& it, int body)
{
    if (Horizontal(it)) {
        const int a = std::min(it.x1, it.x2), b = std::max(it.x1, it.x2);
        const int s = (a + b - body) / 2;
        p.drawLine(a, it.y1, s, it.y1);
        p.drawLine(s + body, it.y1, b, it.y1);
        return s;
    }
    const int a = std::min(it.y1, it.y2), b = std::max(it.y1, it.y2);
    const int s = (a + b - body) / 2;
    p.drawLine(it.x1, a, it.x1, s);
    p.drawLine(it.x1, s + body, it.x1, b);
    return s;
}

} // namespace

void DrawTrapCapacitor(QPainter& p, const SchemeItem& it)
{
    // Two plates 16 px long, 5 px apart, across the wire.
    const int s = Leads(p, it, 5);
    if (Horizontal(it)) {
        p.drawLine(s, it.y1 - 8, s, it.y1 + 8);
        p.drawLine(s + 5, it.y1 - 8, s + 5, it.y1 + 8);
    } else {
        p.drawLine(it.x1 - 8, s, it.x1 + 8, s);
        p.drawLine(it.x1 - 8, s + 5, it.x1 + 8, s + 5);
    }
}

void DrawTrapInductor(QPainter& p, const SchemeItem& it)
{
    // Three half-circle arcs of 10 px.
    const int s = Leads(p, it, 30);
    for (int k = 0; k < 3; ++k) {
        if (Horizontal(it))
            p.drawArc(QRect(s + 10 * k, it.y1 - 5, 10, 10), it.bulge < 0 ? 0 : 180 * 16, 180 * 16);
        else
            p.drawArc(QRect(it.x1 - 5, s + 10 * k, 10, 10), it.bulge < 0 ? 90 * 16 : -90 * 16, 180 * 16);
    }
}

void DrawTrapResistor(QPainter& p, const SchemeItem& it)
{
    const int s = Leads(p, it, it.length);
    if (Horizontal(it))
        p.drawRect(s, it.y1 - 5, it.length, 10);
    else
        p.drawRect(it.x1 - 5, s, 10, it.length);
}

void DrawTrapNode(QPainter& p, int x, int y)
{
    const QBrush previous = p.brush();
    p.setBrush(Qt::black);
    p.drawEllipse(QPoint(x, y), 2, 2);
    p.setBrush(previous);
}

void PaintScheme(QPainter& p, const SchemeDrawing& d, int left, int top)
{
    p.save();
    p.fillRect(QRect(left, top, d.width, d.height), Qt::white);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(left, top, d.width - 1, d.height - 1));
    p.translate(left, top);
    QFont letter = p.font();
    letter.setPixelSize(11);
    QFont number = letter;
    number.setPixelSize(9);
    for (const SchemeItem& it : d.items) {
        switch (it.kind) {
        case Kind::Wire:
            p.drawLine(it.x1, it.y1, it.x2, it.y2);
            break;
        case Kind::Capacitor:
            DrawTrapCapacitor(p, it);
            break;
        case Kind::Inductor:
            DrawTrapInductor(p, it);
            break;
        case Kind::Resistor:
            DrawTrapResistor(p, it);
            break;
        case Kind::Terminal:
            DrawTrapNode(p, it.x1, it.y1);
            break;
        case Kind::Label: {
            p.setFont(letter);
            const int ascent = p.fontMetrics().ascent();
            p.drawText(it.x1, it.y1 + ascent, QString::fromStdString(it.text));
            if (!it.sub.empty()) {
                p.setFont(number);
                p.drawText(it.x1 + 8, it.y1 + 4 + ascent, QString::fromStdString(it.sub));
            }
            break;
        }
        }
    }
    p.restore();
}

SchemeWidget::SchemeWidget(Source source, QWidget* parent) : QWidget(parent), m_source(std::move(source))
{
    setMinimumSize(360, 150);
}

void SchemeWidget::paintEvent(QPaintEvent*)
{
    if (!m_source)
        return;
    QPainter p(this);
    const SchemeDrawing d = m_source(width());
    PaintScheme(p, d, CentredOffset(width(), d.width), CentredOffset(height(), d.height));
}

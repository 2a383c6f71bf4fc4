#include "results/ui/graphpainter.h"

#include "app/linestyles.h"
#include "app/ui/drawmarker.h"
#include "dialogs/ui/uitext.h"
#include "results/curvegeometry.h"
#include "results/graphview.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace {

QColor FromColourRef(std::uint32_t c)
{
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

// The line style of curve k in the set in use.
int StyleOf(int k)
{
    return k + (LineStyleTables.colourMode != 0 ? 10 : 0);
}

void DrawCurve(QPainter& p, const GraphModel& model, int k, const GraphLayout& g, const GraphPens& pens)
{
    const int style = StyleOf(k);
    const CurveGeometry geo = BuildCurveGeometry(model, k, g);
    p.setPen(pens.curves[std::size_t(style)]);
    p.setBrush(Qt::white);
    auto pixel = [&g](const CurvePoint& c) { return QPoint(g.FreqToX(c.x), g.ValueToY(c.y)); };
    for (const auto& piece : geo.pieces) {
        if (piece.size() < 2)
            continue;
        QPolygon line;
        for (const CurvePoint& c : piece)
            line << pixel(c);
        p.drawPolyline(line);
    }
    for (const CurvePoint& c : geo.markers)
        DrawMarker(p, pixel(c), &LineStyleTables.markers[style], g.printScale);
}

void DrawLegend(QPainter& p, const GraphModel& model, const GraphLayout& g, const GraphPens& pens)
{
    const QFontMetrics fm = p.fontMetrics();
    const int sampleHalf = fm.boundingRect(U(kLegendSampleText)).height() / 2;
    for (int k = 0; k < model.curveCount; ++k) {
        const LegendItem& item = g.legendPos[std::size_t(k)];
        const int top = g.legendTop + item.rowOffset;
        const int y = top + sampleHalf;
        const int style = StyleOf(k);
        p.setPen(pens.curves[std::size_t(style)]);
        p.setBrush(Qt::white);
        p.drawLine(item.x - g.legendGap, y, item.x, y);
        DrawMarker(p, QPoint(item.x - g.legendGap / 2, y), &LineStyleTables.markers[style], g.printScale);
        p.setPen(pens.black);
        p.drawText(item.x, top + fm.ascent(), U(model.curves[std::size_t(k)].label));
    }
}

} // namespace

GraphPens GraphPens::FromLineStyles(double widthScale)
{
    GraphPens pens;
    for (int i = 0; i < 20; ++i) {
        const int width = static_cast<int>(LineStyleTables.widths[i] * widthScale);
        pens.curves[std::size_t(i)] = QPen(FromColourRef(LineStyleTables.colours[i]), width, Qt::SolidLine,
                                           Qt::RoundCap, Qt::RoundJoin);
    }
    return pens;
}

QFont GraphFont(int logicalDpiY, bool printing)
{
    QFont f(QStringLiteral("Courier New Cyr"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPixelSize(std::max(1, logicalDpiY * 13 / (printing ? 60 : 72)));
    return f;
}

GraphLayout PaintGraph(QPainter& p, GraphModel& model, int clientWidth, int clientHeight, const GraphPens& pens,
                       const GraphPaintOptions& o)
{
    // Markers of the graphs keep their own orientation; the dialogs' samples flip it.
    g_bMarkerSwap = 0;
    model.ComputeAxes();
    const QFontMetrics fm = p.fontMetrics();
    const int labelHeight = fm.height();
    const auto width = [&fm](const std::string& s) { return fm.horizontalAdvance(U(s)); };
    const GraphLayout g = LayoutGraph(model, clientWidth, clientHeight, labelHeight, width, o.showLegend,
                                      o.printScale);
    const int top = fm.ascent();
    const int quantity = model.quantity;

    // The title, right-aligned at the right edge less half the label margin.
    p.setPen(pens.black);
    const QString title = U(GraphTitle(quantity));
    const int titleX = g.right - g.plotLeft / 2 - fm.horizontalAdvance(title);
    p.drawText(titleX, top, title);
    if (!g.hasAxes)
        return g;

    const QString yCaption = U(GraphYCaption(*model.kind, quantity));
    if (!o.taskTitle.empty()) {
        // Centred over the plot; moved left when it would run into the title,
        // and shortened where the value caption and the title leave too little room.
        const int gap = fm.horizontalAdvance(QStringLiteral("  "));
        const int leftmost = g.plotLeft + 2 + fm.horizontalAdvance(yCaption) + gap;
        const QString text = fm.elidedText(U(o.taskTitle), Qt::ElideRight, std::max(0, titleX - gap - leftmost));
        const int w = fm.horizontalAdvance(text);
        int x = g.plotLeft + (g.right - g.plotLeft - w) / 2;
        x = std::max(std::min(x, titleX - gap - w), leftmost);
        p.drawText(x, top, text);
    }

    // The value grid with its labels, the zero line solid.
    for (const AxisLabel& l : g.yLabels) {
        const int y = g.ValueToY(l.value);
        p.setPen(l.solid ? pens.black : pens.dotted);
        p.drawLine(g.plotLeft, y, g.right - 5, y);
        p.setPen(pens.black);
        const QString text = U(l.text);
        p.drawText(g.plotLeft - 2 - fm.horizontalAdvance(text), y, text);
    }
    p.setPen(pens.black);
    p.drawText(g.plotLeft + 2, top, yCaption);

    // The frequency grid, its labels below the axis and the axis caption.
    for (const AxisLabel& l : g.xLabels) {
        const int x = g.FreqToX(l.value);
        p.setPen(l.solid ? pens.black : pens.dotted);
        p.drawLine(x, g.plotTop, x, g.xAxisY);
        if (l.textShown) {
            p.setPen(pens.black);
            const QString text = U(l.text);
            p.drawText(x - fm.horizontalAdvance(text) / 2, g.xAxisY + 1 + top, text);
        }
    }
    p.setPen(pens.black);
    p.drawLine(g.plotLeft, g.xAxisY, g.right - 5, g.xAxisY);
    const QString xCaption = U(kGraphXCaption);
    p.drawText(g.right - fm.horizontalAdvance(xCaption), g.xAxisY + 1 + top, xCaption);

    p.save();
    p.setClipRect(QRect(0, 0, g.right, g.bottom));
    for (int k = 0; k < model.curveCount; ++k)
        DrawCurve(p, model, k, g, pens);
    p.restore();
    if (o.showLegend)
        DrawLegend(p, model, g, pens);

    if (o.screen) {
        // The range choice being dragged: the start line and the moving one.
        if (model.bandActive && (model.xChoose || model.yChoose)) {
            p.setPen(pens.blueDotted);
            for (const QPoint& at : {o.bandStart, o.bandEnd}) {
                if (model.xChoose)
                    p.drawLine(at.x(), g.xAxisY, at.x(), g.plotTop);
                else
                    p.drawLine(g.plotLeft, at.y(), g.right - 5, at.y());
            }
        }
        if (model.CursorVisible()) {
            p.setPen(pens.blueDotted);
            const int x = g.FreqToX(model.cursorFreq);
            p.drawLine(x, g.plotTop, x, g.xAxisY);
        }
    }
    return g;
}

#include "results/ui/graphcanvas.h"

#include "platform/modal.h"
#include "results/ui/prosmchastdialog.h"

#include <QPainter>
#include <QPrinter>
#include <QWidget>

void GraphCanvas::Paint(QWidget* widget, bool showLegend, const std::string& taskTitle)
{
    QPainter p(widget);
    p.setFont(GraphFont(widget->logicalDpiY(), false));
    GraphPaintOptions o;
    o.showLegend = showLegend;
    o.taskTitle = taskTitle;
    o.bandStart = m_bandStart;
    o.bandEnd = m_bandEnd;
    layout = PaintGraph(p, model, widget->width(), widget->height(), pens, o);
}

void GraphCanvas::ViewByFrequency(ProsmChastDialog** published, const std::function<void()>& repaint)
{
    FrequencyViewRequest request;
    request.model.cursorFreq = model.StartFrequencyView();
    request.model.rows = model.curves.data();
    request.model.rowCount = model.curveCount;
    request.model.quantity = static_cast<unsigned char>(model.quantity);
    request.moveCursor = [this, &repaint](float freq) {
        model.MoveCursor(freq);
        repaint();
    };
    request.published = published;
    repaint();
    RunModal(request);
    model.EndFrequencyView();
    repaint();
}

QRect GraphCanvas::StripAt(const QPoint& at) const
{
    // The line of the choice with a pixel either side.
    if (model.xChoose)
        return QRect(at.x() - 1, 0, 3, layout.bottom + 1);
    return QRect(0, at.y() - 1, layout.right + 1, 3);
}

bool GraphCanvas::Press(const QPoint& at)
{
    if (!(model.xChoose || model.yChoose) || !layout.hasAxes)
        return false;
    model.PressChoice();
    m_bandStart = m_bandEnd = at;
    return true;
}

QRect GraphCanvas::Move(const QPoint& at)
{
    if (!model.bandActive)
        return {};
    // Qt widgets have no XOR drawing: the old and the new line are repainted.
    const QRect strip = StripAt(m_bandEnd).united(StripAt(at));
    m_bandEnd = at;
    return strip;
}

bool GraphCanvas::Release(const QPoint& at)
{
    const bool active = model.bandActive || model.xChoose || model.yChoose;
    ReleaseGraphChoice(model, layout, m_bandStart.x(), m_bandStart.y(), at.x(), at.y());
    return active;
}

QImage GraphCanvas::Grab(QWidget* widget)
{
    return widget->grab().toImage();
}

GraphPrintPages GraphCanvas::Print(QPrinter& printer, const QSize& clientSize, bool showLegend,
                                   const std::string& taskTitle)
{
    QPainter p;
    if (!p.begin(&printer))
        return {};
    const QRect page = p.viewport();
    const GraphPrintPages plan = PlanGraphPages(clientSize.width(), clientSize.height(), page.width(), page.height());
    p.setFont(GraphFont(printer.logicalDpiY(), true));
    // The print has pens of its own; the screen's stay as they are.
    const GraphPens printPens = GraphPens::FromLineStyles(plan.printScale);
    GraphPaintOptions o;
    o.showLegend = showLegend;
    o.taskTitle = taskTitle;
    o.printScale = plan.printScale;
    o.screen = false;
    for (int row = 0; row < plan.rows; ++row) {
        if (row > 0)
            printer.newPage();
        p.save();
        // Page n shows the graph moved up by n - 1 printable heights.
        p.translate(0, -row * page.height());
        PaintGraph(p, model, clientSize.width(), clientSize.height(), printPens, o);
        p.restore();
    }
    p.end();
    return plan;
}

#include "results/ui/bufview.h"

#include "app/mainframe.h"
#include "results/buffercommands.h"
#include "results/comparebuffer.h"
#include "results/ui/prosmchastdialog.h"

#include <QMouseEvent>

CBufView* g_pBufView = nullptr;

CBufView::CBufView(QWidget* parent) : QWidget(parent)
{
    setObjectName("BufView");
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    g_pBufView = this;
}

CBufView::~CBufView()
{
    if (g_pBufView == this)
        g_pBufView = nullptr;
}

void CBufView::LoadBuffer(int quantity, bool showLegend)
{
    m_showLegend = showLegend;
    static const CompareBuffer empty;
    const CompareBuffer& buffer = g_pMainFrame ? g_pMainFrame->compareBuffer : empty;
    m_graph.model.BuildCurves(quantity, BufferCurveSources(buffer));
    update();
}

void CBufView::SetShowLegend(bool show)
{
    m_showLegend = show;
    update();
}

void CBufView::ReloadPens()
{
    m_graph.ReloadPens();
    update();
}

void CBufView::ViewByFrequency()
{
    m_graph.ViewByFrequency(&g_pBufFreqDlg, [this] { update(); });
}

QImage CBufView::GraphImage()
{
    return GraphCanvas::Grab(this);
}

GraphPrintPages CBufView::PrintGraph(QPrinter& printer)
{
    return m_graph.Print(printer, size(), m_showLegend, std::string());
}

void CBufView::paintEvent(QPaintEvent*)
{
    // No task-title line in the buffer's graph.
    m_graph.Paint(this, m_showLegend, std::string());
}

void CBufView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_graph.Press(event->position().toPoint()))
        update();
}

void CBufView::mouseMoveEvent(QMouseEvent* event)
{
    const QRect strip = m_graph.Move(event->position().toPoint());
    if (!strip.isEmpty())
        update(strip);
}

void CBufView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_graph.Release(event->position().toPoint())) {
        update();
        emit GraphChanged();
    }
}

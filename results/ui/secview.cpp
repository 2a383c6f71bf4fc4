#include "results/ui/secview.h"

#include "app/docfile.h"
#include "app/ui/fonts.h"
#include "model/document.h"
#include "model/modelglobals.h"
#include "results/resulttext.h"
#include "results/secframestate.h"
#include "results/ui/prosmchastdialog.h"

#include <QCursor>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>

#include <algorithm>

CSecView* g_pSecView = nullptr;

namespace {

// Selected lines: yellow on a near-black band.
const QColor kSelectionBrush(20, 20, 20);
const QColor kSelectionText(255, 255, 0);
// The pointer this close to the top or bottom edge scrolls the text while a
// selection is dragged.
constexpr int kEdge = 10;

} // namespace

CSecView::CSecView(SecFrameState& frame, QWidget* parent) : QAbstractScrollArea(parent), m_frame(frame)
{
    setObjectName("SecView");
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(true);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(pal);
    m_report.decimalComma = &m_frame.decimalComma;
    g_pSecView = this;
}

CSecView::~CSecView()
{
    if (g_pSecView == this)
        g_pSecView = nullptr;
}

bool CSecView::TextMode() const
{
    return m_frame.TextMode();
}

ReportSource CSecView::Source() const
{
    static const CKestrinDoc empty;
    return m_frame.Source(g_pDoc ? *g_pDoc : empty, g_DocFile.pathName);
}

void CSecView::BuildReport()
{
    m_report.BuildReport(Source());
    m_text.Clear();
    m_text.lines = std::move(m_report.screenLines);
    m_report.screenLines.clear();
}

void CSecView::BuildCurves()
{
    const CKestrinDoc* doc = g_pDoc;
    std::vector<CurveSource> sources;
    if (doc)
        for (std::size_t i = 0; i < doc->responseResults.size() && i < m_frame.chosenTract.size(); ++i)
            if (m_frame.chosenTract[i] && doc->responseResults[i]) {
                const CRezGra& r = *doc->responseResults[i];
                sources.push_back({GraphConnectionLabel(r.mode, ResultConnectionNames(r, *doc)), &r});
            }
    m_graph.model.BuildCurves(std::max(0, int(m_frame.ViewMode) - 8), sources);
}

void CSecView::ReloadPens()
{
    m_graph.ReloadPens();
    viewport()->update();
}

std::string CSecView::TaskTitleLine() const
{
    if (!m_frame.showTaskTitle || !g_pDoc)
        return {};
    return GraphTaskTitleText(g_pDoc->title);
}

void CSecView::ViewByFrequency()
{
    m_graph.ViewByFrequency(&g_pSecFreqDlg, [this] { viewport()->update(); });
}

QImage CSecView::GraphImage()
{
    return GraphCanvas::Grab(viewport());
}

GraphPrintPages CSecView::PrintGraph(QPrinter& printer)
{
    return m_graph.Print(printer, viewport()->size(), m_frame.showLegend != 0, TaskTitleLine());
}

void CSecView::BuildWordReport()
{
    m_report.FreeCopyLines();
    m_report.BuildWordReport(Source());
}

void CSecView::BuildExcelReport()
{
    m_report.FreeCopyLines();
    m_report.BuildExcelReport(Source());
}

void CSecView::LayoutText()
{
    m_text.ResetSelection();
    m_widths.clear();
    m_textHeight = 0;
    m_totalWidth = 0;
    if (TextMode() && m_text.Count() > 0) {
        const QFontMetrics fm(g_Font, viewport());
        m_lineHeight = std::max(1, fm.lineSpacing());
        int widest = 0;
        m_widths.reserve(m_text.lines.size());
        for (const std::string& line : m_text.lines) {
            m_widths.push_back(fm.horizontalAdvance(QString::fromStdString(line)));
            widest = std::max(widest, m_widths.back());
        }
        m_totalWidth = widest + 10;
        m_textHeight = m_text.TextHeight(m_lineHeight);
    }
    UpdateScrollSteps();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    viewport()->update();
    setFocus();
}

void CSecView::UpdateScrollSteps()
{
    const int h = viewport()->height();
    const int w = viewport()->width();
    QScrollBar* v = verticalScrollBar();
    QScrollBar* hs = horizontalScrollBar();
    // One scroll range over the whole text: Qt scrolls in ints, so the text is
    // never split into bands.
    v->setRange(0, std::max(0, m_textHeight - h));
    hs->setRange(0, std::max(0, m_totalWidth - w));
    v->setPageStep(std::max(m_lineHeight, h - m_lineHeight - 16));
    v->setSingleStep(m_lineHeight);
    hs->setPageStep(std::max(m_lineHeight, w - m_lineHeight - 16));
    hs->setSingleStep(m_lineHeight);
}

void CSecView::ResetView()
{
    m_graph.model.manualScale = false;
    LayoutText();
    m_text.ResetSelection();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    viewport()->update();
    emit SelectionChanged();
}

int CSecView::LogicalY(int deviceY) const
{
    return deviceY + verticalScrollBar()->value();
}

int CSecView::LineFromPoint(int y) const
{
    return m_text.LineFromPoint(y, m_lineHeight);
}

void CSecView::InvalidateLine(int i)
{
    if (i < 0 || i >= int(m_widths.size()))
        return;
    const int top = TextLines::LineTop(i, m_lineHeight) - verticalScrollBar()->value();
    viewport()->update(QRect(-horizontalScrollBar()->value(), top, m_widths[std::size_t(i)] + 10, m_lineHeight));
}

void CSecView::InvalidateLines(LineSpan span)
{
    for (int i = span.first; i <= span.last; ++i)
        InvalidateLine(i);
}

void CSecView::SelectAll()
{
    if (!TextMode() || !m_text.SelectAll())
        return;
    viewport()->update();
    emit SelectionChanged();
}

std::string CSecView::SelectedOf(const std::vector<std::string>& lines) const
{
    TextLines picked;
    picked.lines = lines;
    picked.selection = m_text.selection;
    picked.firstSelected = m_text.firstSelected;
    picked.lastSelected = m_text.lastSelected;
    return picked.SelectedText();
}

std::string CSecView::SelectedScreenText() const
{
    return m_text.SelectedText();
}

std::string CSecView::SelectedCopyText() const
{
    return SelectedOf(m_report.copyLines);
}

void CSecView::paintEvent(QPaintEvent* event)
{
    if (!TextMode()) {
        m_graph.Paint(viewport(), m_frame.showLegend != 0, TaskTitleLine());
        return;
    }
    if (m_text.Count() == 0)
        return;
    QPainter p(viewport());
    p.setFont(g_Font);
    const QFontMetrics fm(g_Font, viewport());
    const int dx = horizontalScrollBar()->value();
    const int dy = verticalScrollBar()->value();
    const QRect area = event->rect();
    // Only the lines inside the repainted area are drawn.
    const int first = std::max(0, (area.top() + dy - TextLines::kMargin) / m_lineHeight);
    const int last = std::min(m_text.Count() - 1, (area.bottom() + dy - TextLines::kMargin) / m_lineHeight);
    for (int i = first; i <= last; ++i) {
        const int y = TextLines::LineTop(i, m_lineHeight) - dy;
        const QString line = QString::fromStdString(m_text.lines[std::size_t(i)]);
        if (m_text.IsSelected(i)) {
            p.fillRect(QRect(-dx, y, m_widths[std::size_t(i)] + 10, m_lineHeight), kSelectionBrush);
            p.setPen(kSelectionText);
        } else {
            p.setPen(Qt::black);
        }
        p.drawText(TextLines::kMargin - dx, y + fm.ascent(), line);
    }
}

void CSecView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (viewport()->height() > 0)
        UpdateScrollSteps();
}

void CSecView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (!TextMode()) {
        if (m_graph.Press(event->position().toPoint()))
            viewport()->update();
        return;
    }
    const bool hadSelection = m_text.selection;
    const LineSpan span = m_text.Press(LogicalY(event->position().toPoint().y()), m_lineHeight);
    if (hadSelection)
        viewport()->update();
    else
        InvalidateLines(span);
    emit SelectionChanged();
}

void CSecView::mouseMoveEvent(QMouseEvent* event)
{
    if (!TextMode()) {
        const QRect strip = m_graph.Move(event->position().toPoint());
        if (!strip.isEmpty())
            viewport()->update(strip);
        return;
    }
    if (!m_text.dragging)
        return;
    const int y = event->position().toPoint().y();
    QScrollBar* v = verticalScrollBar();
    // Near an edge the text scrolls one line and the pointer steps back, so
    // that holding it there keeps scrolling.
    if (y < kEdge && v->value() > 0) {
        v->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCursor::setPos(QCursor::pos() + QPoint(0, 5));
    } else if (y > viewport()->height() - kEdge && v->value() < v->maximum()) {
        v->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCursor::setPos(QCursor::pos() - QPoint(0, 5));
    }
    InvalidateLines(m_text.DragTo(LogicalY(y), m_lineHeight));
    emit SelectionChanged();
}

void CSecView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (!TextMode()) {
        if (m_graph.Release(event->position().toPoint())) {
            viewport()->update();
            emit SelectionChanged();
        }
        return;
    }
    m_text.Release();
}

void CSecView::keyPressEvent(QKeyEvent* event)
{
    QScrollBar* v = verticalScrollBar();
    QScrollBar* h = horizontalScrollBar();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Escape: {
        const LineSpan span = m_text.EndSelection();
        if (!span.Empty()) {
            InvalidateLines(span);
            emit SelectionChanged();
        }
        break;
    }
    case Qt::Key_PageUp:
        v->triggerAction(QAbstractSlider::SliderPageStepSub);
        break;
    case Qt::Key_PageDown:
        v->triggerAction(QAbstractSlider::SliderPageStepAdd);
        break;
    case Qt::Key_Home:
        (ctrl ? v : h)->triggerAction(QAbstractSlider::SliderToMinimum);
        break;
    case Qt::Key_End:
        (ctrl ? v : h)->triggerAction(QAbstractSlider::SliderToMaximum);
        break;
    case Qt::Key_Left:
        h->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Right:
        h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case Qt::Key_Up:
        v->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Down:
        v->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CSecView::PrintText(QPrinter& printer, bool selectionOnly)
{
    QPainter p;
    if (!p.begin(&printer))
        return;
    // Printed text is 1.2 times its size on the screen.
    QFont font = g_Font;
    font.setPointSizeF(g_Font.pointSizeF() * 1.2);
    p.setFont(font);
    const QFontMetrics fm(font, &printer);
    const int lineHeight = std::max(1, fm.lineSpacing());
    const int pageHeight = p.viewport().height();
    m_paging = PageText(m_text, selectionOnly, pageHeight, lineHeight);
    p.setPen(Qt::black);
    for (int page = 1; page <= m_paging.Pages(); ++page) {
        if (page > 1)
            printer.newPage();
        const LineSpan lines = m_paging.PageLines(page);
        int y = TextLines::kMargin;
        for (int i = lines.first; i <= lines.last; ++i, y += lineHeight)
            p.drawText(TextLines::kMargin, y + fm.ascent(), QString::fromStdString(m_text.lines[std::size_t(i)]));
    }
    p.end();
}

#include "app/ui/schemeview.h"

#include "app/commandids.h"
#include "app/docfile.h"
#include "app/ui/schemepainter.h"
#include "model/document.h"
#include "model/modelglobals.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

SchemeView::SchemeView(CKestrinView& view, QWidget* parent) : QAbstractScrollArea(parent), m_view(view)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(true);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(pal);
    m_view.SetHost(this);
    // Elements after the first are placed with the mouse on this widget.
    m_view.m_bMousePlacing = 1;
}

SchemeView::~SchemeView()
{
    m_view.SetHost(nullptr);
}

void SchemeView::InvalidateView()
{
    viewport()->update();
}

void SchemeView::FocusView()
{
    setFocus(Qt::ActiveWindowFocusReason);
}

void SchemeView::ScrollViewTo(int x, int y)
{
    horizontalScrollBar()->setValue(x);
    verticalScrollBar()->setValue(y);
}

void SchemeView::InvalidateRect(int left, int top, int right, int bottom)
{
    const QPoint scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    viewport()->update(QRect(QPoint(left, top) - scroll, QPoint(right, bottom) - scroll));
}

ViewMetrics SchemeView::Metrics() const
{
    ViewMetrics m;
    // An unshown or minimised window has no client area.
    if (isVisible() && !window()->isMinimized()) {
        m.clientWidth = viewport()->width();
        m.clientHeight = viewport()->height();
    }
    m.logicalDpiY = viewport()->logicalDpiY();
    const QFontMetrics fm(TextFont(m.logicalDpiY, false), viewport());
    m.lineHeight = fm.height() + fm.leading();
    return m;
}

int SchemeView::TextWidth(const std::string& text) const
{
    const QFontMetrics fm(TextFont(viewport()->logicalDpiY(), false), viewport());
    return fm.horizontalAdvance(QString::fromStdString(text));
}

void SchemeView::ScrollSizesChanged(bool)
{
    UpdateScrollBars();
}

void SchemeView::UpdateScrollBars()
{
    const QSize client = viewport()->size();
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setRange(0, std::max(0, m_view.m_nScrollWidth - client.width()));
    v->setRange(0, std::max(0, m_view.m_nScrollHeight - client.height()));
    h->setPageStep(m_view.m_nPageScrollX > 0 ? m_view.m_nPageScrollX : std::max(1, int(0.9 * client.width())));
    v->setPageStep(m_view.m_nPageScrollY > 0 ? m_view.m_nPageScrollY : std::max(1, int(0.9 * client.height())));
    h->setSingleStep(m_view.m_nLineScrollX > 0 ? m_view.m_nLineScrollX : std::max(1, m_view.m_nCell));
    v->setSingleStep(m_view.m_nLineScrollY > 0 ? m_view.m_nLineScrollY : std::max(1, m_view.m_nCell));
}

QPoint SchemeView::ToLogical(const QPoint& viewportPoint) const
{
    return viewportPoint + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void SchemeView::paintEvent(QPaintEvent* event)
{
    QPainter p(viewport());
    p.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    if (!m_view.TextMode()) {
        if (g_pDoc)
            PaintScheme(p, *g_pDoc, m_view, m_view.Geometry(), false, QString::fromStdString(GetDocTitle()));
        return;
    }
    p.setFont(TextFont(viewport()->logicalDpiY(), false));
    const int h = std::max(m_view.m_nLineHeight, 1);
    // Only the lines the damaged rectangle shows.
    const QRect dirty = event->rect().translated(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const int first = std::max(0, (dirty.top() - TextLines::kMargin) / h);
    const int last = (dirty.bottom() - TextLines::kMargin) / h;
    PaintTextLines(p, m_view.m_Text, first, last, TextLines::LineTop(first, h), h, true, m_view.m_nScrollWidth);
}

void SchemeView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (g_pDoc && !g_pDoc->elements.empty() && !m_view.TextMode())
        m_view.RecalcLayout();
    // A listing keeps its scroll position; its page steps follow the client.
    if (m_view.TextMode()) {
        m_view.m_nPageScrollX = int(0.9 * viewport()->width());
        m_view.m_nPageScrollY = int(0.9 * viewport()->height());
    }
    UpdateScrollBars();
}

void SchemeView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const QPoint logical = ToLogical(event->position().toPoint());
    if (m_view.TextMode()) {
        if (event->button() == Qt::LeftButton)
            m_view.OnTextButtonDown(logical.y());
        return;
    }
    if (event->button() == Qt::LeftButton) {
        m_view.OnSchemeLButtonDown(logical.x(), logical.y(), event->modifiers() & Qt::ShiftModifier);
    } else if (event->button() == Qt::RightButton) {
        m_view.OnSchemeRButtonDown(logical.x(), logical.y());
        ShowElementMenu(event->globalPosition().toPoint());
    }
}

void SchemeView::ShowElementMenu(const QPoint& globalPos)
{
    QMenu menu(this);
    menu.setObjectName("ElementMenu");
    for (const ElemMenuItem& item : ElemMenuItems(m_view.MenuState())) {
        if (item.id == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* a = menu.addAction(QString::fromUtf8(item.text));
        a->setData(item.id);
        a->setEnabled(item.enabled);
    }
    // Centred horizontally at the click point.
    QAction* chosen = menu.exec(globalPos - QPoint(menu.sizeHint().width() / 2, 0));
    if (!chosen)
        return;
    const int id = chosen->data().toInt();
    if (id == cmd::ID_CALC_MODAL)
        emit CommandRequested(id);
    else
        m_view.OnElemCommand(id);
    emit CommandRequested(0);
}

void SchemeView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_view.TextMode() || !m_view.m_Text.dragging)
        return;
    QPoint pos = event->position().toPoint();
    QScrollBar* v = verticalScrollBar();
    // Near the bottom edge with more text below, or above the top margin
    // with text above: one line further, the pointer moved back a little.
    if (pos.y() > viewport()->height() - 10 && v->value() < v->maximum()) {
        v->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCursor::setPos(viewport()->mapToGlobal(pos - QPoint(0, 5)));
    } else if (pos.y() < 10 && v->value() > 0) {
        v->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCursor::setPos(viewport()->mapToGlobal(pos + QPoint(0, 5)));
    }
    m_view.OnTextMouseMove(ToLogical(pos).y());
}

void SchemeView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_view.OnTextButtonUp();
}

void SchemeView::keyPressEvent(QKeyEvent* event)
{
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    const bool wider = viewport()->width() < m_view.m_nScrollWidth;
    const bool taller = viewport()->height() < m_view.m_nScrollHeight;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Escape:
        if (m_view.OnEscape())
            return;
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (taller)
            v->triggerAction(event->key() == Qt::Key_PageUp ? QAbstractSlider::SliderPageStepSub
                                                            : QAbstractSlider::SliderPageStepAdd);
        return;
    case Qt::Key_Home:
    case Qt::Key_End: {
        const bool home = event->key() == Qt::Key_Home;
        if (ctrl && taller)
            v->setValue(home ? v->minimum() : v->maximum());
        else if (!ctrl && wider)
            h->setValue(home ? h->minimum() : h->maximum());
        return;
    }
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (wider)
            h->triggerAction(event->key() == Qt::Key_Left ? QAbstractSlider::SliderSingleStepSub
                                                          : QAbstractSlider::SliderSingleStepAdd);
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (taller)
            v->triggerAction(event->key() == Qt::Key_Up ? QAbstractSlider::SliderSingleStepSub
                                                        : QAbstractSlider::SliderSingleStepAdd);
        return;
    default:
        break;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

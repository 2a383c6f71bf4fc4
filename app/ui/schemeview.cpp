#include "app/ui/schemeview.h"

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

void SchemeView::paintEvent(QPaintEvent*)
{
    // The white viewport; the scheme and the listings are drawn here by the
    // scheme drawing.
    QPainter p(viewport());
}

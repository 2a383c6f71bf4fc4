#include "dialogs/ui/drawingwidget.h"

#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

DrawingWidget::DrawingWidget(PaintFn paint, QWidget* parent) : QWidget(parent), m_paint(std::move(paint))
{
    setMinimumSize(120, 80);
}

void DrawingWidget::SetPaint(PaintFn paint)
{
    m_paint = std::move(paint);
    update();
}

void DrawingWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, Qt::white);
    p.setPen(QColor(kDrawingFrameRgb[0], kDrawingFrameRgb[1], kDrawingFrameRgb[2]));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.setPen(Qt::black);
    if (m_paint)
        m_paint(p, PixelRect{r.left(), r.top(), r.right() + 1, r.bottom() + 1});
}

ListStepper::ListStepper(QWidget* parent) : QWidget(parent)
{
    auto* up = new QToolButton;
    auto* down = new QToolButton;
    up->setArrowType(Qt::UpArrow);
    down->setArrowType(Qt::DownArrow);
    up->setAutoRepeat(true);
    down->setAutoRepeat(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up);
    layout->addWidget(down);
    connect(up, &QToolButton::clicked, this, [this] { emit Stepped(+1); });
    connect(down, &QToolButton::clicked, this, [this] { emit Stepped(-1); });
}

// The drawing area of a dialog (tower and cable layouts, filter and trap
// schemes, the transposition's lines): a white fill with a near-black frame,
// then the dialog's own painting, given the area as a PixelRect for a
// DrawingMap.
#pragma once

#include "dialogs/drawingmap.h"

#include <QWidget>
#include <functional>

class QPainter;

class DrawingWidget : public QWidget {
    Q_OBJECT
public:
    using PaintFn = std::function<void(QPainter&, const PixelRect&)>;
    explicit DrawingWidget(PaintFn paint = nullptr, QWidget* parent = nullptr);
    void SetPaint(PaintFn paint);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PaintFn m_paint;
};

// Two arrow buttons that step through a list: they hold no position of their
// own (the list's current entry is the position), and report +1 (up) or -1
// (down) for the dialog to move its current entry.
class ListStepper : public QWidget {
    Q_OBJECT
public:
    explicit ListStepper(QWidget* parent = nullptr);
signals:
    void Stepped(int delta);
};

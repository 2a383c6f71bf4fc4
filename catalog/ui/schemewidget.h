// The circuit drawings of the filter and trap editors: a frame of fixed
// pixel size centred in the widget, filled white with a one-pixel black
// outline, and the scheme's symbols in it.  The symbol primitives serve both
// editors.
#pragma once

#include "catalog/schemedrawing.h"

#include <QWidget>

#include <functional>

class QPainter;

void DrawTrapCapacitor(QPainter& p, const SchemeItem& item);
void DrawTrapInductor(QPainter& p, const SchemeItem& item);
void DrawTrapResistor(QPainter& p, const SchemeItem& item);
void DrawTrapNode(QPainter& p, int x, int y);
// Paints the frame and the scheme with the frame's top-left corner at (left, top).
void PaintScheme(QPainter& p, const SchemeDrawing& drawing, int left, int top);

class SchemeWidget : public QWidget {
    Q_OBJECT
public:
    // source gives the drawing for the widget's width.
    using Source = std::function<SchemeDrawing(int areaWidth)>;
    explicit SchemeWidget(Source source, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Source m_source;
};

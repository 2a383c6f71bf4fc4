// The view of the comparison-buffer window (CBufView): the graph of the
// buffer's marked curves in the results graphs' painter, with its own font,
// the mouse range choice, the per-frequency cursor, printing and the bitmap
// copy.  It keeps copies of the curves, never pointers into the buffer.
#pragma once

#include "results/ui/graphcanvas.h"

#include <QWidget>

class QPrinter;

class CBufView : public QWidget {
    Q_OBJECT
public:
    explicit CBufView(QWidget* parent = nullptr);
    ~CBufView() override;

    // Copies the buffer's marked curves into the graph's slots for the
    // quantity and repaints.
    void LoadBuffer(int quantity, bool showLegend);
    void ReloadPens();
    void ViewByFrequency();
    QImage GraphImage();
    GraphPrintPages PrintGraph(QPrinter& printer);

    GraphCanvas& Graph() { return m_graph; }
    void SetShowLegend(bool show);

signals:
    // A range choice ended (the frame updates its commands).
    void GraphChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    GraphCanvas m_graph{kBufferGraph};
    bool m_showLegend = true;
};

extern CBufView* g_pBufView;

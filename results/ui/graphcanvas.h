// One graph on a widget: the model, its pens, the layout the user last saw,
// the mouse range choice, the bitmap copy and the printing over page tiles.
// The results view and the comparison-buffer view each hold one.
#pragma once

#include "results/graphmodel.h"
#include "results/graphprint.h"
#include "results/ui/graphpainter.h"

#include <QImage>
#include <QRect>

#include <functional>

class ProsmChastDialog;
class QPrinter;
class QWidget;

class GraphCanvas {
public:
    explicit GraphCanvas(const GraphViewKind& kind) : model(kind) {}

    GraphModel model;
    GraphPens pens = GraphPens::FromLineStyles();
    GraphLayout layout;  // the layout last painted on the screen

    // The pens follow the line-style tables again.
    void ReloadPens() { pens = GraphPens::FromLineStyles(); }

    // Paints the graph over the whole widget.
    void Paint(QWidget* widget, bool showLegend, const std::string& taskTitle);

    // "Просмотр по частотам": the per-frequency dialog over the curves, its
    // cursor moved as the dialog asks; the dialog is published in *published
    // while it runs, and `repaint` shows each change.
    void ViewByFrequency(ProsmChastDialog** published, const std::function<void()>& repaint);

    // The mouse: a press starts the armed range choice, a move drags its line
    // (returns the strip to repaint, empty for none), a release applies it
    // with the layout the user saw.  Press and release return whether to repaint.
    bool Press(const QPoint& at);
    QRect Move(const QPoint& at);
    bool Release(const QPoint& at);

    // The widget's picture, as the bitmap copy puts it on the clipboard.
    static QImage Grab(QWidget* widget);

    // Prints the graph laid out as on a screen client of clientSize, scaled to
    // 0.95 of the page width, over as many pages as its height needs; pens of
    // its own at the print scale, no choice line and no cursor.
    GraphPrintPages Print(QPrinter& printer, const QSize& clientSize, bool showLegend,
                          const std::string& taskTitle);

private:
    QPoint m_bandStart, m_bandEnd;
    QRect StripAt(const QPoint& at) const;
};

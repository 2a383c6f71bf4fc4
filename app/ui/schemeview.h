// The widget of the scheme view (CKestrinView): a scroll area whose viewport
// shows the scheme or the text listing.  It paints, measures and passes the
// mouse and keys on; what they do is decided by CKestrinView.
#pragma once

#include "app/kestrinview.h"

#include <QAbstractScrollArea>

class SchemeView : public QAbstractScrollArea, public ViewHost {
    Q_OBJECT
public:
    SchemeView(CKestrinView& view, QWidget* parent = nullptr);
    ~SchemeView() override;

    void InvalidateView() override;
    void FocusView() override;
    void ScrollViewTo(int x, int y) override;
    void InvalidateRect(int left, int top, int right, int bottom) override;
    ViewMetrics Metrics() const override;
    int TextWidth(const std::string& text) const override;
    void ScrollSizesChanged(bool keep) override;

    CKestrinView& View() const { return m_view; }
    // The logical point of a viewport point (the scroll position added).
    QPoint ToLogical(const QPoint& viewportPoint) const;
    // The element menu at a screen point; runs the chosen command.
    void ShowElementMenu(const QPoint& globalPos);

signals:
    // A command of the main window chosen in the element menu (0 after any
    // command: the window refreshes its command states).
    void CommandRequested(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void UpdateScrollBars();

    CKestrinView& m_view;
};

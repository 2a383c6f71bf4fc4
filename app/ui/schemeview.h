// The widget of the scheme view (CKestrinView): a scroll area whose viewport
// shows the scheme or the text listing.  Painting, clicks and keys come with
// the scheme drawing and the listings; the widget already takes the focus
// and follows the view's scroll and repaint requests.
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

    CKestrinView& View() const { return m_view; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CKestrinView& m_view;
};

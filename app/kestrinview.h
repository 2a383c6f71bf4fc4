// The scheme view of the main window: in view mode 0 it draws the task's
// chain of elements on a grid, in modes 1-3 it shows a text listing.  This is
// the view's state and the operations the main frame calls; the widget that
// paints it implements ViewHost.  The scheme drawing, placing elements and the
// listings fill it in; until then the operations keep the state consistent
// and do nothing visible beyond a repaint.
#pragma once

#include "app/candidates.h"
#include "results/textlines.h"

#include <memory>
#include <string>
#include <vector>

class ViewHost {
public:
    virtual ~ViewHost() = default;
    virtual void InvalidateView() = 0;
    virtual void FocusView() = 0;
    virtual void ScrollViewTo(int x, int y) = 0;
};

class CKestrinView {
public:
    CKestrinView();
    ~CKestrinView();
    CKestrinView(const CKestrinView&) = delete;
    CKestrinView& operator=(const CKestrinView&) = delete;

    void SetHost(ViewHost* host) { m_pHost = host; }

    int m_bInsertGap = 0;   // an insertion gap is open in the chain
    int m_bGapOffered = 0;  // the chosen element fits the open gap
    int m_bRotate = 0;      // in move mode: 0 shift, 1 quarter turn
    int m_bLarger = 0;      // the scheme is larger than the window
    int m_bFitted = 0;      // the scheme was fitted to the window
    unsigned char m_nMoveMode = 0;
    double m_dZoom = 1.0;
    int m_nOriginX = 0, m_nOriginY = 0;
    int m_nSplit = -1;      // split conductor at the chain end (structure replay)
    TextLines m_Text;  // the lines of the text face with their selection
    int m_bCandidates = 0;  // candidate cells are offered
    InsertCandidates m_Candidates;  // the cells offered next to the chain end
    int m_bMousePlacing = 0;  // elements after the first are placed by a click on an offered cell
    int m_bPrintingText = 0;
    int m_bPrintSelection = 0;

    // Before a new task and at every view-mode switch: selection, printing,
    // fitting, candidate, gap and move flags cleared, zoom 1.0, origin (0, 0).
    void ResetView();
    // When editing mode ends: the same flags cleared (zoom and origin kept),
    // the frame's element template set to no type, layout and structure state
    // recomputed, everything redrawn.
    void ResetEditMode();
    void RecalcLayout();
    void InvalidateCell(int x, int y, int r);
    // Rebuilds the text lines of the frame's view mode.
    void BuildTextView();
    void ResetZoom();
    void ZoomToFit();
    void ScrollToTop();
    void Redraw();
    void SetFocus();

    // Offers the free cells next to the chain end for the frame's element
    // template; withdraws them.
    void ShowInsertCandidates();
    void WithdrawCandidates();
    // Appends the frame's element template at cell (x, y), or copies of the
    // selected range laid out in a line towards it; then the structure
    // replay and the layout.
    void AddElementOrRange(int x, int y);

private:
    void ClearModeFlags();
    ViewHost* m_pHost = nullptr;
};

extern CKestrinView* g_pMainView;

// The scheme view of the main window: in view mode 0 it draws the task's
// chain of elements on a grid, in modes 1-3 it shows a text listing.  This is
// the view's state and the operations the main frame and the widget call:
// layout and zoom, the listings, the text selection, the clicks that select
// and place elements and the element commands.  The widget that paints it
// implements ViewHost; everything here is testable without it.
#pragma once

#include "app/candidates.h"
#include "app/elemmenu.h"
#include "app/relocate.h"
#include "app/schemegeometry.h"
#include "results/textlines.h"

#include <memory>
#include <string>
#include <vector>

// What the view measures on its widget: the client area, the screen's
// vertical resolution and the display font's line height (character height
// plus external leading).
struct ViewMetrics {
    int clientWidth = 0;
    int clientHeight = 0;
    int logicalDpiY = 96;
    int lineHeight = 16;
};

class ViewHost {
public:
    virtual ~ViewHost() = default;
    virtual void InvalidateView() = 0;
    virtual void FocusView() = 0;
    virtual void ScrollViewTo(int x, int y) = 0;
    // Repaints a rectangle given in the view's logical (scrolled) units.
    virtual void InvalidateRect(int, int, int, int) { InvalidateView(); }
    virtual ViewMetrics Metrics() const { return {}; }
    // The width of a line of text in the display font on the screen.
    virtual int TextWidth(const std::string& text) const { return int(text.size()) * 8; }
    // The scroll sizes changed (m_nScrollWidth, m_nScrollHeight and the page
    // and line steps); keep: whether the scroll position stays.
    virtual void ScrollSizesChanged(bool) {}
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

    // Relocations of the element commands: the gap cell of an insertion or
    // the pivot of a move, the second pivot of an end of branching, the
    // shift, the target cell, and the chain indices they start from.
    int m_nPivotX = 0, m_nPivotY = 0;
    int m_nPivot2X = 0, m_nPivot2Y = 0;
    int m_nShiftX = 0, m_nShiftY = 0;
    int m_nTargetX = 0, m_nTargetY = 0;
    unsigned short m_nStart = 0;
    unsigned short m_nPivotIndex = 0;
    unsigned short m_nPivot2Index = 0;
    unsigned char m_nGapWires = 0;
    unsigned char m_nGapKind = 0;

    // Geometry of the last layout: screen cell size and device factor, the
    // scroll extent, and the text face's line height and text height.
    int m_nCell = 24;
    double m_dFactor = 1.0;
    int m_nScrollWidth = 100, m_nScrollHeight = 100;
    int m_nPageScrollX = 0, m_nPageScrollY = 0;
    int m_nLineScrollX = 0, m_nLineScrollY = 0;
    int m_nLineHeight = 16;
    int m_nTextHeight = 0;
    // A long listing scrolls over its whole height: one text part.
    int m_nTextPages = 1;
    int m_nCurTextPage = 0;

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
    void FreeTextLines() { m_Text.Clear(); }
    void AddTextLine(const std::string& line) { m_Text.lines.push_back(line); }
    void AddTextLineF(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    // The cell geometry of the screen.
    SchemeGeometry Geometry() const { return {m_nCell, m_nOriginX, m_nOriginY}; }
    // Whether the text face is shown (view modes 1 to 3).
    bool TextMode() const;

    // The text face's mouse and keys (logical y); true when handled.
    void OnTextButtonDown(int y);
    void OnTextMouseMove(int y);
    void OnTextButtonUp();
    bool OnEscape();
    void OnSelectAll();
    // The text a copy puts on the clipboard: the selected lines each ended by "\r\n".
    std::string CopyText() const { return m_Text.SelectedText(); }
    void InvalidateLines(const LineSpan& lines);
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
    // "Рассчитать модальные параметры": the modal-parameter dialog on the
    // frame's copy of the selected line.
    void OnCalcModal();

    // "Параметры" on the selected element: its dialog on a copy, written
    // back on OK in editing mode, then the structure replayed.
    void OnElemParams();

    // The scheme's mouse, at a logical point: the left button (with Shift:
    // a range from the selected element), the right button before the
    // element menu opens (a left click first when no range is selected).
    void OnSchemeLButtonDown(int px, int py, bool shift);
    void OnSchemeRButtonDown(int px, int py);
    // What the element menu shows and enables now.
    ElemMenuState MenuState() const;
    // The element menu's commands (32834-32839, 32900, 32901).
    void OnElemCommand(int id);
    // "Отменить вставку": an open insertion gap is closed, the elements
    // after it moved back beside the element before it; nothing when no gap
    // is open.  Every way out of editing calls it first, so that no hole is
    // left in the chain and stored.
    void CancelInsertion();
    // The visible element at a grid cell, -1 for none.
    int ElementAtCell(int x, int y) const;

    InsertGap m_Gap;  // the cells an open insertion gap moved

private:
    void SelectRange(int clicked);
    void InsertElementAt();
    void PrepareMove(int s, bool rotate);
    void ClearModeFlags();
    ViewMetrics HostMetrics() const;
    void LayoutScheme(const ViewMetrics& m);
    void LayoutText(const ViewMetrics& m);
    ViewHost* m_pHost = nullptr;
    SchemeExtent m_Extent;  // the scheme's extent at the last layout
};

extern CKestrinView* g_pMainView;

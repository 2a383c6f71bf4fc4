#include "app/kestrinview.h"

#include "app/mainframe.h"
#include "model/modelglobals.h"

CKestrinView* g_pMainView = nullptr;

CKestrinView::CKestrinView()
{
    g_pMainView = this;
}

CKestrinView::~CKestrinView()
{
    if (g_pMainView == this)
        g_pMainView = nullptr;
}

void CKestrinView::ClearModeFlags()
{
    m_Text.ResetSelection();
    m_bPrintingText = 0;
    m_bPrintSelection = 0;
    m_bFitted = 0;
    m_bLarger = 0;
    m_bCandidates = 0;
    m_Candidates.Withdraw();
    m_bInsertGap = 0;
    m_bGapOffered = 0;
    m_bRotate = 0;
    m_nMoveMode = 0;
}

void CKestrinView::ResetView()
{
    ClearModeFlags();
    m_dZoom = 1.0;
    m_nOriginX = 0;
    m_nOriginY = 0;
}

void CKestrinView::ResetEditMode()
{
    ClearModeFlags();
    if (g_pMainFrame)
        g_pMainFrame->ResetTemplate();
    RecalcLayout();
    if (g_pMainFrame && g_nTaskCompletion == 0)
        g_pMainFrame->RecalcStructure();
    Redraw();
}

void CKestrinView::RecalcLayout()
{
    // The scheme layout comes with the scheme drawing; an empty scheme keeps
    // the view as it is.
}

void CKestrinView::InvalidateCell(int, int, int)
{
    Redraw();
}

void CKestrinView::BuildTextView()
{
    m_Text.Clear();
    RecalcLayout();
}

void CKestrinView::ResetZoom()
{
    m_dZoom = 1.0;
    m_bFitted = 0;
    RecalcLayout();
    ScrollToTop();
    Redraw();
}

void CKestrinView::ZoomToFit()
{
    // Fitting needs the scheme's extent, which the scheme layout computes.
    m_bFitted = 1;
    RecalcLayout();
    Redraw();
}

void CKestrinView::ScrollToTop()
{
    if (m_pHost)
        m_pHost->ScrollViewTo(0, 0);
}

void CKestrinView::Redraw()
{
    if (m_pHost)
        m_pHost->InvalidateView();
}

void CKestrinView::SetFocus()
{
    if (m_pHost)
        m_pHost->FocusView();
}

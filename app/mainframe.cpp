#include "app/mainframe.h"

#include "app/commandids.h"
#include "app/currentbase.h"
#include "app/kestrinapp.h"
#include "app/kestrinview.h"
#include "platform/messages.h"

CMainFrame* g_pMainFrame = nullptr;

CMainFrame::CMainFrame()
{
    // The catalog load below reaches the frame through the global.
    g_pMainFrame = this;
    m_bWarnings = 1;
    m_nViewMode = 0;
    if (g_pApp && g_pApp->m_pBaseList && !(*g_pApp->m_pBaseList)[0].empty())
        g_pApp->OnOpenRecentBase(cmd::ID_BASE_MRU_FIRST);
}

CMainFrame::~CMainFrame()
{
    if (m_pHost)
        m_pHost->DestroyResultWindows();
    if (g_pMainFrame == this)
        g_pMainFrame = nullptr;
}

int CMainFrame::OnCreate(FrameHost* host)
{
    ResetEditState();
    ResetTemplate();
    m_pHost = host;
    g_pMainFrame = this;
    return 0;
}

ShellState CMainFrame::GetShellState() const
{
    ShellState s;
    s.editing = m_bEditing != 0;
    s.baseLoaded = g_bBaseLoaded != 0;
    s.viewMode = m_nViewMode;
    s.elementBarShown = m_bElementBar != 0;
    s.warnings = m_bWarnings != 0;
    if (g_pMainView) {
        s.viewFitted = g_pMainView->m_bFitted != 0;
        s.viewLarger = g_pMainView->m_bLarger != 0;
    }
    if (g_pApp) {
        if (g_pApp->m_pRecentFileList)
            s.recentTasks = g_pApp->m_pRecentFileList->CountShown();
        if (g_pApp->m_pBaseList)
            s.recentBases = g_pApp->m_pBaseList->CountShown();
    }
    return s;
}

bool CMainFrame::OnCommand(int id)
{
    switch (id) {
    case cmd::ID_TASK_EDIT:
        OnTaskEdit();
        break;
    case cmd::ID_TASK_BASE_DATA:
        OnTaskBaseData();
        break;
    case cmd::ID_CANCEL_EDIT:
        OnCancelEdit();
        break;
    case cmd::ID_SAVE_INTERMEDIATE:
        OnSaveIntermediate();
        break;
    case cmd::ID_FINISH_EDIT:
        OnFinishEdit();
        break;
    case cmd::ID_TOGGLE_ELEMENT_BAR:
        OnToggleElementBar();
        break;
    case cmd::ID_TOGGLE_WARNINGS:
        OnToggleWarnings();
        break;
    case cmd::ID_VIEW_SCHEME:
        OnViewScheme();
        break;
    case cmd::ID_VIEW_TEXT:
        OnViewText();
        break;
    case cmd::ID_VIEW_TASK_BASE:
        OnViewTaskBase();
        break;
    case cmd::ID_VIEW_CURRENT_BASE:
        OnViewCurrentBase();
        break;
    case cmd::ID_ZOOM_NORMAL:
        OnZoomNormal();
        break;
    case cmd::ID_ZOOM_FIT:
        OnZoomFit();
        break;
    case cmd::ID_VIEW_TASK_BASE_DATA:
        OnViewTaskBaseData();
        break;
    case cmd::ID_BASE_SELECT:
        OnBaseSelect();
        break;
    case cmd::ID_BASE_EDIT:
        OnBaseEdit();
        break;
    case cmd::ID_BASE_SAVE_AS:
        OnBaseSaveAs();
        break;
    default:
        return false;
    }
    return true;
}

void CMainFrame::ResetEditState()
{
    m_bEditing = 0;
    m_bRange = 0;
    m_bSelected = 0;
    m_bElementBar = 0;
    if (g_pMainView)
        g_pMainView->ResetEditMode();
}

void CMainFrame::ResetTemplate()
{
}

void CMainFrame::RecalcStructure()
{
}

void CMainFrame::OnTaskEdit()
{
    if (m_nViewMode != 0) {
        m_nViewMode = 0;
        if (g_pMainView)
            g_pMainView->ScrollToTop();
        UpdateTitle();
    }
    m_bEditing = 1;
    m_bElementBar = 1;
    if (m_pHost)
        m_pHost->ShowElementBar(true);
    if (g_pMainView)
        g_pMainView->RecalcLayout();
    RecalcStructure();
    if (m_pHost)
        m_pHost->RedrawFrame();
}

void CMainFrame::OnTaskBaseData()
{
}

void CMainFrame::OnCancelEdit()
{
    ResetEditState();
    if (m_pHost)
        m_pHost->ShowElementBar(false);
    if (g_pMainView)
        g_pMainView->ResetEditMode();
}

void CMainFrame::OnSaveIntermediate()
{
}

void CMainFrame::OnFinishEdit()
{
    ResetEditState();
    if (m_pHost)
        m_pHost->ShowElementBar(false);
    if (g_pMainView)
        g_pMainView->ResetEditMode();
}

void CMainFrame::OnToggleElementBar()
{
    m_bElementBar = !m_bElementBar;
    if (m_pHost)
        m_pHost->ShowElementBar(m_bElementBar != 0);
}

void CMainFrame::OnToggleWarnings()
{
    m_bWarnings = !m_bWarnings;
}

void CMainFrame::SetViewMode(int mode)
{
    if (m_nViewMode == mode)
        return;
    m_nViewMode = mode;
    if (!g_pMainView)
        return;
    g_pMainView->ResetView();
    g_pMainView->ScrollToTop();
    if (mode == 0)
        g_pMainView->RecalcLayout();
    else
        g_pMainView->BuildTextView();
    g_pMainView->Redraw();
}

void CMainFrame::OnZoomNormal()
{
    if (g_pMainView)
        g_pMainView->ResetZoom();
}

void CMainFrame::OnZoomFit()
{
    if (g_pMainView)
        g_pMainView->ZoomToFit();
}

void CMainFrame::OnViewTaskBaseData()
{
}

void CMainFrame::OnActivate()
{
    if (g_pMainView)
        g_pMainView->SetFocus();
}

void CMainFrame::UpdateTitle()
{
    if (m_pHost)
        m_pHost->SetFrameTitle(BuildFrameTitle(nullptr, g_bBaseLoaded != 0, g_strBasePath));
}

bool CMainFrame::QueryClose()
{
    return true;
}

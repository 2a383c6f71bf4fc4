#include "app/mainframe.h"

#include "app/commandids.h"
#include "app/currentbase.h"
#include "app/docfile.h"
#include "app/fontcommand.h"
#include "app/kestrinapp.h"
#include "app/kestrinview.h"
#include "dialogs/zadachadlg.h"
#include "model/base.h"
#include "model/document.h"
#include "platform/messages.h"

CMainFrame* g_pMainFrame = nullptr;
CKestrinDoc g_BackupDoc;

namespace {

// The base-data dialog filled from the document.
void FillBaseData(CZadachaDlg& dlg, const CKestrinDoc& doc, int editable)
{
    dlg.m_nCircuits = doc.circuits;
    dlg.m_nGroundWires = doc.groundWires;
    dlg.m_bDC = doc.dc;
    dlg.m_nConductors = doc.conductorCount;
    dlg.m_nSplit = doc.splitConductor;
    dlg.m_nElements = static_cast<int>(doc.elements.size());
    dlg.m_bEditable = editable;
    dlg.m_strTitle = doc.title;
}

// The base data of an empty task from the dialog into the document and the
// globals of the open task.
void TakeBaseData(const CZadachaDlg& dlg, CKestrinDoc& doc)
{
    doc.circuits = dlg.m_nCircuits;
    doc.groundWires = dlg.m_nGroundWires;
    doc.dc = dlg.m_bDC;
    doc.splitConductor = dlg.m_nSplit;
    doc.conductorCount = dlg.m_nConductors;
    doc.elementCount = 0;
    g_nCurCircuits = doc.circuits;
    g_nCurGround = doc.groundWires;
    g_bDC = doc.dc;
    g_nSplitConductor = doc.splitConductor;
    g_nConductors = doc.conductorCount;
}

// The globals of the open task from the document (after the document was
// replaced by its backup).
void TaskGlobalsFromDocument(const CKestrinDoc& doc)
{
    g_bDC = doc.dc;
    g_nSplitConductor = doc.splitConductor;
    g_nConductors = doc.conductorCount;
}

} // namespace

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
    s.taskCompletion = g_nTaskCompletion;
    if (g_pDoc) {
        s.elementCount = static_cast<int>(g_pDoc->elements.size());
        StructureState scratch;
        s.calcTractEnabled = CalcTractEnabled(*g_pDoc, scratch, m_bEditing != 0);
        s.canPutTask = CompareBuffer::CanPutTask(*g_pDoc);
        s.modalCalcEnabled = !m_bEditing && m_Template.entered &&
                             (m_Template.type == kOverheadLine || m_Template.type == kCableLine);
    }
    s.elementBarShown = m_bElementBar != 0;
    s.warnings = m_bWarnings != 0;
    if (g_pDoc)
        s.hasResults = !g_pDoc->modalResults.empty() || !g_pDoc->responseResults.empty();
    if (g_pMainView) {
        s.viewFitted = g_pMainView->m_bFitted != 0;
        s.viewLarger = g_pMainView->m_bLarger != 0;
        s.textSelection = g_pMainView->m_Text.selection;
    }
    if (g_pApp) {
        if (g_pApp->m_pRecentFileList)
            s.recentTasks = g_pApp->m_pRecentFileList->CountShown();
        if (g_pApp->m_pBaseList)
            s.recentBases = g_pApp->m_pBaseList->CountShown();
    }
    FillElementRules(s.elements);
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
    case cmd::ID_EDIT_SELECT_ALL:
        if (g_pMainView)
            g_pMainView->OnSelectAll();
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
    case cmd::ID_FONT:
        ChooseFont();
        break;
    case cmd::ID_VIEW_RESULTS:
        OnViewResults();
        break;
    case cmd::ID_CALC_TRACT:
        OnCalcTract();
        break;
    case cmd::ID_ADD_TO_BUFFER:
        OnAddToBuffer();
        break;
    case cmd::ID_COMPLETE_DATA:
        OnCompleteData();
        break;
    case cmd::ID_FILE_IMPORT:
        OnFileImport();
        break;
    case cmd::ID_CALC_MODAL:
        if (g_pMainView)
            g_pMainView->OnCalcModal();
        break;
    case cmd::ID_VIEW_COMPARE_BUFFER:
        OnViewCompareBuffer();
        break;
    default:
        return OnElementCommand(id);
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
    m_Template.SetType(kNoType);
}

void CMainFrame::OnTaskEdit()
{
    if (!g_pDoc)
        return;
    CKestrinDoc& doc = *g_pDoc;
    if (m_nViewMode != 0) {
        m_nViewMode = 0;
        if (g_pMainView)
            g_pMainView->ScrollToTop();
        UpdateTitle();
    }
    if (doc.elements.empty()) {
        // A new task: its base data first.
        CZadachaDlg dlg;
        FillBaseData(dlg, doc, 1);
        dlg.m_nElements = 0;
        if (dlg.DoModal() != IDOK)
            return;
        if (doc.elements.empty())
            doc.basePath = g_strBasePath;
        doc.title = dlg.m_strTitle;
        TakeBaseData(dlg, doc);
    }
    m_bEditing = 1;
    m_bElementBar = 1;
    if (m_pHost)
        m_pHost->ShowElementBar(true);
    if (g_pMainView)
        g_pMainView->RecalcLayout();
    RecalcStructure(true);
    CollectTaskItems();
    g_BackupDoc.CopyFrom(doc);
    if (m_pHost)
        m_pHost->RedrawFrame();
}

void CMainFrame::OnTaskBaseData()
{
    if (!g_pDoc)
        return;
    CKestrinDoc& doc = *g_pDoc;
    CZadachaDlg dlg;
    FillBaseData(dlg, doc, 1);
    if (dlg.DoModal() != IDOK)
        return;
    m_bEditing = 1;
    m_bElementBar = 1;
    if (m_pHost)
        m_pHost->ShowElementBar(true);
    const bool empty = doc.elements.empty();
    if (empty)
        doc.basePath = g_strBasePath;
    doc.title = dlg.m_strTitle;
    // Only a task without elements may change its wires; the globals of the
    // open task follow, so that the first element is placed on the new wires.
    if (empty)
        TakeBaseData(dlg, doc);
    if (m_pHost)
        m_pHost->RedrawFrame();
}

void CMainFrame::OnCancelEdit()
{
    ResetEditState();
    if (m_pHost)
        m_pHost->ShowElementBar(false);
    if (g_pDoc) {
        g_pDoc->CopyFrom(g_BackupDoc);
        TaskGlobalsFromDocument(*g_pDoc);
    }
    if (g_pMainView)
        g_pMainView->ResetEditMode();
    g_TaskBase.RemoveAll();
    RefitResultsWindow();
}

void CMainFrame::OnSaveIntermediate()
{
    if (!g_pDoc)
        return;
    // The copy kept is a chain without holes: an insertion still open is
    // given up first.
    if (g_pMainView) {
        g_pMainView->CancelInsertion();
        g_pMainView->RecalcLayout();
        g_pMainView->Redraw();
    }
    g_BackupDoc.CopyFrom(*g_pDoc);
    g_BackupDoc.ClearResults();
}

void CMainFrame::OnFinishEdit()
{
    // An insertion still open is given up, so the task is stored whole.
    if (g_pMainView)
        g_pMainView->CancelInsertion();
    ResetEditState();
    if (m_pHost)
        m_pHost->ShowElementBar(false);
    if (g_pMainView)
        g_pMainView->ResetEditMode();
    SetModifiedFlag();
    if (g_pDoc)
        g_pDoc->ClearResults();
    g_TaskBase.RemoveAll();
    RefitResultsWindow();
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
    if (!g_pDoc)
        return;
    CZadachaDlg dlg;
    FillBaseData(dlg, *g_pDoc, 0);
    dlg.DoModal();
}

unsigned short CMainFrame::SelectElement(const CElement* e)
{
    if (!g_pDoc)
        return 0xFFFF;
    CKestrinDoc& doc = *g_pDoc;
    doc.elementCount = static_cast<std::uint16_t>(doc.elements.size());
    m_bRange = 0;
    m_bSelected = 0;
    unsigned short found = 0xFFFF;
    for (std::size_t i = 0; i < doc.elements.size(); ++i) {
        CElement& el = *doc.elements[i];
        const int selected = (e != nullptr && &el == e) ? 1 : 0;
        if (selected)
            found = static_cast<unsigned short>(i);
        if (el.selected != selected) {
            el.selected = selected;
            if (g_pMainView)
                g_pMainView->InvalidateCell(el.cellX, el.cellY, 0);
        }
    }
    if (found != 0xFFFF)
        m_bSelected = 1;
    return found;
}

void CMainFrame::OnActivate()
{
    if (g_pMainView)
        g_pMainView->SetFocus();
}

void CMainFrame::UpdateTitle()
{
    if (m_pHost)
        m_pHost->SetFrameTitle(
            BuildFrameTitle(g_pDoc ? &GetDocTitle() : nullptr, g_bBaseLoaded != 0, g_strBasePath));
    // The scheme repeats the task's title at its top left.
    if (g_pMainView && m_nViewMode == 0)
        g_pMainView->Redraw();
}

bool CMainFrame::QueryClose()
{
    if (m_bEditing) {
        if (TaskCanBeSaved()) {
            switch (ShowMessage("Редактирование тракта не завершено.\n"
                                "Завершить редактирование и сохранить задачу?",
                                kAppName, MsgIcon::Question, MsgButtons::YesNoCancel)) {
            case MsgAnswer::Yes:
                OnFinishEdit();
                // A save that fails or is cancelled keeps the window open with
                // the finished edit.
                return OnFileSave();
            case MsgAnswer::No:
                OnCancelEdit();
                break;
            default:
                return false;
            }
        } else {
            if (ShowMessage("Редактирование тракта не завершено.\n"
                            "Закрыть программу без сохранения изменений?",
                            kAppName, MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes)
                return false;
            OnCancelEdit();
        }
    }
    return SaveModified();
}

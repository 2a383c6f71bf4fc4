#include "app/kestrinapp.h"

#include "app/catalogservices.h"
#include "app/commandids.h"
#include "app/currentbase.h"
#include "app/docfile.h"
#include "app/kestrinview.h"
#include "app/mainframe.h"
#include "model/base.h"
#include "model/document.h"
#include "model/shellhooks.h"
#include "platform/filedialog.h"
#include "platform/format.h"
#include "platform/messages.h"

CKestrinApp* g_pApp = nullptr;

// What the document asks of the shell, passed to the main frame.
class CKestrinApp::ShellHooks : public DocumentShellHooks {
public:
    void ResetEditState() override
    {
        if (g_pMainFrame)
            g_pMainFrame->ResetEditState();
    }
    void UpdateTitle() override
    {
        if (g_pMainFrame)
            g_pMainFrame->UpdateTitle();
    }
};

CKestrinApp::CKestrinApp() : m_pHooks(std::make_unique<ShellHooks>())
{
    g_pApp = this;
}

CKestrinApp::~CKestrinApp()
{
    if (GetDocumentShellHooks() == m_pHooks.get())
        SetDocumentShellHooks(nullptr);
    m_pFrame.reset();
    m_pView.reset();
    if (g_pDoc == m_pDocument.get())
        g_pDoc = nullptr;
    m_pDocument.reset();
    if (g_pApp == this)
        g_pApp = nullptr;
}

CMainFrame* CKestrinApp::Frame() const
{
    return m_pFrame ? m_pFrame.get() : g_pMainFrame;
}

bool CKestrinApp::Editing() const
{
    return Frame() && Frame()->m_bEditing;
}

bool CKestrinApp::InitInstance(const std::vector<std::string>& args, AppHost& host)
{
    g_bBaseLoaded = 0;
    if (m_strProfilePath.empty())
        m_strProfilePath = DefaultProfilePath();
    std::string error, reason;
    if (!LoadFile(m_strProfilePath, error, &reason)) {
        // An unreadable profile is not overwritten at exit.
        m_bProfileReadable = false;
        ShowMessage(StrFormat("Не удалось прочитать настройки программы из файла %s.\n%s",
                              m_strProfilePath.c_str(), AsSentence(reason).c_str()));
    }
    LoadProfileLists(kRecentCount);

    // The document, the view and the frame; the frame's construction loads
    // the most recent catalog with the start-up rules.
    m_pDocument = std::make_unique<CKestrinDoc>();
    g_pDoc = m_pDocument.get();
    g_DocFile = DocFileState();
    SetDocumentShellHooks(m_pHooks.get());
    m_pView = std::make_unique<CKestrinView>();
    m_pFrame = std::make_unique<CMainFrame>();
    FrameHost* frameHost = host.CreateMainWindow(*m_pFrame, *m_pView);
    if (!frameHost)
        return false;
    m_pFrame->OnCreate(frameHost);

    // The command line: an empty task, or the file named on it.
    if (args.empty())
        OnFileNew();
    else if (!OpenDocumentFile(args.front()))
        return false;

    ApplyLineStyles();
    ApplyDisplayFont();
    // Whatever happened to the recent catalog list, start-up is over: a later
    // pick of a recent catalog follows the rules of a running program.
    m_bStarting = 0;
    host.ShowMainWindow();
    m_pFrame->UpdateTitle();
    return true;
}

int CKestrinApp::ExitInstance()
{
    SaveProfileLists();
    if (m_bProfileReadable) {
        std::string error;
        if (!SaveFile(m_strProfilePath, error))
            ShowMessage(StrFormat("Не удалось сохранить настройки программы в файле\n%s\n%s",
                                  m_strProfilePath.c_str(), AsSentence(error).c_str()));
    }
    m_pFontsList.reset();
    m_pLinesList.reset();
    m_pBaseList.reset();
    m_pBaseDopList.reset();
    return 0;
}

bool CKestrinApp::OnCommand(int id)
{
    if (cmd::IsRecentTask(id)) {
        OnOpenRecentFile(id);
        return true;
    }
    if (cmd::IsRecentBase(id)) {
        OnOpenRecentBase(id);
        return true;
    }
    switch (id) {
    case cmd::ID_FILE_NEW:
        OnFileNew();
        return true;
    case cmd::ID_FILE_OPEN:
        OnFileOpen();
        return true;
    case cmd::ID_FILE_SAVE:
        OnFileSave();
        return true;
    case cmd::ID_FILE_SAVE_AS:
        OnFileSaveAs();
        return true;
    default:
        return Frame() && Frame()->OnCommand(id);
    }
}

void CKestrinApp::CloseResultWindowsAndResetZoom()
{
    if (Frame() && Frame()->Host())
        Frame()->Host()->DestroyResultWindows();
    if (g_pMainView) {
        g_pMainView->m_dZoom = 1.0;
        g_pMainView->m_bFitted = 0;
        g_pMainView->m_bLarger = 0;
    }
}

void CKestrinApp::OnFileNew()
{
    CloseResultWindowsAndResetZoom();
    if (!SaveModified() || !NewTaskDocument())
        return;
    CMainFrame* frame = Frame();
    if (!frame)
        return;
    // The title names the task in every view mode; a listing shows the new one.
    frame->UpdateTitle();
    if (frame->m_nViewMode != 0 && g_pMainView)
        g_pMainView->BuildTextView();
}

void CKestrinApp::OnFileOpen()
{
    if (Editing())
        return;
    FileDialog dlg(true, "ktf", kTaskFileFilter, "Открыть");
    dlg.m_bFileMustExist = true;
    if (dlg.DoModal() != IDOK)
        return;
    OpenDocumentFile(dlg.GetPathName());
}

bool CKestrinApp::OpenDocumentFile(const std::string& path, bool fromRecentList)
{
    if (Editing())
        return false;
    CloseResultWindowsAndResetZoom();
    if (!SaveModified())
        return false;
    if (!ReadTaskDocument(path)) {
        // A recent task that cannot be read leaves the list.
        if (fromRecentList && m_pRecentFileList)
            for (int i = 0; i < m_pRecentFileList->GetSize(); ++i)
                if ((*m_pRecentFileList)[i] == path) {
                    m_pRecentFileList->Remove(i);
                    break;
                }
        return false;
    }
    CMainFrame* frame = Frame();
    ReconcileDatabase(frame, path);
    if (frame)
        frame->UpdateTitle();
    if (frame && frame->m_nViewMode == 0) {
        if (g_pMainView) {
            if (fromRecentList)
                g_pMainView->ResetEditMode();
            else
                g_pMainView->RecalcLayout();
        }
    } else if (g_pMainView) {
        g_pMainView->BuildTextView();
    }
    return true;
}

bool CKestrinApp::OnOpenRecentFile(int id)
{
    if (Editing())
        return false;
    if (!m_pRecentFileList)
        return false;
    const int index = id - cmd::ID_FILE_MRU_FIRST;
    if (index < 0 || index >= m_pRecentFileList->GetSize() || (*m_pRecentFileList)[index].empty())
        return false;
    const std::string path = (*m_pRecentFileList)[index];
    return OpenDocumentFile(path, true);
}

bool CKestrinApp::OnOpenRecentBase(int id)
{
    if (!m_bStarting && Editing())
        return false;
    bool loaded = false;
    const int index = id - cmd::ID_BASE_MRU_FIRST;
    if (m_pBaseList && index >= 0 && index < m_pBaseList->GetSize() && !(*m_pBaseList)[index].empty()) {
        std::string path = (*m_pBaseList)[index];
        CBase base;
        CMainFrame* frame = Frame();
        if (frame && frame->LoadBase(base, path, FileNameOfPath(path), m_bStarting != 0)) {
            TakeCurrentBasePath(path);
            g_CurBase.Swap(base);
            if (!m_bStarting)
                frame->UpdateTitle();
            loaded = true;
        }
    }
    m_bStarting = 0;
    return loaded;
}

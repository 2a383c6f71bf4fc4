// The application object: start-up in its fixed order (settings, main frame
// with the most recent catalog, command line, line styles, display font),
// the application-level commands (new, open, recent tasks, recent catalogs)
// and the settings written back at exit.  The profile lists come from
// ProfileLists; the windows come from an AppHost (the Qt side, or a test).
#pragma once

#include "app/profilelists.h"

#include <memory>
#include <string>
#include <vector>

class CKestrinDoc;
class CKestrinView;
class CMainFrame;
class FrameHost;

class AppHost {
public:
    virtual ~AppHost() = default;
    // Creates the main window around the frame and the view; null on failure.
    virtual FrameHost* CreateMainWindow(CMainFrame& frame, CKestrinView& view) = 0;
    virtual void ShowMainWindow() = 0;
};

class CKestrinApp : public ProfileLists {
public:
    // Recent-list length and display length of the start-up.
    static constexpr int kRecentCount = 8;

    CKestrinApp();
    ~CKestrinApp();
    CKestrinApp(const CKestrinApp&) = delete;
    CKestrinApp& operator=(const CKestrinApp&) = delete;

    // The profile file; DefaultProfilePath() unless set before InitInstance.
    std::string m_strProfilePath;
    // 1 from construction to the end of start-up (the first catalog load runs
    // with start-up rules).
    int m_bStarting = 1;

    // Start-up; false ends the program (a task named on the command line that
    // cannot be opened).
    bool InitInstance(const std::vector<std::string>& args, AppHost& host);
    // Writes the settings back; returns the exit code.
    int ExitInstance();

    // Runs a command of the application, or of the main frame; false when
    // nobody handles it.
    bool OnCommand(int id);
    void OnFileNew();
    void OnFileOpen();
    bool OnOpenRecentFile(int id);
    bool OnOpenRecentBase(int id);
    // The one way a task file is opened: the open command, recent tasks, the
    // command line and files dropped on the window.  Refused silently while
    // editing.
    bool OpenDocumentFile(const std::string& path, bool fromRecentList = false);

    CMainFrame* MainFrame() const { return m_pFrame.get(); }
    CKestrinView* View() const { return m_pView.get(); }
    CKestrinDoc* Document() const { return m_pDocument.get(); }

private:
    // The main frame: the application's own, or the one being constructed.
    CMainFrame* Frame() const;
    bool Editing() const;
    void CloseResultWindowsAndResetZoom();
    class ShellHooks;
    std::unique_ptr<ShellHooks> m_pHooks;
    std::unique_ptr<CKestrinDoc> m_pDocument;
    std::unique_ptr<CKestrinView> m_pView;
    std::unique_ptr<CMainFrame> m_pFrame;
    bool m_bProfileReadable = true;
};

extern CKestrinApp* g_pApp;

// The main window: menus, the standard toolbar, the element toolbar and the
// status bar around the scheme view.  Commands go to the application object
// (which hands what it does not handle to the main frame); the enable, check
// and text rules are applied when a menu opens, after each command and when idle.
#pragma once

#include "app/mainframe.h"

#include <QMainWindow>
#include <QTimer>

#include <map>
#include <vector>

class CKestrinView;
class QAction;
class QMenu;
class QToolBar;
class SchemeView;
struct MenuItem;

class MainWindow : public QMainWindow, public FrameHost {
    Q_OBJECT
public:
    MainWindow(CMainFrame& frame, CKestrinView& view);
    ~MainWindow() override;

    // FrameHost
    void SetFrameTitle(const std::string& title) override;
    void ShowElementBar(bool show) override;
    void RedrawFrame() override;
    void DestroyResultWindows() override;
    SecFrameState* ResultsFrameState() override;
    SecFrameState* CreateResultsFrame() override;
    void RebuildResults(bool focus) override;
    bool FocusBufferFrame() override;
    void CreateBufferFrame(int quantity, int selectedCount) override;
    bool BufferFrameOpen() override;
    void BufferChanged() override;

    // Runs a command as its menu item or button would.
    void Dispatch(int id);
    // Applies the command rules to every action.
    void UpdateCommandUi();

    QAction* Action(int id) const;
    QToolBar* StandardBar() const { return m_standardBar; }
    QToolBar* ElementBar() const { return m_elementBar; }
    SchemeView* ViewWidget() const { return m_viewWidget; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    QAction* MakeAction(int id);
    void BuildMenu(QMenu* menu, const std::vector<MenuItem>& items);
    void FillRecentMenu(QMenu* menu, QAction* anchor, bool bases);
    void OnFilePrintSetup();

    CMainFrame& m_frame;
    CKestrinView& m_view;
    SchemeView* m_viewWidget = nullptr;
    QToolBar* m_standardBar = nullptr;
    QToolBar* m_elementBar = nullptr;
    std::map<int, QAction*> m_actions;
    QAction* m_recentTasksAnchor = nullptr;
    QAction* m_recentBasesAnchor = nullptr;
    std::vector<QAction*> m_recentTaskActions;
    std::vector<QAction*> m_recentBaseActions;
    QTimer m_idleTimer;
};

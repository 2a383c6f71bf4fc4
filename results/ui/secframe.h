// The results window (CSecFrame): menu, toolbar and one-pane status bar
// around the results view; it keeps the engineer's choice (view mode, chosen
// results, legend, task title, decimal separator) and runs the commands.
// There is at most one; g_pResFrame reaches it.
#pragma once

#include "results/resultscommands.h"
#include "results/secframestate.h"
#include "results/ui/commandbars.h"

#include <QMainWindow>
#include <QTimer>

#include <map>

class CSecView;
class QAction;
class QMenu;
class QToolBar;

class CSecFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CSecFrame(QWidget* parent = nullptr);
    ~CSecFrame() override;

    SecFrameState& State() { return m_state; }
    CSecView* View() const { return m_view; }
    QToolBar* ToolBar() const { return m_toolBar; }

    // Builds the report or the curves of the choice and resets the view;
    // with focus the window is also brought forward.
    void Rebuild(bool focus);
    // The display font changed: the text is laid out again.
    void OnFontChanged();

    // Runs a command as its menu item or button would (refused when its rule
    // disables it now).
    void Dispatch(int id);
    // The rules applied to every action.
    void UpdateCommandUi();
    ResultsUiState UiState() const;
    QAction* Action(int id) const;

    // The commands.
    void OnCopy();
    void OnCopyExcel();
    void OnCopyWord();
    void OnSaveTemplates();
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnTables();
    // The quantities, the range and scale commands, the line sets and styles,
    // the legend and the per-frequency view.
    void OnGraphCommand(int id);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    void MakeAction(const ResultsCommandInfo& info);
    void CopyText(const std::string& text);
    void FocusFrame();

    SecFrameState m_state;
    CSecView* m_view = nullptr;
    QToolBar* m_toolBar = nullptr;
    CommandActions m_actions;
    QTimer m_idleTimer;
};

extern CSecFrame* g_pResFrame;

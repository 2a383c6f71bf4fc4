// The comparison-buffer window (CBufFrame, "Сравнение результатов расчетов"):
// menu, toolbar and status bar around the buffer's graph; it keeps the
// quantity, the count of marked curves and the legend flag and runs the
// commands.  There is at most one; g_pBufFrame reaches it.
#pragma once

#include "results/buffercommands.h"
#include "results/ui/commandbars.h"

#include <QMainWindow>
#include <QTimer>

#include <map>

class CBufView;
class QAction;
class QMenu;
class QToolBar;

class CBufFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CBufFrame(QWidget* parent = nullptr);
    ~CBufFrame() override;

    int quantity = 0;       // 0 to 5, as the results window's graph kinds
    int selectedCount = 0;  // marked curves handed over by the choice dialog
    int showLegend = 1;

    CBufView* View() const { return m_view; }
    // Takes a choice (quantity and count), turns the manual scale off and
    // loads the buffer's curves.
    void TakeChoice(int newQuantity, int count);
    void Dispatch(int id);
    void UpdateCommandUi();
    BufferUiState UiState() const;
    QAction* Action(int id) const;
    void FocusFrame();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    void OnChoose();
    void OnCopy();
    void OnFilePrint();
    void OnFilePrintPreview();

    CBufView* m_view = nullptr;
    QToolBar* m_toolBar = nullptr;
    CommandActions m_actions;
    QTimer m_idleTimer;
};

extern CBufFrame* g_pBufFrame;

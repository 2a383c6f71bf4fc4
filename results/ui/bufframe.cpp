#include "results/ui/bufframe.h"

#include "app/commands.h"
#include "app/linestyles.h"
#include "app/mainframe.h"
#include "app/ui/printer.h"
#include "dialogs/ui/uitext.h"
#include "platform/messages.h"
#include "platform/modal.h"
#include "results/vibrezbufdlg.h"
#include "results/ui/bufview.h"
#include "results/ui/commandbars.h"
#include "results/ui/graphcommands.h"
#include "results/ui/resultshelp.h"

#include <QAction>
#include <QCloseEvent>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QToolBar>

CBufFrame* g_pBufFrame = nullptr;

CBufFrame::CBufFrame(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("BufFrame");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(U("Сравнение результатов расчетов"));
    g_pBufFrame = this;
    m_view = new CBufView(this);
    setCentralWidget(m_view);
    connect(m_view, &CBufView::GraphChanged, this, &CBufFrame::UpdateCommandUi);

    for (const ResultsCommandInfo& c : BufferCommands())
        m_actions[c.id] = MakeCommandAction(*this, c, IsBufferCheckable(c.id), [this, id = c.id] { Dispatch(id); });
    BuildCommandMenus(*this, BufferMenuLayout(), m_actions, [this] { UpdateCommandUi(); });
    m_toolBar = BuildCommandToolBar(*this, "BufferBar", BufferToolbarLayout(), m_actions);
    KeepIdlePrompt(*this);
    resize(760, 560);
    connect(&m_idleTimer, &QTimer::timeout, this, &CBufFrame::UpdateCommandUi);
    m_idleTimer.start(200);
}

CBufFrame::~CBufFrame()
{
    m_idleTimer.stop();
    if (g_pBufFrame == this)
        g_pBufFrame = nullptr;
}

QAction* CBufFrame::Action(int id) const
{
    return FindCommandAction(m_actions, id);
}

BufferUiState CBufFrame::UiState() const
{
    BufferUiState s;
    s.graph = &m_view->Graph().model;
    s.blackSet = LineStyleTables.colourMode != 0;
    s.showLegend = showLegend != 0;
    s.toolbarShown = !m_toolBar->isHidden();
    s.statusBarShown = !statusBar()->isHidden();
    return s;
}

void CBufFrame::UpdateCommandUi()
{
    const BufferUiState s = UiState();
    ApplyCommandStates(m_actions, [&s](int id) { return GetBufferCommandState(id, s); });
}

void CBufFrame::TakeChoice(int newQuantity, int count)
{
    quantity = newQuantity;
    selectedCount = count;
    m_view->LoadBuffer(quantity, showLegend != 0);
    UpdateCommandUi();
}

void CBufFrame::Dispatch(int id)
{
    if (!GetBufferCommandState(id, UiState()).enabled) {
        UpdateCommandUi();
        return;
    }
    GraphModel& m = m_view->Graph().model;
    if (const int q = GraphQuantityOfCommand(id); q >= 0) {
        TakeChoice(q, selectedCount);
        return;
    }
    switch (id) {
    case rescmd::Print:
        OnFilePrint();
        break;
    case rescmd::PrintPreview:
        OnFilePrintPreview();
        break;
    case rescmd::PrintSetup: {
        QPageSetupDialog dlg(&AppPrinter(), this);
        dlg.exec();
        break;
    }
    case rescmd::CloseWindow:
        close();
        return;
    case rescmd::Copy:
        OnCopy();
        break;
    case rescmd::ChooseResults:
        OnChoose();
        break;
    case GraphCommand::ByFrequency:
        m_view->ViewByFrequency();
        break;
    case rescmd::Legend:
        showLegend = !showLegend;
        m_view->SetShowLegend(showLegend != 0);
        break;
    case rescmd::ToggleToolbar:
        m_toolBar->setVisible(m_toolBar->isHidden());
        break;
    case rescmd::ToggleStatusBar:
        statusBar()->setVisible(statusBar()->isHidden());
        break;
    case rescmd::HelpContents:
        ShowResultsHelp(this);
        break;
    default:
        RunGraphCommand(id, m);
        m_view->update();
        break;
    }
    if (g_pBufFrame == this)
        UpdateCommandUi();
}

void CBufFrame::OnChoose()
{
    if (!g_pMainFrame)
        return;
    CVibRezBufDlg dlg(g_pMainFrame->compareBuffer);
    dlg.quantity = quantity;
    if (RunModal(dlg) != IDOK)
        return;
    TakeChoice(dlg.quantity, dlg.selectedCount);
}

void CBufFrame::OnCopy()
{
    const QImage image = m_view->GraphImage();
    if (image.isNull()) {
        ShowMessage("Ошибка копирования в буфер");
        return;
    }
    QApplication::clipboard()->setImage(image);
}

void CBufFrame::OnFilePrint()
{
    QPrintDialog dlg(&AppPrinter(), this);
    dlg.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (dlg.exec() == QDialog::Accepted)
        m_view->PrintGraph(AppPrinter());
    FocusFrame();
}

void CBufFrame::OnFilePrintPreview()
{
    QPrintPreviewDialog dlg(&AppPrinter(), this);
    connect(&dlg, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) { m_view->PrintGraph(*printer); });
    RunPreview(dlg);
    FocusFrame();
}

void CBufFrame::FocusFrame()
{
    show();
    raise();
    activateWindow();
    m_view->setFocus();
}

void CBufFrame::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_view->setFocus();
}

void CBufFrame::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    // A closed window is gone for the rest of the program at once, though Qt
    // deletes it a moment later.
    if (event->isAccepted()) {
        if (g_pBufFrame == this)
            g_pBufFrame = nullptr;
        if (g_pBufView == m_view)
            g_pBufView = nullptr;
    }
}

QMenu* CBufFrame::createPopupMenu()
{
    return nullptr;
}

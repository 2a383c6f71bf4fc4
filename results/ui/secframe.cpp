#include "results/ui/secframe.h"

#include "app/commandids.h"
#include "app/commands.h"
#include "app/commandstate.h"
#include "app/docfile.h"
#include "app/fontcommand.h"
#include "app/kestrinapp.h"
#include "app/linestyles.h"
#include "app/mainframe.h"
#include "app/ui/printer.h"
#include "dialogs/ui/uitext.h"
#include "model/document.h"
#include "model/modelglobals.h"
#include "platform/filedialog.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "results/razdelitel.h"
#include "results/templates.h"
#include "results/ui/commandbars.h"
#include "results/ui/graphcommands.h"
#include "results/ui/resultshelp.h"
#include "results/ui/resultswindows.h"
#include "results/ui/secview.h"

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

CSecFrame* g_pResFrame = nullptr;

namespace {

// The main window's rules for the two commands both windows share.
bool MainWindowEnables(int id)
{
    return g_pMainFrame && GetCommandState(id, g_pMainFrame->GetShellState()).enabled;
}

} // namespace

CSecFrame::CSecFrame(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("SecFrame");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(U("Результаты расчета"));
    g_pResFrame = this;
    m_view = new CSecView(m_state, this);
    setCentralWidget(m_view);
    connect(m_view, &CSecView::SelectionChanged, this, &CSecFrame::UpdateCommandUi);

    for (const ResultsCommandInfo& c : ResultsCommands())
        MakeAction(c);
    BuildCommandMenus(*this, ResultsMenuLayout(), m_actions, [this] { UpdateCommandUi(); });
    m_toolBar = BuildCommandToolBar(*this, "ResultsBar", ResultsToolbarLayout(), m_actions);
    KeepIdlePrompt(*this);

    resize(760, 560);
    connect(&m_idleTimer, &QTimer::timeout, this, &CSecFrame::UpdateCommandUi);
    m_idleTimer.start(200);
    UpdateCommandUi();
}

CSecFrame::~CSecFrame()
{
    m_idleTimer.stop();
    if (g_pResFrame == this)
        g_pResFrame = nullptr;
}

void CSecFrame::MakeAction(const ResultsCommandInfo& info)
{
    const int id = info.id;
    QAction* a = MakeCommandAction(*this, info, IsResultsCheckable(id), [this, id] { Dispatch(id); });
    // The commands the main window also has carry its prompts.
    if (!*info.prompt)
        if (const CommandInfo* shell = FindCommand(id)) {
            a->setStatusTip(QString::fromStdString(CommandStatusText(*shell)));
            a->setToolTip(QString::fromStdString(CommandToolTip(*shell)));
        }
    m_actions[id] = a;
}

QAction* CSecFrame::Action(int id) const
{
    return FindCommandAction(m_actions, id);
}

ResultsUiState CSecFrame::UiState() const
{
    ResultsUiState s;
    s.viewMode = m_state.ViewMode;
    if (g_pDoc) {
        s.chosenResult = m_state.HasChosenResult(*g_pDoc);
        s.tractChosen = m_state.FirstChosenTract(*g_pDoc) >= 0;
    }
    s.graph = &m_view->Graph().model;
    s.selectionShown = m_view->selectionShown();
    s.lineCount = m_view->lineCount();
    s.blackSet = LineStyleTables.colourMode != 0;
    s.showTaskTitle = m_state.showTaskTitle != 0;
    s.showLegend = m_state.showLegend != 0;
    s.toolbarShown = !m_toolBar->isHidden();
    s.statusBarShown = !statusBar()->isHidden();
    s.addToBufferEnabled = MainWindowEnables(cmd::ID_ADD_TO_BUFFER);
    s.compareBufferEnabled = MainWindowEnables(cmd::ID_VIEW_COMPARE_BUFFER);
    return s;
}

void CSecFrame::UpdateCommandUi()
{
    const ResultsUiState s = UiState();
    ApplyCommandStates(m_actions, [&s](int id) { return GetResultsCommandState(id, s); });
}

void CSecFrame::Dispatch(int id)
{
    if (!GetResultsCommandState(id, UiState()).enabled) {
        UpdateCommandUi();
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
    case rescmd::SaveTemplates:
        OnSaveTemplates();
        break;
    case rescmd::CloseWindow:
        close();
        return;
    case rescmd::Copy:
        OnCopy();
        break;
    case rescmd::CopyExcel:
        OnCopyExcel();
        break;
    case rescmd::CopyWord:
        OnCopyWord();
        break;
    case rescmd::AddToBuffer:
    case rescmd::ViewCompareBuffer:
        if (g_pApp)
            g_pApp->OnCommand(id);
        break;
    case rescmd::SelectAll:
        m_view->SelectAll();
        break;
    case rescmd::ChooseResults:
        // The same choice as the main window's "Результаты расчетов...".
        if (g_pMainFrame)
            g_pMainFrame->OnViewResults();
        break;
    case rescmd::Tables:
        OnTables();
        break;
    case rescmd::Font:
        if (ChooseFont())
            OnFontChanged();
        break;
    case rescmd::TaskTitle:
        m_state.showTaskTitle = !m_state.showTaskTitle;
        m_view->viewport()->update();
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
        OnGraphCommand(id);
        break;
    }
    // The window may be gone (a command that closes it).
    if (g_pResFrame == this)
        UpdateCommandUi();
}

void CSecFrame::Rebuild(bool focus)
{
    // The graph modes leave no text lines; the text modes keep the curves.
    m_view->BuildReport();
    if (!m_state.TextMode())
        m_view->BuildCurves();
    m_view->ResetView();
    if (focus)
        FocusFrame();
    UpdateCommandUi();
}

void CSecFrame::OnFontChanged()
{
    if (!m_state.TextMode())
        return;
    m_view->LayoutText();
    UpdateCommandUi();
}

void CSecFrame::FocusFrame()
{
    show();
    raise();
    activateWindow();
    m_view->setFocus();
}

void CSecFrame::OnTables()
{
    m_state.ViewMode = 7;
    Rebuild(false);
}

void CSecFrame::CopyText(const std::string& text)
{
    // QClipboard takes the text whole and reports no failure.
    QApplication::clipboard()->setText(QString::fromStdString(text));
}

void CSecFrame::OnCopy()
{
    if (m_state.TextMode()) {
        CopyText(m_view->SelectedScreenText());
        return;
    }
    const QImage image = m_view->GraphImage();
    if (image.isNull()) {
        ShowMessage("Ошибка копирования в буфер");
        return;
    }
    QApplication::clipboard()->setImage(image);
}

void CSecFrame::OnGraphCommand(int id)
{
    namespace gc = GraphCommand;
    GraphModel& m = m_view->Graph().model;
    if (const int q = GraphQuantityOfCommand(id); q >= 0) {
        m_state.ViewMode = std::uint8_t(8 + q);
        Rebuild(false);
        return;
    }
    switch (id) {
    case gc::ByFrequency:
        m_view->ViewByFrequency();
        break;
    case rescmd::Legend:
        m_state.showLegend = !m_state.showLegend;
        break;
    default:
        if (!RunGraphCommand(id, m))
            return;
        break;
    }
    m_view->viewport()->update();
}

void CSecFrame::OnCopyExcel()
{
    CRazdelitelDlg dlg;
    dlg.separatorChoice = m_state.decimalComma;
    if (dlg.DoModal() != IDOK)
        return;
    m_state.decimalComma = dlg.separatorChoice;
    m_view->BuildExcelReport();
    CopyText(m_view->SelectedCopyText());
    m_view->FreeCopyLines();
}

void CSecFrame::OnCopyWord()
{
    m_view->BuildWordReport();
    CopyText(m_view->SelectedCopyText());
    m_view->FreeCopyLines();
}

void CSecFrame::OnSaveTemplates()
{
    if (!g_pDoc)
        return;
    const int k = m_state.FirstChosenTract(*g_pDoc);
    if (k < 0)
        return;
    FileDialog dlg(false, "", "Шаблоны для AnCom A-7|*.7*||", "Сохранить шаблоны");
    dlg.m_strPathName = "Шаблоны";
    if (dlg.DoModal() != IDOK)
        return;
    const std::string folder = TemplateFolder(dlg.GetPathName());
    const TemplateWriteResult r =
        WriteTemplates(folder, *g_pDoc, g_DocFile.pathName, *g_pDoc->responseResults[std::size_t(k)]);
    if (!r.ok)
        ShowMessage(StrFormat("Не удалось записать файл\n%s\n%s", (folder + r.fileName).c_str(), AsSentence(r.error).c_str()),
                    kAppName, MsgIcon::Exclamation);
}

void CSecFrame::OnFilePrint()
{
    QPrinter& printer = AppPrinter();
    QPrintDialog dlg(&printer, this);
    // The selection is offered only for a selection of text lines.
    const bool selection = m_state.TextMode() && m_view->selectionShown();
    dlg.setOption(QAbstractPrintDialog::PrintSelection, selection);
    printer.setPrintRange(QPrinter::AllPages);
    if (dlg.exec() == QDialog::Accepted) {
        if (m_state.TextMode())
            m_view->PrintText(printer, selection && printer.printRange() == QPrinter::Selection);
        else
            m_view->PrintGraph(printer);
    }
    FocusFrame();
}

void CSecFrame::OnFilePrintPreview()
{
    QPrintPreviewDialog dlg(&AppPrinter(), this);
    connect(&dlg, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) {
                if (m_state.TextMode())
                    m_view->PrintText(*printer, false);
                else
                    m_view->PrintGraph(*printer);
            });
    RunPreview(dlg);
    FocusFrame();
}

void CSecFrame::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_view->setFocus();
}

void CSecFrame::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    // A closed window is gone for the rest of the program at once, though Qt
    // deletes it a moment later.
    if (event->isAccepted()) {
        if (g_pResFrame == this)
            g_pResFrame = nullptr;
        if (g_pSecView == m_view)
            g_pSecView = nullptr;
    }
}

QMenu* CSecFrame::createPopupMenu()
{
    // The bars are shown and hidden by the view menu only.
    return nullptr;
}

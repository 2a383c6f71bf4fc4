#include "app/ui/mainwindow.h"

#include "app/commandids.h"
#include "app/commands.h"
#include "app/commandstate.h"
#include "app/kestrinapp.h"
#include "app/kestrinview.h"
#include "app/ui/aboutbox.h"
#include "app/ui/icons.h"
#include "app/ui/printer.h"
#include "app/ui/schemeview.h"
#include "app/ui/viewprinting.h"
#include "platform/filedialog.h"
#include "results/ui/bufframe.h"
#include "results/ui/resultswindows.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

using namespace cmd;

namespace {

bool IsCheckable(int id)
{
    return id == ID_TOGGLE_ELEMENT_BAR || id == ID_TOGGLE_WARNINGS || id == ID_VIEW_SCHEME || id == ID_VIEW_TEXT ||
           id == ID_VIEW_TASK_BASE || id == ID_VIEW_CURRENT_BASE || ElementCommandType(id) >= 0;
}

// The first local file among dropped data, its name as the bytes the URL
// gives ("%FF" for a byte that is not UTF-8): the URL's decoded text would
// put U+FFFD in their place and name another file.
std::string DroppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) {
            const QByteArray path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
            // "localhost" is this machine, as file managers write it; another
            // host is kept as the URL's local file names it, "//host/path".
            const QString hostName = url.host();
            const bool here = hostName.isEmpty() || hostName.compare("localhost", Qt::CaseInsensitive) == 0;
            const QByteArray host = here ? QByteArray() : "//" + hostName.toUtf8();
            return (host + path).toStdString();
        }
    return {};
}

} // namespace

MainWindow::MainWindow(CMainFrame& frame, CKestrinView& view) : m_frame(frame), m_view(view)
{
    setObjectName("MainWindow");
    setWindowIcon(AppIcon());
    m_viewWidget = new SchemeView(view, this);
    setCentralWidget(m_viewWidget);
    connect(m_viewWidget, &SchemeView::CommandRequested, this, [this](int id) {
        if (id != 0)
            Dispatch(id);
        else
            UpdateCommandUi();
    });

    for (const CommandInfo& c : AllCommands())
        MakeAction(c.id);
    for (const MenuItem& top : MainMenuLayout()) {
        QMenu* menu = menuBar()->addMenu(QString::fromStdString(top.text));
        BuildMenu(menu, top.items);
    }

    m_standardBar = new QToolBar(QString::fromUtf8("Стандартная"), this);
    m_standardBar->setObjectName("StandardBar");
    m_elementBar = new QToolBar(QString::fromUtf8("Элементы"), this);
    m_elementBar->setObjectName("ElementBar");
    for (auto [bar, layout] : {std::pair{m_standardBar, &StandardToolbarLayout()},
                               std::pair{m_elementBar, &ElementToolbarLayout()}}) {
        bar->setIconSize(QSize(24, 24));
        for (int id : *layout) {
            if (id == 0)
                bar->addSeparator();
            else
                bar->addAction(Action(id));
        }
    }
    addToolBar(Qt::TopToolBarArea, m_standardBar);
    addToolBar(Qt::BottomToolBarArea, m_elementBar);
    m_elementBar->hide();

    // One message pane: command prompts while the pointer is over a command,
    // else the idle text.
    statusBar()->showMessage(QString::fromUtf8(kIdleMessage));
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& text) {
        if (text.isEmpty())
            statusBar()->showMessage(QString::fromUtf8(kIdleMessage));
    });

    setAcceptDrops(true);
    resize(900, 640);

    connect(&m_idleTimer, &QTimer::timeout, this, &MainWindow::UpdateCommandUi);
    m_idleTimer.start(200);
    UpdateCommandUi();
}

MainWindow::~MainWindow()
{
    m_idleTimer.stop();
    DestroyResultsWindows();
    if (m_frame.Host() == this)
        m_frame.DetachHost();
}

QAction* MainWindow::MakeAction(int id)
{
    const CommandInfo* info = FindCommand(id);
    auto* a = new QAction(this);
    a->setData(id);
    if (info) {
        QString text = QString::fromUtf8(info->menuText);
        const QString tip = QString::fromStdString(CommandToolTip(*info));
        a->setText(text.isEmpty() ? tip : text);
        a->setToolTip(tip);
        a->setStatusTip(QString::fromStdString(CommandStatusText(*info)));
        QList<QKeySequence> keys;
        if (*info->shortcut)
            keys << QKeySequence(QString::fromUtf8(info->shortcut));
        for (const std::string& extra : ExtraShortcuts(id))
            keys << QKeySequence(QString::fromStdString(extra));
        a->setShortcuts(keys);
    }
    a->setIcon(CommandIcon(id));
    a->setIconVisibleInMenu(false);
    a->setCheckable(IsCheckable(id));
    a->setEnabled(false);
    connect(a, &QAction::triggered, this, [this, id] { Dispatch(id); });
    addAction(a); // shortcuts work whether or not the action is in a visible menu or bar
    m_actions[id] = a;
    return a;
}

QAction* MainWindow::Action(int id) const
{
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void MainWindow::BuildMenu(QMenu* menu, const std::vector<MenuItem>& items)
{
    connect(menu, &QMenu::aboutToShow, this, &MainWindow::UpdateCommandUi);
    for (const MenuItem& item : items) {
        switch (item.kind) {
        case MenuItem::Command:
            menu->addAction(Action(item.id));
            break;
        case MenuItem::Separator:
            menu->addSeparator();
            break;
        case MenuItem::Submenu:
            BuildMenu(menu->addMenu(QString::fromStdString(item.text)), item.items);
            break;
        case MenuItem::RecentTasks:
        case MenuItem::RecentBases: {
            const bool bases = item.kind == MenuItem::RecentBases;
            QAction* anchor = menu->addAction(
                QString::fromUtf8(bases ? kRecentBasesPlaceholder : kRecentTasksPlaceholder));
            anchor->setEnabled(false);
            (bases ? m_recentBasesAnchor : m_recentTasksAnchor) = anchor;
            connect(menu, &QMenu::aboutToShow, this, [this, menu, anchor, bases] { FillRecentMenu(menu, anchor, bases); });
            break;
        }
        }
    }
}

void MainWindow::FillRecentMenu(QMenu* menu, QAction* anchor, bool bases)
{
    std::vector<QAction*>& actions = bases ? m_recentBaseActions : m_recentTaskActions;
    for (QAction* a : actions) {
        menu->removeAction(a);
        a->deleteLater();
    }
    actions.clear();
    const RecentFileList* list = nullptr;
    if (g_pApp)
        list = bases ? g_pApp->m_pBaseList.get() : g_pApp->m_pRecentFileList.get();
    const int shown = list ? list->CountShown() : 0;
    anchor->setVisible(shown == 0);
    const int first = bases ? ID_BASE_MRU_FIRST : ID_FILE_MRU_FIRST;
    for (int i = 0; i < shown; ++i) {
        auto* a = new QAction(QString::fromStdString(list->MenuText(i)), menu);
        a->setStatusTip(QString::fromStdString((*list)[i]));
        const int id = first + i;
        connect(a, &QAction::triggered, this, [this, id] { Dispatch(id); });
        menu->insertAction(anchor, a);
        actions.push_back(a);
    }
}

void MainWindow::UpdateCommandUi()
{
    const ShellState s = m_frame.GetShellState();
    for (auto& [id, action] : m_actions) {
        const CommandState st = GetCommandState(id, s);
        action->setEnabled(st.enabled);
        if (action->isCheckable())
            action->setChecked(st.checked);
        if (!st.text.empty())
            action->setText(QString::fromStdString(st.text));
    }
    m_frame.OnUpdateInsertEndLoad();
}

void MainWindow::Dispatch(int id)
{
    const ShellState s = m_frame.GetShellState();
    if (!IsRecentTask(id) && !IsRecentBase(id) && !GetCommandState(id, s).enabled) {
        // A shortcut of a command its rule forbids now.
        UpdateCommandUi();
        return;
    }
    switch (id) {
    case ID_APP_ABOUT:
        RunAboutBox(this);
        break;
    case ID_FILE_PRINT_SETUP:
        OnFilePrintSetup();
        break;
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_DIRECT:
        PrintView(this, m_view, id == ID_FILE_PRINT);
        break;
    case ID_FILE_PRINT_PREVIEW:
        PreviewView(this, m_view);
        break;
    case ID_EDIT_COPY:
        CopyView(*m_viewWidget, m_view);
        break;
    case ID_APP_EXIT:
        close();
        break;
    default:
        if (g_pApp)
            g_pApp->OnCommand(id);
        break;
    }
    UpdateCommandUi();
}

void MainWindow::OnFilePrintSetup()
{
    QPageSetupDialog dlg(&AppPrinter(), this);
    dlg.exec();
}

void MainWindow::SetFrameTitle(const std::string& title)
{
    setWindowTitle(QString::fromStdString(title));
}

void MainWindow::ShowElementBar(bool show)
{
    m_elementBar->setVisible(show);
}

void MainWindow::RedrawFrame()
{
    update();
    m_viewWidget->viewport()->update();
}

void MainWindow::DestroyResultWindows()
{
    DestroyResultsWindows();
}

SecFrameState* MainWindow::ResultsFrameState()
{
    return ::ResultsFrameState();
}

SecFrameState* MainWindow::CreateResultsFrame()
{
    return ::CreateResultsFrame();
}

void MainWindow::RebuildResults(bool focus)
{
    RebuildResultsFrame(focus);
}

bool MainWindow::FocusBufferFrame()
{
    return ::FocusBufferFrame();
}

void MainWindow::CreateBufferFrame(int quantity, int selectedCount)
{
    ::CreateBufferFrame(quantity, selectedCount);
}

bool MainWindow::BufferFrameOpen()
{
    return g_pBufFrame != nullptr;
}

void MainWindow::BufferChanged()
{
    ReloadBufferFrame();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_frame.QueryClose()) {
        event->ignore();
        UpdateCommandUi();
        return;
    }
    m_idleTimer.stop();
    // The results and comparison windows belong to this task and this
    // program: they go with the main window, or the program would live on
    // (with its profile unwritten) around a window that still edits the task.
    DestroyResultsWindows();
    event->accept();
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_frame.OnActivate();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedFile(event->mimeData()).empty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const std::string file = DroppedFile(event->mimeData());
    if (file.empty())
        return;
    event->acceptProposedAction();
    // While editing a drop is ignored, as the menu's open is.
    if (g_pApp && !m_frame.m_bEditing && AcceptNameFromText(file, FileUse::Open))
        g_pApp->OpenDocumentFile(file);
    UpdateCommandUi();
}

QMenu* MainWindow::createPopupMenu()
{
    // The toolbars are shown and hidden by the frame's rules only.
    return nullptr;
}

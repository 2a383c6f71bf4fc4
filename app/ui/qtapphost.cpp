#include "app/ui/qtapphost.h"

#include "app/fontcommand.h"
#include "app/mainframe.h"
#include "app/programwiredialogs.h"
#include "app/ui/fonts.h"
#include "app/ui/mainwindow.h"
#include "app/ui/qtdialogs.h"
#include "app/ui/qtmessagesink.h"
#include "catalog/baseeditdlg.h"
#include "catalog/ui/catalogdialogs.h"
#include "app/currentbase.h"
#include "dialogs/catalogitemstore.h"
#include "dialogs/ui/elementdialogs.h"
#include "app/ui/raschetdialog.h"
#include "dialogs/ui/taskdialogs.h"
#include "results/ui/resultswindows.h"

#include <QApplication>
#include <QDialog>
#include <QLibraryInfo>
#include <QMetaObject>
#include <QTranslator>

#include <atomic>
#include <csignal>

namespace {

std::atomic<bool> g_termRequested{false};

void OnTerm(int)
{
    g_termRequested = true;
}

} // namespace

QtAppHost::QtAppHost() = default;

QtAppHost::~QtAppHost() = default;

FrameHost* QtAppHost::CreateMainWindow(CMainFrame& frame, CKestrinView& view)
{
    m_window = std::make_unique<MainWindow>(frame, view);
    return m_window.get();
}

void QtAppHost::ShowMainWindow()
{
    CreateDisplayFont();
    m_window->show();
    m_window->UpdateCommandUi();
}

void QtAppHost::WatchTermination()
{
    std::signal(SIGTERM, OnTerm);
    std::signal(SIGINT, OnTerm);
    // Closing the terminal the program was started from hangs it up: the
    // user is asked about unsaved work as at a logout.  A hang-up ignored at
    // start (nohup) stays ignored.
    struct sigaction hangUp {};
    if (::sigaction(SIGHUP, nullptr, &hangUp) == 0 && hangUp.sa_handler != SIG_IGN)
        std::signal(SIGHUP, OnTerm);
    connect(&m_termTimer, &QTimer::timeout, this, [this] {
        if (!g_termRequested.exchange(false))
            return;
        // A dialog open at that moment is cancelled first (its caller goes on
        // as after "Отмена"); the main window closes at the next tick, when
        // no dialog runs inside it any more.
        if (QWidget* modal = QApplication::activeModalWidget()) {
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
            g_termRequested = true;
            return;
        }
        if (m_window && m_window->isVisible())
            m_window->close();
        else
            QApplication::quit();
    });
    m_termTimer.start(100);
}

void InstallQtTranslation()
{
    // Qt's own dialogs (file, print, preview, font) speak the program's
    // language; without the translation file they stay in English.
    static QTranslator translator;
    if (translator.isEmpty() && translator.load("qtbase_ru", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&translator);
}

void PostSaveBaseMessage()
{
    QMetaObject::invokeMethod(
        qApp,
        [] {
            if (g_pMainFrame)
                g_pMainFrame->OnSaveBaseMsg();
        },
        Qt::QueuedConnection);
}

void InstallQtServices()
{
    static QtMessageSink sink;
    SetMessageSink(&sink);
    RegisterShellDialogs();
    RegisterTaskDialogs();
    RegisterCatalogDialogs();
    CBaseEditDlg::SetApplyPostHook(PostSaveBaseMessage);
    RegisterElementDialogs();
    // Placing asks its wire choices through the dialogs just registered.
    InstallProgramWireDialogs();
    // Items stored from the element dialogs are saved with the current catalog.
    SetCatalogSaveHook(SaveCurrentBase);
    RegisterResultsDialogs();
    RegisterCalcDialogs();
    g_OnDisplayFontChanged = [] {
        CreateDisplayFont();
        RelayoutResultsText();
    };
}

// The Qt side of start-up: creates the main window for the application
// object, shows it, and closes it cleanly on SIGTERM (as a session logout does),
// SIGINT and SIGHUP (the terminal it was started from closed).
#pragma once

#include "app/kestrinapp.h"

#include <QObject>
#include <QTimer>

#include <memory>

class MainWindow;

class QtAppHost : public QObject, public AppHost {
    Q_OBJECT
public:
    QtAppHost();
    ~QtAppHost() override;

    FrameHost* CreateMainWindow(CMainFrame& frame, CKestrinView& view) override;
    void ShowMainWindow() override;

    MainWindow* Window() const { return m_window.get(); }
    // Closes the main window through its normal close path when SIGTERM,
    // SIGINT or SIGHUP arrived.
    void WatchTermination();

private:
    std::unique_ptr<MainWindow> m_window;
    QTimer m_termTimer;
};

// Has the current catalog stored after the present event, as the catalog
// editor's "Применить" asks the main frame to.
void PostSaveBaseMessage();

// Loads Qt's Russian translation for Qt's own dialogs; a missing
// translation file leaves them in English.
void InstallQtTranslation();

// Installs the message sink and the dialogs of every part of the program.
void InstallQtServices();

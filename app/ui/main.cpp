// Kestrin: design and calculation of HF channels over power lines.
#include "app/kestrinapp.h"
#include "app/ui/icons.h"
#include "app/ui/qtapphost.h"

#include <QApplication>

#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("Kestrin");
    QApplication::setWindowIcon(AppIcon());
    QApplication::setDesktopFileName("kestrin");
    InstallQtTranslation();
    InstallQtServices();

    // The names after Qt took its own options, byte for byte: a file's name
    // on Linux need not be UTF-8, and as Qt text it would be another name.
    std::vector<std::string> args(argv + 1, argv + argc);

    CKestrinApp app;
    int rc = 1;
    {
        QtAppHost host;
        if (app.InitInstance(args, host)) {
            host.WatchTermination();
            rc = qapp.exec();
        }
        rc = app.ExitInstance() == 0 ? rc : 1;
    }
    return rc;
}

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

    std::vector<std::string> args;
    for (const QString& a : QApplication::arguments().mid(1))
        args.push_back(a.toStdString());

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

#include "results/ui/resultshelp.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

static void InitResultsResources()
{
    // The page lives in a static library: its resources are registered by hand.
    Q_INIT_RESOURCE(results);
}

const char* ResultsHelpResource()
{
    return ":/results/help.html";
}

void ShowResultsHelp(QWidget* parent)
{
    InitResultsResources();
    QDialog dlg(parent);
    dlg.setObjectName("ResultsHelp");
    dlg.setWindowTitle(QString::fromUtf8("Справка"));
    auto* browser = new QTextBrowser;
    QFile file(QString::fromUtf8(ResultsHelpResource()));
    if (file.open(QIODevice::ReadOnly))
        browser->setHtml(QString::fromUtf8(file.readAll()));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QString::fromUtf8("Закрыть"));
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dlg);
    layout->addWidget(browser);
    layout->addWidget(buttons);
    dlg.resize(560, 460);
    dlg.exec();
}

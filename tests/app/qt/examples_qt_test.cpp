// The examples as the README's first command opens them: the program started
// on a fresh profile (no catalog chosen yet) in the repository's folder with
// examples/<name>.ktf on its command line shows the channel with the example
// catalog loaded, may calculate it, and shows its stored results as a graph.
// Pictures of each scheme and graph go to the screenshots' examples/ folder.
#include "examples/examplefiles.h"

#include "app/commandids.h"
#include "app/currentbase.h"
#include "app/kestrinapp.h"
#include "app/mainframe.h"
#include "app/ui/mainwindow.h"
#include "app/ui/qtapphost.h"
#include "dialogs/qt/useractions.h"
#include "model/document.h"
#include "model/modelglobals.h"
#include "platform/messages.h"
#include "results/ui/secframe.h"
#include "results/ui/vibrezdialog.h"
#include "results/vibrezdlg.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>
#include <memory>

using namespace cmd;
namespace fs = std::filesystem;

namespace {

void Shot(QWidget* w, const QString& name)
{
    QApplication::processEvents();
    const QString dir = QString(KESTRIN_SCREENSHOT_DIR) + "/examples";
    QDir().mkpath(dir);
    QVERIFY(w->grab().save(dir + "/" + name));
}

bool Enabled(MainWindow* w, int id)
{
    w->UpdateCommandUi();
    QAction* a = w->Action(id);
    return a && a->isEnabled();
}

// The results choice answered as a user does: the first result, as a graph.
[[nodiscard]] WindowAnswer ChooseGraphOfFirstResult()
{
    return WhenShown<VibRezDialog>([](VibRezDialog* d) {
        QTreeWidget* tree = d->Tree();
        QTreeWidgetItem* item = d->Item(CVibRezDlg::TractItem(0));
        QVERIFY(item);
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
        auto* graphs = static_cast<QAbstractButton*>(d->Control(CVibRezDlg::kIdGraphs));
        QTest::mouseClick(graphs, Qt::LeftButton, {}, QPoint(6, graphs->height() / 2));
        QPushButton* view = nullptr;
        for (QPushButton* b : d->findChildren<QPushButton*>())
            if (b->isVisible() && b->text() == QString::fromUtf8("Просмотр"))
                view = b;
        QVERIFY(view);
        QTest::mouseClick(view, Qt::LeftButton);
    });
}

} // namespace

class ExamplesQtTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtServices(); }
    void readmeCommandShowsEachExampleWithItsCatalogAndResults();
};

void ExamplesQtTest::readmeCommandShowsEachExampleWithItsCatalogAndResults()
{
    for (const ExampleTask& task : kExampleTasks) {
        // A copy of the examples, so that nothing the program might write
        // reaches the repository.
        QTemporaryDir dir;
        const fs::path root = dir.path().toStdString();
        fs::create_directories(root / "examples");
        for (const char* name : {kExampleCatalog, task.file})
            fs::copy(fs::path(KESTRIN_EXAMPLES_DIR) / name, root / "examples" / name);
        const std::string profile = (root / "kestrin.ini").string();
        std::ofstream(profile) << "";
        const fs::path startDir = fs::current_path();
        fs::current_path(root);

        ScriptedMessages msgs;
        auto app = std::make_unique<CKestrinApp>();
        app->m_strProfilePath = profile;
        auto host = std::make_unique<QtAppHost>();
        const bool started = app->InitInstance({"examples/" + std::string(task.file)}, *host);
        fs::current_path(startDir);
        QVERIFY(started);
        MainWindow* w = host->Window();
        w->resize(1100, 560);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));

        QVERIFY2(msgs.messages().empty(), msgs.messages().empty() ? "" : msgs.messages()[0].text.c_str());
        QCOMPARE(g_bBaseLoaded, 1);
        QCOMPARE(fs::path(g_strBasePath), root / "examples" / kExampleCatalog);
        QVERIFY(g_pDoc && !g_pDoc->elements.empty());
        QVERIFY(Enabled(w, ID_CALC_TRACT));
        QVERIFY(Enabled(w, ID_TASK_EDIT));
        const std::string stem = fs::path(task.file).stem().string();
        Shot(w, QString::fromStdString(stem + "_scheme.png"));

        auto choice = ChooseGraphOfFirstResult();
        QVERIFY(Enabled(w, ID_VIEW_RESULTS));
        w->Action(ID_VIEW_RESULTS)->trigger();
        QVERIFY(*choice);
        QVERIFY(g_pResFrame);
        g_pResFrame->resize(900, 560);
        Shot(g_pResFrame, QString::fromStdString(stem + "_graph.png"));

        w->close();
        app->ExitInstance();
        host.reset();
        app.reset();
    }
}

QTEST_MAIN(ExamplesQtTest)
#include "examples_qt_test.moc"

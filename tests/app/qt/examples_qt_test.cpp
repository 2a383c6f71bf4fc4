// The examples as the README's first command opens them: the program started
// on a fresh profile (no catalog chosen yet) in the repository's folder with
// examples/<name>.ktf on its command line shows the channel with the example
// catalog loaded, may calculate it, and shows its stored results as a graph;
// each element's dialog shows what the element holds.  Pictures of each
// scheme, graph and element dialog go to the screenshots' examples/ folder.
#include "examples/examplefiles.h"

#include "app/commandids.h"
#include "app/currentbase.h"
#include "app/elemparams.h"
#include "app/kestrinapp.h"
#include "app/mainframe.h"
#include "app/ui/mainwindow.h"
#include "app/ui/qtapphost.h"
#include "app/ui/schemeview.h"
#include "dialogs/qt/useractions.h"
#include "dialogs/ui/vlinesheetdialog.h"
#include "dialogs/ui/vlpage2widget.h"
#include "model/document.h"
#include "model/modelglobals.h"
#include "platform/archive.h"
#include "platform/messages.h"
#include "results/ui/secframe.h"
#include "results/ui/vibrezdialog.h"
#include "results/vibrezdlg.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <vector>

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

// The process's working folder for a scope: the program opens and saves the
// example by the relative name it was given, so that name must reach the
// temporary copy for as long as the program runs, whatever folder the test
// was started from.
struct WorkingFolder {
    explicit WorkingFolder(const fs::path& folder) { fs::current_path(folder); }
    ~WorkingFolder() { fs::current_path(start); }
    const fs::path start = fs::current_path();
};

// One example as the README's first command opens it: the program started
// on a fresh profile (no catalog chosen yet) in a temporary copy of the
// example beside its catalog, so that nothing the program might write
// reaches the repository, with examples/<name>.ktf on its command line.
// Closing it must show no message: a question there would be answered Yes
// and save the task.
struct OpenedExample {
    explicit OpenedExample(const ExampleTask& task)
        : root(dir.path().toStdString()), working(CopyExample(root, task))
    {
        app->m_strProfilePath = (root / "kestrin.ini").string();
        std::ofstream(app->m_strProfilePath) << "";
        started = app->InitInstance({"examples/" + std::string(task.file)}, *host);
        if (!started)
            return;
        window = host->Window();
        window->resize(1100, 560);
        window->show();
        started = QTest::qWaitForWindowExposed(window);
    }
    ~OpenedExample()
    {
        const std::size_t before = messages.messages().size();
        if (window)
            window->close();
        app->ExitInstance();
        host.reset();
        app.reset();
        if (messages.messages().size() != before)
            QFAIL(qPrintable("unexpected message on closing: " +
                             QString::fromStdString(messages.messages()[before].text)));
    }
    static fs::path CopyExample(const fs::path& root, const ExampleTask& task)
    {
        fs::create_directories(root / "examples");
        for (const char* name : {kExampleCatalog, task.file})
            fs::copy(fs::path(KESTRIN_EXAMPLES_DIR) / name, root / "examples" / name);
        return root;
    }

    QTemporaryDir dir;
    fs::path root;
    WorkingFolder working;
    ScriptedMessages messages;
    std::unique_ptr<CKestrinApp> app = std::make_unique<CKestrinApp>();
    std::unique_ptr<QtAppHost> host = std::make_unique<QtAppHost>();
    bool started = false;
    MainWindow* window = nullptr;
};

// The bytes of every file of the examples' folder.
std::map<std::string, std::vector<char>> ExampleFolderBytes()
{
    std::map<std::string, std::vector<char>> files;
    for (const auto& entry : fs::directory_iterator(KESTRIN_EXAMPLES_DIR)) {
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path().filename().string()].assign(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

// Each element of the chain as the task file holds it.
std::vector<std::vector<std::uint8_t>> ElementRecords(const CKestrinDoc& doc)
{
    std::vector<std::vector<std::uint8_t>> records;
    for (const auto& e : doc.elements) {
        ArchiveWriter ar;
        e->Store(ar);
        records.push_back(ar.take());
    }
    return records;
}

// Where two records of element e differ: in its head (name, counts, wire
// maps) or in its data object, at which byte, with the bytes from there.
QString RecordDifference(const CElement& e, const std::vector<std::uint8_t>& was,
                         const std::vector<std::uint8_t>& now)
{
    CElement head(e);
    head.data.reset();
    ArchiveWriter ar;
    head.Store(ar);
    const std::size_t headSize = ar.size();
    const auto [a, b] = std::mismatch(was.begin(), was.end(), now.begin(), now.end());
    const std::size_t at = std::size_t(a - was.begin());
    auto hex = [](auto from, auto to) {
        QStringList bytes;
        for (auto p = from; p != to && bytes.size() < 16; ++p)
            bytes << QString("%1").arg(int(*p), 2, 16, QChar('0'));
        return bytes.join(' ');
    };
    return QString("%1 byte %2 (of %3 bytes, now %4): was %5, now %6")
        .arg(at < headSize ? "head" : "data")
        .arg(at < headSize ? at : at - headSize)
        .arg(was.size())
        .arg(now.size())
        .arg(hex(a, was.end()), hex(b, now.end()));
}

// The overhead line's wires entered again as the page shows them: each
// picked in the list, then "Ввести".
void EnterEachWireAsShown(VLPage2Widget* page)
{
    QTreeWidget* list = page->List();
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        QTreeWidgetItem* item = list->topLevelItem(r);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
        QTRY_VERIFY(page->WireGroup()->title().startsWith(QString::fromUtf8("Провод N %1 ").arg(r + 1)));
        QTest::mouseClick(page->EnterButton(), Qt::LeftButton);
    }
}

// An element's dialog accepted as it opens: each page of a sheet visited
// by its tab (the wires of an overhead line entered on theirs), a picture
// of each page, then OK.
void AcceptAsShown(QDialog* d, const QString& name)
{
    if (auto* sheet = qobject_cast<PropertySheetDialog*>(d)) {
        QTabBar* tabs = sheet->Tabs()->tabBar();
        for (int i = 0; i < tabs->count(); ++i) {
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
            QTRY_COMPARE(sheet->Tabs()->currentIndex(), i);
            auto* line = qobject_cast<VLineSheetDialog*>(d);
            if (line && sheet->Tabs()->currentWidget() == line->Page2())
                EnterEachWireAsShown(line->Page2());
            Shot(d, name + QString("_page%1.png").arg(i + 1));
        }
    } else {
        Shot(d, name + ".png");
    }
    QPushButton* ok = nullptr;
    for (QPushButton* b : d->findChildren<QPushButton*>())
        if (b->isVisible() && b->text() == "OK")
            ok = b;
    QVERIFY(ok);
    const QPointer<QDialog> dialog(d);
    QTest::mouseClick(ok, Qt::LeftButton);
    QTRY_VERIFY(!dialog || !dialog->isVisible());
}

} // namespace

class ExamplesQtTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        InstallQtServices();
        m_examples = ExampleFolderBytes();
    }
    // Whatever the program saved went to the temporary copies.
    void cleanupTestCase() { QVERIFY(ExampleFolderBytes() == m_examples); }
    void readmeCommandShowsEachExampleWithItsCatalogAndResults();
    void everyElementComesBackUnchangedFromItsDialog();

private:
    std::map<std::string, std::vector<char>> m_examples;
};

void ExamplesQtTest::readmeCommandShowsEachExampleWithItsCatalogAndResults()
{
    for (const ExampleTask& task : kExampleTasks) {
        OpenedExample example(task);
        QVERIFY(example.started);
        MainWindow* w = example.window;
        const ScriptedMessages& msgs = example.messages;
        QVERIFY2(msgs.messages().empty(), msgs.messages().empty() ? "" : msgs.messages()[0].text.c_str());
        QCOMPARE(g_bBaseLoaded, 1);
        QCOMPARE(fs::path(g_strBasePath), example.root / "examples" / kExampleCatalog);
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
    }
}

// Each element of each example through "Параметры" in editing mode, its
// dialog accepted as the user finds it: every page of a sheet looked at,
// every wire of an overhead line picked in the list and entered again as
// shown, then OK.  What the dialogs show of an example is what it holds, so
// the elements come back byte for byte, the later ones too (the command
// replays the chain after a write-back).  A tap of all wires has no dialog,
// only its message.
void ExamplesQtTest::everyElementComesBackUnchangedFromItsDialog()
{
    for (const ExampleTask& task : kExampleTasks) {
        OpenedExample example(task);
        QVERIFY(example.started);
        MainWindow* w = example.window;
        ScriptedMessages& msgs = example.messages;
        w->Dispatch(ID_TASK_EDIT);
        QVERIFY(g_pMainFrame->m_bEditing);
        CKestrinDoc& doc = *g_pDoc;
        CMainFrame& frame = *g_pMainFrame;
        const std::vector<std::vector<std::uint8_t>> stored = ElementRecords(doc);
        const std::string stem = fs::path(task.file).stem().string();

        QString shotName;
        int answered = 0;
        auto dialogs = EachTimeShown<QDialog>([&](QDialog* d) {
            AcceptAsShown(d, shotName);
            ++answered;
        });
        for (std::size_t i = 0; i < doc.elements.size(); ++i) {
            if (!ElemParamsAvailable(doc, int(i)))
                continue;
            CElement& e = *doc.elements[i];
            const QString what = QString::fromStdString(stem) + QString(": element %1 of type %2 (%3)")
                                     .arg(i + 1).arg(int(e.type)).arg(QString::fromStdString(e.name));
            shotName = QString::fromStdString(stem) + QString("_element%1").arg(i + 1);
            frame.m_nSelected = frame.SelectElement(&e);
            frame.m_Template = e;
            answered = 0;
            msgs.clear();
            // What the element menu's "Параметры" runs.
            w->ViewWidget()->View().OnElemCommand(ID_ELEM_PARAMS);
            if (QTest::currentTestFailed())
                return;
            const bool onlyMessage = answered == 0 && msgs.messages().size() == 1 &&
                                     msgs.messages()[0].icon == MsgIcon::Information;
            QVERIFY2(answered == 1 || onlyMessage, qPrintable(what + ": no dialog"));
            if (answered == 1 && !msgs.messages().empty())
                QFAIL(qPrintable(what + ": " + QString::fromStdString(msgs.messages()[0].text)));
            const std::vector<std::vector<std::uint8_t>> now = ElementRecords(doc);
            QCOMPARE(now.size(), stored.size());
            for (std::size_t k = 0; k < now.size(); ++k)
                if (now[k] != stored[k])
                    QFAIL(qPrintable(what + QString(" changed element %1: ").arg(k + 1) +
                                     RecordDifference(*doc.elements[k], stored[k], now[k])));
        }
        // Editing left as the user leaves it without saving, so closing asks nothing.
        msgs.clear();
        w->Dispatch(ID_CANCEL_EDIT);
        QVERIFY(!g_pMainFrame->m_bEditing);
        QVERIFY(msgs.messages().empty());
    }
}

QTEST_MAIN(ExamplesQtTest)
#include "examples_qt_test.moc"

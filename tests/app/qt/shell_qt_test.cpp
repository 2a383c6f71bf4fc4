// The program's main window offscreen: start-up with a profile, the catalog
// in the title, the start-up message of a missing catalog, the editing mode
// and its screenshot.
#include "app/commandids.h"
#include "app/currentbase.h"
#include "app/docfile.h"
#include "app/kestrinapp.h"
#include "app/mainframe.h"
#include "app/ui/mainwindow.h"
#include "app/ui/qtapphost.h"
#include "app/ui/qtmessagesink.h"
#include "dialogs/zadachadlg.h"
#include "model/base.h"
#include "model/document.h"
#include "model/modelglobals.h"
#include "platform/messages.h"
#include "dialogs/qt/useractions.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QUrl>

#include <fstream>
#include <memory>

using namespace cmd;

namespace {

void WriteText(const QString& path, const std::string& text)
{
    std::ofstream out(path.toStdString(), std::ios::binary);
    out << text;
}

// One run of the program inside the test: the application object, the Qt
// host with its main window, a temporary profile.
struct Session {
    explicit Session(const std::string& profileText, const QTemporaryDir& dir)
    {
        profile = dir.filePath("kestrin.ini");
        WriteText(profile, profileText);
        app = std::make_unique<CKestrinApp>();
        app->m_strProfilePath = profile.toStdString();
        host = std::make_unique<QtAppHost>();
        started = app->InitInstance({}, *host);
    }
    ~Session()
    {
        if (host && host->Window())
            host->Window()->close();
        app->ExitInstance();
        host.reset();
        app.reset();
    }
    MainWindow* Window() const { return host->Window(); }

    QString profile;
    std::unique_ptr<CKestrinApp> app;
    std::unique_ptr<QtAppHost> host;
    bool started = false;
};

std::string CatalogFile(const QTemporaryDir& dir, const char* name)
{
    CBase base;
    auto wire = std::make_unique<CProvod>();
    wire->name = "АС-70";
    wire->radius = 0.0057;
    base.phaseWires.push_back(std::move(wire));
    std::string path = dir.filePath(name).toStdString();
    std::string error;
    if (!SaveBaseFile(path, base, error))
        qFatal("cannot write the test catalog: %s", error.c_str());
    return path;
}

// Writes a task of a coupling device and an end load.
void WriteTask(const QString& path, const std::string& title)
{
    CKestrinDoc doc;
    doc.title = title;
    doc.conductorCount = 3;
    for (int type : {int(kCouplingDevice), int(kEndLoad)}) {
        auto e = std::make_unique<CElement>();
        e->SetType(type);
        e->cellX = int(doc.elements.size()) + 1;
        e->cellY = 3;
        e->entered = 1;
        doc.AppendElement(std::move(e));
    }
    ModelGlobalsGuard keep;
    std::string error;
    if (!doc.SaveTaskFile(path.toStdString(), error))
        qFatal("cannot write the test task: %s", error.c_str());
}

// The base-data dialog of a new task answered with OK on its defaults and a title.
ScopedModalRunner<CZadachaDlg> AcceptBaseData()
{
    return ScopedModalRunner<CZadachaDlg>([](CZadachaDlg& d) {
        d.OnInitDialog();
        d.m_strTitleEdit = "Новый тракт";
        return d.OnOK() ? IDOK : IDCANCEL;
    });
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithTheRecentCatalogInTheTitle();
    void missingCatalogIsReportedAndNoneIsLoaded();
    void editingModeShowsTheElementBar();
    void droppedTaskFileOpens();
    void closingWhileEditingAsks();
    void messageBoxesAnswerInRussian();
};

void ShellTest::startsWithTheRecentCatalogInTheTitle()
{
    QTemporaryDir dir;
    std::string base = CatalogFile(dir, "main.v2.kdb");
    ScriptedMessages msgs;
    Session s("[Base File List]\nFile1=" + base + "\n", dir);
    QVERIFY(s.started);
    QVERIFY(msgs.messages().empty());
    QCOMPARE(g_bBaseLoaded, 1);
    QCOMPARE(g_CurBase.phaseWires.size(), std::size_t(1));
    QCOMPARE(s.Window()->windowTitle(),
             QString::fromUtf8("Morvel - Задача безымянная. База: main"));
    QVERIFY(s.Window()->isVisible());
    QVERIFY(!s.Window()->ElementBar()->isVisible());
    QVERIFY(s.Window()->Action(ID_TASK_EDIT)->isEnabled());
    QVERIFY(s.Window()->Action(ID_BASE_EDIT)->isEnabled());
}

void ShellTest::missingCatalogIsReportedAndNoneIsLoaded()
{
    QTemporaryDir dir;
    ScriptedMessages msgs;
    g_CurBase.RemoveAll();
    Session s("[Base File List]\nFile1=" + dir.filePath("gone.kdb").toStdString() + "\n", dir);
    QVERIFY(s.started);
    QCOMPARE(msgs.messages().size(), std::size_t(1));
    QCOMPARE(msgs.messages()[0].text, std::string("Файл gone.kdb не найден\nБаза не загружена!"));
    QCOMPARE(msgs.messages()[0].caption, std::string("Ошибка открытия файла"));
    QVERIFY(msgs.messages()[0].icon == MsgIcon::Exclamation);
    QCOMPARE(g_bBaseLoaded, 0);
    QVERIFY(!s.Window()->windowTitle().contains(QString::fromUtf8("База")));
    // Editing needs a catalog.
    QVERIFY(!s.Window()->Action(ID_TASK_EDIT)->isEnabled());
    // The first later pick of a recent catalog runs with the rules of a
    // running program: a missing file is created empty instead of refused.
    QCOMPARE(s.app->m_bStarting, 0);
}

void ShellTest::editingModeShowsTheElementBar()
{
    QTemporaryDir dir;
    std::string base = CatalogFile(dir, "main.kdb");
    ScriptedMessages msgs;
    Session s("[Base File List]\nFile1=" + base + "\n", dir);
    QVERIFY(s.started);
    MainWindow* w = s.Window();
    auto baseData = AcceptBaseData();
    w->Dispatch(ID_TASK_EDIT);
    QVERIFY(g_pMainFrame->m_bEditing);
    QVERIFY(w->ElementBar()->isVisible());
    QVERIFY(!w->Action(ID_FILE_NEW)->isEnabled());
    QVERIFY(w->Action(ID_FINISH_EDIT)->isEnabled());
    QVERIFY(w->Action(ID_TOGGLE_WARNINGS)->isChecked());
    // Of the element commands an empty task offers the first elements only.
    for (int id : {ID_ELEM_END_LOAD, ID_ELEM_COUPLING, ID_ELEM_VLINE, ID_ELEM_KLINE, ID_ELEM_TRANSP, ID_ELEM_SHUNT,
                   ID_ELEM_SERIES_Z, ID_ELEM_TAP_LOAD, ID_ELEM_BYPASS, ID_ELEM_TAP, ID_ELEM_DOUBLING,
                   ID_ELEM_WIRE_CHANGE, ID_ELEM_CIRCUIT_END, ID_ELEM_BRANCH_START, ID_ELEM_BRANCH_END})
        QCOMPARE(w->Action(id)->isEnabled(), id == ID_ELEM_END_LOAD || id == ID_ELEM_COUPLING);

    QApplication::processEvents();
    QDir().mkpath(KESTRIN_SCREENSHOT_DIR);
    const QString shot = QString(KESTRIN_SCREENSHOT_DIR) + "/main_window_editing.png";
    QVERIFY(w->grab().save(shot));

    // The coupling device goes in at once as the first element.
    w->Dispatch(ID_ELEM_COUPLING);
    QCOMPARE(g_pDoc->elements.size(), std::size_t(1));
    QCOMPARE(int(g_pDoc->elements[0]->type), int(kCouplingDevice));
    // The next elements are placed with the mouse on the scheme.
    QVERIFY(w->Action(ID_ELEM_VLINE)->isEnabled());
    QVERIFY(!w->Action(ID_ELEM_COUPLING)->isChecked());

    w->Dispatch(ID_CANCEL_EDIT);
    QVERIFY(!g_pMainFrame->m_bEditing);
    QVERIFY(!w->ElementBar()->isVisible());
    QVERIFY(g_pDoc->elements.empty());
}

void ShellTest::droppedTaskFileOpens()
{
    QTemporaryDir dir;
    std::string base = CatalogFile(dir, "main.kdb");
    WriteTask(dir.filePath("dropped.ktf"), "Перенесенная");
    ScriptedMessages msgs;
    Session s("[Base File List]\nFile1=" + base + "\n", dir);
    QVERIFY(s.started);
    MainWindow* w = s.Window();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(dir.filePath("dropped.ktf"))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &drop);
    QCOMPARE(g_pDoc->elements.size(), std::size_t(2));
    QCOMPARE(g_pDoc->title, std::string("Перенесенная"));
    QCOMPARE(w->windowTitle(), QString::fromUtf8("Morvel - Задача: dropped. База: main"));
    QVERIFY(w->Action(ID_FILE_SAVE)->isEnabled());
    QVERIFY(msgs.messages().empty());

    // While editing a dropped file is refused silently, like the menu's open.
    WriteTask(dir.filePath("second.ktf"), "Вторая");
    w->Dispatch(ID_TASK_EDIT);
    QVERIFY(g_pMainFrame->m_bEditing);
    mime.setUrls({QUrl::fromLocalFile(dir.filePath("second.ktf"))});
    QDropEvent again(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &again);
    QCOMPARE(g_pDoc->title, std::string("Перенесенная"));
    QVERIFY(msgs.messages().empty());
    w->Dispatch(ID_CANCEL_EDIT);
}

void ShellTest::closingWhileEditingAsks()
{
    QTemporaryDir dir;
    std::string base = CatalogFile(dir, "main.kdb");
    ScriptedMessages msgs;
    Session s("[Base File List]\nFile1=" + base + "\n", dir);
    MainWindow* w = s.Window();
    auto baseData = AcceptBaseData();
    w->Dispatch(ID_TASK_EDIT);
    QVERIFY(g_pMainFrame->m_bEditing);

    // Forming an empty task: discard or stay.  "No" stays.
    msgs.queue(MsgAnswer::No);
    w->close();
    QVERIFY(w->isVisible());
    QCOMPARE(msgs.messages().size(), std::size_t(1));
    QVERIFY(msgs.messages()[0].buttons == MsgButtons::YesNo);
    QVERIFY(msgs.messages()[0].text.find("Редактирование тракта не завершено.") == 0);
    QVERIFY(g_pMainFrame->m_bEditing);

    msgs.queue(MsgAnswer::Yes);
    w->close();
    QVERIFY(!w->isVisible());
    QVERIFY(!g_pMainFrame->m_bEditing);
}

void ShellTest::messageBoxesAnswerInRussian()
{
    QtMessageSink sink;
    // Each box answered with its button of the given text, its buttons' texts noted.
    QStringList texts;
    auto answer = [&texts](const char* button) {
        return WhenShown<QMessageBox>([&texts, button](QMessageBox* box) {
            texts.clear();
            QAbstractButton* chosen = nullptr;
            for (QAbstractButton* b : box->buttons()) {
                texts << b->text();
                if (b->text() == QString::fromUtf8(button))
                    chosen = b;
            }
            QVERIFY2(chosen, button);
            QTest::mouseClick(chosen, Qt::LeftButton);
        });
    };
    {
        auto no = answer("Нет");
        QVERIFY(sink.show("Вопрос?", "Kestrin", MsgIcon::Question, MsgButtons::YesNoCancel) == MsgAnswer::No);
        QVERIFY(*no);
    }
    texts.sort();
    QCOMPARE(texts, QStringList({QString::fromUtf8("Да"), QString::fromUtf8("Нет"), QString::fromUtf8("Отмена")}));
    auto ok = answer("OK");
    QVERIFY(sink.show("Сообщение", "Kestrin", MsgIcon::Exclamation, MsgButtons::Ok) == MsgAnswer::Ok);
    QVERIFY(*ok);
    QCOMPARE(texts, QStringList({"OK"}));
}

QTEST_MAIN(ShellTest)
#include "shell_qt_test.moc"

// The program's main window offscreen: start-up with a profile, the catalog
// in the title, the start-up message of a missing catalog, the editing mode
// and its screenshot.
#include "../calcfixture.h"
#include "app/commandids.h"
#include "app/currentbase.h"
#include "app/docfile.h"
#include "app/kestrinapp.h"
#include "app/mainframe.h"
#include "app/ui/mainwindow.h"
#include "app/ui/qtapphost.h"
#include "app/ui/qtmessagesink.h"
#include "app/ui/schemeview.h"
#include "dialogs/zadachadlg.h"
#include "model/base.h"
#include "model/document.h"
#include "model/modelglobals.h"
#include "platform/filedialog.h"
#include "platform/messages.h"
#include "dialogs/qt/useractions.h"
#include "results/comparebuffer.h"
#include "results/ui/bufframe.h"
#include "results/ui/bufview.h"
#include "results/ui/secframe.h"
#include "results/vibrezbufdlg.h"
#include "dialogs/ui/taskdialogs.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
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

#include <csignal>
#include <cstdio>
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

// A run of the program whose recent catalog is "main.kdb" in a fresh
// folder, its messages scripted.
struct CatalogSession {
    QTemporaryDir dir;
    std::string base = CatalogFile(dir, "main.kdb");
    ScriptedMessages msgs;
    Session s{"[Base File List]\nFile1=" + base + "\n", dir};
    MainWindow* Window() const { return s.Window(); }
};

// Writes a task of a coupling device and an end load, made with the
// catalog basePath when one is given.
void WriteTask(const QString& path, const std::string& title, const std::string& basePath = {})
{
    CKestrinDoc doc;
    doc.title = title;
    doc.basePath = basePath;
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

// A task file named by the bytes FF FE, which are not UTF-8 (Qt text shows
// them as "��"); it goes with this object, as QTemporaryDir, working in Qt
// text, cannot remove it.
struct ByteNamedTask {
    ByteNamedTask(const QTemporaryDir& dir, const std::string& title, const std::string& basePath = {})
        : path(dir.path().toStdString() + "/\xff\xfe.ktf")
    {
        WriteTask(dir.filePath("own.ktf"), title, basePath);
        if (std::rename(dir.filePath("own.ktf").toStdString().c_str(), path.c_str()) != 0)
            qFatal("cannot name the test task by bytes");
    }
    ~ByteNamedTask() { std::remove(path.c_str()); }
    const std::string path;
};

// The base-data dialog of a new task answered with OK on its defaults and a title.
ScopedModalRunner<CZadachaDlg> AcceptBaseData()
{
    return ScopedModalRunner<CZadachaDlg>([](CZadachaDlg& d) {
        d.OnInitDialog();
        d.m_strTitleEdit = "Новый тракт";
        return d.OnOK() ? IDOK : IDCANCEL;
    });
}

// Answers every file dialog with the path that chosen holds at that moment.
ScopedModalRunner<FileDialog> AnswerFiles(const QString& chosen)
{
    return ScopedModalRunner<FileDialog>([&chosen](FileDialog& d) {
        d.m_strPathName = chosen.toStdString();
        return IDOK;
    });
}

// A picture of a dialog drawn over the window it belongs to.
void ShotOver(QWidget* window, QWidget* dialog, const char* name)
{
    QApplication::processEvents();
    QPixmap picture = window->grab();
    QPainter p(&picture);
    p.drawPixmap(dialog->mapToGlobal(QPoint(0, 0)) - window->mapToGlobal(QPoint(0, 0)), dialog->grab());
    p.end();
    QDir().mkpath(KESTRIN_SCREENSHOT_DIR);
    QVERIFY(picture.save(QString(KESTRIN_SCREENSHOT_DIR) + "/" + name));
}

// A result of the task over n frequencies, as a calculation leaves it.
std::unique_ptr<CRezGra> RangeResult(int n)
{
    auto r = std::make_unique<CRezGra>();
    r->name = "09.12.26 10:00";
    r->startFreq = 50000.0;
    r->endFreq = 50000.0 + 10000.0 * (n - 1);
    r->txWire1 = 0;
    r->rxWire1 = 0;
    for (int i = 0; i < n; ++i) {
        CRezGraPoint p;
        p.freq = r->startFreq + 10000.0 * i;
        p.transfer = CComplex(10.0 + i, -0.1 * i);
        p.zLeft = CComplex(300.0, 10.0);
        p.zRight = CComplex(280.0, -5.0);
        r->points.push_back(p);
    }
    return r;
}

std::string ReadText(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
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
    // The shell as a user drives it.
    void exitEndsTheProgramWithResultAndBufferWindowsOpen();
    void titleNamesTheOpenTaskInEveryViewMode();
    void schemeHeadingRepaintedAfterTheFirstSave();
    void catalogNamedWithoutExtensionIsCreatedAfterTheQuestion();
    void fileDialogNameWithUnreadableBytesIsRefused();
    void openComparisonWindowShowsATaskPutInAfterItOpened();
    void previewPageChoiceIsKept();
    void dialogsOpenOverTheirWindow();
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
    // A drop as the window receives it: the drag enters, then the data is dropped.
    auto dropOn = [w](const QUrl& url) {
        QMimeData mime;
        mime.setUrls({url});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &drop);
    };
    // "file://localhost/..." names a file of this machine, as file managers write it.
    dropOn(QUrl("file://localhost" + QUrl::fromLocalFile(dir.filePath("dropped.ktf")).path(QUrl::FullyEncoded)));
    QCOMPARE(g_pDoc->elements.size(), std::size_t(2));
    QCOMPARE(g_pDoc->title, std::string("Перенесенная"));
    QCOMPARE(w->windowTitle(), QString::fromUtf8("Morvel - Задача: dropped. База: main"));
    QVERIFY(w->Action(ID_FILE_SAVE)->isEnabled());
    QVERIFY(msgs.messages().empty());

    // A name that is not UTF-8 comes in the URL as its bytes ("%FF%FE") and
    // opens that file, not the one its text names ("��.ktf"); a name holding
    // U+FFFD stands for bytes lost before the drop and is refused.
    const ByteNamedTask own(dir, "Своя");
    const QString lost = dir.filePath(QString::fromUtf8("\uFFFD\uFFFD.ktf"));
    WriteTask(lost, "Чужая");
    for (const QUrl& url : {QUrl::fromEncoded(QUrl::fromLocalFile(dir.path()).toEncoded() + "/%FF%FE.ktf"),
                            QUrl::fromLocalFile(lost)}) {
        dropOn(url);
        QCOMPARE(g_pDoc->title, std::string("Своя"));
    }
    QCOMPARE(g_DocFile.pathName, own.path);
    QCOMPARE(msgs.messages().size(), std::size_t(1));
    QVERIFY(msgs.messages()[0].text.starts_with("Невозможно открыть файл " + lost.toStdString() + ".\n"));

    // While editing a dropped file is refused silently, like the menu's open.
    WriteTask(dir.filePath("second.ktf"), "Вторая");
    w->Dispatch(ID_TASK_EDIT);
    QVERIFY(g_pMainFrame->m_bEditing);
    for (const QString& name : {dir.filePath("second.ktf"), lost})
        dropOn(QUrl::fromLocalFile(name));
    QCOMPARE(g_pDoc->title, std::string("Своя"));
    QCOMPARE(msgs.messages().size(), std::size_t(1));
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
    // Each box answered with its button of the given text, its buttons' texts
    // and the text of its default button (what Enter answers) noted.
    QStringList texts;
    QString byEnter;
    auto answer = [&texts, &byEnter](const char* button) {
        return WhenShown<QMessageBox>([&texts, &byEnter, button](QMessageBox* box) {
            texts.clear();
            byEnter = box->defaultButton() ? box->defaultButton()->text() : QString();
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
        QVERIFY(sink.show("Вопрос?", "Kestrin", MsgIcon::Question, MsgButtons::YesNoCancel, kFirstButton) ==
                MsgAnswer::No);
        QVERIFY(*no);
    }
    texts.sort();
    QCOMPARE(texts, QStringList({QString::fromUtf8("Да"), QString::fromUtf8("Нет"), QString::fromUtf8("Отмена")}));
    QCOMPARE(byEnter, QString::fromUtf8("Да"));
    {
        auto yes = answer("Да");
        QVERIFY(sink.show("Заменить?", "Kestrin", MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::No) ==
                MsgAnswer::Yes);
        QVERIFY(*yes);
    }
    QCOMPARE(byEnter, QString::fromUtf8("Нет"));
    auto ok = answer("OK");
    QVERIFY(sink.show("Сообщение", "Kestrin", MsgIcon::Exclamation, MsgButtons::Ok, kFirstButton) == MsgAnswer::Ok);
    QVERIFY(*ok);
    QCOMPARE(texts, QStringList({"OK"}));
}

void ShellTest::exitEndsTheProgramWithResultAndBufferWindowsOpen()
{
    InstallQtServices();
    // "Выход" in the menu, then SIGTERM as a session logout sends it and
    // SIGHUP as closing the terminal the program was started from does.
    for (int bySignal : {0, SIGTERM, SIGHUP}) {
        CatalogSession c;
        Session& s = c.s;
        MainWindow* w = c.Window();
        s.host->WatchTermination();
        w->CreateResultsFrame();
        w->CreateBufferFrame(0, 0);
        QVERIFY(g_pResFrame && g_pBufFrame);

        QTimer::singleShot(0, w, [w, bySignal] {
            if (bySignal)
                std::raise(bySignal);
            else
                w->Dispatch(ID_APP_EXIT);
        });
        // A program that does not end is ended here, and the test fails.
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        guard.start(10000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!g_pResFrame && !g_pBufFrame);
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY2(!top->isVisible(), qPrintable(top->objectName()));

        // The program's last step after its event loop: the settings written.
        s.app->ExitInstance();
        const std::string profile = ReadText(s.profile);
        QVERIFY(profile.find("Line20=") != std::string::npos);
        QVERIFY(profile.find("File1=" + c.base) != std::string::npos);
        QVERIFY(c.msgs.messages().empty());
    }
}

void ShellTest::titleNamesTheOpenTaskInEveryViewMode()
{
    CatalogSession c;
    MainWindow* w = c.Window();
    const QTemporaryDir& dir = c.dir;
    WriteTask(dir.filePath("first.ktf"), "Первая", c.base);
    WriteTask(dir.filePath("sample.ktf"), "Образец", c.base);
    QString chosen;
    auto files = AnswerFiles(chosen);
    const QString untitled = QString::fromUtf8("Morvel - Задача безымянная. База: main");
    const QString sample = QString::fromUtf8("Morvel - Задача: sample. База: main");
    for (auto [command, mode] : {std::pair{ID_VIEW_TEXT, 1}, std::pair{ID_VIEW_TASK_BASE, 2},
                                 std::pair{ID_VIEW_CURRENT_BASE, 3}, std::pair{ID_VIEW_SCHEME, 0}}) {
        chosen = dir.filePath("first.ktf");
        w->Dispatch(ID_FILE_OPEN);
        w->Dispatch(command);
        QCOMPARE(g_pMainFrame->m_nViewMode, mode);
        w->Dispatch(ID_FILE_NEW);
        QCOMPARE(w->windowTitle(), untitled);
        chosen = dir.filePath("sample.ktf");
        w->Dispatch(ID_FILE_OPEN);
        QCOMPARE(w->windowTitle(), sample);
        w->Dispatch(ID_VIEW_SCHEME);
        QCOMPARE(w->windowTitle(), sample);
    }
    QVERIFY(c.msgs.messages().empty());
}

void ShellTest::schemeHeadingRepaintedAfterTheFirstSave()
{
    CatalogSession c;
    const QTemporaryDir& dir = c.dir;
    Session& s = c.s;
    MainWindow* w = c.Window();
    calcfixture::BuildChannel(*s.app->Document());
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QWidget* scheme = w->ViewWidget()->viewport();
    scheme->repaint();

    // The scheme's own heading names the task: a save under a new name
    // paints it again.
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } counter;
    scheme->installEventFilter(&counter);
    QString chosen = dir.filePath("named.ktf");
    auto files = AnswerFiles(chosen);
    w->UpdateCommandUi();
    QVERIFY(w->Action(ID_FILE_SAVE_AS)->isEnabled());
    w->Dispatch(ID_FILE_SAVE_AS);
    QCOMPARE(w->windowTitle(), QString::fromUtf8("Morvel - Задача: named. База: main"));
    QTRY_VERIFY(counter.paints > 0);
    scheme->removeEventFilter(&counter);
}

void ShellTest::catalogNamedWithoutExtensionIsCreatedAfterTheQuestion()
{
    InstallQtTranslation();
    InstallQtServices();
    CatalogSession c;
    const QTemporaryDir& dir = c.dir;
    ScriptedMessages& msgs = c.msgs;
    MainWindow* w = c.Window();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));

    // "mycat" typed twice: No to the question returns to the dialog, Yes
    // creates the catalog.
    msgs.queue(MsgAnswer::No);
    msgs.queue(MsgAnswer::Yes);
    int typed = 0;
    QString openText;
    auto answer = EachTimeShown<QFileDialog>([&](QFileDialog* d) {
        if (typed++ == 0) {
            openText = d->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Open)->text();
            ShotOver(w, d, "catalog_file_dialog_ru.png");
        }
        ChooseFile(d, dir.filePath("mycat"));
    });
    w->Dispatch(ID_BASE_SELECT);

    QCOMPARE(typed, 2);
    QVERIFY2(openText.contains(QString::fromUtf8("Открыть")), qPrintable(openText));
    const std::string created = dir.filePath("mycat.kdb").toStdString();
    QCOMPARE(msgs.messages().size(), std::size_t(2));
    QCOMPARE(msgs.messages()[0].text, "Файл " + created + " не существует.\nСоздать его?");
    QCOMPARE(msgs.messages()[0].caption, std::string("Выбор базы данных"));
    QVERIFY(msgs.messages()[0].buttons == MsgButtons::YesNo);
    QVERIFY(QFile::exists(QString::fromStdString(created)));
    QVERIFY(!QFile::exists(dir.filePath("mycat")));
    QCOMPARE(g_strBasePath, created);
    QCOMPARE(w->windowTitle(), QString::fromUtf8("Morvel - Задача безымянная. База: mycat"));
}

// The file dialog gives names as text, with U+FFFD for bytes it could not
// read: such a name is refused and the dialog comes back; neither the file
// its text names nor any other is opened or written.
void ShellTest::fileDialogNameWithUnreadableBytesIsRefused()
{
    InstallQtTranslation();
    InstallQtServices();
    CatalogSession c;
    MainWindow* w = c.Window();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const ByteNamedTask own(c.dir, "Своя", c.base);
    QVERIFY(c.s.app->OpenDocumentFile(own.path));
    const QString lost = c.dir.filePath(QString::fromUtf8("\uFFFD\uFFFD.ktf"));
    WriteTask(lost, "Чужая", c.base);
    const std::string others = ReadText(lost);

    // Save As proposes no name for the task named by bytes (its text would
    // be the other file's name), and the other, existing file is refused
    // before Qt would ask whether to replace it.
    int replaceQuestions = 0;
    auto noQuestion = EachTimeShown<QMessageBox>([&](QMessageBox* box) {
        ++replaceQuestions;
        box->reject();
    });
    for (auto [command, verb] : {std::pair{ID_FILE_OPEN, "открыть"}, std::pair{ID_FILE_SAVE_AS, "сохранить"}}) {
        int shown = 0;
        auto answer = EachTimeShown<QFileDialog>([&](QFileDialog* d) {
            if (command == ID_FILE_SAVE_AS && shown == 0)
                QCOMPARE(d->findChild<QLineEdit*>("fileNameEdit")->text(), QString());
            if (shown++ == 0)
                ChooseFile(d, lost);
            else
                d->reject();
        });
        c.msgs.clear();
        w->Dispatch(command);
        QCOMPARE(shown, 2);
        QCOMPARE(c.msgs.messages().size(), std::size_t(1));
        QVERIFY(c.msgs.messages()[0].text.starts_with(std::string("Невозможно ") + verb + " файл " +
                                                      lost.toStdString() + ".\n"));
        QCOMPARE(g_pDoc->title, std::string("Своя"));
        QCOMPARE(g_DocFile.pathName, own.path);
    }
    QCOMPARE(replaceQuestions, 0);
    QCOMPARE(ReadText(lost), others);
}

void ShellTest::openComparisonWindowShowsATaskPutInAfterItOpened()
{
    InstallQtServices();
    CatalogSession c;
    const QTemporaryDir& dir = c.dir;
    Session& s = c.s;
    MainWindow* w = c.Window();
    CKestrinDoc& doc = *s.app->Document();
    calcfixture::BuildChannel(doc);
    doc.AddResponseResult(RangeResult(5));

    // Another task is in the buffer and shown in the comparison window.
    CompareBuffer& buffer = g_pMainFrame->compareBuffer;
    buffer.PutTask(doc, dir.filePath("other.ktf").toStdString(), "Другая.ktf");
    buffer.groups[0]->curves[0]->selected = 1;
    ScopedModalRunner<CVibRezBufDlg> choice([](CVibRezBufDlg& d) {
        d.quantity = 0;
        d.selectedCount = 1;
        return IDOK;
    });
    w->Dispatch(ID_VIEW_COMPARE_BUFFER);
    QVERIFY(g_pBufFrame && g_pBufView);
    QCOMPARE(int(g_pBufView->Graph().model.curveCount), 1);

    // The open task put in with the window open joins its curves.
    w->UpdateCommandUi();
    QVERIFY(w->Action(ID_ADD_TO_BUFFER)->isEnabled());
    w->Dispatch(ID_ADD_TO_BUFFER);
    QCOMPARE(buffer.groups.size(), std::size_t(2));
    QCOMPARE(int(g_pBufView->Graph().model.curveCount), 2);
    SetModifiedFlag(false);
}

void ShellTest::previewPageChoiceIsKept()
{
    InstallQtTranslation();
    CatalogSession c;
    Session& s = c.s;
    MainWindow* w = c.Window();
    // Each preview: how it opened (in Russian); then two pages chosen on the
    // toolbar of the first, one page on that of the second.
    std::vector<QPrintPreviewWidget::ViewMode> opened;
    QString caption;
    auto choose = EachTimeShown<QPrintPreviewDialog>([&](QPrintPreviewDialog* d) {
        opened.push_back(d->findChild<QPrintPreviewWidget*>()->viewMode());
        caption = d->windowTitle();
        if (opened.size() == 1)
            QVERIFY(d->grab().save(QString(KESTRIN_SCREENSHOT_DIR) + "/print_preview_ru.png"));
        const QString wanted = QCoreApplication::translate(
            "QPrintPreviewDialog", opened.size() == 1 ? "Show facing pages" : "Show single page");
        for (QAction* a : d->findChildren<QAction*>())
            if (a->text() == wanted)
                a->trigger();
        d->reject();
    });
    w->Dispatch(ID_FILE_PRINT_PREVIEW);
    QCOMPARE(s.app->m_nNumPreviewPages, 2);
    w->Dispatch(ID_FILE_PRINT_PREVIEW);
    QCOMPARE(opened.size(), std::size_t(2));
    QVERIFY2(!caption.contains("Print"), qPrintable(caption));
    QVERIFY(opened[0] == QPrintPreviewWidget::SinglePageView);
    QVERIFY(opened[1] == QPrintPreviewWidget::FacingPagesView);
    QCOMPARE(s.app->m_nNumPreviewPages, 1);
    s.app->ExitInstance();
    QVERIFY(ReadText(s.profile).find("PreviewPages=1") != std::string::npos);
}

void ShellTest::dialogsOpenOverTheirWindow()
{
    InstallQtTranslation();
    InstallQtServices();
    CatalogSession c;
    MainWindow* w = c.Window();
    w->move(120, 80);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    // No window is active, as while a menu closes or the program is in the
    // background.
    QApplication::setActiveWindow(nullptr);
    QWidget* parent = nullptr;
    QRect placed;
    auto look = WhenShown<ZadachaDialog>([&](ZadachaDialog* d) {
        parent = d->parentWidget();
        placed = d->frameGeometry();
        ShotOver(w, d, "dialog_over_main_window.png");
        d->reject();
    });
    w->Dispatch(ID_TASK_EDIT);
    QCOMPARE(parent, static_cast<QWidget*>(w));
    QVERIFY(w->frameGeometry().contains(placed.center()));

    // The results and comparison windows do not cover each other exactly.
    w->CreateResultsFrame();
    w->CreateBufferFrame(0, 0);
    QVERIFY(g_pBufFrame->pos() != g_pResFrame->pos());
    w->DestroyResultWindows();
}

QTEST_MAIN(ShellTest)
#include "shell_qt_test.moc"

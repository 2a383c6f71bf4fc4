// A whole job in the real program offscreen, as an engineer does it: a new
// task from a catalog, a channel of a coupling device, an overhead line and a
// coupling device placed with the toolbar and the mouse, their parameters
// entered through their dialogs (one HF cable made new on the way, which joins
// the catalog), the task saved, the channel calculated over a range and at one
// frequency, the results viewed as tables and as a graph, put into the
// comparison buffer and viewed there, the saved task opened again with its
// results; then the catalog editor, a task opened against a changed catalog,
// a result deleted and an edit given up.
#include "app/commandids.h"
#include "app/currentbase.h"
#include "app/docfile.h"
#include "app/kestrinapp.h"
#include "app/kestrinview.h"
#include "app/mainframe.h"
#include "app/ui/mainwindow.h"
#include "app/ui/qtapphost.h"
#include "app/ui/modraschdialog.h"
#include "app/ui/raschetdialog.h"
#include "app/ui/schemeview.h"
#include "dialogs/ui/numericedit.h"
#include "dialogs/ui/prisoeddialog.h"
#include "dialogs/ui/taskdialogs.h"
#include "dialogs/ui/vlinesheetdialog.h"
#include "dialogs/ui/vlpage1widget.h"
#include "dialogs/ui/vlpage2widget.h"
#include "catalog/ui/baseeditdialog.h"
#include "catalog/ui/catalogtreewidget.h"
#include "catalog/ui/oporadialog.h"
#include "catalog/ui/provrazndialog.h"
#include "catalog/ui/wiredialogs.h"
#include "model/base.h"
#include "model/coupling.h"
#include "model/document.h"
#include "model/lines.h"
#include "model/modelglobals.h"
#include "platform/messages.h"
#include "results/ui/bufframe.h"
#include "results/ui/secframe.h"
#include "results/ui/vibrezbufdialog.h"
#include "results/ui/vibrezdialog.h"
#include "results/vibrezbufdlg.h"
#include "results/vibrezdlg.h"
#include "dialogs/qt/useractions.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <fstream>
#include <functional>
#include <memory>

using namespace cmd;

namespace {

// Chooses a command as its menu item or button does; false while it is disabled.
bool Run(MainWindow* w, int id)
{
    w->UpdateCommandUi();
    QAction* a = w->Action(id);
    if (!a || !a->isEnabled())
        return false;
    a->trigger();
    return true;
}

void Shot(QWidget* w, const char* name)
{
    QApplication::processEvents();
    const QString dir = QString(KESTRIN_SCREENSHOT_DIR) + "/e2e";
    QDir().mkpath(dir);
    QVERIFY(w->grab().save(dir + "/" + name));
}

// The catalog an engineer starts from: a tower, a phase wire, a coupling
// filter and an HF cable.
std::string WriteCatalog(const QTemporaryDir& dir, double towerTop = 20.0)
{
    CBase base;
    auto tower = std::make_unique<COpora>();
    tower->name = "П110";
    tower->count = 3;
    tower->x = {-4.0, 0.0, 4.0};
    tower->y = {18.0, towerTop, 18.0};
    base.towers.push_back(std::move(tower));
    auto wire = std::make_unique<CProvod>();
    wire->name = "АС-150";
    wire->radius = 0.0085;
    wire->twist = 1.0;
    wire->resistivity = 3e-8;
    base.phaseWires.push_back(std::move(wire));
    auto filter = std::make_unique<CFiltr>();
    filter->name = "ФП-3";
    filter->type = 3;
    filter->R = 20;
    filter->ratio = 1.0;
    base.filters[3].push_back(std::move(filter));
    auto cable = std::make_unique<CProvod>();
    cable->name = "РК-75";
    cable->radius = 2e-4;
    cable->twist = 2e8;
    cable->resistivity = 75;
    base.hfCables.push_back(std::move(cable));
    const std::string path = dir.filePath("main.kdb").toStdString();
    std::string error;
    if (!SaveBaseFile(path, base, error))
        qFatal("cannot write the catalog: %s", error.c_str());
    return path;
}

struct Session {
    explicit Session(const QTemporaryDir& dir)
    {
        const std::string base = WriteCatalog(dir);
        const QString profile = dir.filePath("kestrin.ini");
        std::ofstream(profile.toStdString()) << "[Base File List]\nFile1=" << base << "\n";
        app = std::make_unique<CKestrinApp>();
        app->m_strProfilePath = profile.toStdString();
        host = std::make_unique<QtAppHost>();
        started = app->InitInstance({}, *host);
    }
    ~Session()
    {
        SetModifiedFlag(false);
        if (host && host->Window())
            host->Window()->close();
        app->ExitInstance();
        host.reset();
        app.reset();
    }
    MainWindow* Window() const { return host->Window(); }

    std::unique_ptr<CKestrinApp> app;
    std::unique_ptr<QtAppHost> host;
    bool started = false;
};

void Choose(QComboBox* combo, const char* text)
{
    const int index = combo->findText(QString::fromUtf8(text), Qt::MatchStartsWith);
    QVERIFY2(index >= 0, text);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void Press(QWidget* dlg, const char* text)
{
    for (QPushButton* b : dlg->findChildren<QPushButton*>())
        if (b->isVisible() && b->text() == QString::fromUtf8(text)) {
            QTest::mouseClick(b, Qt::LeftButton);
            return;
        }
    // A dialog without the button is closed, so that the test fails instead of waiting.
    if (auto* d = qobject_cast<QDialog*>(dlg))
        d->reject();
    QFAIL(text);
}

void ClickRadio(QAbstractButton* b)
{
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

void ClickItem(QTreeWidget* tree, QTreeWidgetItem* item)
{
    QVERIFY(item);
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

QPoint CellPoint(SchemeView* v, int x, int y)
{
    const SchemePoint c = v->View().Geometry().Centre(x, y);
    return QPoint(c.x, c.y) - QPoint(v->horizontalScrollBar()->value(), v->verticalScrollBar()->value());
}

// Chooses an item of the element menu of the element at a cell.
void ChooseInElementMenu(SchemeView* v, int x, int y, const char* item)
{
    auto menu = WhenMenuOpens([item](QMenu* m) {
        for (QAction* a : m->actions())
            if (a->text() == QString::fromUtf8(item) && a->isEnabled()) {
                m->setActiveAction(a);
                QTest::keyClick(m, Qt::Key_Return);
                return;
            }
        m->close();
    });
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, CellPoint(v, x, y));
    QTest::mouseClick(v->viewport(), Qt::RightButton, {}, CellPoint(v, x, y));
    QTRY_VERIFY(*menu);
}

void OpenParameters(SchemeView* v, int x, int y)
{
    ChooseInElementMenu(v, x, y, "Параметры");
}

// Fills a coupling device: the catalog's filter and cable on the first wire.
void FillCouplingDevice(PrisoedDialog* d, const char* cable, const char* shot)
{
    Choose(d->FilterCombo(), "ФП-3");
    if (cable)
        Choose(d->CableCombo(), cable);
    TypeInto(d->LengthEdit(), "150");
    TypeInto(d->REdit(), "75");
    QTest::mouseClick(d->EnterButton(), Qt::LeftButton);
    QCOMPARE(d->List()->item(0, 3)->text(), QString("150"));
    if (shot)
        Shot(d, shot);
    Press(d, "OK");
}

} // namespace

class EndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallQtServices(); }
    void wholeJobFromCatalogToComparisonBuffer();
};

void EndToEndTest::wholeJobFromCatalogToComparisonBuffer()
{
    QTemporaryDir dir;
    ScriptedMessages msgs;
    Session s(dir);
    QVERIFY(s.started);
    MainWindow* w = s.Window();
    w->resize(900, 640);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(g_bBaseLoaded, 1);
    g_pMainFrame->m_bWarnings = 0;

    // A new task: the task menu asks for its base data first.
    auto baseData = WhenShown<ZadachaDialog>([](ZadachaDialog* d) {
        TypeInto(d->TitleEdit(), QString::fromUtf8("Тракт Север"));
        Shot(d, "base_data.png");
        Press(d, "Сохранить");
    });
    QVERIFY(Run(w, ID_TASK_EDIT));
    QVERIFY(*baseData);
    QVERIFY(g_pMainFrame->m_bEditing);
    QCOMPARE(g_pDoc->title, std::string("Тракт Север"));

    // Coupling device, overhead line, coupling device: the toolbar choice,
    // then a click on an offered cell.
    SchemeView* v = w->ViewWidget();
    QVERIFY(Run(w, ID_ELEM_COUPLING));
    QCOMPARE(g_pDoc->elements.size(), std::size_t(1));
    for (int id : {ID_ELEM_VLINE, ID_ELEM_COUPLING}) {
        QVERIFY(Run(w, id));
        QVERIFY(v->View().m_bCandidates);
        const int x = int(g_pDoc->elements.size()) + 1;
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, CellPoint(v, x, 3));
    }
    QCOMPARE(g_pDoc->elements.size(), std::size_t(3));
    QCOMPARE(int(g_pDoc->elements[1]->type), int(kOverheadLine));
    QCOMPARE(int(g_pDoc->elements[2]->type), int(kCouplingDevice));
    const int row = g_pDoc->elements[0]->cellY;

    // Parameters of each element through its dialog.
    auto first = WhenShown<PrisoedDialog>([](PrisoedDialog* d) { FillCouplingDevice(d, "РК-75", "coupling_device.png"); });
    OpenParameters(v, 1, row);
    QTRY_VERIFY(*first);
    QVERIFY(g_pDoc->elements[0]->entered);

    auto line = WhenShown<VLineSheetDialog>([](VLineSheetDialog* d) {
        VLPage1Widget* p1 = d->Page1();
        TypeInto(p1->LengthEdit(), "30");
        Choose(p1->TowerCombo(), "П110");
        TypeInto(p1->Rho1Edit(), "100");
        Shot(d, "line_sheet.png");
        d->Tabs()->setCurrentIndex(1);
        QCOMPARE(d->Tabs()->currentIndex(), 1);
        VLPage2Widget* p2 = d->Page2();
        for (int k = 0; k < 3; ++k) {
            Choose(p2->WireCombo(), "АС-150");
            TypeInto(p2->SagEdit(), "5");
            QTest::mouseClick(p2->EnterButton(), Qt::LeftButton);
        }
        Shot(d, "line_wires.png");
        d->Tabs()->setCurrentIndex(2);
        d->OkButton()->click();
    });
    OpenParameters(v, 2, row);
    QTRY_VERIFY(*line);
    QVERIFY(g_pDoc->elements[1]->entered);
    QCOMPARE(g_pDoc->elements[1]->Data<CVLine>()->length, 30000.0);
    QCOMPARE(g_pDoc->elements[1]->Data<CVLine>()->tower.name, std::string("П110"));

    // The far device's cable is new: entered through the cable editor, it
    // joins the catalog.
    auto last = WhenShown<PrisoedDialog>([](PrisoedDialog* d) {
        auto editor = WhenShown<VchKabDialog>([](VchKabDialog* k) {
            TypeInto(k->NameEdit(), QString::fromUtf8("РК-50"));
            const QList<NumericEdit*> edits = k->findChildren<NumericEdit*>();
            QCOMPARE(edits.size(), 3);
            TypeInto(edits[0], "0.02");
            TypeInto(edits[1], "2");
            TypeInto(edits[2], "50");
            Shot(k, "new_cable.png");
            k->OkButton()->click();
        });
        QList<QPushButton*> news;
        for (QPushButton* b : d->findChildren<QPushButton*>())
            if (b->text() == QString::fromUtf8("Новый"))
                news << b;
        QCOMPARE(news.size(), 2);  // the filter's, the cable's
        QTest::mouseClick(news[1], Qt::LeftButton);
        QVERIFY(*editor);
        QCOMPARE(d->CableCombo()->currentText(), QString::fromUtf8("РК-50"));
        FillCouplingDevice(d, nullptr, nullptr);
    });
    OpenParameters(v, 3, row);
    QTRY_VERIFY(*last);
    QVERIFY(g_pDoc->elements[2]->entered);
    QCOMPARE(g_pDoc->elements[2]->Data<CUpr>()->devices.at(0).cable.name, std::string("РК-50"));
    QCOMPARE(g_CurBase.hfCables.size(), std::size_t(2));
    {
        CBase stored;
        LoadBaseFile(dir.filePath("main.kdb").toStdString(), stored);
        QCOMPARE(stored.hfCables.size(), std::size_t(2));
    }
    Shot(w, "scheme_entered.png");

    QVERIFY(Run(w, ID_FINISH_EDIT));
    QVERIFY(!g_pMainFrame->m_bEditing);

    // Saved under a name of the engineer's choice.
    const QString taskPath = dir.filePath("north.ktf");
    auto saveAs = AnswerFileDialog(taskPath);
    QVERIFY(Run(w, ID_FILE_SAVE_AS));
    QVERIFY(*saveAs);
    QVERIFY(QFile::exists(taskPath));
    QVERIFY(!g_DocFile.modified);

    // The channel over a small range.
    QString status;
    auto calc = WhenShown<RaschetDialog>([&](RaschetDialog* d) {
        ClickRadio(d->FreqModeRadio(1));
        TypeInto(d->StartEdit(), "100");
        TypeInto(d->EndEdit(), "300");
        TypeInto(d->StepEdit(), "50");
        QTest::mouseClick(d->CalcButton(), Qt::LeftButton);
        status = d->StatusLabel()->text();
        Shot(d, "calculation.png");
        d->reject();
    });
    QVERIFY(Run(w, ID_CALC_TRACT));
    QVERIFY(*calc);
    QCOMPARE(status, QString::fromUtf8("Расчет завершен"));
    QCOMPARE(g_pDoc->responseResults.size(), std::size_t(1));
    QCOMPARE(g_pDoc->responseResults[0]->PointCount(), 5);
    QVERIFY(msgs.messages().empty());
    const CComplex firstTransfer = g_pDoc->responseResults[0]->points[0].transfer;

    // The results as tables, then as a graph in the same window.
    for (int view : {int(CVibRezDlg::kIdTables), int(CVibRezDlg::kIdGraphs)}) {
        auto choice = WhenShown<VibRezDialog>([view](VibRezDialog* d) {
            // The shown result stays chosen when the window asks again.
            if (view == CVibRezDlg::kIdTables)
                ClickItem(d->Tree(), d->Item(CVibRezDlg::TractItem(0)));
            ClickRadio(static_cast<QAbstractButton*>(d->Control(view)));
            Press(d, "Просмотр");
        });
        QVERIFY(Run(w, ID_VIEW_RESULTS));
        QVERIFY(*choice);
        QVERIFY(g_pResFrame);
        g_pResFrame->resize(760, 520);
        Shot(g_pResFrame, view == CVibRezDlg::kIdTables ? "results_tables.png" : "results_graph.png");
    }

    // Into the comparison buffer, and its window.
    QVERIFY(Run(w, ID_ADD_TO_BUFFER));
    QCOMPARE(g_pMainFrame->compareBuffer.groups.size(), std::size_t(1));
    auto bufChoice = WhenShown<VibRezBufDialog>([](VibRezBufDialog* d) {
        ClickItem(d->Tree(), d->Item(CVibRezBufDlg::CurveItem(0, 0)));
        Shot(d, "buffer_choice.png");
        Press(d, "Просмотр");
    });
    QVERIFY(Run(w, ID_VIEW_COMPARE_BUFFER));
    QVERIFY(*bufChoice);
    QVERIFY(g_pBufFrame);
    g_pBufFrame->resize(760, 520);
    Shot(g_pBufFrame, "buffer_window.png");

    // A second run (it closes the result windows); both results are shown.
    auto second = WhenShown<RaschetDialog>([&](RaschetDialog* d) {
        ClickRadio(d->FreqModeRadio(0));
        TypeInto(d->FreqEdit(), "400");
        QTest::mouseClick(d->CalcButton(), Qt::LeftButton);
        d->reject();
    });
    QVERIFY(Run(w, ID_CALC_TRACT));
    QVERIFY(*second);
    QCOMPARE(g_pDoc->responseResults.size(), std::size_t(2));
    auto both = WhenShown<VibRezDialog>([](VibRezDialog* d) {
        ClickItem(d->Tree(), d->Item(CVibRezDlg::TractItem(1)));
        ClickRadio(static_cast<QAbstractButton*>(d->Control(CVibRezDlg::kIdTables)));
        Press(d, "Просмотр");
    });
    QVERIFY(Run(w, ID_VIEW_RESULTS));
    QVERIFY(*both);
    Shot(g_pResFrame, "results_two_runs.png");
    QVERIFY(g_pResFrame);

    // The task saved with its results, then opened again from the file.
    QVERIFY(Run(w, ID_FILE_SAVE));
    QVERIFY(!g_DocFile.modified);
    QVERIFY(Run(w, ID_FILE_NEW));
    QVERIFY(g_pDoc->elements.empty() && g_pDoc->responseResults.empty());
    auto open = AnswerFileDialog(taskPath);
    QVERIFY(Run(w, ID_FILE_OPEN));
    QVERIFY(*open);
    QCOMPARE(g_pDoc->elements.size(), std::size_t(3));
    QCOMPARE(g_pDoc->title, std::string("Тракт Север"));
    QCOMPARE(g_pDoc->responseResults.size(), std::size_t(2));
    QCOMPARE(g_pDoc->responseResults[1]->PointCount(), 1);
    QCOMPARE(g_pDoc->responseResults[0]->PointCount(), 5);
    QCOMPARE(g_pDoc->responseResults[0]->points[0].transfer.re, firstTransfer.re);
    QCOMPARE(g_pDoc->responseResults[0]->points[0].transfer.im, firstTransfer.im);
    QCOMPARE(w->windowTitle(), QString::fromUtf8("Morvel - Задача: north. База: main"));
    Shot(w, "reopened.png");
    auto again = WhenShown<VibRezDialog>([](VibRezDialog* d) {
        ClickItem(d->Tree(), d->Item(CVibRezDlg::TractItem(0)));
        Press(d, "Просмотр");
    });
    QVERIFY(Run(w, ID_VIEW_RESULTS));
    QVERIFY(*again);
    QVERIFY(g_pResFrame);

    // The reopened task's elements show their parameters; the line's modal
    // parameters are calculated from its menu.
    bool readOnly = false;
    auto shown = WhenShown<PrisoedDialog>([&](PrisoedDialog* d) {
        readOnly = !d->EnterButton()->isVisible() && d->FilterCombo()->currentText().startsWith(QString::fromUtf8("ФП-3"));
        d->reject();
    });
    OpenParameters(v, 3, row);
    QTRY_VERIFY(*shown);
    QVERIFY(readOnly);
    auto modal = WhenShown<ModRaschDialog>([](ModRaschDialog* d) {
        TypeInto(d->FreqEdit(), "100");
        QTest::mouseClick(d->CalcButton(), Qt::LeftButton);
        d->reject();
    });
    ChooseInElementMenu(v, 2, row, "Рассчитать модальные параметры");
    QTRY_VERIFY(*modal);
    QCOMPARE(g_pDoc->modalResults.size(), std::size_t(1));
    QVERIFY(Run(w, ID_VIEW_TEXT));
    Shot(w, "text_view.png");
    QVERIFY(Run(w, ID_VIEW_TASK_BASE));
    Shot(w, "task_catalog.png");

    // The catalog's tower changed meanwhile: opening the task asks which
    // side keeps its values, and the task takes the catalog's.
    // The catalog as the engineer sees it in its editor: the cable added on the way.
    QString catalogItems;
    auto editor = WhenShown<BaseEditDialog>([&](BaseEditDialog* d) {
        d->Tree()->expandAll();
        for (QTreeWidgetItemIterator it(d->Tree()); *it; ++it)
            catalogItems += (*it)->text(0) + '|';
        Shot(d, "catalog_editor.png");
        // A double click on the tower shows its editor.
        QTreeWidgetItem* tower = d->Tree()->findItems(QString::fromUtf8("П110 (3)"), Qt::MatchRecursive).value(0);
        QVERIFY(tower);
        auto towerEditor = WhenShown<OporaDialog>([](OporaDialog* o) { static_cast<QDialog*>(o)->reject(); });
        const QPoint at = d->Tree()->visualItemRect(tower).center();
        QTest::mouseClick(d->Tree()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(d->Tree()->viewport(), Qt::LeftButton, {}, at);
        QTRY_VERIFY(*towerEditor);
        d->reject();
    });
    QVERIFY(Run(w, ID_BASE_EDIT));
    QVERIFY(*editor);
    QVERIFY(catalogItems.contains(QString::fromUtf8("|РК-50|")));
    QVERIFY(msgs.messages().empty());
    WriteCatalog(dir, 22.0);
    msgs.queue(MsgAnswer::No);  // the modal result is not saved
    QString differing;
    auto reconcile = WhenShown<ProvRaznDialog>([&](ProvRaznDialog* d) {
        for (QLabel* l : d->findChildren<QLabel*>())
            differing += l->text() + ' ';
        Shot(d, "catalog_differs.png");
        Press(d, "Изменить в задаче");
    });
    // This time from the recent tasks of the "Файл" menu.
    QMenu* fileMenu = w->menuBar()->actions().at(0)->menu();
    emit fileMenu->aboutToShow();
    QAction* recent = nullptr;
    for (QAction* a : fileMenu->actions())
        if (a->text().contains("north.ktf"))
            recent = a;
    QVERIFY(recent);
    recent->trigger();
    QVERIFY(*reconcile);
    QVERIFY(differing.contains(QString::fromUtf8("П110")));
    QCOMPARE(g_pDoc->elements[1]->Data<CVLine>()->tower.y.at(1), 22.0);
    QCOMPARE(g_CurBase.towers.at(0)->y.at(1), 22.0);
    QCOMPARE(msgs.messages().size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(msgs.messages()[0].text), QString::fromUtf8("Сохранить изменения в north.ktf?"));

    // The result on show deleted from the choice dialog; the window goes on.
    auto shownFirst = WhenShown<VibRezDialog>([](VibRezDialog* d) {
        ClickItem(d->Tree(), d->Item(CVibRezDlg::TractItem(0)));
        Press(d, "Просмотр");
    });
    QVERIFY(Run(w, ID_VIEW_RESULTS));
    QVERIFY(*shownFirst);
    msgs.clear();
    auto removal = WhenShown<VibRezDialog>([](VibRezDialog* d) {
        ClickItem(d->Tree(), d->Item(CVibRezDlg::TractItem(0)));
        Press(d, "Удалить");
        Press(d, "Возврат");
    });
    QVERIFY(Run(w, ID_VIEW_RESULTS));
    QVERIFY(*removal);
    QCOMPARE(g_pDoc->responseResults.size(), std::size_t(1));
    QCOMPARE(g_pDoc->responseResults[0]->PointCount(), 1);
    QCOMPARE(msgs.messages().size(), std::size_t(1));
    QVERIFY(QString::fromStdString(msgs.messages()[0].text).startsWith(QString::fromUtf8("Подтвердите удаление")));
    QVERIFY(g_DocFile.modified);
    QVERIFY(g_pResFrame);
    Shot(g_pResFrame, "results_after_delete.png");

    // An edit given up: the line deleted, then "Отменить редактирование"
    // brings the task back as it was, results included.
    msgs.clear();
    QVERIFY(Run(w, ID_TASK_EDIT));
    QVERIFY(g_pMainFrame->m_bEditing);
    ChooseInElementMenu(v, 3, row, "Удалить");
    QCOMPARE(g_pDoc->elements.size(), std::size_t(2));
    QVERIFY(Run(w, ID_CANCEL_EDIT));
    QVERIFY(!g_pMainFrame->m_bEditing);
    QCOMPARE(g_pDoc->elements.size(), std::size_t(3));
    QCOMPARE(g_pDoc->responseResults.size(), std::size_t(1));
    QVERIFY(msgs.messages().empty());
}

QTEST_MAIN(EndToEndTest)
#include "endtoend_qt_test.moc"

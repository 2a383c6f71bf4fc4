// The scheme view of the real main window offscreen: the scheme with offered
// cells, a printed page, the listings with a mouse and key selection, the
// clipboard copy, zoom on an unshown view and the view-mode rules.
#include "app/commandids.h"
#include "app/currentbase.h"
#include "app/kestrinapp.h"
#include "app/kestrinview.h"
#include "app/mainframe.h"
#include "app/ui/mainwindow.h"
#include "app/ui/qtapphost.h"
#include "app/ui/schemeview.h"
#include "app/ui/viewprinting.h"
#include "dialogs/zadachadlg.h"
#include "model/base.h"
#include "model/document.h"
#include "model/lines.h"
#include "platform/messages.h"
#include "dialogs/qt/useractions.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include <fstream>
#include <memory>

using namespace cmd;

namespace {

QString ShotPath(const char* name)
{
    QDir().mkpath(KESTRIN_SCREENSHOT_DIR);
    return QString(KESTRIN_SCREENSHOT_DIR) + "/" + name;
}

struct Session {
    explicit Session(const QTemporaryDir& dir)
    {
        CBase base;
        auto wire = std::make_unique<CProvod>();
        wire->name = "АС-70";
        wire->radius = 0.0057;
        wire->twist = 0.95;
        base.phaseWires.push_back(std::move(wire));
        auto hf = std::make_unique<CProvod>();
        hf->name = "РК-75";
        hf->resistivity = 75;
        base.hfCables.push_back(std::move(hf));
        const std::string basePath = dir.filePath("main.kdb").toStdString();
        std::string error;
        SaveBaseFile(basePath, base, error);
        const QString profile = dir.filePath("kestrin.ini");
        std::ofstream(profile.toStdString()) << "[Base File List]\nFile1=" << basePath << "\n";
        app = std::make_unique<CKestrinApp>();
        app->m_strProfilePath = profile.toStdString();
        host = std::make_unique<QtAppHost>();
        app->InitInstance({}, *host);
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
    SchemeView* View() const { return Window()->ViewWidget(); }

    std::unique_ptr<CKestrinApp> app;
    std::unique_ptr<QtAppHost> host;
};

// Shows the window and starts forming a new task titled "Тракт" with the
// editor's prompts off.
void StartForming(Session& s)
{
    s.Window()->show();
    QVERIFY(QTest::qWaitForWindowExposed(s.Window()));
    ScopedModalRunner<CZadachaDlg> baseData([](CZadachaDlg& d) {
        d.OnInitDialog();
        d.m_strTitleEdit = "Тракт";
        return d.OnOK() ? IDOK : IDCANCEL;
    });
    s.Window()->Dispatch(ID_TASK_EDIT);
    g_pMainFrame->m_bWarnings = 0;
}

// A chain with a branching whose first branch ends away from its end.
void FillTask(CKestrinDoc& doc)
{
    struct Cell {
        int type, x, y, after;
    };
    const Cell cells[] = {{6, 1, 3, 1},  {0, 2, 3, 1},  {12, 3, 3, 1}, {0, 4, 2, 1},  {0, 5, 2, 1},
                          {13, 5, 2, 0}, {1, 4, 4, 1},  {0, 5, 4, 1},  {0, 6, 4, 1},  {13, 7, 3, 1},
                          {2, 8, 3, 1},  {7, 9, 3, 1},  {14, 10, 3, 1}};
    doc.conductorCount = 4;
    doc.title = "Тракт";
    for (const Cell& c : cells) {
        auto e = std::make_unique<CElement>();
        e->SetType(c.type);
        e->cellX = c.x;
        e->cellY = c.y;
        e->circuitsAfter = std::uint8_t(c.after);
        e->entered = c.type != 1;
        e->wirePositions = 4;
        e->circuits = 1;
        e->groundWires = 1;
        for (int i = 0; i < 4; ++i)
            e->inMap[i] = e->outMap[i] = i;
        e->data = CreateElementData(c.type);
        doc.AppendElement(std::move(e));
    }
    doc.elements[1]->selected = 1;
    doc.elements[1]->Data<CVLine>()->length = 25000;
}

// The viewport point of a grid cell's centre.
QPoint CellPoint(SchemeView* v, int x, int y)
{
    const SchemePoint c = v->View().Geometry().Centre(x, y);
    return QPoint(c.x, c.y) - QPoint(v->horizontalScrollBar()->value(), v->verticalScrollBar()->value());
}

// The texts of the element menu when it opens, "-" for a disabled item;
// then the menu is saved as a picture and closed, or its item `choose` run.
QStringList OpenElementMenu(SchemeView* v, QPoint at, const QString& choose, const char* shot)
{
    QStringList items;
    auto menu = WhenMenuOpens([&](QMenu* m) {
        QAction* chosen = nullptr;
        for (QAction* a : m->actions()) {
            if (a->isSeparator())
                continue;
            items << (a->isEnabled() ? "" : "-") + a->text();
            if (a->text() == choose)
                chosen = a;
        }
        if (shot) {
            QPixmap picture = v->window()->grab();
            QPainter p(&picture);
            p.drawPixmap(m->pos() - v->window()->mapToGlobal(QPoint(0, 0)), m->grab());
            p.end();
            picture.save(ShotPath(shot));
        }
        if (chosen) {
            m->setActiveAction(chosen);
            QTest::keyClick(m, Qt::Key_Return);
        } else {
            m->close();
        }
    });
    QTest::mouseClick(v->viewport(), Qt::RightButton, {}, at);
    return items;
}

} // namespace

class SchemeViewTest : public QObject {
    Q_OBJECT
private slots:
    void schemeWithOfferedCellsAndItsPrint();
    void listingSelectionAndCopy();
    void zoomToFitOnAnUnshownViewChangesNothing();
    void viewModeCommandsFollowTheirRules();
    void placingWithTheMouseAndTheElementMenu();
    void closingTheChainWithAnEndLoadWithdrawsTheOfferedCells();
};

void SchemeViewTest::schemeWithOfferedCellsAndItsPrint()
{
    QTemporaryDir dir;
    ScriptedMessages msgs;
    Session s(dir);
    FillTask(*g_pDoc);
    MainWindow* w = s.Window();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    CKestrinView& view = s.View()->View();
    view.m_Candidates.cells[0] = {11, 3, true};
    view.m_Candidates.cells[1] = {10, 4, true};
    view.m_bCandidates = 1;
    view.m_bInsertGap = view.m_bGapOffered = 1;
    view.m_nPivotX = 10;
    view.m_nPivotY = 2;
    view.RecalcLayout();
    QApplication::processEvents();
    QVERIFY(w->grab().save(ShotPath("scheme_offered_cells.png")));

    // The copy of the scheme is the visible client area.
    w->Dispatch(ID_EDIT_COPY);
    QCOMPARE(QApplication::clipboard()->image().size(), s.View()->viewport()->size());

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = dir.filePath("scheme.pdf");
    printer.setOutputFileName(pdf);
    RenderView(printer, view);
    QVERIFY(QFile(pdf).size() > 1000);
    QProcess::execute("pdftoppm", {"-png", "-r", "60", "-f", "1", "-l", "1", pdf, ShotPath("scheme_printed")});
}

void SchemeViewTest::listingSelectionAndCopy()
{
    QTemporaryDir dir;
    ScriptedMessages msgs;
    Session s(dir);
    FillTask(*g_pDoc);
    MainWindow* w = s.Window();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    // The catalog listing fits the window: above the first line selects
    // line 0, below the last line the last one.
    w->Dispatch(ID_VIEW_CURRENT_BASE);
    CKestrinView& view = s.View()->View();
    QWidget* vp = s.View()->viewport();
    QVERIFY(view.m_Text.TextHeight(view.m_nLineHeight) < vp->height());
    QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(50, 3));
    QVERIFY(view.m_Text.selection);
    QCOMPARE(view.m_Text.firstSelected, 0);
    QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(50, vp->height() - 2));
    QCOMPARE(view.m_Text.firstSelected, view.m_Text.Count() - 1);
    QCOMPARE(QString::fromStdString(view.m_Text.lines[0]), QString::fromUtf8("База данных \"main\""));
    QApplication::processEvents();
    QVERIFY(w->grab().save(ShotPath("catalog_listing.png")));

    w->Dispatch(ID_VIEW_TEXT);
    QVERIFY(view.m_Text.Count() > 10);
    QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(50, 3));
    QTest::keyClick(s.View(), Qt::Key_Escape);
    QVERIFY(!view.m_Text.selection);
    w->UpdateCommandUi();
    QVERIFY(!w->Action(ID_EDIT_COPY)->isEnabled());

    // A drag over three lines, then Ctrl+C.
    QTest::keyClick(s.View(), Qt::Key_Home, Qt::ControlModifier);
    const int h = view.m_nLineHeight;
    QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(40, 10 + h + 2));
    QTest::mouseMove(vp, QPoint(40, 10 + 3 * h + 2));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(40, 10 + 3 * h + 2));
    QCOMPARE(view.m_Text.lastSelected, 3);
    w->UpdateCommandUi();
    w->Action(ID_EDIT_COPY)->trigger();
    const std::string expected = view.m_Text.lines[1] + "\r\n" + view.m_Text.lines[2] + "\r\n" +
                                 view.m_Text.lines[3] + "\r\n";
    QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(expected));
    QApplication::processEvents();
    QVERIFY(w->grab().save(ShotPath("task_listing_selection.png")));

    PressShortcut(s.View(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(view.m_Text.firstSelected, 0);
    QCOMPARE(view.m_Text.lastSelected, view.m_Text.Count() - 1);

    // Page Up and Page Down go by nine tenths of the client, also after a resize.
    w->resize(w->width(), w->height() + 120);
    QApplication::processEvents();
    QCOMPARE(s.View()->verticalScrollBar()->pageStep(), int(0.9 * vp->height()));
}

void SchemeViewTest::zoomToFitOnAnUnshownViewChangesNothing()
{
    QTemporaryDir dir;
    ScriptedMessages msgs;
    Session s(dir);
    FillTask(*g_pDoc);
    CKestrinView& view = s.View()->View();
    s.Window()->hide();
    view.RecalcLayout();
    const int cell = view.m_nCell;
    view.ZoomToFit();
    QCOMPARE(view.m_dZoom, 1.0);
    QCOMPARE(view.m_nCell, cell);
    QCOMPARE(view.m_bFitted, 0);
}

void SchemeViewTest::viewModeCommandsFollowTheirRules()
{
    QTemporaryDir dir;
    ScriptedMessages msgs;
    Session s(dir);
    MainWindow* w = s.Window();
    w->UpdateCommandUi();
    // An empty task: no task listing; the catalog listing needs only the catalog.
    QVERIFY(!w->Action(ID_VIEW_TEXT)->isEnabled());
    QVERIFY(w->Action(ID_VIEW_CURRENT_BASE)->isEnabled());
    FillTask(*g_pDoc);
    g_pMainFrame->m_bEditing = 1;
    w->UpdateCommandUi();
    for (int id : {ID_VIEW_TEXT, ID_VIEW_TASK_BASE, ID_VIEW_CURRENT_BASE, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW})
        QVERIFY2(!w->Action(id)->isEnabled(), qPrintable(QString::number(id)));
    g_pMainFrame->m_bEditing = 0;
    w->UpdateCommandUi();
    QVERIFY(w->Action(ID_VIEW_TEXT)->isEnabled());
    w->Dispatch(ID_VIEW_TASK_BASE);
    QCOMPARE(g_pMainFrame->m_nViewMode, 2);
    QVERIFY(w->Action(ID_VIEW_TASK_BASE)->isChecked());
    QVERIFY(w->Action(ID_FONT)->isEnabled());
}

void SchemeViewTest::placingWithTheMouseAndTheElementMenu()
{
    QTemporaryDir dir;
    ScriptedMessages msgs;
    Session s(dir);
    MainWindow* w = s.Window();
    StartForming(s);
    QVERIFY(g_pMainFrame->m_bEditing);
    SchemeView* v = s.View();
    CKestrinView& view = v->View();

    // The first element goes in at once; a toolbar choice offers cells, a
    // click on one appends the element there.
    w->Dispatch(ID_ELEM_COUPLING);
    QCOMPARE(g_pDoc->elements.size(), std::size_t(1));
    w->Dispatch(ID_ELEM_VLINE);
    QVERIFY(view.m_bCandidates);
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, CellPoint(v, 2, 3));
    QCOMPARE(g_pDoc->elements.size(), std::size_t(2));
    QCOMPARE(g_pDoc->elements[1]->cellX, 2);
    QCOMPARE(int(g_pDoc->elements[1]->type), int(kOverheadLine));

    // A click on the line repeats it at the chain end.
    for (int x = 3; x <= 5; ++x) {
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, CellPoint(v, 2, 3));
        QVERIFY(view.m_bCandidates);
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, CellPoint(v, x, 3));
    }
    QCOMPARE(g_pDoc->elements.size(), std::size_t(5));
    QCOMPARE(g_pDoc->elements[4]->cellX, 5);

    // Shift+click marks a range.
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, CellPoint(v, 2, 3));
    QTest::mouseClick(v->viewport(), Qt::LeftButton, Qt::ShiftModifier, CellPoint(v, 3, 3));
    QVERIFY(g_pMainFrame->m_bRange);
    QVERIFY(g_pDoc->elements[1]->selected && g_pDoc->elements[2]->selected);
    QVERIFY(!g_pDoc->elements[3]->selected);

    // The element menu on a line, in its order; Delete pulls the rest back.
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, CellPoint(v, 4, 3));
    const QStringList items = OpenElementMenu(v, CellPoint(v, 3, 3), QString(), "element_menu.png");
    QCOMPARE(items, QStringList({QString::fromUtf8("Параметры"), QString::fromUtf8("Удалить"),
                                 QString::fromUtf8("Вставить"), QString::fromUtf8("-Отменить вставку"),
                                 QString::fromUtf8("Сместить"), QString::fromUtf8("Повернуть"),
                                 QString::fromUtf8("-Рассчитать модальные параметры")}));
    QCOMPARE(int(g_pMainFrame->m_nSelected), 2);
    OpenElementMenu(v, CellPoint(v, 3, 3), QString::fromUtf8("Удалить"), nullptr);
    QCOMPARE(g_pDoc->elements.size(), std::size_t(4));
    QCOMPARE(g_pDoc->elements[3]->cellX, 4);

    // An insertion gap at the second line, offered for a line.
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, CellPoint(v, 3, 3));
    view.OnElemCommand(ID_ELEM_INSERT);
    QVERIFY(view.m_bInsertGap);
    QCOMPARE(g_pDoc->elements[2]->cellX, 4);
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, CellPoint(v, 2, 3));
    QVERIFY(view.m_bGapOffered);
    QApplication::processEvents();
    QVERIFY(w->grab().save(ShotPath("insertion_gap_offered.png")));
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, CellPoint(v, 3, 3));
    QVERIFY(!view.m_bInsertGap);
    QCOMPARE(g_pDoc->elements.size(), std::size_t(5));
    QCOMPARE(g_pDoc->elements[2]->cellX, 3);
    QCOMPARE(int(g_pDoc->elements[2]->type), int(kOverheadLine));
}

void SchemeViewTest::closingTheChainWithAnEndLoadWithdrawsTheOfferedCells()
{
    QTemporaryDir dir;
    ScriptedMessages msgs;
    Session s(dir);
    MainWindow* w = s.Window();
    StartForming(s);
    QVERIFY(g_pMainFrame->m_bEditing);
    SchemeView* v = s.View();
    CKestrinView& view = v->View();
    w->Dispatch(ID_ELEM_COUPLING);
    for (int id : {ID_ELEM_VLINE, ID_ELEM_COUPLING}) {
        w->Dispatch(id);
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, CellPoint(v, int(g_pDoc->elements.size()) + 1, 3));
    }
    QCOMPARE(g_pDoc->elements.size(), std::size_t(3));

    // A click on the last coupling device offers the cells beyond it;
    // "Заменить на КН" closes the chain and takes the offers away.
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, CellPoint(v, 3, 3));
    QVERIFY(view.m_bCandidates);
    OpenElementMenu(v, CellPoint(v, 3, 3), QString::fromUtf8("Заменить на КН"), nullptr);
    QTRY_COMPARE(int(g_pDoc->elements[2]->type), int(kEndLoad));
    QVERIFY(!view.m_bCandidates);
    QCOMPARE(int(g_pMainFrame->m_Template.type), int(kNoType));
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, CellPoint(v, 4, 3));
    QCOMPARE(g_pDoc->elements.size(), std::size_t(3));
    w->Dispatch(ID_CANCEL_EDIT);
}

QTEST_MAIN(SchemeViewTest)
#include "schemeview_qt_test.moc"

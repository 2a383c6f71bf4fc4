// The results window offscreen, opened from the real main window on a task
// with two tract results and one modal result: the choice dialog, the text
// report, selecting and copying lines, printing, the choice's cancel paths,
// an edit finished under the window, and the analyser templates.
#include "dialogs/qt/useractions.h"
#include "platform/filedialog.h"
#include "resultssession.h"
#include "results/templates.h"
#include "results/ui/razdelitelwidget.h"
#include "results/ui/resultswindows.h"
#include "results/ui/secframe.h"
#include "results/ui/secview.h"
#include "results/ui/vibrezdialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <fstream>
#include <functional>
#include <memory>

namespace {

// Tables of the first tract result.
bool FirstTables(VibRezDialog& dlg, CVibRezDlg&)
{
    Click(dlg, CVibRezDlg::TractItem(0));
    return true;
}

QPoint LinePoint(CSecView* view, int line)
{
    const int y = TextLines::LineTop(line, view->LineHeight()) + view->LineHeight() / 2 -
                  view->verticalScrollBar()->value();
    return QPoint(40, y);
}

// The separator dialog answered with one of its radios; the checked radio on
// opening is kept.
struct SeparatorAnswer {
    explicit SeparatorAnswer(bool comma)
        : runner([this, comma](CRazdelitelDlg& model) {
              RazdelitelDialog dlg(model);
              shownComma = dlg.CommaRadio()->isChecked();
              (comma ? dlg.CommaRadio() : dlg.PointRadio())->setChecked(true);
              if (!shot) {
                  dlg.show();
                  Shoot(&dlg, "results_separator_dialog.png");
                  shot = true;
              }
              dlg.accept();
              return IDOK;
          })
    {
    }
    bool shownComma = false;
    static inline bool shot = false;
    ScopedModalRunner<CRazdelitelDlg> runner;
};

QString Clipboard()
{
    return QApplication::clipboard()->text();
}

} // namespace

class ResultsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensInTablesAndSelectsCopiesLines();
    void lastLineOfALongReportIsSelectable();
    void printsPagesOfTheSelection();
    void cancelledChoiceKeepsTheWindow();
    void deletingTheShownResultThenCancelling();
    void finishedEditEmptiesTheWindow();
    void templatesAreWrittenOrTheFileNamed();
    void keysMoveTheChoiceAsClicksDo();
};

void ResultsWindowTest::opensInTablesAndSelectsCopiesLines()
{
    ScriptedMessages msgs;
    Session s;
    QVERIFY(s.Window()->Action(cmd::ID_VIEW_RESULTS)->isEnabled());
    bool shot = false;
    s.Choose(cmd::ID_VIEW_RESULTS, [&](VibRezDialog& dlg, CVibRezDlg& m) {
        FirstTables(dlg, m);
        dlg.show();
        Shoot(&dlg, "results_choice_dialog.png");
        shot = true;
        return true;
    });
    QVERIFY(shot);
    QVERIFY(g_pResFrame);
    CSecFrame* frame = g_pResFrame;
    CSecView* view = frame->View();
    QCOMPARE(frame->windowTitle(), QString::fromUtf8("Результаты расчета"));
    QCOMPARE(int(frame->State().ViewMode), 7);
    QCOMPARE(frame->State().chosenTract, (std::vector<int>{1, 0}));

    // The report's header on screen, as the report builder makes it.
    ReportText expected;
    expected.BuildReport(frame->State().Source(*g_pDoc, ""));
    QVERIFY(view->lineCount() > 10);
    QCOMPARE(view->Text().lines, expected.screenLines);
    QCOMPARE(view->bandCount(), 1u);

    // A drag up then down keeps the top end reached.
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, LinePoint(view, 6));
    QTest::mouseMove(view->viewport(), LinePoint(view, 3));
    QTest::mouseMove(view->viewport(), LinePoint(view, 8));
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, LinePoint(view, 8));
    QCOMPARE(view->Text().firstSelected, 3);
    QCOMPARE(view->Text().lastSelected, 8);
    QVERIFY(frame->Action(rescmd::CopyExcel)->isEnabled());
    Shoot(frame, "results_window_tables.png");

    // Ctrl+C: the selected lines, each ended by CR LF.
    PressShortcut(view, Qt::Key_C, Qt::ControlModifier);
    QString copied;
    for (int i = 3; i <= 8; ++i)
        copied += QString::fromStdString(view->Text().lines[std::size_t(i)]) + "\r\n";
    QCOMPARE(Clipboard(), copied);

    // Excel with a comma, then Word with its points; the comma is offered again.
    PressShortcut(view, Qt::Key_A, Qt::ControlModifier);
    {
        SeparatorAnswer comma(true);
        frame->Dispatch(rescmd::CopyExcel);
        QVERIFY(!comma.shownComma);
    }
    QVERIFY(Clipboard().contains("12,5"));
    QVERIFY(!Clipboard().contains("12.5"));
    frame->Dispatch(rescmd::CopyWord);
    QVERIFY(Clipboard().contains("12.5"));
    {
        SeparatorAnswer point(false);
        frame->Dispatch(rescmd::CopyExcel);
        QVERIFY(point.shownComma);
    }
    QVERIFY(Clipboard().contains("12.5"));

    // Esc ends the selection; the copies need one.
    QTest::keyClick(view, Qt::Key_Escape);
    QVERIFY(!view->selectionShown());
    frame->UpdateCommandUi();
    QVERIFY(!frame->Action(rescmd::Copy)->isEnabled());
    QVERIFY(!frame->Action(rescmd::CopyWord)->isEnabled());
}

void ResultsWindowTest::lastLineOfALongReportIsSelectable()
{
    ScriptedMessages msgs;
    Session s(5000);
    s.Choose(cmd::ID_VIEW_RESULTS, [](VibRezDialog& dlg, CVibRezDlg&) {
        Click(dlg, CVibRezDlg::TractItem(1));
        return true;
    });
    CSecView* view = g_pResFrame->View();
    QVERIFY(view->lineCount() > 5000);
    QCOMPARE(view->verticalScrollBar()->maximum(), view->textHeight() - view->viewport()->height());
    QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
    const int last = view->lineCount() - 1;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, LinePoint(view, last));
    QCOMPARE(view->Text().firstSelected, last);
    QCOMPARE(view->Text().lastSelected, last);
}

void ResultsWindowTest::printsPagesOfTheSelection()
{
    ScriptedMessages msgs;
    Session s(300);
    s.Choose(cmd::ID_VIEW_RESULTS, [](VibRezDialog& dlg, CVibRezDlg&) {
        Click(dlg, CVibRezDlg::TractItem(1));
        return true;
    });
    CSecView* view = g_pResFrame->View();
    view->SelectAll();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = s.dir.filePath("report.pdf");
    printer.setOutputFileName(pdf);
    view->PrintText(printer, true);
    const TextPaging& paging = view->LastPaging();
    QCOMPARE(paging.lineCount, view->lineCount());
    QVERIFY(paging.linesPerPage >= 1);
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(paging.Pages() > 1);
    QCOMPARE(int(bytes.count("/Type /Page") - bytes.count("/Type /Pages")), paging.Pages());
}

void ResultsWindowTest::cancelledChoiceKeepsTheWindow()
{
    ScriptedMessages msgs;
    Session s;
    s.Choose(cmd::ID_VIEW_RESULTS, FirstTables);
    CSecFrame* frame = g_pResFrame;
    const std::vector<std::string> lines = frame->View()->Text().lines;
    // Another result chosen, then "Возврат": nothing the user did not confirm changes.
    s.Choose(rescmd::ChooseResults,
             [](VibRezDialog& dlg, CVibRezDlg&) {
                 Click(dlg, CVibRezDlg::TractItem(0));
                 Click(dlg, CVibRezDlg::TractItem(1));
                 return false;
             },
             frame);
    QCOMPARE(g_pResFrame, frame);
    QCOMPARE(frame->State().chosenTract, (std::vector<int>{1, 0}));
    QCOMPARE(int(frame->State().ViewMode), 7);
    QCOMPARE(frame->View()->Text().lines, lines);
}

void ResultsWindowTest::deletingTheShownResultThenCancelling()
{
    ScriptedMessages msgs;
    Session s;
    s.Choose(cmd::ID_VIEW_RESULTS, FirstTables);
    CSecFrame* frame = g_pResFrame;
    msgs.queue(MsgAnswer::Yes);
    s.Choose(rescmd::ChooseResults,
             [](VibRezDialog& dlg, CVibRezDlg&) {
                 Click(dlg, CVibRezDlg::TractItem(0));
                 Click(dlg, CVibRezDlg::TractItem(0));
                 ClickButton(dlg, CVibRezDlg::kIdDelete);
                 return false;
             },
             frame);
    QCOMPARE(g_pDoc->responseResults.size(), std::size_t(1));
    QCOMPARE(frame->State().chosenTract, (std::vector<int>{0}));
    QCOMPARE(frame->View()->lineCount(), 0);
    frame->UpdateCommandUi();
    for (int id : {rescmd::Tables, rescmd::SaveTemplates, rescmd::SelectAll, rescmd::Copy, rescmd::CopyExcel})
        QVERIFY2(!frame->Action(id)->isEnabled(), QByteArray::number(id));
    QVERIFY(frame->Action(rescmd::ChooseResults)->isEnabled());
}

void ResultsWindowTest::finishedEditEmptiesTheWindow()
{
    ScriptedMessages msgs;
    Session s;
    s.Choose(cmd::ID_VIEW_RESULTS, FirstTables);
    QVERIFY(g_pResFrame->View()->lineCount() > 0);
    g_pMainFrame->m_bEditing = 1;
    s.Window()->Dispatch(cmd::ID_FINISH_EDIT);
    QVERIFY(g_pDoc->responseResults.empty());
    QVERIFY(g_pResFrame->State().chosenTract.empty());
    QCOMPARE(g_pResFrame->View()->lineCount(), 0);
    g_pResFrame->UpdateCommandUi();
    QVERIFY(!g_pResFrame->Action(rescmd::SaveTemplates)->isEnabled());
    // A new task closes the window.
    s.Window()->Dispatch(cmd::ID_FILE_NEW);
    QVERIFY(!g_pResFrame);
    QVERIFY(!g_pSecView);
}

void ResultsWindowTest::templatesAreWrittenOrTheFileNamed()
{
    ScriptedMessages msgs;
    Session s;
    s.Choose(cmd::ID_VIEW_RESULTS, FirstTables);
    QString chosen = s.dir.filePath("out/Шаблоны.7af");
    QDir().mkpath(s.dir.filePath("out"));
    std::string asked;
    ScopedModalRunner<FileDialog> files([&](FileDialog& d) {
        asked = d.m_strPathName + "|" + d.m_strFilter;
        d.m_strPathName = chosen.toStdString();
        return IDOK;
    });
    g_pResFrame->Dispatch(rescmd::SaveTemplates);
    QCOMPARE(asked, std::string("Шаблоны|Шаблоны для AnCom A-7|*.7*||"));
    QCOMPARE(QDir(s.dir.filePath("out")).entryList(QDir::Files).size(), kTemplateFileCount);
    QVERIFY(msgs.messages().empty());

    // A folder that cannot take the files: the message names the first one.
    chosen = s.dir.filePath("missing/Шаблоны");
    g_pResFrame->Dispatch(rescmd::SaveTemplates);
    QCOMPARE(msgs.messages().size(), std::size_t(1));
    const std::string first = s.dir.filePath("missing/").toStdString() + kTemplateFiles[0].name;
    QVERIFY(msgs.messages()[0].text.rfind("Не удалось записать файл\n" + first + "\n", 0) == 0);
    QVERIFY(msgs.messages()[0].icon == MsgIcon::Exclamation);
}


// Moving through the tree with the keys chooses as a click does, so that
// "Удалить" always asks about the highlighted result.
void ResultsWindowTest::keysMoveTheChoiceAsClicksDo()
{
    ScriptedMessages msgs;
    Session s;
    s.Choose(cmd::ID_VIEW_RESULTS, [&](VibRezDialog& dlg, CVibRezDlg& m) {
        dlg.show();
        Click(dlg, CVibRezDlg::TractItem(0));
        QTest::keyClick(dlg.Tree(), Qt::Key_Down);
        const QTreeWidgetItem* second = dlg.Item(CVibRezDlg::TractItem(1));
        if (dlg.Tree()->currentItem() != second || !second->text(0).startsWith('+'))
            return false;
        if (m.SelectedItem() != CVibRezDlg::TractItem(1) || !dlg.Control(CVibRezDlg::kIdDelete)->isEnabled())
            return false;
        msgs.queue(MsgAnswer::No);
        ClickButton(dlg, CVibRezDlg::kIdDelete);
        return true;
    });
    QCOMPARE(msgs.messages().size(), std::size_t(1));
    QVERIFY(msgs.messages()[0].text.find("08.12.26 09:15") != std::string::npos);
    QCOMPARE(g_pResFrame->State().chosenTract, (std::vector<int>{1, 1}));
}

QTEST_MAIN(ResultsWindowTest)
#include "results_qt_test.moc"

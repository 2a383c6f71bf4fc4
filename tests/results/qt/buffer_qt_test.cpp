// The comparison-buffer window offscreen, opened from the real main window
// on a buffer of two tasks' groups (one with a connection-mode 3 result): the
// choice dialog, the graph commands, the shared line sets, the dialog's
// additions and deletions, and the buffer changed under an open window.
#include "app/docfile.h"
#include "app/raschetdlg.h"
#include "app/linestyles.h"
#include "platform/filedialog.h"
#include "resultssession.h"
#include "results/ui/bufframe.h"
#include "results/ui/bufview.h"
#include "results/ui/secview.h"
#include "results/ui/vibrezbufdialog.h"

#include <QAction>
#include <QRadioButton>
#include <QTreeWidget>

namespace {

namespace gc = GraphCommand;
using BufScript = std::function<bool(VibRezBufDialog&, CVibRezBufDlg&)>;

// A group of a task with the three wide results, result mode3 in mode 3.
std::unique_ptr<CBufZad> Group(const std::string& key, const std::string& title, int mode3)
{
    CKestrinDoc doc;
    MakeTask(doc);
    WideResults(doc, mode3);
    auto g = std::make_unique<CBufZad>();
    g->key = key;
    g->title = title;
    g->Fill(doc);
    return g;
}

struct BufferSession {
    BufferSession() : session([](CKestrinDoc& d) { WideResults(d); })
    {
        CompareBuffer& b = g_pMainFrame->compareBuffer;
        b.Clear();
        b.groups.push_back(Group("/tasks/first.ktf", "first", -1));
        b.groups.push_back(Group("/tasks/second.ktf", "second", 1));
    }
    // Runs a command with the real choice dialog; the script answers whether
    // to press "Просмотр".
    bool Choose(const std::function<void()>& command, const BufScript& script)
    {
        bool ran = false;
        ScopedModalRunner<CVibRezBufDlg> runner([&](CVibRezBufDlg& model) {
            ran = true;
            VibRezBufDialog dlg(model);
            if (!script(dlg, model)) {
                dlg.reject();
                return IDCANCEL;
            }
            dlg.accept();
            return dlg.result() == QDialog::Accepted ? IDOK : IDCANCEL;
        });
        command();
        return ran;
    }
    bool Open(const BufScript& script)
    {
        return Choose([this] { session.Window()->Dispatch(cmd::ID_VIEW_COMPARE_BUFFER); }, script);
    }
    GraphModel& Model() { return g_pBufView->Graph().model; }
    bool Enabled(int id)
    {
        g_pBufFrame->UpdateCommandUi();
        return g_pBufFrame->Action(id)->isEnabled();
    }

    ScriptedMessages msgs;
    Session session;
};

// Curve 1 of each group, input impedance on the right.
bool TwoCurvesRightImpedance(VibRezBufDialog& dlg, CVibRezBufDlg&)
{
    Click(dlg, CVibRezBufDlg::CurveItem(0, 0));
    Click(dlg, CVibRezBufDlg::CurveItem(1, 1));
    ClickButton(dlg, CVibRezBufDlg::kIdImpedance);
    ClickButton(dlg, CVibRezBufDlg::kIdImpedanceRight);
    return true;
}

} // namespace

class BufferWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_styles = LineStyleTables; }
    void cleanup() { LineStyleTables = m_styles; }
    void opensWithTheChosenCurvesAndKeepsItsZoom();
    void dialogAddsCancelsAndDeletes();
    void bufferChangedUnderTheWindow();

private:
    LineStyleSet m_styles;
};

void BufferWindowTest::opensWithTheChosenCurvesAndKeepsItsZoom()
{
    BufferSession s;
    QVERIFY(s.session.Window()->Action(cmd::ID_VIEW_COMPARE_BUFFER)->isEnabled());
    QVERIFY(s.Open([](VibRezBufDialog& dlg, CVibRezBufDlg& m) {
        TwoCurvesRightImpedance(dlg, m);
        dlg.show();
        Shoot(&dlg, "buffer_choice_dialog.png");
        return true;
    }));
    QVERIFY(g_pBufFrame);
    QCOMPARE(g_pBufFrame->windowTitle(), QString::fromUtf8("Сравнение результатов расчетов"));
    QCOMPARE(g_pBufFrame->quantity, 3);
    QCOMPARE(g_pBufFrame->selectedCount, 2);
    QCOMPARE(int(s.Model().curveCount), 2);
    QCOMPARE(s.Model().curves[1].label, std::string("second,A-B/B-C+R=75 Ом"));
    QVERIFY(s.Enabled(gc::InputRight) && g_pBufFrame->Action(gc::InputRight)->isChecked());
    g_pBufFrame->Dispatch(gc::Attenuation);
    QApplication::processEvents();
    Shoot(g_pBufFrame, "buffer_window.png");

    // The mouse X choice, a shift and the full range, as in the results window.
    QWidget* view = g_pBufView;
    view->grab();
    g_pBufFrame->Dispatch(gc::XChoose);
    const GraphLayout& layout = g_pBufView->Graph().layout;
    const int y = layout.xAxisY - 20;
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(layout.FreqToX(200), y));
    QTest::mouseMove(view, QPoint(layout.FreqToX(400), y));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(layout.FreqToX(400), y));
    QVERIFY(s.Model().shownFMin > 190 && s.Model().shownFMax < 410);
    QVERIFY(s.Enabled(gc::BufferShiftLeft));
    g_pBufFrame->Dispatch(gc::BufferShiftLeft);
    QVERIFY(s.Model().shownFMin < 190);
    const double zoomedMin = s.Model().shownFMin;

    // "Черные" switches the pens of both graph windows.
    s.session.Choose(cmd::ID_VIEW_RESULTS, [](VibRezDialog& dlg, CVibRezDlg&) {
        Click(dlg, CVibRezDlg::TractItem(0));
        Click(dlg, CVibRezDlg::TractItem(1));
        return true;
    });
    QVERIFY(g_pResFrame);
    g_pBufFrame->Dispatch(rescmd::BlackSet);
    QCOMPARE(LineStyleTables.colourMode, 1);
    const QColor black13 = [] {
        const std::uint32_t c = LineStyleTables.colours[13];
        return QColor(RedOf(c), GreenOf(c), BlueOf(c));
    }();
    QCOMPARE(g_pBufView->Graph().pens.curves[13].color(), black13);
    QCOMPARE(g_pSecView->Graph().pens.curves[13].color(), black13);
    g_pResFrame->UpdateCommandUi();
    QVERIFY(g_pResFrame->Action(rescmd::BlackSet)->isChecked());

    // 32872 again: the window takes the focus and keeps its zoom; no dialog runs.
    QVERIFY(!s.Open([](VibRezBufDialog&, CVibRezBufDlg&) { return true; }));
    QCOMPARE(s.Model().shownFMin, zoomedMin);

    g_pBufFrame->Dispatch(gc::XFullRange);
    QVERIFY(s.Model().xFull);
    QVERIFY(!s.Enabled(gc::BufferShiftLeft));
}

void BufferWindowTest::dialogAddsCancelsAndDeletes()
{
    BufferSession s;
    CompareBuffer& buffer = g_pMainFrame->compareBuffer;
    const std::string before = Dump(buffer);

    // A task file to add.
    CKestrinDoc third;
    MakeTask(third);
    third.title = "третья";
    WideResults(third);
    const std::string path = s.session.dir.filePath("third.ktf").toStdString();
    {
        ModelGlobalsGuard keep;
        std::string error;
        QVERIFY2(third.SaveTaskFile(path, error), error.c_str());
    }
    std::string title;
    ScopedModalRunner<FileDialog> files([&](FileDialog& d) {
        title = d.m_strTitle + "|" + d.m_strFilter + "|" + d.m_strDefExt + (d.m_bFileMustExist ? "|exists" : "");
        d.m_strPathName = path;
        return IDOK;
    });
    int groupsShown = 0;
    // "Дополнить", then "Возврат": the buffer is as it was.
    QVERIFY(s.Open([&](VibRezBufDialog& dlg, CVibRezBufDlg&) {
        ClickButton(dlg, CVibRezBufDlg::kIdAdd);
        groupsShown = dlg.Tree()->topLevelItemCount();
        return false;
    }));
    QCOMPARE(title, std::string("Дополнение буфера сравнения|Файлы данных Kestrin (*.ktf)|*.ktf|||ktf|exists"));
    QCOMPARE(groupsShown, 3);
    QCOMPARE(Dump(buffer), before);
    QVERIFY(!g_pBufFrame);

    // A key that moves the highlight chooses the curve it reaches, so
    // "Удалить" acts on the highlighted item.
    std::uint32_t chosen = 0;
    QString marked;
    QVERIFY(s.Open([&](VibRezBufDialog& dlg, CVibRezBufDlg& m) {
        Click(dlg, CVibRezBufDlg::CurveItem(0, 0));
        QTest::keyClick(dlg.Tree(), Qt::Key_Down);
        chosen = m.SelectedItem();
        marked = dlg.Item(CVibRezBufDlg::CurveItem(0, 1))->text(0);
        return false;
    }));
    QCOMPARE(chosen, CVibRezBufDlg::CurveItem(0, 1));
    QVERIFY(marked.startsWith('+'));

    // Deleting a group's only curve removes the group's item.
    buffer.groups[0]->curves.resize(1);
    std::vector<int> counts;
    QVERIFY(s.Open([&](VibRezBufDialog& dlg, CVibRezBufDlg&) {
        s.msgs.queue(MsgAnswer::Yes);
        Click(dlg, CVibRezBufDlg::CurveItem(0, 0));
        ClickButton(dlg, CVibRezBufDlg::kIdDelete);
        counts = {dlg.Tree()->topLevelItemCount(), dlg.Tree()->topLevelItem(0)->childCount()};
        Click(dlg, CVibRezBufDlg::CurveItem(0, 2));
        return true;
    }));
    QCOMPARE(counts, (std::vector<int>{1, 3}));
    QCOMPARE(buffer.groups.size(), std::size_t(1));
    QCOMPARE(buffer.groups[0]->title, std::string("second"));
    QVERIFY(g_pBufFrame);
    QCOMPARE(int(s.Model().curveCount), 1);
}

void BufferWindowTest::bufferChangedUnderTheWindow()
{
    BufferSession s;
    QVERIFY(s.Open([](VibRezBufDialog& dlg, CVibRezBufDlg&) {
        Click(dlg, CVibRezBufDlg::CurveItem(0, 0));
        Click(dlg, CVibRezBufDlg::CurveItem(0, 2));
        return true;
    }));
    QCOMPARE(int(s.Model().curveCount), 2);
    CompareBuffer& buffer = g_pMainFrame->compareBuffer;

    // Road 1 with the window open: the open task's group is refilled unmarked,
    // and the next quantity command finds no curve.
    g_DocFile.pathName = "/tasks/first.ktf";
    buffer.PutTask(*g_pDoc, g_DocFile.pathName, "first");
    QCOMPARE(int(s.Model().curveCount), 2);
    g_pBufFrame->Dispatch(gc::GroupDelay);
    g_pBufView->grab();
    QCOMPARE(int(s.Model().curveCount), 0);
    for (int id : {gc::Attenuation, gc::XChoose, gc::Scale, gc::ByFrequency, gc::BufferShiftRight})
        QVERIFY2(!s.Enabled(id), QByteArray::number(id));
    for (int id : {rescmd::ChooseResults, rescmd::Copy, rescmd::LineStyle, rescmd::Legend})
        QVERIFY2(s.Enabled(id), QByteArray::number(id));

    // Closing the window keeps the buffer; a new task closes the window and keeps it too.
    const std::string kept = Dump(buffer);
    g_pBufFrame->Dispatch(rescmd::CloseWindow);
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!g_pBufFrame && !g_pBufView);
    QCOMPARE(Dump(buffer), kept);
    // A calculation closes it before its dialog runs.
    QVERIFY(s.Open(TwoCurvesRightImpedance));
    bool openDuringCalculation = true;
    {
        ScopedModalRunner<CRaschetDlg> calc([&](CRaschetDlg&) {
            openDuringCalculation = g_pBufFrame != nullptr;
            return IDCANCEL;
        });
        g_pMainFrame->OnCalcTract();
    }
    QVERIFY(!openDuringCalculation && !g_pBufFrame);
    QVERIFY(s.Open(TwoCurvesRightImpedance));
    s.session.Window()->Dispatch(cmd::ID_FILE_NEW);
    QVERIFY(!g_pBufFrame);
    QCOMPARE(buffer.groups.size(), std::size_t(2));
}

QTEST_MAIN(BufferWindowTest)
#include "buffer_qt_test.moc"

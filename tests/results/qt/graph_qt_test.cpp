// The results window's graphs offscreen, opened from the real main window on
// three results from 10 to 1000 kHz: every quantity painted, the mouse range
// choices, the scale, per-frequency and line-style dialogs, printing over
// pages, the bitmap copy, and a result that cannot be drawn.
#include "app/linestyles.h"
#include "dialogs/qt/useractions.h"
#include "dialogs/ui/numericedit.h"
#include "resultssession.h"
#include "results/ui/masshtabdialog.h"
#include "results/ui/prosmchastdialog.h"
#include "results/ui/secview.h"
#include "results/ui/stillindialog.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPrinter>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

namespace {

namespace gc = GraphCommand;

bool AllThreeAttenuation(VibRezDialog& dlg, CVibRezDlg&)
{
    for (int k = 0; k < 3; ++k)
        Click(dlg, CVibRezDlg::TractItem(std::size_t(k)));
    return true;
}

// Pixels of a picture that are not white.
int Inked(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) != Qt::white;
    return n;
}

struct GraphWindow {
    GraphWindow() : session([](CKestrinDoc& d) { WideResults(d); })
    {
        session.Choose(cmd::ID_VIEW_RESULTS, AllThreeAttenuation);
        frame = g_pResFrame;
        view = frame->View();
        frame->resize(760, 560);
        Repaint();
    }
    void Repaint()
    {
        QApplication::processEvents();
        view->viewport()->grab();
    }
    GraphModel& Model() { return view->Graph().model; }
    const GraphLayout& Layout() { return view->Graph().layout; }
    bool Enabled(int id)
    {
        frame->UpdateCommandUi();
        return frame->Action(id)->isEnabled();
    }
    void Drag(QPoint from, QPoint to)
    {
        QWidget* vp = view->viewport();
        QTest::mousePress(vp, Qt::LeftButton, {}, from);
        QTest::mouseMove(vp, (from + to) / 2);
        QTest::mouseMove(vp, to);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, to);
        Repaint();
    }

    ScriptedMessages msgs;
    Session session;
    CSecFrame* frame = nullptr;
    CSecView* view = nullptr;
};

} // namespace

class GraphTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_styles = LineStyleTables; }
    void cleanup() { LineStyleTables = m_styles; }
    void everyQuantityPaints();
    void mouseChoicesAndShifts();
    void scaleDialogRefusesThenSets();
    void perFrequencyDialogMovesTheCursor();
    void lineStyleDialogEditsOneEntry();
    void printsOverPagesAndCopiesTheBitmap();
    void resultThatCannotBeDrawn();

private:
    LineStyleSet m_styles;
};

void GraphTest::everyQuantityPaints()
{
    GraphWindow w;
    QCOMPARE(int(w.frame->State().ViewMode), 8);
    QCOMPARE(int(w.Model().curveCount), 3);
    QVERIFY(w.Enabled(rescmd::Copy));
    QVERIFY(!w.Enabled(rescmd::Tables));
    Shoot(w.frame, "results_graph_attenuation.png");
    const int commands[] = {gc::Attenuation, gc::GroupDelay,   gc::InputLeft,
                            gc::InputRight,  gc::MismatchLeft, gc::MismatchRight};
    for (int q = 0; q < 6; ++q) {
        w.frame->Dispatch(commands[q]);
        w.Repaint();
        QCOMPARE(int(w.frame->State().ViewMode), 8 + q);
        QVERIFY(w.Enabled(commands[q]) && w.frame->Action(commands[q])->isChecked());
        QVERIFY2(Inked(w.view->viewport()->grab().toImage()) > 3000, QByteArray::number(q));
    }
}

void GraphTest::mouseChoicesAndShifts()
{
    GraphWindow w;
    QVERIFY(!w.Enabled(gc::ResultsShiftLeft) && !w.Enabled(gc::ResultsShiftRight));
    QVERIFY(!w.Enabled(gc::XFullRange));

    // Frequencies: 123.4 to 456.7 kHz shows whole kHz 123 to 457 (on a window
    // wide enough for a pixel to be finer than the tenths).
    w.frame->resize(2800, 560);
    w.Repaint();
    w.frame->Dispatch(gc::XChoose);
    QVERIFY(w.frame->Action(gc::XChoose)->isChecked());
    const int y = w.Layout().xAxisY - 20;
    w.Drag(QPoint(w.Layout().FreqToX(123.4), y), QPoint(w.Layout().FreqToX(456.7), y));
    QCOMPARE(w.Model().shownFMin, 123.0);
    QCOMPARE(w.Model().shownFMax, 457.0);
    QVERIFY(!w.Model().xChoose);
    QVERIFY(w.Enabled(gc::ResultsShiftLeft) && w.Enabled(gc::ResultsShiftRight) && w.Enabled(gc::XFullRange));
    w.frame->Dispatch(gc::ResultsShiftRight);
    QVERIFY(w.Model().shownFMin > 123.0);

    // Values: a drag from 10 down to 0 shows that range.
    w.frame->Dispatch(gc::YChoose);
    const int x = w.Layout().plotLeft + 40;
    w.Drag(QPoint(x, w.Layout().ValueToY(10.0)), QPoint(x, w.Layout().ValueToY(0.0)));
    QVERIFY(std::abs(w.Model().shownYMax - 10.0) < 0.5);
    QVERIFY(std::abs(w.Model().shownYMin) < 0.5);
    QVERIFY(!w.Model().yFull);

    // The zoomed delay graph with its legend and markers.
    for (int k = 0; k < 3; ++k)
        LineStyleTables.markers[k] = 2 * 8 + 1 + 2 * k;
    w.frame->resize(760, 560);
    w.frame->Dispatch(gc::GroupDelay);
    w.Repaint();
    w.frame->Dispatch(gc::XChoose);
    w.Drag(QPoint(w.Layout().FreqToX(200), y), QPoint(w.Layout().FreqToX(400), y));
    Shoot(w.frame, "results_graph_delay_zoomed.png");

    w.frame->Dispatch(gc::XFullRange);
    QVERIFY(w.Model().xFull);
    QVERIFY(!w.Enabled(gc::ResultsShiftLeft) && !w.Enabled(gc::ResultsShiftRight));
}

void GraphTest::scaleDialogRefusesThenSets()
{
    GraphWindow w;
    int runs = 0;
    ScopedModalRunner<ScaleDialogModel> runner([&](ScaleDialogModel& model) {
        ++runs;
        MasshtabDialog dlg(model);
        dlg.show();
        Shoot(&dlg, "results_scale_dialog.png");
        // A lower limit above the upper one, then a word, then good values.
        dlg.Field(0)->setText("50");
        dlg.Field(2)->setText("10");
        dlg.accept();
        if (dlg.result() == QDialog::Accepted)
            return IDOK;
        dlg.Field(0)->setText("abc");
        dlg.accept();
        const char* good[6] = {"-10", "5", "30", "100", "100", "800"};
        for (int i = 0; i < 6; ++i)
            dlg.Field(i)->setText(good[i]);
        dlg.accept();
        return dlg.result() == QDialog::Accepted ? IDOK : IDCANCEL;
    });
    w.frame->Dispatch(gc::Scale);
    QCOMPARE(runs, 1);
    QCOMPARE(w.msgs.messages().size(), std::size_t(2));
    QCOMPARE(w.msgs.messages()[0].text, std::string("Некорректно заданы параметры!"));
    QCOMPARE(w.msgs.messages()[0].caption, std::string("Ошибка"));
    QVERIFY(w.msgs.messages()[0].icon == MsgIcon::Stop);
    QCOMPARE(w.msgs.messages()[1].text, std::string("Введите число."));
    QVERIFY(w.Model().manualScale);
    QCOMPARE(w.Model().shownFMin, 100.0);
    QCOMPARE(w.Model().shownFMax, 800.0);
    QCOMPARE(w.Model().shownYMax, 30.0);
}

void GraphTest::perFrequencyDialogMovesTheCursor()
{
    GraphWindow w;
    w.session.Choose(
        rescmd::ChooseResults,
        [](VibRezDialog& dlg, CVibRezDlg&) {
            Click(dlg, CVibRezDlg::TractItem(2));  // two curves left
            return true;
        },
        w.frame);
    QCOMPARE(int(w.Model().curveCount), 2);
    std::vector<bool> seen;
    std::vector<float> cursor;
    ScopedModalRunner<FrequencyViewRequest> runner([&](FrequencyViewRequest& request) -> int {
        ProsmChastDialog dlg(request);
        *request.published = &dlg;
        seen = {g_pSecFreqDlg == &dlg, w.Model().cursorShown, !dlg.ValueEdit(1)->isHidden(),
                dlg.ValueEdit(2)->isHidden(), dlg.LabelEdit(9)->isHidden(), dlg.FrequencyEdit()->text() == "10"};
        dlg.UpButton()->click();
        dlg.UpButton()->click();
        cursor.push_back(w.Model().cursorFreq);
        dlg.DownButton()->click();
        cursor.push_back(w.Model().cursorFreq);
        dlg.show();
        // A fraction typed key by key stays in the field as typed and moves
        // the cursor between two points.
        TypeInto(dlg.FrequencyEdit(), "25.5");
        seen.push_back(dlg.FrequencyEdit()->text() == "25.5" &&
                       dlg.ValueEdit(0)->text() != QString::fromUtf8("Нет"));
        cursor.push_back(w.Model().cursorFreq);
        Shoot(&dlg, "results_frequency_dialog.png");
        // Beyond the curves: no value.
        TypeInto(dlg.FrequencyEdit(), "2000");
        seen.push_back(dlg.ValueEdit(0)->text() == QString::fromUtf8("Нет"));
        cursor.push_back(w.Model().cursorFreq);
        *request.published = nullptr;
        return IDOK;
    });
    w.frame->Dispatch(gc::ByFrequency);
    QCOMPARE(seen, std::vector<bool>(8, true));
    QCOMPARE(cursor, (std::vector<float>{30.0f, 20.0f, 25.5f, 2000.0f}));
    QVERIFY(!w.Model().cursorShown);
    QVERIFY(!g_pSecFreqDlg);
}

void GraphTest::lineStyleDialogEditsOneEntry()
{
    GraphWindow w;
    const LineStyleSet before = LineStyleTables;
    const QColor pen3 = w.view->Graph().pens.curves[3].color();
    // Edited, then "Отменить": nothing changes.
    ScopedModalRunner<LineStyleEditModel> cancel([](LineStyleEditModel& m) {
        StilLinDialog dlg(m);
        dlg.Slider(0)->setValue(17);
        dlg.reject();
        return IDCANCEL;
    });
    w.frame->Dispatch(rescmd::LineStyle);
    QVERIFY(std::equal(std::begin(before.colours), std::end(before.colours), std::begin(LineStyleTables.colours)));
    QCOMPARE(w.view->Graph().pens.curves[3].color(), pen3);

    // Line 4 of the black set, brightness 100: entry 13 only.
    bool greenBlueHidden = false;
    ScopedModalRunner<LineStyleEditModel> save([&](LineStyleEditModel& m) -> int {
        StilLinDialog dlg(m);
        dlg.BlackRadio()->click();
        greenBlueHidden = dlg.Slider(1)->isHidden() && dlg.Slider(2)->isHidden();
        dlg.LineSpin()->setValue(4);
        dlg.Slider(0)->setValue(100);
        dlg.MarkerRadio(5)->click();
        dlg.show();
        Shoot(&dlg, "results_line_style_dialog.png");
        dlg.accept();
        return IDOK;
    });
    w.frame->Dispatch(rescmd::LineStyle);
    QVERIFY(greenBlueHidden);
    for (int i = 0; i < kLineStyleCount; ++i) {
        if (i == 13)
            continue;
        QCOMPARE(LineStyleTables.colours[i], before.colours[i]);
        QCOMPARE(LineStyleTables.markers[i], before.markers[i]);
    }
    QCOMPARE(LineStyleTables.colours[13], MakeColour(155, 155, 155));
    QCOMPARE(LineStyleTables.markers[13] & 7, 5);
    // The black set in use: curve 3 draws with entry 13.
    w.frame->Dispatch(rescmd::BlackSet);
    QVERIFY(w.frame->Action(rescmd::BlackSet)->isChecked());
    QCOMPARE(w.view->Graph().pens.curves[13].color(), QColor(155, 155, 155));
}

void GraphTest::printsOverPagesAndCopiesTheBitmap()
{
    GraphWindow w;
    // A window twice as tall as wide prints on two portrait pages.
    w.frame->resize(380, 860);
    w.Repaint();
    const QSize client = w.view->viewport()->size();
    QVERIFY(client.height() > 1.8 * client.width());
    const std::array<QPen, 20> pens = w.view->Graph().pens.curves;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageOrientation(QPageLayout::Portrait);
    const QString pdf = w.session.dir.filePath("graph.pdf");
    printer.setOutputFileName(pdf);
    const GraphPrintPages plan = w.view->PrintGraph(printer);
    QCOMPARE(plan.rows, 2);
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(int(bytes.count("/Type /Page") - bytes.count("/Type /Pages")), 2);
    for (int i = 0; i < 20; ++i)
        QCOMPARE(w.view->Graph().pens.curves[std::size_t(i)], pens[std::size_t(i)]);

    w.frame->Dispatch(rescmd::Copy);
    const QImage copied = QApplication::clipboard()->image();
    QCOMPARE(copied.size(), w.view->viewport()->size() * w.view->viewport()->devicePixelRatio());
    QVERIFY(w.msgs.messages().empty());
}

void GraphTest::resultThatCannotBeDrawn()
{
    ScriptedMessages msgs;
    Session s([](CKestrinDoc& doc) { doc.AddResponseResult(TaskResult(1)); });
    s.Choose(cmd::ID_VIEW_RESULTS, [](VibRezDialog& dlg, CVibRezDlg&) {
        Click(dlg, CVibRezDlg::TractItem(0));
        return true;
    });
    CSecFrame* frame = g_pResFrame;
    QCOMPARE(int(frame->State().ViewMode), 7);
    for (int id : {gc::Attenuation, gc::GroupDelay, gc::InputLeft, gc::InputRight, gc::MismatchLeft,
                   gc::MismatchRight}) {
        frame->Dispatch(id);
        QApplication::processEvents();
        frame->View()->viewport()->grab();
        frame->UpdateCommandUi();
        QCOMPARE(int(frame->View()->Graph().model.curveCount), 0);
        for (int graphCommand : {gc::XChoose, gc::YChoose, gc::XFullRange, gc::Scale, gc::ByFrequency,
                                 gc::ResultsShiftLeft, rescmd::Copy})
            QVERIFY2(!frame->Action(graphCommand)->isEnabled(), QByteArray::number(graphCommand));
        QVERIFY(frame->Action(rescmd::Tables)->isEnabled());
    }
    frame->Dispatch(rescmd::Tables);
    QVERIFY(frame->View()->lineCount() > 0);
}

QTEST_MAIN(GraphTest)
#include "graph_qt_test.moc"

// The calculation dialog and the modal-parameter dialog driven through the
// real main window offscreen, on a channel of a coupling device, an overhead
// line and a coupling device.
#include "../calcfixture.h"
#include "app/commandids.h"
#include "app/docfile.h"
#include "app/kestrinapp.h"
#include "app/mainframe.h"
#include "app/ui/mainwindow.h"
#include "app/ui/modraschdialog.h"
#include "app/ui/qtapphost.h"
#include "app/ui/qtmessagesink.h"
#include "app/ui/raschetdialog.h"
#include "calc/calcrun.h"
#include "model/document.h"
#include "model/modelglobals.h"
#include "platform/messages.h"
#include "dialogs/qt/useractions.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <functional>
#include <memory>

using namespace cmd;

namespace {

struct Session {
    explicit Session(const QTemporaryDir& dir)
    {
        const QString profile = dir.filePath("kestrin.ini");
        std::ofstream(profile.toStdString()) << "";
        ResetCalcSettings();
        app = std::make_unique<CKestrinApp>();
        app->m_strProfilePath = profile.toStdString();
        host = std::make_unique<QtAppHost>();
        started = app->InitInstance({}, *host);
        calcfixture::BuildChannel(*app->Document());
        g_nConductors = 3;
        Window()->UpdateCommandUi();
    }
    ~Session()
    {
        SetModifiedFlag(false);
        if (host && host->Window())
            host->Window()->close();
        app->ExitInstance();
        host.reset();
        app.reset();
        ResetCalcSettings();
    }
    MainWindow* Window() const { return host->Window(); }
    CKestrinDoc& Doc() const { return *app->Document(); }

    std::unique_ptr<CKestrinApp> app;
    std::unique_ptr<QtAppHost> host;
    bool started = false;
};

// Runs act on the dialog of class D once it is shown, then closes it with its
// "Возврат".  Keep the result while the command runs.
template <class D>
[[nodiscard]] WindowAnswer WhenOpen(std::function<void(D*)> act)
{
    return WhenShown<D>([act](D* d) {
        act(d);
        d->reject();
    });
}

// A click on a radio button's indicator (a radio stretched by its layout
// does not take clicks beyond its text).
void Click(QAbstractButton* b)
{
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
}

void Shot(QWidget* w, const char* name)
{
    QApplication::processEvents();
    QDir().mkpath(KESTRIN_SCREENSHOT_DIR);
    QVERIFY(w->grab().save(QString(KESTRIN_SCREENSHOT_DIR) + "/" + name));
}

} // namespace

class CalcTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterCalcDialogs(); }
    void rangeRunAddsOneResultAndShowsTheSnappedEnd();
    void refusedFrequenciesAndAFailedRunAddNothing();
    void modalDialogStoresOneResultPerFrequency();
    void progressStartsAtZeroBeforeTheFirstPoint();
    void clicksAndKeysDuringARunAreIgnored();
    void messageOfAFailedRunIsAnswered();
    void missingWiresAreNamedBesideTheGreyButton();
};

void CalcTest::rangeRunAddsOneResultAndShowsTheSnappedEnd()
{
    QTemporaryDir dir;
    ScriptedMessages msgs;
    Session s(dir);
    QVERIFY(s.started);
    QVERIFY(s.Window()->Action(ID_CALC_TRACT)->isEnabled());
    QVERIFY(!s.Window()->Action(ID_ADD_TO_BUFFER)->isEnabled());

    QString end, status;
    bool statusShown = false, progressHidden = false;
    auto dialog = WhenOpen<RaschetDialog>([&](RaschetDialog* d) {
        QVERIFY(!d->StatusLabel()->isVisible());
        QVERIFY(!d->Combo(0, 1)->isVisible());
        QVERIFY(d->ModeRadio(1)->isEnabled());  // two devices at each end
        QCOMPARE(d->Combo(0, 0)->count(), 2);
        QCOMPARE(d->Combo(0, 0)->itemData(1).toInt(), 1);
        Click(d->FreqModeRadio(1));
        QVERIFY(!d->FreqEdit()->isEnabled());
        TypeInto(d->StartEdit(), "50");
        TypeInto(d->EndEdit(), "1000");
        TypeInto(d->StepEdit(), "100");
        QTest::mouseClick(d->CalcButton(), Qt::LeftButton);
        end = d->EndEdit()->text();
        status = d->StatusLabel()->text();
        statusShown = d->StatusLabel()->isVisible();
        progressHidden = !d->Progress()->isVisible();
        // A second wire offered in wire-to-wire mode; screenshot after the run.
        Click(d->ModeRadio(1));
        QVERIFY(d->Combo(0, 1)->isVisible());
        QCOMPARE(d->Combo(0, 1)->currentText(), QString::fromUtf8("2 (B)"));
        QVERIFY(!d->StatusLabel()->isVisible());
        QTest::mouseClick(d->CalcButton(), Qt::LeftButton);
        Shot(d, "calculation_dialog.png");
    });
    s.Window()->Dispatch(ID_CALC_TRACT);
    QVERIFY(*dialog);
    QCOMPARE(end, QString("950"));
    QCOMPARE(status, QString::fromUtf8("Расчет завершен"));
    QVERIFY(statusShown);
    QVERIFY(progressHidden);
    QCOMPARE(s.Doc().responseResults.size(), std::size_t(2));
    QCOMPARE(s.Doc().responseResults[0]->PointCount(), 10);
    QCOMPARE(int(s.Doc().responseResults[1]->mode), int(kWireToWire));
    QVERIFY(g_DocFile.modified);
    QVERIFY(msgs.messages().empty());
    QVERIFY(s.Window()->Action(ID_ADD_TO_BUFFER)->isEnabled());

    // The next dialog opens with the frequencies of the last run, in mode 0.
    auto next = WhenOpen<RaschetDialog>([&](RaschetDialog* d) {
        QVERIFY(d->FreqModeRadio(1)->isChecked());
        QCOMPARE(d->EndEdit()->text(), QString("950"));
        QVERIFY(d->ModeRadio(0)->isChecked());
    });
    s.Window()->Dispatch(ID_CALC_TRACT);
    QVERIFY(*next);
    QCOMPARE(s.Doc().responseResults.size(), std::size_t(2));
}

void CalcTest::refusedFrequenciesAndAFailedRunAddNothing()
{
    QTemporaryDir dir;
    ScriptedMessages msgs;
    Session s(dir);
    auto dialog = WhenOpen<RaschetDialog>([&](RaschetDialog* d) {
        Click(d->FreqModeRadio(1));
        TypeInto(d->StartEdit(), "0");
        TypeInto(d->EndEdit(), "100");
        TypeInto(d->StepEdit(), "10");
        QTest::mouseClick(d->CalcButton(), Qt::LeftButton);
        Click(d->FreqModeRadio(0));
        TypeInto(d->FreqEdit(), "0");
        QTest::mouseClick(d->CalcButton(), Qt::LeftButton);
        QVERIFY(!d->StatusLabel()->isVisible());
    });
    s.Window()->Dispatch(ID_CALC_TRACT);
    QVERIFY(*dialog);
    QCOMPARE(msgs.messages().size(), std::size_t(2));
    QCOMPARE(QString::fromStdString(msgs.messages()[0].text),
             QString::fromUtf8("Некорректно задан расчетный диапазон частот!"));
    QCOMPARE(QString::fromStdString(msgs.messages()[1].text),
             QString::fromUtf8("Некорректно задана расчетная частота!"));
    QVERIFY(s.Doc().responseResults.empty());
    QVERIFY(!g_DocFile.modified);

    // A wire whose resistance overflows: the line's matrices are not finite
    // and the run stops at that element.
    msgs.clear();
    (*s.Doc().elements[1]->Data<CVLine>()->wireArray)[0].wireType.resistivity = 1e308;
    QString status;
    auto failing = WhenOpen<RaschetDialog>([&](RaschetDialog* d) {
        Click(d->FreqModeRadio(0));
        TypeInto(d->FreqEdit(), "1000");
        QTest::mouseClick(d->CalcButton(), Qt::LeftButton);
        status = d->StatusLabel()->isVisible() ? d->StatusLabel()->text() : QString();
    });
    s.Window()->Dispatch(ID_CALC_TRACT);
    QVERIFY(*failing);
    QCOMPARE(status, QString::fromUtf8("Расчет не завершен"));
    QCOMPARE(msgs.messages().size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(msgs.messages()[0].text),
             QString::fromUtf8("Ошибка при расчетах матриц элемента N 2.\nРасчет прекращен."));
    QVERIFY(s.Doc().responseResults.empty());
    QVERIFY(!g_DocFile.modified);
}

void CalcTest::modalDialogStoresOneResultPerFrequency()
{
    QTemporaryDir dir;
    ScriptedMessages msgs;
    Session s(dir);
    CMainFrame& frame = *s.app->MainFrame();
    frame.m_Template = *s.Doc().elements[1];
    frame.m_nSelected = 1;
    bool disabledAfterRun = false, doneShown = false, enabledAt101 = false;
    QString caption;
    auto dialog = WhenOpen<ModRaschDialog>([&](ModRaschDialog* d) {
        caption = d->CaptionLabel()->text();
        QVERIFY(!d->CalcButton()->isEnabled());
        TypeInto(d->FreqEdit(), "100");
        QTest::mouseClick(d->CalcButton(), Qt::LeftButton);
        TypeInto(d->FreqEdit(), "100");
        disabledAfterRun = !d->CalcButton()->isEnabled();
        doneShown = d->DoneLabel()->isVisible();
        Shot(d, "modal_parameter_dialog.png");
        TypeInto(d->FreqEdit(), "101");
        enabledAt101 = d->CalcButton()->isEnabled() && !d->DoneLabel()->isVisible();
    });
    // As the element menu of the selected line asks for it.
    s.Window()->Dispatch(ID_CALC_MODAL);
    QVERIFY(*dialog);
    QCOMPARE(caption, QString::fromUtf8("ВЛ 2"));
    QVERIFY(disabledAfterRun);
    QVERIFY(doneShown);
    QVERIFY(enabledAt101);
    QCOMPARE(s.Doc().modalResults.size(), std::size_t(1));
    QCOMPARE(int(s.Doc().modalResults[0]->m), 3);
    QCOMPARE(int(s.Doc().modalResults[0]->position), 1);
    QVERIFY(g_DocFile.modified);
    QVERIFY(msgs.messages().empty());
}

void CalcTest::progressStartsAtZeroBeforeTheFirstPoint()
{
    QTemporaryDir dir;
    ScriptedMessages msgs;
    Session s(dir);
    // The first value the bar shows, its range and whether it was on screen.
    int first = -1, maximum = -1;
    bool shown = false;
    auto dialog = WhenOpen<RaschetDialog>([&](RaschetDialog* d) {
        QObject::connect(d->Progress(), &QProgressBar::valueChanged, d, [&, d](int value) {
            if (first >= 0)
                return;
            first = value;
            maximum = d->Progress()->maximum();
            shown = d->Progress()->isVisible();
        });
        Click(d->FreqModeRadio(0));
        TypeInto(d->FreqEdit(), "100");
        QTest::mouseClick(d->CalcButton(), Qt::LeftButton);
    });
    s.Window()->Dispatch(ID_CALC_TRACT);
    QCOMPARE(first, 0);
    QCOMPARE(maximum, 1);
    QVERIFY(shown);
    QCOMPARE(s.Doc().responseResults.size(), std::size_t(1));
}

void CalcTest::clicksAndKeysDuringARunAreIgnored()
{
    QTemporaryDir dir;
    ScriptedMessages msgs;
    Session s(dir);
    // A click on "Рассчитать" and an Enter made while the first points run
    // wait in the queue until the run ends; a marker queued behind them
    // tells when they have been delivered.
    bool queued = false, delivered = false;
    auto dialog = WhenOpen<RaschetDialog>([&](RaschetDialog* d) {
        QPushButton* calc = d->CalcButton();
        QObject::connect(d->Progress(), &QProgressBar::valueChanged, d, [&, d, calc](int) {
            if (queued)
                return;
            queued = true;
            const QPointF at = calc->rect().center();
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
                QCoreApplication::postEvent(calc, new QMouseEvent(type, at, calc->mapToGlobal(at), Qt::LeftButton,
                                                                  type == QEvent::MouseButtonPress ? Qt::LeftButton
                                                                                                   : Qt::NoButton,
                                                                  Qt::NoModifier));
            for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
                QCoreApplication::postEvent(d, new QKeyEvent(type, Qt::Key_Return, Qt::NoModifier));
            QMetaObject::invokeMethod(d, [&delivered] { delivered = true; }, Qt::QueuedConnection);
        });
        Click(d->FreqModeRadio(1));
        TypeInto(d->StartEdit(), "50");
        TypeInto(d->EndEdit(), "1000");
        TypeInto(d->StepEdit(), "100");
        QTest::mouseClick(calc, Qt::LeftButton);
        QTRY_VERIFY(delivered);
        QApplication::processEvents();
    });
    s.Window()->Dispatch(ID_CALC_TRACT);
    QVERIFY(queued);
    QCOMPARE(s.Doc().responseResults.size(), std::size_t(1));
}

void CalcTest::messageOfAFailedRunIsAnswered()
{
    QTemporaryDir dir;
    Session s(dir);
    QtMessageSink sink;
    MessageSink* previous = SetMessageSink(&sink);
    // A wire whose resistance overflows stops the run with a message, shown
    // while the run still holds the dialog; the user's click answers it.
    (*s.Doc().elements[1]->Data<CVLine>()->wireArray)[0].wireType.resistivity = 1e308;
    QString text;
    int tries = 0;
    auto answer = WhenShown<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        ++tries;
        // A click that does not reach the box leaves it open: the test fails
        // here and the watch closes the box.
        const QPointer<QMessageBox> open(box);
        QTest::mouseClick(box->buttons().front(), Qt::LeftButton);
        QTRY_VERIFY(!open || !open->isVisible());
    });
    auto dialog = WhenOpen<RaschetDialog>([&](RaschetDialog* d) {
        Click(d->FreqModeRadio(0));
        TypeInto(d->FreqEdit(), "1000");
        QTest::mouseClick(d->CalcButton(), Qt::LeftButton);
    });
    s.Window()->Dispatch(ID_CALC_TRACT);
    SetMessageSink(previous);
    QCOMPARE(text, QString::fromUtf8("Ошибка при расчетах матриц элемента N 2.\nРасчет прекращен."));
    QCOMPARE(tries, 1);
}

void CalcTest::missingWiresAreNamedBesideTheGreyButton()
{
    QTemporaryDir dir;
    ScriptedMessages msgs;
    Session s(dir);
    // The receiving coupling device was confirmed without its devices.
    calcfixture::BuildChannel(s.Doc(), {0, 1}, {});
    bool grey = false;
    QString said;
    auto dialog = WhenOpen<RaschetDialog>([&](RaschetDialog* d) {
        grey = !d->CalcButton()->isEnabled();
        said = d->StatusLabel()->isVisible() ? d->StatusLabel()->text() : QString();
        Shot(d, "calculation_dialog_without_receiver.png");
    });
    s.Window()->Dispatch(ID_CALC_TRACT);
    QVERIFY(grey);
    QCOMPARE(said, QString::fromUtf8("Приемник не к чему подключить: в конце тракта не введены устройства "
                                     "присоединения или нагрузки."));
}

QTEST_MAIN(CalcTest)
#include "calc_qt_test.moc"

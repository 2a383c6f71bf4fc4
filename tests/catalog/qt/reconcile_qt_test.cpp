// The two windows of the check of a task against its catalog, offscreen, and
// the check run by the program when a task whose catalog file is missing is
// opened.
#include "app/currentbase.h"
#include "app/kestrinapp.h"
#include "app/ui/mainwindow.h"
#include "app/ui/qtapphost.h"
#include "catalog/baserestoredlg.h"
#include "catalog/provrazndlg.h"
#include "catalog/ui/baserestoredialog.h"
#include "catalog/ui/catalogdialogs.h"
#include "catalog/ui/provrazndialog.h"
#include "model/base.h"
#include "model/document.h"
#include "model/modelglobals.h"
#include "model/samples.h"
#include "platform/messages.h"
#include "dialogs/qt/useractions.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <sstream>

namespace {

void Shot(QWidget& w, const char* name)
{
    QApplication::processEvents();
    QDir().mkpath(KESTRIN_SCREENSHOT_DIR);
    QVERIFY(w.grab().save(QString(KESTRIN_SCREENSHOT_DIR) + "/" + name + ".png"));
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

class ReconcileWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void restoreDialogCannotBeDismissed();
    void differenceDialogAnswersAndCloseCancels();
    void openingATaskWithoutItsCatalogRestoresIt();
};

void ReconcileWindowsTest::restoreDialogCannotBeDismissed()
{
    CBaseRestoreDlg model;
    model.m_strPath = "/home/user/Kestrin/lost.kdb";
    model.m_bKeepEnabled = false;
    BaseRestoreDialog dlg(model);
    dlg.show();
    QVERIFY(!dlg.KeepButton()->isEnabled());
    Shot(dlg, "restore_dialog");
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QVERIFY(dlg.isVisible());
    dlg.close();
    QVERIFY(dlg.isVisible());
    dlg.FindButton()->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(model.m_nAnswer, CBaseRestoreDlg::kFindFile);

    CBaseRestoreDlg loaded;
    loaded.m_bKeepEnabled = true;
    BaseRestoreDialog keep(loaded);
    QVERIFY(keep.KeepButton()->isEnabled());
    loaded.m_nAnswer = 0;
    keep.KeepButton()->click();
    QCOMPARE(loaded.m_nAnswer, CBaseRestoreDlg::kKeepCurrent);
}

void ReconcileWindowsTest::differenceDialogAnswersAndCloseCancels()
{
    const struct {
        const char* button;
        std::uint8_t answer;
    } cases[] = {{"changeTask", 0}, {"changeBase", 1}, {"skip", 2}, {"cancelCheck", 3}, {nullptr, 3}};
    for (const auto& c : cases) {
        CProvRaznDlg model;
        model.m_nKind = 0;
        model.m_nCount = 5;
        model.m_strName = "П110";
        ProvRaznDialog dlg(model);
        dlg.show();
        QCOMPARE(dlg.findChild<QLabel*>("item")->text(), QString::fromUtf8("Опора П110 (проводов - 5)"));
        if (c.button) {
            dlg.findChild<QPushButton*>(c.button)->click();
        } else {
            Shot(dlg, "difference_dialog");
            dlg.close();
        }
        QCOMPARE(model.m_nKind, c.answer);
        QCOMPARE(dlg.result(), int(c.answer == 3 ? QDialog::Rejected : QDialog::Accepted));
    }
}

void ReconcileWindowsTest::openingATaskWithoutItsCatalogRestoresIt()
{
    QTemporaryDir dir;
    const std::string task = dir.filePath("line.ktf").toStdString();
    const std::string lost = dir.filePath("lost.kdb").toStdString();
    {
        ModelGlobalsGuard keep;
        CKestrinDoc doc;
        doc.title = "Линия";
        doc.conductorCount = 5;
        doc.basePath = lost;
        auto e = std::make_unique<CElement>();
        e->SetType(kOverheadLine);
        e->cellX = 1;
        e->cellY = 3;
        e->entered = 1;
        e->data = std::make_unique<CVLine>(MakeVLine(0));
        doc.AppendElement(std::move(e));
        std::string error;
        QVERIFY2(doc.SaveTaskFile(task, error), error.c_str());
    }
    {
        std::ofstream(dir.filePath("kestrin.ini").toStdString()) << "";
    }
    ScriptedMessages msgs;
    CKestrinApp app;
    app.m_strProfilePath = dir.filePath("kestrin.ini").toStdString();
    QtAppHost host;
    QVERIFY(app.InitInstance({}, host));
    RegisterCatalogDialogs();
    auto restore = WhenShown<BaseRestoreDialog>([](BaseRestoreDialog* d) {
        auto* b = d->findChild<QPushButton*>("restore");
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
    });
    QVERIFY(app.OpenDocumentFile(task));
    QVERIFY(*restore);

    QCOMPARE(g_strBasePath, lost);
    QCOMPARE(g_bBaseLoaded, 1);
    CBase expected;
    CollectTaskItems(*g_pDoc, expected);
    std::string error;
    const std::string expectedPath = dir.filePath("expected.kdb").toStdString();
    QVERIFY(SaveBaseFile(expectedPath, expected, error));
    QCOMPARE(FileBytes(lost), FileBytes(expectedPath));
    QVERIFY(host.Window()->windowTitle().endsWith(QString::fromUtf8("База: lost")));
    QVERIFY(msgs.messages().empty());
    host.Window()->close();
    app.ExitInstance();
}

QTEST_MAIN(ReconcileWindowsTest)
#include "reconcile_qt_test.moc"

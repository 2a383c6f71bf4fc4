// The bypass sheet of each kind through its widgets.
#include "dialogs/bypassvalidation.h"
#include "dialogs/catalogitemstore.h"
#include "dialogs/dialogglobals.h"
#include "dialogs/ui/circuitboxes.h"
#include "dialogs/ui/obhmatpage.h"
#include "dialogs/ui/obhobhpage.h"
#include "dialogs/ui/obhodsheetdialog.h"
#include "dialogs/ui/obhvibpage.h"
#include "dialogs/ui/obhzagpage.h"
#include "model/element.h"
#include "platform/messages.h"
#include "useractions.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

namespace {

void Screenshot(QWidget& w, const QString& name)
{
    w.show();
    QApplication::processEvents();
    QDir().mkpath(KESTRIN_SCREENSHOT_DIR);
    QVERIFY(w.grab().save(QString(KESTRIN_SCREENSHOT_DIR) + "/" + name + ".png"));
}

// Every page of the sheet, one picture each.
void ScreenshotPages(ObhodSheetDialog& dlg, const QString& prefix)
{
    for (int i = 0; i < dlg.Tabs()->count(); ++i) {
        dlg.Tabs()->setCurrentIndex(i);
        Screenshot(dlg, prefix + QString::number(i + 1));
    }
}

void Choose(QComboBox* combo, const QString& text)
{
    const int i = combo->findText(text);
    QVERIFY2(i >= 0, qPrintable(text));
    combo->setCurrentIndex(i);
    emit combo->activated(i);
}

// Two circuits and a ground wire; the bypass on circuit 1 (selective) or all wires.
CElement Bypass(int kind, int selective)
{
    CElement e;
    e.SetType(kBypass);
    const int codes[7] = {0, 1, 2, 4, 5, 6, 3};
    for (int j = 0; j < 7; ++j)
        e.inMap[j] = e.outMap[j] = codes[j];
    e.wirePositions = 7;
    e.circuits = 2;
    e.groundWires = 1;
    auto b = std::make_unique<CEObhod>();
    b->kind = std::uint8_t(kind);
    b->selectionMode = std::uint8_t(selective);
    if (selective) {
        std::fill(std::begin(b->flags), std::end(b->flags), std::uint8_t(0));
        b->flags[0] = b->flags[1] = b->flags[2] = 1;
        b->n = 3;
    } else {
        b->n = 7;
    }
    e.data = std::move(b);
    return e;
}

std::vector<std::string> Texts(const ScriptedMessages& m)
{
    std::vector<std::string> texts;
    for (const auto& x : m.messages())
        texts.push_back(x.text);
    return texts;
}

} // namespace

class BypassSheetTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void substationSheet();
    void fieldSheet();
    void cableInsertSheet();
    void readOnlyOutsideEditing();

private:
    void EnterLine(ObhObhPage* p, const char* before, const char* after, const char* length);
    CatalogSaveHook m_save;
};

void BypassSheetTest::init()
{
    ResetDialogGlobals();
    g_CurBase.RemoveAll();
    g_TaskBase.RemoveAll();
    for (int type : {0, 1}) {
        auto f = std::make_unique<CFiltr>();
        f->name = "ФП-4";
        f->type = std::uint8_t(type);
        g_CurBase.filters[type].push_back(std::move(f));
    }
    g_CurBase.hfCables.push_back(std::make_unique<CProvod>());
    g_CurBase.hfCables.back()->name = "РК-75";
    m_save = SetCatalogSaveHook([] { return true; });
}

void BypassSheetTest::cleanup()
{
    SetCatalogSaveHook(std::move(m_save));
    g_CurBase.RemoveAll();
    g_TaskBase.RemoveAll();
}

void BypassSheetTest::EnterLine(ObhObhPage* p, const char* before, const char* after, const char* length)
{
    for (int s = 0; s < 2; ++s) {
        Choose(p->SideControls(s).wire, QString::fromUtf8(s == 0 ? before : after));
        Choose(p->SideControls(s).filter, QString::fromUtf8("ФП-4 тип 1"));
        if (p->SideControls(s).cableGroup->isVisibleTo(p)) {
            Choose(p->SideControls(s).cable, QString::fromUtf8("РК-75"));
            TypeInto(p->SideControls(s).length, length);
        }
    }
    QTest::mouseClick(p->EnterButton(), Qt::LeftButton);
}

void BypassSheetTest::substationSheet()
{
    ScriptedMessages msgs;
    CElement e = Bypass(0, 1);
    CObhodSheet sheet(e, 0, nullptr, true);
    ObhodSheetDialog dlg(sheet);
    QCOMPARE(dlg.windowTitle(), QString::fromUtf8("Обход промежуточной подстанции"));
    QVERIFY(dlg.CancelButton()->isVisibleTo(&dlg));
    QCOMPARE(dlg.Tabs()->count(), 4);
    QCOMPARE(dlg.Tabs()->tabText(0), QString::fromUtf8("Выбор цепи"));
    ObhVibPage* vib = dlg.VibPage();
    QVERIFY(vib->Boxes());
    QCOMPARE(vib->Boxes()->Count(), 3);
    QVERIFY(vib->Boxes()->Box(0)->isChecked());
    QVERIFY(!vib->KindRadio(1)->isEnabled());
    vib->Boxes()->Box(1)->click();  // the bypass moves to circuit 2
    QVERIFY(!vib->Boxes()->Box(0)->isChecked());
    vib->Boxes()->Box(0)->click();  // and back

    dlg.Tabs()->setCurrentIndex(2);
    ObhObhPage* obh = dlg.ObhPage();
    QVERIFY(obh->EquipmentGroup()->isVisibleTo(obh));
    obh->EquipmentBox()->click();
    TypeInto(obh->REdit(), "сто");
    EnterLine(obh, "1 (A)", "1 (A)", "200");
    QCOMPARE(msgs.messages().back().text, std::string("Введите число."));
    TypeInto(obh->REdit(), "100");
    QTest::mouseClick(obh->EnterButton(), Qt::LeftButton);
    QCOMPARE(obh->List()->rowCount(), 3);
    QCOMPARE(obh->List()->item(2, 3)->text(), QString("100/0/0"));
    QCOMPARE(obh->List()->item(0, 5)->text(), QString::fromUtf8("Нет"));

    dlg.Tabs()->setCurrentIndex(3);
    ObhMatPage* mat = dlg.MatPage();
    TypeInto(mat->CequivEdit(), "1000");
    mat->MutualBox()->click();
    QVERIFY(mat->MatrixGroup()->isVisibleTo(mat));
    TypeInto(mat->CEdit(), "15");
    QTest::mouseClick(mat->EnterButton(), Qt::LeftButton);
    QCOMPARE(mat->Matrix()->item(0, 2)->text(), QString("15"));
    ScreenshotPages(dlg, "bypass_substation_page");
    msgs.clear();
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(msgs.messages().empty());
    QCOMPARE(e.entered, 1);
    const CEObhod& b = *e.Data<CEObhod>();
    QCOMPARE(b.lines.size(), std::size_t(1));
    QCOMPARE(b.lines[0].r, 100.0);
    QVERIFY(b.triangle.has_value());
    QCOMPARE(b.equivalentCapacitance, 1e-9);
}

void BypassSheetTest::fieldSheet()
{
    ScriptedMessages msgs;
    CElement e = Bypass(1, 0);
    CObhodSheet sheet(e, 0, nullptr, true);
    ObhodSheetDialog dlg(sheet);
    QCOMPARE(dlg.Tabs()->count(), 2);
    QVERIFY(!dlg.VibPage());
    dlg.Tabs()->setCurrentIndex(1);
    ObhObhPage* obh = dlg.ObhPage();
    QCOMPARE(obh->SideControls(1).group->title(), QString::fromUtf8("В конце"));
    QVERIFY(!obh->EquipmentGroup()->isVisibleTo(obh));
    QVERIFY(!obh->SideControls(0).polarity->isVisibleTo(obh));
    EnterLine(obh, "1 (A)", "1 (A)", "30");
    QCOMPARE(msgs.messages().back().text, std::string(kFieldSameWireText));
    Choose(obh->SideControls(1).wire, "2 (B)");
    QTest::mouseClick(obh->EnterButton(), Qt::LeftButton);
    QCOMPARE(obh->List()->columnCount(), 5);
    QCOMPARE(obh->List()->rowCount(), 3);
    ScreenshotPages(dlg, "bypass_field_page");
    // Cancel writes nothing back (the caller keeps the element).
    dlg.reject();
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

void BypassSheetTest::cableInsertSheet()
{
    ScriptedMessages msgs;
    CElement e = Bypass(2, 0);
    CObhodSheet sheet(e, 0, nullptr, true);
    ObhodSheetDialog dlg(sheet);
    QCOMPARE(dlg.windowTitle(), QString::fromUtf8("Обход кабельной линии"));
    QCOMPARE(dlg.Tabs()->count(), 4);
    QVERIFY(dlg.KLPage());
    QCOMPARE(dlg.Tabs()->tabText(3), QString::fromUtf8("Выбор цепи"));
    dlg.Tabs()->setCurrentIndex(3);
    QVERIFY(!dlg.VibPage()->Boxes()->Box(0)->isEnabled());  // all circuits: every box ticked and fixed
    ScreenshotPages(dlg, "bypass_cable_insert_page");
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(Texts(msgs), (std::vector<std::string>{kBadInsertText, kNoBypassLinesText}));
    QCOMPARE(e.entered, 0);
}

void BypassSheetTest::readOnlyOutsideEditing()
{
    ScriptedMessages msgs;
    CElement e = Bypass(0, 0);
    CObhodSheet sheet(e, 0, nullptr, false);
    ObhodSheetDialog dlg(sheet);
    QVERIFY(!dlg.CancelButton()->isVisibleTo(&dlg));
    dlg.Tabs()->setCurrentIndex(1);
    ObhObhPage* obh = dlg.ObhPage();
    QVERIFY(!obh->EnterButton()->isVisibleTo(obh));
    QVERIFY(!obh->SideControls(0).filter->isEnabled());
    QVERIFY(obh->SideControls(0).length->isReadOnly());
    Screenshot(dlg, "bypass_readonly");
    dlg.accept();
    QVERIFY(msgs.messages().empty());
    QCOMPARE(e.entered, 0);
}

QTEST_MAIN(BypassSheetTest)
#include "bypasssheet_qt_test.moc"

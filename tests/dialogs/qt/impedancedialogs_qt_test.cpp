// The shunt and series impedance dialogs and the bypass's line-trap page
// through their widgets.
#include "dialogs/catalogitemstore.h"
#include "dialogs/dialogglobals.h"
#include "dialogs/ui/obhzagpage.h"
#include "dialogs/ui/propertysheetdialog.h"
#include "dialogs/ui/shuntdialog.h"
#include "model/coupling.h"
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
#include <QTableWidget>
#include <QTest>

namespace {

void Screenshot(QWidget& w, const char* name)
{
    w.show();
    QApplication::processEvents();
    QDir().mkpath(KESTRIN_SCREENSHOT_DIR);
    QVERIFY(w.grab().save(QString(KESTRIN_SCREENSHOT_DIR) + "/" + name + ".png"));
}

void Choose(QComboBox* combo, const QString& text)
{
    const int i = combo->findText(text);
    QVERIFY2(i >= 0, qPrintable(text));
    combo->setCurrentIndex(i);
    emit combo->activated(i);
}

CElement Element(int type)
{
    CElement e;
    e.SetType(type);
    for (int j = 0; j < 3; ++j)
        e.inMap[j] = e.outMap[j] = j;
    e.inMap[3] = e.outMap[3] = 3;
    e.wirePositions = 4;
    e.circuits = 1;
    e.groundWires = 1;
    return e;
}

std::string Last(const ScriptedMessages& m)
{
    return m.messages().empty() ? std::string() : m.messages().back().text;
}

class PageSheet : public PropertySheetModel {
public:
    PageSheet() { AddPage(&page); }
    CObhZag page;
};

} // namespace

class ImpedanceDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void shuntThroughItsControls();
    void seriesThroughItsControls();
    void readOnlyOutsideEditing();
    void trapPageInASheetOfItsOwn();

private:
    CatalogSaveHook m_save;
};

void ImpedanceDialogsTest::init()
{
    g_CurBase.RemoveAll();
    g_TaskBase.RemoveAll();
    auto trap = std::make_unique<CZagrad>();
    trap->name = "ВЗ-630";
    g_CurBase.traps.push_back(std::move(trap));
    m_save = SetCatalogSaveHook([] { return true; });
}

void ImpedanceDialogsTest::cleanup()
{
    SetCatalogSaveHook(std::move(m_save));
    g_CurBase.RemoveAll();
    g_TaskBase.RemoveAll();
    ResetDialogGlobals();
}

void ImpedanceDialogsTest::shuntThroughItsControls()
{
    ScriptedMessages msgs;
    CElement e = Element(kShuntImpedance);
    e.data = std::make_unique<CEShunt>();
    CShuntDlg model;
    model.m_pElement = &e;
    model.m_pEShunt = e.Data<CEShunt>();
    ShuntDialog dlg(model);
    const ImpedanceControls& c = dlg.Controls();
    QCOMPARE(dlg.Wire2()->count(), 5);
    QCOMPARE(dlg.Wire2()->itemText(4), QString::fromUtf8("Земля"));

    Choose(dlg.Wire1(), "1 (A)");
    Choose(dlg.Wire2(), "2 (B)");
    TypeInto(c.r, "сто");
    QTest::mouseClick(c.enter, Qt::LeftButton);
    QCOMPARE(Last(msgs), std::string("Введите число."));
    TypeInto(c.r, "100");
    TypeInto(c.l, "2");
    TypeInto(c.c, "500");
    QTest::mouseClick(c.enter, Qt::LeftButton);
    QCOMPARE(c.list->rowCount(), 1);
    QCOMPARE(c.list->item(0, 3)->text(), QString("100"));
    Choose(dlg.Wire2(), "Земля");
    c.zeroBox->click();
    QVERIFY(!c.r->isEnabled());
    QTest::mouseClick(c.enter, Qt::LeftButton);
    QCOMPARE(c.list->rowCount(), 2);
    QCOMPARE(c.list->item(1, 2)->text(), QString::fromUtf8("Земля"));
    QCOMPARE(c.list->item(1, 3)->text(), QString::fromUtf8("КЗ"));
    QVERIFY(c.remove->isEnabled());
    Screenshot(dlg, "shunt_circuits");
    QTest::mouseClick(c.remove, Qt::LeftButton);
    QCOMPARE(c.list->rowCount(), 1);

    // The trap kind discards the branches at once.
    c.trapKind->click();
    QCOMPARE(c.list->rowCount(), 0);
    QCOMPARE(c.list->columnCount(), 4);
    QVERIFY(c.trap->isEnabled());
    Choose(c.trap, "ВЗ-630");
    Choose(dlg.Wire1(), "3 (C)");
    Choose(dlg.Wire2(), "4 (T)");
    QTest::mouseClick(c.enter, Qt::LeftButton);
    QCOMPARE(c.list->item(0, 3)->text(), QString::fromUtf8("ВЗ-630"));
    dlg.CequivBox()->click();
    TypeInto(dlg.CequivEdit(), "1500");
    Screenshot(dlg, "shunt_traps");
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(e.entered, 1);
    QCOMPARE(e.Data<CEShunt>()->capacitance, 1.5e-9);
    QCOMPARE(int(e.Data<CEShunt>()->count), 1);
}

void ImpedanceDialogsTest::seriesThroughItsControls()
{
    ScriptedMessages msgs;
    CElement e = Element(kSeriesImpedance);
    e.data = std::make_unique<CEShunt>();
    CPoslSoprDlg model;
    model.m_pElement = &e;
    model.m_pEShunt = e.Data<CEShunt>();
    PoslSoprDialog dlg(model);
    const ImpedanceControls& c = dlg.Controls();
    QCOMPARE(c.list->rowCount(), 4);
    TypeInto(c.r, "-3");
    QTest::mouseClick(c.enter, Qt::LeftButton);
    QCOMPARE(Last(msgs), std::string("Заданы не все параметры шунта или данные некорректны!"));
    c.zeroBox->click();
    QTest::mouseClick(c.enter, Qt::LeftButton);
    QCOMPARE(c.list->item(0, 1)->text(), QString::fromUtf8("Обрыв"));
    QCOMPARE(dlg.Wire()->currentIndex(), 1);
    c.zeroBox->click();
    TypeInto(c.r, "50");
    QTest::mouseClick(c.enter, Qt::LeftButton);
    QCOMPARE(c.list->item(1, 1)->text(), QString("50"));
    Screenshot(dlg, "series_circuits");
    c.trapKind->click();
    QCOMPARE(c.list->item(0, 1)->text(), QString::fromUtf8("Нет"));
    Choose(c.trap, "ВЗ-630");
    QTest::mouseClick(c.enter, Qt::LeftButton);  // on wire 3, still current
    QCOMPARE(c.list->item(2, 1)->text(), QString::fromUtf8("ВЗ-630"));
    Screenshot(dlg, "series_traps");
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(e.entered, 1);
    QCOMPARE(int(e.Data<CEShunt>()->trapKind), 1);

    // Cancel writes nothing into the element's list.
    CPoslSoprDlg again;
    again.m_pElement = &e;
    again.m_pEShunt = e.Data<CEShunt>();
    PoslSoprDialog dlg2(again);
    QTest::mouseClick(dlg2.Controls().remove, Qt::LeftButton);
    dlg2.Controls().cancel->click();
    QCOMPARE(dlg2.result(), int(QDialog::Rejected));
    QCOMPARE(e.Data<CEShunt>()->branches.size(), std::size_t(1));
}

void ImpedanceDialogsTest::readOnlyOutsideEditing()
{
    CElement e = Element(kShuntImpedance);
    auto shunt = std::make_unique<CEShunt>();
    CShunt branch;
    branch.secondWire = 1;
    branch.r = 10;
    shunt->branches.push_back(branch);
    e.data = std::move(shunt);
    CShuntDlg model;
    model.m_pElement = &e;
    model.m_pEShunt = e.Data<CEShunt>();
    model.editing = false;
    ShuntDialog dlg(model);
    const ImpedanceControls& c = dlg.Controls();
    QVERIFY(c.r->isReadOnly());
    QVERIFY(!c.trapKind->isEnabled());
    QVERIFY(c.circuitKind->isEnabled());
    QVERIFY(!dlg.Wire1()->isEnabled());
    Screenshot(dlg, "shunt_readonly");
    QVERIFY(!c.enter->isVisible());
    QVERIFY(!c.cancel->isVisible());
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Rejected));

    CElement s = Element(kSeriesImpedance);
    s.data = std::make_unique<CEShunt>();
    CPoslSoprDlg series;
    series.m_pElement = &s;
    series.m_pEShunt = s.Data<CEShunt>();
    series.editing = false;
    PoslSoprDialog dlg2(series);
    Screenshot(dlg2, "series_readonly");
    QVERIFY(!dlg2.Controls().enter->isVisible());
}

void ImpedanceDialogsTest::trapPageInASheetOfItsOwn()
{
    ScriptedMessages msgs;
    CElement e = Element(kBypass);
    auto bypass = std::make_unique<CEObhod>();
    bypass->n = 3;
    bypass->flags[3] = 0;
    bypass->lines.emplace_back();
    e.data = std::move(bypass);
    PageSheet sheet;
    sheet.page.m_pElement = &e;
    sheet.page.m_pEObhod = e.Data<CEObhod>();
    PropertySheetDialog dlg(sheet, QString::fromUtf8("Обход промежуточной подстанции"));
    auto* page = new ObhZagPage(sheet.page);
    page->AddTo(dlg);
    dlg.Start();
    const ObhZagPage::Side& before = page->SideControls(0);
    QCOMPARE(before.group->title(), QString::fromUtf8("До подстанции"));
    QCOMPARE(before.wire->count(), 3);
    QCOMPARE(before.list->item(2, 0)->text(), QString("3 (C)"));
    QTest::mouseClick(before.enter, Qt::LeftButton);
    QCOMPARE(Last(msgs), std::string("Не выбран заградитель!"));
    Choose(before.trap, "ВЗ-630");
    QTest::mouseClick(before.enter, Qt::LeftButton);
    QTest::mouseClick(before.enter, Qt::LeftButton);
    QCOMPARE(before.list->item(1, 1)->text(), QString::fromUtf8("ВЗ-630"));
    QCOMPARE(before.wire->currentIndex(), 2);
    QTest::mouseClick(before.remove, Qt::LeftButton);
    QCOMPARE(before.list->item(2, 1)->text(), QString::fromUtf8("Нет"));
    TypeInto(page->NameEdit(), "ПС Южная");
    Screenshot(dlg, "bypass_trap_page");
    msgs.clear();
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(msgs.messages().empty());
    QCOMPARE(e.entered, 1);
    QCOMPARE(e.name, std::string("ПС Южная"));
    QCOMPARE(e.Data<CEObhod>()->traps[0].branches.size(), std::size_t(2));
}

QTEST_MAIN(ImpedanceDialogsTest)
#include "impedancedialogs_qt_test.moc"

// The overhead line sheet through its real widgets: typing, tower choice,
// entering wires, tab changes that a page refuses, OK from the last page,
// Cancel, and the read-only sheet outside editing mode.
#include "dialogs/catalogitemstore.h"
#include "dialogs/ui/drawingwidget.h"
#include "dialogs/ui/numericedit.h"
#include "dialogs/ui/vlinesheetdialog.h"
#include "dialogs/ui/vlpage1widget.h"
#include "dialogs/ui/vlpage2widget.h"
#include "dialogs/ui/vlpage3widget.h"
#include "dialogs/vlinesheet.h"
#include "model/base.h"
#include "model/document.h"
#include "model/element.h"
#include "model/lines.h"
#include "model/modelglobals.h"
#include "platform/messages.h"
#include "useractions.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace {

void Save(QWidget* w, const char* name)
{
    QApplication::processEvents();
    const QString dir = QString(KESTRIN_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    QVERIFY(w->grab().save(dir + "/" + name));
}

void Choose(QComboBox* combo, const char* text)
{
    const int index = combo->findText(QString::fromUtf8(text));
    QVERIFY(index >= 0);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

// A radio button is hit on its indicator, not where a wide layout centres it.
void ClickRadio(QRadioButton* radio)
{
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
}

// One of the arrows beside a list, clicked as the mouse clicks it.
void ClickArrow(ListStepper* stepper, Qt::ArrowType arrow)
{
    for (QToolButton* b : stepper->findChildren<QToolButton*>())
        if (b->arrowType() == arrow) {
            QTest::mouseClick(b, Qt::LeftButton);
            return;
        }
    QFAIL("no such arrow");
}

COpora Tower()
{
    COpora t;
    t.name = "П110-1";
    t.count = 4;
    t.x = {-4.2, 0, 4.2, 0};
    t.y = {18, 18, 18, 25};
    return t;
}

CProvod Wire(const char* name)
{
    CProvod w;
    w.name = name;
    w.radius = 0.0121;
    w.twist = 1;
    w.resistivity = 3e-8;
    return w;
}

} // namespace

class VLineSheetQtTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void linesAreEnteredThroughThePages();
    void cancelAnswersCancel();
    void readOnlyOutsideEditingMode();

private:
    CElement& Element();
    CKestrinDoc m_doc;
    CatalogSaveHook m_previousHook;
};

void VLineSheetQtTest::init()
{
    ResetModelGlobals();
    g_TaskBase.RemoveAll();
    g_CurBase.RemoveAll();
    g_TaskBase.towers.push_back(std::make_unique<COpora>(Tower()));
    g_TaskBase.phaseWires.push_back(std::make_unique<CProvod>(Wire("АС-240/32")));
    g_CurBase.groundWires.push_back(std::make_unique<CProvod>(Wire("С-70")));
    m_previousHook = SetCatalogSaveHook([] { return true; });
    m_doc.elements.clear();
    auto e = std::make_unique<CElement>();
    e->SetType(kOverheadLine);
    e->name = "ВЛ 110 кВ";
    e->circuits = 1;
    e->groundWires = 1;
    e->conductors = 4;
    e->wirePositions = 4;
    for (int i = 0; i < 4; ++i)
        e->inMap[i] = i < 3 ? i : 3;
    m_doc.elements.push_back(std::move(e));
}

void VLineSheetQtTest::cleanup()
{
    SetCatalogSaveHook(std::move(m_previousHook));
    g_TaskBase.RemoveAll();
    g_CurBase.RemoveAll();
}

CElement& VLineSheetQtTest::Element()
{
    return *m_doc.elements[0];
}

void VLineSheetQtTest::linesAreEnteredThroughThePages()
{
    ScriptedMessages shown;
    CElement copy = Element();
    PrepareVLineData(copy, false);
    CVLineSheet sheet(copy, m_doc, 0, true);
    VLineSheetDialog dlg(sheet);
    dlg.resize(700, 540);
    dlg.show();
    VLPage1Widget* p1 = dlg.Page1();
    QCOMPARE(dlg.windowTitle(), QString::fromUtf8("Воздушная линия электропередачи"));
    QVERIFY(!p1->TowerParamsButton()->isEnabled());

    // Page 1 without a tower is not left; a non-number is refused first.
    TypeInto(p1->LengthEdit(), "12,5");
    TypeInto(p1->Rho1Edit(), "сто");
    dlg.Tabs()->setCurrentIndex(1);
    QCOMPARE(dlg.Tabs()->currentIndex(), 0);
    QCOMPARE(QString::fromStdString(shown.messages().back().text), QString::fromUtf8("Введите число."));
    QCOMPARE(p1->Rho1Edit()->text(), QString::fromUtf8("сто"));
    TypeInto(p1->Rho1Edit(), "100");
    dlg.Tabs()->setCurrentIndex(1);
    QCOMPARE(dlg.Tabs()->currentIndex(), 0);
    QCOMPARE(QString::fromStdString(shown.messages().back().text), QString::fromUtf8("Вы забыли задать опору!"));

    Choose(p1->TowerCombo(), "П110-1");
    QCOMPARE(p1->TowerCombo()->count(), 2);  // the tower and "Выбрать из другой базы"
    ClickRadio(p1->RefinedRadio());
    QVERIFY(p1->TwoLayersRadio()->isEnabled());
    ClickRadio(p1->TwoLayersRadio());
    QCOMPARE(sheet.m_page1.m_nLayers, 1);
    QVERIFY(p1->Rho2Edit()->isVisible());
    Save(&dlg, "vline_sheet_two_layer_earth.png");
    ClickRadio(p1->CarsonRadio());
    QVERIFY(!p1->Rho2Edit()->isVisible());
    Save(&dlg, "vline_sheet_main.png");
    dlg.Tabs()->setCurrentIndex(1);
    QCOMPARE(dlg.Tabs()->currentIndex(), 1);
    QCOMPARE(copy.Data<CVLine>()->length, 12500.0);
    QCOMPARE(int(copy.Data<CVLine>()->earthModel), 3);  // Carson over two layers kept

    // Page 2: a type, a sag and "Ввести" for each wire.
    VLPage2Widget* p2 = dlg.Page2();
    QCOMPARE(p2->WireGroup()->title(), QString::fromUtf8("Провод N 1 - фаза"));
    for (int w = 0; w < 4; ++w) {
        Choose(p2->WireCombo(), w < 3 ? "АС-240/32" : "С-70");
        TypeInto(p2->SagEdit(), w < 3 ? "5,5" : "4");
        QTest::mouseClick(p2->EnterButton(), Qt::LeftButton);
    }
    QCOMPARE(p2->List()->topLevelItem(3)->text(1), QString::fromUtf8("С-70"));
    QCOMPARE(p2->List()->topLevelItem(0)->text(3), QString("5.5"));
    QCOMPARE(p2->HeightLabel()->text(), QString::fromUtf8("Высота подвеса 25.0 м"));
    // The arrows beside the list: up to the previous wire, down to the next.
    ClickArrow(p2->Stepper(), Qt::UpArrow);
    QTRY_COMPARE(p2->WireGroup()->title(), QString::fromUtf8("Провод N 3 - фаза"));
    ClickArrow(p2->Stepper(), Qt::DownArrow);
    QTRY_COMPARE(p2->WireGroup()->title(), QString::fromUtf8("Провод N 4 - трос"));
    Save(&dlg, "vline_sheet_wires.png");
    QTest::mouseClick(p2->DrawingButton(), Qt::LeftButton);
    QVERIFY(p2->Drawing()->isVisible());
    QVERIFY(!p2->EnterButton()->isEnabled());
    Save(&dlg, "vline_sheet_tower_drawing.png");

    dlg.Tabs()->setCurrentIndex(2);
    VLPage3Widget* p3 = dlg.Page3();
    ClickRadio(p3->ModeRadio(2));
    QCOMPARE(p3->CountLabel()->text(), QString::fromUtf8("Число участков разбиения полупролета"));
    QVERIFY(!p3->ModeRadio(3)->isVisible());
    ClickRadio(p3->ModeRadio(0));
    Save(&dlg, "vline_sheet_inhomogeneities.png");

    // OK from the last page checks the whole sheet.
    const std::size_t before = shown.messages().size();
    dlg.OkButton()->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(shown.messages().size(), before);
    QCOMPARE(copy.entered, 1);
    QCOMPARE(copy.Data<CVLine>()->Wire(3)->wireType.name, std::string("С-70"));
}

void VLineSheetQtTest::cancelAnswersCancel()
{
    RegisterVLineSheet();
    CElement copy = Element();
    auto answer = WhenShown<VLineSheetDialog>([](VLineSheetDialog* dlg) {
        TypeInto(dlg->Page1()->NameEdit(), QString::fromUtf8("другое имя"));
        dlg->CancelButton()->click();
    });
    QCOMPARE(RunVLineSheet(copy, m_doc, 0, true), IDCANCEL);
    QVERIFY(*answer);
    QCOMPARE(Element().name, std::string("ВЛ 110 кВ"));
    QCOMPARE(Element().data.get(), nullptr);
    ModalRunner<CVLineSheet>::Set(nullptr);
}

void VLineSheetQtTest::readOnlyOutsideEditingMode()
{
    CElement copy = Element();
    CVLine& line = PrepareVLineData(copy, false);
    line.tower = Tower();
    line.earthRho1 = 100;
    line.length = 8000;
    line.ice = 1;
    for (CVLProv& w : *line.wireArray) {
        w.wireType = Wire("АС-240/32");
        w.sag = 5;
    }
    CVLineSheet sheet(copy, m_doc, 0, false);
    VLineSheetDialog dlg(sheet);
    dlg.resize(700, 540);
    dlg.show();
    QVERIFY(dlg.Page1()->NameEdit()->isReadOnly());
    QVERIFY(!dlg.Page1()->TowerCombo()->isEnabled());
    QVERIFY(!dlg.Page1()->NewTowerButton()->isEnabled());
    QVERIFY(!dlg.Page1()->IceCheck()->isEnabled());
    QVERIFY(!dlg.CancelButton()->isVisible());
    Save(&dlg, "vline_sheet_read_only.png");
    dlg.Tabs()->setCurrentIndex(1);
    QVERIFY(dlg.Page2()->SagEdit()->isReadOnly());
    QVERIFY(!dlg.Page2()->EnterButton()->isVisible());
    QVERIFY(!dlg.Page2()->WireCombo()->isEnabled());
    dlg.OkButton()->click();
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

QTEST_MAIN(VLineSheetQtTest)
#include "vlinesheet_qt_test.moc"

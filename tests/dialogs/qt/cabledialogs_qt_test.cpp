// Wiring of the cable line dialog and the bypass's cable-line page: values
// typed into the real widgets reach the cable layout, the current cable is
// shown after each step, the drawing and OK follow the model's rules.
#include "dialogs/ui/cablelayoutpanel.h"
#include "dialogs/ui/drawingwidget.h"
#include "dialogs/ui/klinedialog.h"
#include "dialogs/ui/numericedit.h"
#include "dialogs/ui/obhklpage.h"
#include "dialogs/ui/propertysheetdialog.h"
#include "dialogs/numericfield.h"
#include "model/coupling.h"
#include "model/element.h"
#include "platform/messages.h"
#include "useractions.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

namespace {

void Save(QWidget& w, const char* name)
{
    w.show();
    QApplication::processEvents();
    QDir().mkpath(KESTRIN_SCREENSHOT_DIR "/dialogs");
    QVERIFY(w.grab().save(QString(KESTRIN_SCREENSHOT_DIR "/dialogs/") + name));
}

int FindText(QComboBox* combo, const char* text)
{
    return combo->findText(QString::fromUtf8(text));
}

std::unique_ptr<CElement> CableElement(int circuits)
{
    auto e = std::make_unique<CElement>();
    e->SetType(kCableLine);
    e->name = "КЛ 110";
    e->circuits = std::uint8_t(circuits);
    e->wirePositions = std::uint8_t(3 * circuits);
    for (int i = 0; i < 3 * circuits; ++i)
        e->inMap[i] = 4 * (i / 3) + i % 3;
    return e;
}

void FillCatalog()
{
    g_TaskBase.RemoveAll();
    g_CurBase.RemoveAll();
    auto solid = std::make_unique<CKabTv>();
    solid->name = "АПвПу 1x630";
    solid->outerRadius = 0.04;
    g_TaskBase.solidCables.push_back(std::move(solid));
    auto pipe = std::make_unique<CKabTr>();
    pipe->name = "МВДТ 3x240";
    pipe->coreRadius = 0.02;
    g_TaskBase.pipeCables.push_back(std::move(pipe));
}

// Types both coordinates of the current cable and presses "Ввести".
void EnterCable(CableLayoutPanel* panel, const char* c1, const char* c2)
{
    TypeInto(panel->Coord1Edit(), c1);
    if (!panel->Coord2Edit()->isReadOnly())
        TypeInto(panel->Coord2Edit(), c2);
    QTest::mouseClick(panel->EnterButton(), Qt::LeftButton);
}

class CableSheet : public PropertySheetModel {
public:
    CObhKL page;
    CableSheet() { AddPage(&page); }
};

} // namespace

class CableDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { FillCatalog(); }
    void cableLineInTheGround();
    void cableLineInAPipe();
    void readOnlyOutsideEditing();
    void cancelWritesNothing();
    void bypassCablePageInASheet();
};

void CableDialogsTest::cableLineInTheGround()
{
    ScriptedMessages msgs;
    auto e = CableElement(2);
    CKLineDlg model;
    model.m_pElement = e.get();
    KLineDialog dlg(model);
    CableLayoutPanel* p = dlg.Panel();
    QVERIFY(p->SolidRadio()->isChecked());
    QCOMPARE(p->List()->topLevelItemCount(), 6);
    QCOMPARE(p->List()->topLevelItem(4)->text(0), QString::fromUtf8("5 (B)"));

    TypeInto(p->LengthEdit(), "2,5");
    TypeInto(p->ResistivityEdit(), "сто");
    QTest::mouseClick(p->ViewButton(), Qt::LeftButton);
    QCOMPARE(msgs.messages().back().text, std::string(kEnterNumberText));
    TypeInto(p->ResistivityEdit(), "100");
    QTest::mouseClick(p->ViewButton(), Qt::LeftButton);  // no cable type yet
    QCOMPARE(msgs.messages().back().text, std::string(kNoCableText));
    QCOMPARE(msgs.messages().back().caption, std::string(kLayoutDataCaption));

    const int index = FindText(p->TypeCombo(), "АПвПу 1x630");
    QVERIFY(index >= 0);
    p->TypeCombo()->setCurrentIndex(index);
    emit p->TypeCombo()->activated(index);
    const char* xs[6] = {"-0.5", "0", "0.5", "-0.5", "0", "0.5"};
    const char* ys[6] = {"1.2", "1.2", "1.2", "1.6", "1.6", "1.6"};
    for (int i = 0; i < 5; ++i)
        EnterCable(p, xs[i], ys[i]);
    QCOMPARE(p->CableNumber()->value(), 6);

    // OK with cable 6 never entered: its depth 0 is refused and the dialog stays.
    dlg.show();
    dlg.accept();
    QCOMPARE(msgs.messages().back().text, std::string(kIncompleteDataText));
    QVERIFY(dlg.isVisible());
    EnterCable(p, xs[5], ys[5]);
    QCOMPARE(p->CableNumber()->value(), 6);  // "Ввести" on the last cable stays

    // Stepping back shows the cable stepped to.
    p->CableNumber()->setValue(2);
    QCOMPARE(p->Coord1Edit()->text(), QString("0"));
    QCOMPARE(p->Coord2Edit()->text(), QString("1.2"));
    Save(dlg, "cable_line_table.png");
    QTest::mouseClick(p->ViewButton(), Qt::LeftButton);
    QVERIFY(!p->List()->isVisible());
    QVERIFY(!p->EnterButton()->isEnabled());
    QCOMPARE(p->ViewButton()->text(), QString::fromUtf8("Таблица"));
    Save(dlg, "cable_line_solid_drawing.png");

    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    const CKLine& k = *e->Data<CKLine>();
    QCOMPARE(e->entered, 1);
    QCOMPARE(k.length, 2500.0);
    QCOMPARE(float(k.y[4]), 1.6f);
    QCOMPARE(int(k.elementWires), 6);
    QCOMPARE(k.symmetry, 2);  // one cable of each row on the axis
}

void CableDialogsTest::cableLineInAPipe()
{
    ScriptedMessages msgs;
    auto e = CableElement(1);
    CKLineDlg model;
    model.m_pElement = e.get();
    KLineDialog dlg(model);
    CableLayoutPanel* p = dlg.Panel();
    p->PipeRadio()->click();
    QVERIFY(p->PipeRadio()->isChecked());
    QVERIFY(!p->DiameterEdit()->isHidden());
    QCOMPARE(p->List()->headerItem()->text(1), QString::fromUtf8("R,мм"));
    const int index = FindText(p->TypeCombo(), "МВДТ 3x240");
    p->TypeCombo()->setCurrentIndex(index);
    emit p->TypeCombo()->activated(index);
    TypeInto(p->DiameterEdit(), "0.5");
    TypeInto(p->ResistivityEdit(), "0.2");
    TypeInto(p->PermeabilityEdit(), "100");
    TypeInto(p->LengthEdit(), "1");
    QTest::mouseClick(p->ViewButton(), Qt::LeftButton);
    QCOMPARE(msgs.messages().back().text, std::string(kNoPipeDiameterText));
    TypeInto(p->DiameterEdit(), "200");
    QVERIFY(p->Coord2Edit()->isReadOnly());  // the first cable's angle is 0
    EnterCable(p, "40", "");
    EnterCable(p, "40", "120");
    EnterCable(p, "40", "240");
    QTest::mouseClick(p->ViewButton(), Qt::LeftButton);
    Save(dlg, "cable_line_pipe_drawing.png");
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    const CKLine& k = *e->Data<CKLine>();
    QCOMPARE(int(k.pipe), 1);
    QCOMPARE(k.symmetry, -1);
}

void CableDialogsTest::readOnlyOutsideEditing()
{
    auto e = CableElement(1);
    auto* k = new CKLine;
    e->data.reset(k);
    k->solidCable = *g_TaskBase.solidCables[0];
    k->length = 3000;
    k->rho = 50;
    const double xs[3] = {-0.3, 0, 0.3};
    for (int i = 0; i < 3; ++i)
        k->x[i] = xs[i], k->y[i] = 1.5;
    CKLineDlg model;
    model.m_pElement = e.get();
    model.editing = false;
    KLineDialog dlg(model);
    CableLayoutPanel* p = dlg.Panel();
    QVERIFY(dlg.NameEdit()->isReadOnly());
    QVERIFY(p->LengthEdit()->isReadOnly());
    QVERIFY(p->Coord1Edit()->isReadOnly());
    QVERIFY(!p->TypeCombo()->isEnabled());
    QVERIFY(!p->PipeRadio()->isEnabled());
    QVERIFY(!p->CableNumber()->isEnabled());
    QVERIFY(p->EnterButton()->isHidden());
    QVERIFY(dlg.CancelButton()->isHidden());
    QCOMPARE(p->LengthEdit()->text(), QString("3"));
    QCOMPARE(p->Coord1Edit()->text(), QString("-0.3"));
    Save(dlg, "cable_line_readonly.png");
    dlg.show();
    dlg.accept();  // OK acts as Cancel
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

void CableDialogsTest::cancelWritesNothing()
{
    ElementChain chain;
    chain.push_back(CableElement(1));
    RegisterCableLineDialog();
    auto answer = WhenShown<KLineDialog>([](KLineDialog* dlg) {
        TypeInto(dlg->Panel()->LengthEdit(), "7");
        EnterCable(dlg->Panel(), "1", "2");
        dlg->CancelButton()->click();
    });
    CElement copy(*chain[0]);
    QCOMPARE(RunCableLineDialog(copy, chain, 0, 0, true), IDCANCEL);
    QVERIFY(*answer);
    ModalRunner<CKLineDlg>::Set(nullptr);
}

void CableDialogsTest::bypassCablePageInASheet()
{
    CElement e;
    e.SetType(kBypass);
    e.wirePositions = 6;
    auto* bypass = new CEObhod;
    e.data.reset(bypass);
    bypass->kind = 2;
    for (int i = 0; i < 6; ++i)
        e.inMap[i] = 4 * (i / 3) + i % 3, bypass->flags[i] = 1;
    CableSheet sheet;
    sheet.page.m_pElement = &e;
    PropertySheetDialog dlg(sheet, QString::fromUtf8("Обход"));
    auto* page = new ObhKLPage(sheet.page);
    page->AddTo(dlg);
    dlg.Start();
    CableLayoutPanel* p = page->Panel();
    QCOMPARE(p->CableCombo()->count(), 6);
    QCOMPARE(p->CableCombo()->itemText(3), QString::fromUtf8("4 (A)"));
    EnterCable(p, "-0.5", "1");
    EnterCable(p, "0", "1");
    QCOMPARE(p->CableCombo()->currentIndex(), 2);
    emit p->Stepper()->Stepped(+1);  // up: the previous cable, shown
    QCOMPARE(p->CableCombo()->currentIndex(), 1);
    QCOMPARE(p->Coord1Edit()->text(), QString("0"));
    emit p->Stepper()->Stepped(+1);
    QCOMPARE(p->Coord1Edit()->text(), QString("-0.5"));
    // A length that is no number keeps the sheet open and stores nothing.
    ScriptedMessages msgs;
    dlg.show();
    TypeInto(p->LengthEdit(), "восемь");
    dlg.accept();
    QCOMPARE(msgs.messages().back().text, std::string(kEnterNumberText));
    QVERIFY(dlg.isVisible());
    QCOMPARE(bypass->cableInsert->length, 0.0);
    TypeInto(p->LengthEdit(), "0.8");
    Save(dlg, "bypass_cable_page.png");
    dlg.accept();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(float(bypass->cableInsert->length), 800.0f);
    QCOMPARE(int(bypass->cableInsert->circuits), 2);
}

QTEST_MAIN(CableDialogsTest)
#include "cabledialogs_qt_test.moc"

// The wire-choice, phasing and transposition dialogs through their widgets,
// the framework's numeric edit and property sheet, and placing a tap through
// the registered dialogs (Escape shows it again, OK places it).
#include "app/programwiredialogs.h"
#include "app/structwalk.h"
#include "dialogs/ui/circuitboxes.h"
#include "dialogs/ui/elementdialogs.h"
#include "dialogs/ui/fazirdialog.h"
#include "dialogs/ui/izmprovdialog.h"
#include "dialogs/ui/numericedit.h"
#include "dialogs/ui/otvetdialog.h"
#include "dialogs/ui/propertysheetdialog.h"
#include "dialogs/ui/razvetvdialog.h"
#include "dialogs/ui/transpdialog.h"
#include "model/branches.h"
#include "model/document.h"
#include "model/element.h"
#include "model/shunts.h"
#include "platform/messages.h"
#include "../wiredelement.h"
#include "dialogshot.h"
#include "useractions.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

namespace {

class PlainPage : public PropertyPageModel {
public:
    explicit PlainPage(const char* caption) : m_caption(caption) {}
    std::string Caption() const override { return m_caption; }
    bool OnKillActive() override { return !refuse; }
    bool refuse = false;

private:
    std::string m_caption;
};

} // namespace

class WireDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { ResetModelGlobals(); }
    void wireCountDialogSpinsAndRefusesUnchangedCounts();
    void phasingDialogSwapsThroughItsCombo();
    void transpositionDialogTakesTypedNameAndNewPosition();
    void transpositionDialogReadOnlyHidesCancel();
    void tapDialogChoosesCircuitsByTheirBoxes();
    void branchingDialogKeepsACircuitInEachBranch();
    void numericEditKeepsANonNumber();
    void propertySheetKeepsTheTabOfARefusingPage();
    void placingShowsTheTapDialogAgainAfterEscape();
};

void WireDialogsTest::wireCountDialogSpinsAndRefusesUnchangedCounts()
{
    ScriptedMessages msgs;
    CVarMod change;
    CIzmProvDlg model;
    model.currentCircuits = model.newCircuits = 1;
    model.currentGround = model.newGround = 1;
    model.chainCircuits = 1;
    model.chainGround = 1;
    model.entryPositions = 4;
    model.varMod = &change;
    IzmProvDialog dlg(model);
    Screenshot(dlg, "wire_count");
    QVERIFY(!dlg.PhasingButton()->isEnabled());
    dlg.OkButton()->click();
    QCOMPARE(msgs.messages().size(), std::size_t(1));
    QVERIFY(dlg.isVisible());
    dlg.CircuitSpin()->stepUp();
    QVERIFY(dlg.PhasingButton()->isEnabled());
    QCOMPARE(change.map[2], 6);
    dlg.OkButton()->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(int(model.newCircuits), 2);
    // The counts change only through the arrows, never by typing.
    for (QSpinBox* spin : {dlg.CircuitSpin(), dlg.GroundSpin()})
        QVERIFY(spin->findChild<QLineEdit*>()->isReadOnly());

    CIzmProvDlg completion = model;
    completion.completion = true;
    completion.currentCircuits = 1;
    completion.newCircuits = 2;
    completion.elementIndex = 3;
    IzmProvDialog next(completion);
    QCOMPARE(next.OkButton()->text(), QString::fromUtf8("Дальше>>"));
    // The ground spin is gone, its count stays in view and follows the circuits.
    QCOMPARE(next.GroundSpin()->buttonSymbols(), QAbstractSpinBox::NoButtons);
    QVERIFY(next.GroundSpin()->isReadOnly());
    QVERIFY(!next.GroundSpin()->isHidden());
    QCOMPARE(next.GroundSpin()->value(), 1);
    next.CircuitSpin()->stepDown();
    QCOMPARE(next.GroundSpin()->value(), 3);
    Screenshot(next, "wire_count_completion");

    CIzmProvDlg view = model;
    view.editing = false;
    IzmProvDialog shown(view);
    QVERIFY(!shown.CircuitSpin()->isEnabled());
    QVERIFY(!shown.GroundSpin()->isEnabled());
    Screenshot(shown, "wire_count_read_only");
}

void WireDialogsTest::phasingDialogSwapsThroughItsCombo()
{
    int map[] = {0, 1, 2, 3};
    CFazirDlg model;
    model.wireCount = 4;
    model.map = map;
    FazirDialog dlg(model);
    dlg.List()->selectRow(0);
    dlg.PhaseCombo()->setCurrentIndex(1);  // the first wire takes B
    QCOMPARE(dlg.List()->item(1, 1)->text(), QString::fromUtf8("A"));
    Screenshot(dlg, "phasing");
    dlg.OkButton()->click();
    QCOMPARE(map[0], 1);
    QCOMPARE(map[1], 0);

    CFazirDlg view;
    view.wireCount = 4;
    view.map = map;
    view.editing = false;
    FazirDialog shown(view);
    QVERIFY(!shown.OkButton()->isEnabled());
    Screenshot(shown, "phasing_read_only");

    // A row reached with the keys is the wire the combos show, in both lists.
    QTest::keyClick(shown.List(), Qt::Key_Down);
    QCOMPARE(shown.WireCombo()->currentIndex(), 1);
    QCOMPARE(shown.PhaseCombo()->currentText(), QString::fromUtf8("A"));
    CElement e = WiredElement(kTransposition, 2, 0);
    CTranspDlg transposition;
    transposition.element = &e;
    transposition.transp = e.Data<CTransp>();
    TranspDialog transp(transposition);
    QTest::keyClick(transp.List(), Qt::Key_Down);
    QTest::keyClick(transp.List(), Qt::Key_Down);
    QCOMPARE(transp.WireCombo()->currentIndex(), 2);
    QCOMPARE(transp.PositionCombo()->currentIndex(), 2);
}

void WireDialogsTest::transpositionDialogTakesTypedNameAndNewPosition()
{
    CElement e = WiredElement(kTransposition, 2, 1);
    CTranspDlg model;
    model.element = &e;
    model.transp = e.Data<CTransp>();
    TranspDialog dlg(model);
    dlg.show();
    TypeInto(dlg.NameEdit(), QString::fromUtf8("Тр-1"));
    dlg.WireCombo()->setCurrentIndex(0);
    dlg.PositionCombo()->setCurrentIndex(2);
    QCOMPARE(dlg.List()->item(2, 1)->text(), QString("1"));
    Screenshot(dlg, "transposition");
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(QString::fromStdString(e.name), QString::fromUtf8("Тр-1"));
    QCOMPARE(int((*e.Data<CTransp>()->permutation)[0]), 2);
}

void WireDialogsTest::transpositionDialogReadOnlyHidesCancel()
{
    CElement e = WiredElement(kTransposition, 1, 0);
    CTranspDlg model;
    model.element = &e;
    model.transp = e.Data<CTransp>();
    model.editing = false;
    TranspDialog dlg(model);
    Screenshot(dlg, "transposition_read_only");
    QVERIFY(dlg.CancelButton()->isHidden());
    QVERIFY(!dlg.PositionCombo()->isEnabled());
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QVERIFY(!e.Data<CTransp>()->permutation);
}

void WireDialogsTest::tapDialogChoosesCircuitsByTheirBoxes()
{
    CElement e = WiredElement(kTap, 3, 2);
    COtvetDlg model;
    model.m_pElement = &e;
    OtvetDialog dlg(model);
    dlg.show();
    QVERIFY(!dlg.Boxes()->Box(0)->isEnabled());
    dlg.SelectedRadio()->click();
    QVERIFY(dlg.Boxes()->Box(0)->isEnabled());
    dlg.Boxes()->Box(1)->click();  // circuit 2 out
    dlg.Boxes()->Box(4)->click();  // ground wire 2 out
    Screenshot(dlg, "tap");
    dlg.OkButton()->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(int(e.circuitsPart), 2);
    QCOMPARE(int(e.groundWiresPart), 1);
    QCOMPARE(int(e.Data<COtvet>()->count), 7);

    CElement bypass = WiredElement(kBypass, 2, 1);
    COtvetDlg view;
    view.m_pElement = &bypass;
    view.editing = false;
    OtvetDialog shown(view);
    QVERIFY(!shown.KindRadio(2)->isEnabled());
    QVERIFY(shown.KindRadio(0)->isEnabled());
    Screenshot(shown, "bypass_read_only");
}

void WireDialogsTest::branchingDialogKeepsACircuitInEachBranch()
{
    CElement e = WiredElement(kBranchingStart, 3, 1);
    CRazvetvDlg model;
    model.m_pElement = &e;
    RazvetvDialog dlg(model);
    QVERIFY(!dlg.Boxes()->Box(2)->isChecked());
    dlg.Boxes()->Box(0)->click();
    dlg.Boxes()->Box(1)->click();  // the last checked circuit: circuit 3 goes instead
    QVERIFY(dlg.Boxes()->Box(2)->isChecked());
    Screenshot(dlg, "branching");
    dlg.OkButton()->click();
    QCOMPARE(int(e.circuitsAfter), 1);

    CRazvetvDlg view;
    view.m_pElement = &e;
    view.m_bKeepCounts = 1;
    view.editing = false;
    RazvetvDialog shown(view);
    QVERIFY(!shown.Boxes()->Box(0)->isEnabled());
    QVERIFY(shown.NameEdit()->isReadOnly());
    Screenshot(shown, "branching_read_only");
}

void WireDialogsTest::numericEditKeepsANonNumber()
{
    ScriptedMessages msgs;
    NumericEdit edit;
    edit.SetValue(0.1f);
    QCOMPARE(edit.text(), QString("0.1"));
    edit.setText(QString::fromUtf8("1,5ф"));
    float value = 7.0f;
    QVERIFY(!edit.ReadValue(value));
    QCOMPARE(value, 7.0f);
    QCOMPARE(edit.text(), QString::fromUtf8("1,5ф"));
    QCOMPARE(QString::fromStdString(msgs.messages().at(0).text), QString::fromUtf8("Введите число."));
    edit.setText("1,5");
    QVERIFY(edit.ReadValue(value));
    QCOMPARE(value, 1.5f);
}

void WireDialogsTest::propertySheetKeepsTheTabOfARefusingPage()
{
    PlainPage first("Основные"), second("Провода");
    PropertySheetModel model;
    model.AddPage(&first);
    model.AddPage(&second);
    PropertySheetDialog dlg(model, QString::fromUtf8("Параметры"));
    int reads = 0;
    dlg.AddPage(new QWidget, nullptr, [&] { ++reads; });
    dlg.AddPage(new QWidget, nullptr, nullptr);
    dlg.Start();
    first.refuse = true;
    dlg.Tabs()->setCurrentIndex(1);
    QCOMPARE(dlg.Tabs()->currentIndex(), 0);
    QCOMPARE(reads, 1);
    dlg.OkButton()->click();
    QVERIFY(dlg.result() != int(QDialog::Accepted));
    first.refuse = false;
    dlg.Tabs()->setCurrentIndex(1);
    QCOMPARE(model.ActivePage(), 1);
}

void WireDialogsTest::placingShowsTheTapDialogAgainAfterEscape()
{
    RegisterElementDialogs();
    QVERIFY(InstallProgramWireDialogs());
    CKestrinDoc doc;
    g_pDoc = &doc;
    doc.circuits = 2;
    doc.groundWires = 0;
    doc.conductorCount = 6;
    g_nConductors = 6;
    StructureState st;
    StructureWalk walk(doc, st, GetWireDialogHost());
    for (int type : {kCouplingDevice, kOverheadLine}) {
        CElement tmpl;
        tmpl.SetType(type);
        PlacedElement placed;
        QVERIFY(walk.AddElement(tmpl, placed));
    }
    int shown = 0;
    auto answers = EachTimeShown<OtvetDialog>([&shown](OtvetDialog* dlg) {
        if (++shown == 1)
            QTest::keyClick(dlg, Qt::Key_Escape);
        else
            dlg->OkButton()->click();
    });
    CElement tap;
    tap.SetType(kTap);
    PlacedElement placed;
    QVERIFY(walk.AddElement(tap, placed));
    QCOMPARE(shown, 2);
    QCOMPARE(doc.elements.size(), std::size_t(3));
    QCOMPARE(int(doc.elements.back()->circuitsPart), 2);
    SetWireDialogHost(nullptr);
    g_pDoc = nullptr;
    ResetModelGlobals();
}

QTEST_MAIN(WireDialogsTest)
#include "wiredialogs_qt_test.moc"

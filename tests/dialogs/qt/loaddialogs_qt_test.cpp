// The coupling-device, tap-end load, end load and attached-circuit end
// dialogs through their widgets.
#include "dialogs/catalogitemstore.h"
#include "dialogs/ui/elementdialogs.h"
#include "dialogs/ui/endmoddialog.h"
#include "dialogs/ui/fazirdialog.h"
#include "dialogs/ui/nagrotvdialog.h"
#include "dialogs/ui/nagruzdialog.h"
#include "dialogs/ui/prisoeddialog.h"
#include "model/branches.h"
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
#include <QTableWidget>
#include <QTest>

namespace {

} // namespace

class LoadDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void couplingDeviceEntersWiresThroughItsControls();
    void couplingDeviceReadOnly();
    void tapEndRefusesAMissingCapacitance();
    void endLoadWaitsForALoad();
    void attachedEndShowsResistancesOnly();

private:
    CatalogSaveHook m_save;
};

void LoadDialogsTest::init()
{
    ResetModelGlobals();
    g_TaskBase.RemoveAll();
    g_CurBase.RemoveAll();
    m_save = SetCatalogSaveHook([] { return true; });
    auto filter = std::make_unique<CFiltr>();
    filter->name = "ФП-6";
    filter->type = 2;
    g_TaskBase.filters[2].push_back(std::move(filter));
    auto cable = std::make_unique<CProvod>();
    cable->name = "РК-75";
    g_CurBase.hfCables.push_back(std::move(cable));
}

void LoadDialogsTest::cleanup()
{
    SetCatalogSaveHook(std::move(m_save));
    g_TaskBase.RemoveAll();
    g_CurBase.RemoveAll();
}

void LoadDialogsTest::couplingDeviceEntersWiresThroughItsControls()
{
    ScriptedMessages msgs;
    RegisterElementDialogs();
    CElement e = WiredElement(kCouplingDevice, 1, 1);
    CPrisoedDlg model;
    model.m_pElement = &e;
    model.m_pUpr = e.Data<CUpr>();
    model.m_bFirstElement = 1;
    PrisoedDialog dlg(model);
    dlg.show();
    emit dlg.FilterCombo()->activated(dlg.FilterCombo()->findText(QString::fromUtf8("ФП-6 тип 3")));
    emit dlg.CableCombo()->activated(dlg.CableCombo()->findText(QString::fromUtf8("РК-75")));
    QVERIFY(dlg.PolarityBox()->isVisibleTo(&dlg));
    TypeInto(dlg.LengthEdit(), QString::fromUtf8("2,5"));
    TypeInto(dlg.REdit(), QString::fromUtf8("75"));
    TypeInto(dlg.CEdit(), QString::fromUtf8("пФ"));
    dlg.EnterButton()->click();
    QCOMPARE(QString::fromStdString(msgs.messages().back().text), QString::fromUtf8("Введите число."));
    QCOMPARE(dlg.CEdit()->text(), QString::fromUtf8("пФ"));
    TypeInto(dlg.CEdit(), "0");
    dlg.PolarityBox()->setChecked(true);
    dlg.EnterButton()->click();
    QCOMPARE(dlg.List()->item(0, 3)->text(), QString("2.5"));
    QCOMPARE(dlg.List()->item(0, 7)->text(), QString::fromUtf8("Да"));
    QCOMPARE(model.m_nCurWire, 1);
    dlg.EnterButton()->click();  // the controls keep what they show: wire 2 takes them
    QCOMPARE(dlg.List()->item(1, 4)->text(), QString("75"));
    emit dlg.List()->cellClicked(1, 0);
    dlg.DeleteButton()->click();
    QCOMPARE(dlg.List()->item(1, 1)->text(), QString::fromUtf8("Нет"));
    // The phasing dialog answered: the first wire takes phase B.
    auto phasing = WhenShown<FazirDialog>([](FazirDialog* f) {
        f->PhaseCombo()->setCurrentIndex(1);
        f->OkButton()->click();
    });
    dlg.PhasingButton()->click();
    QVERIFY(*phasing);
    QVERIFY(dlg.List()->item(0, 0)->text().endsWith("(B)"));
    Screenshot(dlg, "coupling_device");
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(int(e.Data<CUpr>()->count), 1);
    QCOMPARE(e.Data<CUpr>()->devices[0].cableLength, 2.5);
    QCOMPARE(e.inMap[0], 1);
}

void LoadDialogsTest::couplingDeviceReadOnly()
{
    CElement e = WiredElement(kCouplingDevice, 1, 0);
    CUpr& upr = *e.Data<CUpr>();
    upr.devices.resize(1);
    upr.devices[0].wire = 1;
    upr.devices[0].filter.name = "ФП-6";
    upr.devices[0].filter.type = 1;
    upr.devices[0].cable.name = "РК-75";
    upr.devices[0].r = 75;
    CPrisoedDlg model;
    model.m_pElement = &e;
    model.m_pUpr = &upr;
    model.editing = false;
    PrisoedDialog dlg(model);
    QVERIFY(dlg.EnterButton()->isHidden());
    QVERIFY(dlg.CancelButton()->isHidden());
    QVERIFY(!dlg.FilterCombo()->isEnabled());
    QCOMPARE(dlg.List()->item(1, 7)->text(), QString());  // "тип 2": no polarity
    Screenshot(dlg, "coupling_device_read_only");
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

void LoadDialogsTest::tapEndRefusesAMissingCapacitance()
{
    ScriptedMessages msgs;
    CElement e = WiredElement(kTapLoad, 1, 0);
    CNagrOtvDlg model;
    model.element = &e;
    model.data = e.Data<CNagrOtv>();
    NagrOtvDialog dlg(model);
    dlg.show();
    dlg.ModeRadio(2)->click();
    QVERIFY(dlg.CapacitanceEdit()->isEnabled());
    dlg.OkButton()->click();
    QCOMPARE(QString::fromStdString(msgs.messages().back().text),
             QString::fromUtf8("Забыли задать эквивалентную емкость!"));
    QVERIFY(dlg.isVisible());
    TypeInto(dlg.CapacitanceEdit(), "1500");
    Screenshot(dlg, "tap_end_load");
    dlg.OkButton()->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(int(e.Data<CNagrOtv>()->mode), 2);

    // Outside editing mode only the stored mode's radio is enabled, the
    // capacitance is read-only and OK leaves the element as it was.
    CNagrOtvDlg view;
    view.element = &e;
    view.data = e.Data<CNagrOtv>();
    view.editing = false;
    NagrOtvDialog shown(view);
    shown.show();
    QVERIFY(!shown.ModeRadio(0)->isEnabled() && !shown.ModeRadio(1)->isEnabled());
    QVERIFY(shown.ModeRadio(2)->isChecked() && shown.CapacitanceEdit()->isReadOnly());
    QVERIFY(shown.CancelButton()->isHidden());
    Screenshot(shown, "tap_end_load_read_only");
    shown.OkButton()->click();
    QCOMPARE(e.Data<CNagrOtv>()->capacitance, 1500e-12);
}

void LoadDialogsTest::endLoadWaitsForALoad()
{
    CElement e = WiredElement(kEndLoad, 1, 1);
    CNagruzDlg model;
    model.element = &e;
    model.isFirstElement = 1;
    NagruzDialog dlg(model);
    dlg.show();
    QVERIFY(!dlg.OkButton()->isEnabled());
    TypeInto(dlg.ValueEdit(), QString::fromUtf8("Нет"));
    QVERIFY(!dlg.EnterButton()->isEnabled());
    TypeInto(dlg.ValueEdit(), "600");
    QVERIFY(dlg.EnterButton()->isEnabled());
    dlg.EnterButton()->click();
    QVERIFY(dlg.OkButton()->isEnabled());
    QCOMPARE(dlg.WireSpin()->value(), 2);
    Screenshot(dlg, "end_load");
    dlg.OkButton()->click();
    QCOMPARE(e.Data<CNagruz>()->values[0], 600.0);

    CNagruzDlg view;
    view.element = &e;
    view.readOnly = 1;
    NagruzDialog shown(view);
    QVERIFY(shown.OkButton()->isEnabled());
    QVERIFY(shown.CancelButton()->isHidden());
    Screenshot(shown, "end_load_read_only");
}

void LoadDialogsTest::attachedEndShowsResistancesOnly()
{
    CElement e = WiredElement(kAttachedEnd, 0, 2);
    CEndMod& end = *e.Data<CEndMod>();
    end.kind = 1;
    end.count = 2;
    end.r = std::vector<double>{100.0, 0.0};
    CEndModDlg model;
    model.element = &e;
    model.data = &end;
    EndModDialog dlg(model);
    dlg.show();
    QCOMPARE(dlg.List()->columnCount(), 2);
    QVERIFY(!dlg.ModeRadio(0)->isEnabled());
    QVERIFY(dlg.LEdit()->isHidden());
    QCOMPARE(dlg.List()->item(1, 1)->text(), QString::fromUtf8("Нет"));
    Screenshot(dlg, "attached_end");

    end.kind = 4;
    CEndModDlg full;
    full.element = &e;
    full.data = &end;
    full.editing = false;
    EndModDialog view(full);
    QCOMPARE(view.List()->columnCount(), 4);
    QVERIFY(view.CancelButton()->isHidden());
    Screenshot(view, "attached_end_read_only");
}

QTEST_MAIN(LoadDialogsTest)
#include "loaddialogs_qt_test.moc"

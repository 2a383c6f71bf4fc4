// Wiring of the base-data dialogs: the controls show the model, changes go
// through its rules, OK takes the values back or keeps the dialog open.
#include "dialogs/ui/taskdialogs.h"
#include "platform/messages.h"
#include "useractions.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

class TaskDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void newTaskDialogFollowsTheModel();
    void refusedSplitKeepsTheDialogOpen();
    void titleTheFileCannotHoldIsRefusedUntilMended();
    void viewOnlyDialogLocksItsControls();
    void completionDialogOpensOnDcForTwoConductors();
};

void TaskDialogsTest::newTaskDialogFollowsTheModel()
{
    CZadachaDlg model;
    model.m_nConductors = 0;
    model.m_strTitle = "Линия 1";
    ZadachaDialog dlg(model);
    QCOMPARE(dlg.TitleEdit()->text(), QString::fromUtf8("Линия 1"));
    QVERIFY(dlg.AcRadio()->isChecked());
    QCOMPARE(dlg.PathCombo()->count(), 4);
    dlg.CircuitsSpin()->setValue(2);
    dlg.GroundSpin()->setValue(1);
    QCOMPARE(dlg.PathCombo()->count(), 8);
    QCOMPARE(dlg.PathCombo()->currentText(), QString::fromUtf8("Нет"));
    dlg.PathCombo()->setCurrentIndex(6);
    dlg.DcRadio()->setChecked(true);
    QCOMPARE(dlg.PathCombo()->count(), 1);
    QVERIFY(dlg.PathCombo()->isHidden());
    QCOMPARE(dlg.CircuitsSpin()->maximum(), 2);
    dlg.AcRadio()->setChecked(true);
    dlg.PathCombo()->setCurrentIndex(6);
    dlg.show();
    QApplication::processEvents();
    QDir().mkpath(KESTRIN_SCREENSHOT_DIR);
    QVERIFY(dlg.grab().save(QString(KESTRIN_SCREENSHOT_DIR) + "/base_data_dialog.png"));
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(model.m_nSplit, 6);
    QCOMPARE(int(model.m_nConductors), 8);
    QCOMPARE(int(model.m_bDC), 0);
}

void TaskDialogsTest::refusedSplitKeepsTheDialogOpen()
{
    ScriptedMessages msgs;
    CZadachaDlg model;
    ZadachaDialog dlg(model);
    dlg.show();
    dlg.CircuitsSpin()->setValue(8);
    dlg.GroundSpin()->setValue(16);
    dlg.PathCombo()->setCurrentIndex(3);
    dlg.accept();
    QCOMPARE(msgs.messages().size(), std::size_t(1));
    QVERIFY(dlg.isVisible());
    QCOMPARE(model.m_nSplit, -1);
}

void TaskDialogsTest::titleTheFileCannotHoldIsRefusedUntilMended()
{
    ScriptedMessages msgs;
    CZadachaDlg model;
    model.m_strTitle = "ВЛ";
    ZadachaDialog dlg(model);
    dlg.show();
    QPushButton* ok = dlg.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    const QString typed = QString::fromUtf8("ВЛ 110 кВ ×2");
    TypeInto(dlg.TitleEdit(), typed);
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(msgs.messages().size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(msgs.messages()[0].text),
             QString::fromUtf8("Поле «Заголовок задачи» содержит символ «×» (U+00D7), который нельзя сохранить в файле.\n"
                               "Замените или удалите его."));
    QCOMPARE(QString::fromStdString(msgs.messages()[0].caption), QString(kAppName));
    QVERIFY(msgs.messages()[0].icon == MsgIcon::Stop);
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.TitleEdit()->text(), typed);
    QCOMPARE(model.m_strTitle, std::string("ВЛ"));
    QApplication::processEvents();
    QDir().mkpath(KESTRIN_SCREENSHOT_DIR);
    QVERIFY(dlg.grab().save(QString(KESTRIN_SCREENSHOT_DIR) + "/base_data_dialog_refused_title.png"));

    TypeInto(dlg.TitleEdit(), QString::fromUtf8("ВЛ 110 кВ, 2 цепи"));
    QTest::mouseClick(ok, Qt::LeftButton);
    QTRY_VERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(msgs.messages().size(), std::size_t(1));
    QCOMPARE(model.m_strTitle, std::string("ВЛ 110 кВ, 2 цепи"));
}

void TaskDialogsTest::viewOnlyDialogLocksItsControls()
{
    CZadachaDlg model;
    model.m_nCircuits = 2;
    model.m_nGroundWires = 2;
    model.m_nConductors = 8;
    model.m_nElements = 4;
    model.m_bEditable = 0;
    ZadachaDialog dlg(model);
    QVERIFY(dlg.TitleEdit()->isReadOnly());
    QVERIFY(dlg.CircuitsSpin()->isReadOnly());
    QVERIFY(!dlg.PathCombo()->isEnabled());
    QVERIFY(!dlg.DcRadio()->isEnabled());
    QCOMPARE(dlg.CircuitsSpin()->value(), 2);
}

void TaskDialogsTest::completionDialogOpensOnDcForTwoConductors()
{
    CZadachaDopDlg model;
    model.m_nConductors = 2;
    ZadachaDopDialog dlg(model);
    QVERIFY(dlg.DcRadio()->isChecked());
    QVERIFY(!dlg.AcRadio()->isEnabled());
    dlg.CircuitsSpin()->setValue(2);
    QCOMPARE(dlg.GroundEdit()->text(), QString("0"));
    dlg.accept();
    QCOMPARE(int(model.m_bDC), 1);
    QCOMPARE(int(model.m_nCircuits), 2);
}

QTEST_MAIN(TaskDialogsTest)
#include "taskdialogs_qt_test.moc"

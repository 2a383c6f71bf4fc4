// Wiring of the item editors: the controls show the model, typing goes
// through its rules, OK writes the item or keeps the dialog open, and an
// editor that only shows its item never changes it.
#include "catalog/ui/matrixdialogs.h"
#include "catalog/ui/oporadialog.h"
#include "catalog/ui/wiredialogs.h"
#include "editortest.h"
#include "dialogs/ui/numericedit.h"
#include "model/catalogitems.h"
#include "platform/archive.h"
#include "platform/messages.h"
#include "dialogs/qt/useractions.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

namespace {

COpora SixPointTower()
{
    COpora t;
    t.name = "П220-2";
    t.x = {-6.5, 6.5, -4.2, 4.2, -6.5, 6.5};
    t.y = {22, 22, 28, 28, 34, 34};
    t.count = 6;
    return t;
}

CMatrix OrderFour()
{
    CMatrix m;
    m.name = "М4";
    m.n = 4;
    m.cap.assign(CMatrix::PackedSize(4), -0.5e-12);
    for (int i = 0; i < 4; ++i)
        m.cap[CMatrix::PackedIndex(4, i, i)] = 3e-12;
    m.res.assign(4, 2e6);
    return m;
}

CProvod Ac95()
{
    CProvod w;
    w.name = "АС-95";
    w.radius = 0.00675;
    w.twist = 0.95;
    w.resistivity = 3e-8;
    return w;
}

} // namespace

class CatalogEditorsTest : public QObject {
    Q_OBJECT
private slots:
    void towerSpinAndListFollowEachOther();
    void viewOnlyEditorsLeaveTheItemUnchanged();
    void nonNumberKeepsTheDialogOpenWithItsText();
    void nameTheFileCannotHoldKeepsTheDialogOpenWithItsText();
    void matrixCellsTypedAndEntered();
    void screenshots();
};

void CatalogEditorsTest::towerSpinAndListFollowEachOther()
{
    COpora tower = SixPointTower();
    COporaDlg model;
    model.m_pOpora = &tower;
    model.m_nMode = 0;
    OporaDialog dlg(model);
    QCOMPARE(dlg.List()->rowCount(), 6);
    QCOMPARE(dlg.PointSpin()->maximum(), 6);
    dlg.List()->cellClicked(3, 1);
    QCOMPARE(dlg.PointSpin()->value(), 4);
    QCOMPARE(dlg.XEdit()->text(), QString("4.2"));
    dlg.PointSpin()->setValue(2);
    QCOMPARE(dlg.List()->currentRow(), 1);
    QCOMPARE(dlg.HEdit()->text(), QString("22"));
    TypeInto(dlg.HEdit(), "23");
    QCOMPARE(dlg.List()->item(1, 2)->text(), QString("23"));
    dlg.CountSpin()->setValue(3);
    QCOMPARE(dlg.List()->rowCount(), 3);
    QCOMPARE(dlg.PointSpin()->maximum(), 3);
    dlg.CountSpin()->setValue(6);
    QCOMPARE(dlg.List()->item(5, 2)->text(), QString("34"));
    dlg.HEdit()->setText("0");
    dlg.EnterButton()->click();
    QVERIFY(!dlg.OkButton()->isEnabled());
    QCOMPARE(dlg.OkButton()->text(), QString::fromUtf8("Сохранить"));

    COporaDlg fixed;
    fixed.m_pOpora = &tower;
    fixed.m_nMode = 3;
    OporaDialog fixedDlg(fixed);
    QVERIFY(fixedDlg.CountSpin()->isReadOnly());
    QVERIFY(!fixedDlg.XEdit()->isReadOnly());
}

void CatalogEditorsTest::viewOnlyEditorsLeaveTheItemUnchanged()
{
    for (bool escape : {false, true}) {
        COpora tower = SixPointTower();
        const auto towerBytes = Bytes(tower);
        COporaDlg opora;
        opora.m_pOpora = &tower;
        opora.m_nMode = 2;
        OporaDialog d1(opora);
        QVERIFY(d1.XEdit()->isReadOnly());
        QVERIFY(d1.CountSpin()->isReadOnly());
        QVERIFY(!d1.CancelButton()->isVisible() && d1.CancelButton()->isHidden());
        QVERIFY(d1.EnterButton()->isHidden());
        QCOMPARE(d1.OkButton()->text(), QString("OK"));

        CMatrix matrix = OrderFour();
        const auto matrixBytes = Bytes(matrix);
        CMatrixDlg mat;
        mat.m_pItem = &matrix;
        mat.m_bViewOnly = 1;
        MatrixDialog d2(mat);
        QVERIFY(d2.CEdit()->isReadOnly());
        QVERIFY(d2.EnterCButton()->isHidden());

        CProvod wire = Ac95();
        const auto wireBytes = Bytes(wire);
        CProvodDlg prov;
        prov.m_pItem = &wire;
        prov.m_bViewOnly = 1;
        ProvodDialog d3(prov);
        QVERIFY(d3.DiameterEdit()->isReadOnly());

        for (ItemEditorDialog* d : std::initializer_list<ItemEditorDialog*>{&d1, &d2, &d3})
            CloseViewOnly(*d, escape);
        QVERIFY(Bytes(tower) == towerBytes);
        QVERIFY(Bytes(matrix) == matrixBytes);
        QVERIFY(Bytes(wire) == wireBytes);
    }
}

void CatalogEditorsTest::nonNumberKeepsTheDialogOpenWithItsText()
{
    for (const char* typed : {"abc", "inf", "nan", "1e39"}) {
        ScriptedMessages msgs;
        CProvod cable;
        CVchKabDlg model;
        model.m_pItem = &cable;
        VchKabDialog dlg(model);
        dlg.show();
        dlg.NameEdit()->setText(QString::fromUtf8("РК"));
        dlg.SpeedEdit()->setText(typed);
        dlg.OkButton()->click();
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.SpeedEdit()->text(), QString(typed));
        QCOMPARE(msgs.messages().size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(msgs.messages()[0].text), QString::fromUtf8("Введите число."));
        QCOMPARE(msgs.messages()[0].icon, MsgIcon::Stop);
        QCOMPARE(cable.name, std::string());
    }
    CProvod wire;
    CProvodDlg model;
    model.m_pItem = &wire;
    ProvodDialog dlg(model);
    dlg.show();
    TypeInto(dlg.NameEdit(), QString::fromUtf8("АС-70"));
    QCOMPARE(dlg.DiameterEdit()->text(), QString("0"));
    dlg.DiameterEdit()->setText("11,4"); // a decimal comma reads as a point
    for (QLineEdit* e : dlg.findChildren<QLineEdit*>())
        if (e != dlg.NameEdit() && e != dlg.DiameterEdit())
            e->setText("1");
    dlg.OkButton()->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(wire.name, std::string("АС-70"));
    QCOMPARE(wire.radius, double(11.4f) * 0.0005);
}

void CatalogEditorsTest::nameTheFileCannotHoldKeepsTheDialogOpenWithItsText()
{
    ScriptedMessages msgs;
    COpora tower = SixPointTower();
    const auto before = Bytes(tower);
    COporaDlg model;
    model.m_pOpora = &tower;
    model.m_nMode = 0;
    OporaDialog dlg(model);
    dlg.show();
    TypeInto(dlg.NameEdit(), QString::fromUtf8("Опора²"));
    dlg.OkButton()->click();
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.NameEdit()->text(), QString::fromUtf8("Опора²"));
    QCOMPARE(msgs.messages().size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(msgs.messages()[0].text),
             QString::fromUtf8("Поле «Тип» содержит символ «²» (U+00B2), который нельзя сохранить в файле.\n"
                               "Замените или удалите его."));
    QCOMPARE(QString::fromStdString(msgs.messages()[0].caption), QString::fromUtf8("Kestrin"));
    QVERIFY(Bytes(tower) == before);
    Shot(dlg, "tower_unstorable_name");

    QTest::keyClick(dlg.NameEdit(), Qt::Key_Backspace);
    QTest::sendKeyEvent(QTest::Click, dlg.NameEdit(), Qt::Key_unknown, QString("2"), Qt::NoModifier);
    dlg.OkButton()->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(msgs.messages().size(), std::size_t(1));
    QCOMPARE(tower.name, std::string("Опора2"));
}

void CatalogEditorsTest::matrixCellsTypedAndEntered()
{
    CMatrix matrix;
    matrix.n = 3;
    CMatrixDlg model;
    model.m_pItem = &matrix;
    MatrixDialog dlg(model);
    QCOMPARE(dlg.CList()->columnCount(), 4);
    QCOMPARE(dlg.CList()->item(0, 2)->text(), QString("-"));
    dlg.RowCSpin()->setValue(3);
    dlg.CList()->horizontalHeader()->sectionClicked(1);
    QCOMPARE(dlg.ColCSpin()->value(), 1);
    dlg.CEdit()->setText("-1.5");
    dlg.EnterCButton()->click();
    QCOMPARE(dlg.CList()->item(0, 3)->text(), QString("-1.5"));
    QCOMPARE(dlg.ColCSpin()->value(), 2);
    TypeInto(dlg.CEdit(), "-2");
    QCOMPARE(dlg.CList()->item(1, 3)->text(), QString("-2"));
    dlg.OkButton()->click();
    QVERIFY(dlg.isVisible() || dlg.result() != QDialog::Accepted); // no name yet
}

void CatalogEditorsTest::screenshots()
{
    ScriptedMessages msgs;
    for (std::uint8_t view : {0, 1}) {
        const char* suffix = view ? "_view" : "_edit";
        COpora tower = SixPointTower();
        COporaDlg opora;
        opora.m_pOpora = &tower;
        opora.m_nMode = view ? 2 : 0;
        OporaDialog d1(opora);
        Shot(d1, QString("tower") + suffix);

        CMatrix matrix = OrderFour();
        CMatrixDlg mat;
        mat.m_pItem = &matrix;
        mat.m_bViewOnly = view ? 1 : 2;
        MatrixDialog d2(mat);
        Shot(d2, QString("matrix") + suffix);

        CProvod wire = Ac95();
        CProvodDlg prov;
        prov.m_pItem = &wire;
        prov.m_bViewOnly = view;
        prov.m_nKind = view ? 3 : 2;
        ProvodDialog d3(prov);
        Shot(d3, QString("wire") + suffix);

        CKabTv tv;
        tv.name = "АПвПу 1x240";
        tv.coreRadius = 0.009;
        tv.screenInnerRadius = 0.0155;
        tv.screenOuterRadius = 0.016;
        tv.outerRadius = 0.0195;
        tv.tanInner = tv.tanOuter = 0.001;
        tv.epsInner = tv.epsOuter = 2.3;
        tv.rhoCore = 2.8e-8;
        tv.rhoScreen = 1.7e-8;
        CKabTvDlg kabtv;
        kabtv.m_pItem = &tv;
        kabtv.m_bViewOnly = view;
        KabTvDialog d4(kabtv);
        Shot(d4, QString("cable_solid") + suffix);

        CKabTr tr;
        tr.name = "МВДТ 1x300";
        tr.coreRadius = 0.0125;
        CKabTrDlg kabtr;
        kabtr.m_pItem = &tr;
        kabtr.m_bViewOnly = view;
        KabTrDialog d5(kabtr);
        Shot(d5, QString("cable_pipe") + suffix);

        CProvod hf;
        hf.name = "РК-75-9-12";
        hf.radius = 0.0021;
        hf.twist = 1.98e8;
        hf.resistivity = 75;
        CVchKabDlg vch;
        vch.m_pItem = &hf;
        vch.m_bViewOnly = view;
        VchKabDialog d6(vch);
        Shot(d6, QString("hf_cable") + suffix);
    }
    CNewMatrixDlg order;
    NewMatrixDialog d7(order);
    QCOMPARE(d7.OrderSpin()->maximum(), 250);
    Shot(d7, "new_matrix");
}

QTEST_MAIN(CatalogEditorsTest)
#include "catalogeditors_qt_test.moc"

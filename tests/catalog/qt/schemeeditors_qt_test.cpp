// The filter and trap editors through their widgets, and their circuit
// drawings rendered offscreen.
#include "catalog/ui/filtrdialog.h"
#include "catalog/ui/schemewidget.h"
#include "catalog/ui/zagraddialog.h"
#include "editortest.h"
#include "dialogs/ui/numericedit.h"
#include "model/catalogitems.h"
#include "platform/archive.h"
#include "platform/messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <set>

namespace {

CFiltr Type7()
{
    CFiltr f;
    f.name = "ФП-7";
    f.type = 6;
    f.nC = 6;
    f.nL = 6;
    for (int i = 0; i < 6; ++i) {
        f.C[i] = (i + 1) * 1e-9;
        f.L[i] = (i + 1) * 1e-4;
    }
    f.ratio = 3;
    for (double& r : f.resistors)
        r = 50;
    return f;
}

CZagrad Trap(std::uint8_t scheme)
{
    CZagrad t;
    t.name = "ВЗ-1000";
    t.C1 = 2e-9;
    t.L1 = 1e-3;
    t.L2 = 0.2e-3;
    t.C2 = 1e-9;
    t.L3 = 0.1e-3;
    t.C3 = 3e-9;
    t.R = 600;
    t.L4 = scheme == 2 ? 0.05e-3 : 0.0;
    t.scheme = scheme;
    return t;
}

constexpr int kAreaW = 520, kAreaH = 160;
const QRgb kBackground = qRgb(200, 200, 200);

// The drawing painted into an area of the dialog's background colour.
QImage Render(const SchemeDrawing& d)
{
    QImage img(kAreaW, kAreaH, QImage::Format_RGB32);
    img.fill(kBackground);
    QPainter p(&img);
    PaintScheme(p, d, CentredOffset(kAreaW, d.width), CentredOffset(kAreaH, d.height));
    return img;
}

} // namespace

class SchemeEditorsTest : public QObject {
    Q_OBJECT
private slots:
    void drawingsHaveTheirFramesAndDifferFromEachOther();
    void filterBoxesAndTypeFollowTheModel();
    void trapBoxesAndSchemesFollowTheModel();
    void viewOnlyEditorsLeaveTheItemUnchanged();
    void screenshots();
};

void SchemeEditorsTest::drawingsHaveTheirFramesAndDifferFromEachOther()
{
    std::set<QByteArray> pictures;
    for (int k = 0; k < 10; ++k) {
        const SchemeDrawing d = k < 7 ? FiltrSchemeDrawing(k + 1, kAreaW) : TrapSchemeDrawing(k - 7);
        const QImage img = Render(d);
        const int left = CentredOffset(kAreaW, d.width), top = CentredOffset(kAreaH, d.height);
        // The frame: black one-pixel outline, centred, background outside it.
        QCOMPARE(img.pixel(left, top + d.height / 2), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(left + d.width - 1, top + d.height / 3), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(left + d.width / 3, top), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(left + d.width / 3, top + d.height - 1), qRgb(0, 0, 0));
        if (left > 0)
            QCOMPARE(img.pixel(left - 1, top + d.height / 2), kBackground);
        if (top > 0)
            QCOMPARE(img.pixel(left + d.width / 2, top - 1), kBackground);
        // Inside: white apart from the circuit, which is drawn in black (and
        // the grey of antialiased text).
        int white = 0, other = 0;
        for (int y = top + 1; y < top + d.height - 1; ++y)
            for (int x = left + 1; x < left + d.width - 1; ++x) {
                const QRgb c = img.pixel(x, y);
                QVERIFY2(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c), "only black, grey and white inside");
                (c == qRgb(255, 255, 255) ? white : other) += 1;
            }
        QVERIFY(other > 300);
        QVERIFY(white > other * 5);
        pictures.insert(QByteArray(reinterpret_cast<const char*>(img.constBits()), int(img.sizeInBytes())));
        Save(img, k < 7 ? QString("filter_type%1").arg(k + 1) : QString("trap_scheme%1").arg(k - 6));
    }
    QCOMPARE(int(pictures.size()), 10);
}

void SchemeEditorsTest::filterBoxesAndTypeFollowTheModel()
{
    CFiltr f = Type7();
    CFiltrDlg model;
    model.m_pFiltr = &f;
    FiltrDialog dlg(model);
    dlg.show();
    QVERIFY(dlg.Edit(kFR3)->isVisible());
    QVERIFY(!dlg.Box(kFC1)->isEnabled());
    QCOMPARE(dlg.RatioLabel()->text(), QString::fromUtf8("Коэффициент трансформации"));
    dlg.Box(kFC5)->click(); // untick: its edit goes
    QVERIFY(!dlg.Edit(kFC5)->isVisible());
    dlg.Box(kFC5)->click();
    QVERIFY(dlg.Edit(kFC5)->isVisible());
    dlg.Box(kFC6)->click();
    QVERIFY(!dlg.Edit(kFC6)->isVisible());
    const QImage before = dlg.Scheme()->grab().toImage();
    dlg.TypeSpin()->setValue(1);
    QApplication::processEvents();
    QVERIFY(dlg.Scheme()->grab().toImage() != before);
    QCOMPARE(dlg.RatioLabel()->text(), QString::fromUtf8("Коэффициент связи"));
    QVERIFY(!dlg.Box(kFC4)->isVisible());
    QVERIFY(!dlg.Box(kFR1)->isVisible());
    QVERIFY(dlg.Box(kFC3)->isChecked()); // re-ticked: its value is above 0
    QVERIFY(!dlg.Box(kFL2)->isEnabled());  // required by type 1
    dlg.Edit(kFC2)->setText("abc");
    dlg.OkButton()->click();
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.Edit(kFC2)->text(), QString("abc"));
    dlg.Edit(kFC2)->setText("250");
    dlg.OkButton()->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(int(f.type), 0);
    QCOMPARE(f.C[1], double(250.0f) * 1e-12);
    QCOMPARE(int(model.m_nMode), 1);

    CFiltrDlg fixed;
    CFiltr g = Type7();
    fixed.m_pFiltr = &g;
    fixed.m_nMode = 1;
    FiltrDialog fixedDlg(fixed);
    QVERIFY(fixedDlg.TypeSpin()->isReadOnly());
    QVERIFY(!fixedDlg.Edit(kFC1)->isReadOnly());
}

void SchemeEditorsTest::trapBoxesAndSchemesFollowTheModel()
{
    CZagrad t = Trap(0);
    CZagradDlg model;
    model.m_pZagrad = &t;
    ZagradDialog dlg(model);
    dlg.show();
    QVERIFY(dlg.C2Box()->isChecked() && !dlg.C2Box()->isEnabled());
    QVERIFY(dlg.RBox()->isChecked() && !dlg.RBox()->isEnabled());
    QVERIFY(!dlg.L4Box()->isVisible());
    dlg.L2Box()->click();
    QVERIFY(!dlg.L2Edit()->isVisible());
    QVERIFY(dlg.C2Box()->isEnabled());
    const QImage before = dlg.Scheme()->grab().toImage();
    dlg.SchemeRadio(2)->click();
    QApplication::processEvents();
    QVERIFY(dlg.Scheme()->grab().toImage() != before);
    QVERIFY(dlg.L4Box()->isVisible());
    QVERIFY(!dlg.L4Edit()->isVisible());
    dlg.L4Box()->click();
    QVERIFY(dlg.L4Edit()->isVisible());
    dlg.L4Edit()->setText("0.05");
    dlg.OkButton()->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(int(t.scheme), 2);
    QCOMPARE(t.L2, 0.0);
    QCOMPARE(t.L4, double(0.05f) * 1e-3);
}

void SchemeEditorsTest::viewOnlyEditorsLeaveTheItemUnchanged()
{
    for (bool escape : {false, true}) {
        CFiltr f = Type7();
        const auto filterBytes = Bytes(f);
        CFiltrDlg fm;
        fm.m_pFiltr = &f;
        fm.m_nMode = 2;
        FiltrDialog d1(fm);
        QVERIFY(d1.Edit(kFC1)->isReadOnly());
        QVERIFY(!d1.Box(kFC2)->isEnabled());
        QVERIFY(d1.CancelButton()->isHidden());
        QCOMPARE(d1.OkButton()->text(), QString("OK"));

        CZagrad t = Trap(1);
        const auto trapBytes = Bytes(t);
        CZagradDlg tm;
        tm.m_pZagrad = &t;
        tm.m_nMode = 1;
        ZagradDialog d2(tm);
        QVERIFY(d2.C1Edit()->isReadOnly());
        QVERIFY(!d2.SchemeRadio(0)->isEnabled());
        QVERIFY(d2.CancelButton()->isHidden());

        for (ItemEditorDialog* d : {static_cast<ItemEditorDialog*>(&d1), static_cast<ItemEditorDialog*>(&d2)})
            CloseViewOnly(*d, escape);
        QVERIFY(Bytes(f) == filterBytes);
        QVERIFY(Bytes(t) == trapBytes);
    }
}

void SchemeEditorsTest::screenshots()
{
    for (std::uint8_t mode : {0, 1, 2}) {
        CFiltr f = Type7();
        CFiltrDlg fm;
        fm.m_pFiltr = &f;
        fm.m_nMode = mode;
        FiltrDialog d(fm);
        Shot(d, QString("filter_mode%1").arg(mode));
    }
    {
        // A type without resistors: the layout keeps its place for them.
        CFiltr f = Type7();
        f.type = 0;
        CFiltrDlg fm;
        fm.m_pFiltr = &f;
        fm.m_nMode = 0;
        FiltrDialog d(fm);
        Shot(d, "filter_type1_dialog");
    }
    for (std::uint8_t mode : {0, 1}) {
        CZagrad t = Trap(2);
        CZagradDlg tm;
        tm.m_pZagrad = &t;
        tm.m_nMode = mode;
        ZagradDialog d(tm);
        Shot(d, mode == 1 ? QString("trap_view") : QString("trap_edit"));
    }
}

QTEST_MAIN(SchemeEditorsTest)
#include "schemeeditors_qt_test.moc"

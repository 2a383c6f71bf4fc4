#include "catalog/kabdlg.h"
#include "catalog/provoddlg.h"
#include "catalog/vchkabdlg.h"
#include "model/catalogitems.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

namespace {

TEST(ProvodDlg, DiameterInMillimetresIsARadiusInMetres)
{
    CProvod wire;
    CProvodDlg dlg;
    dlg.m_pItem = &wire;
    dlg.OnInitDialog();
    EXPECT_EQ(dlg.m_fDiameter, 0.0f);
    EXPECT_EQ(dlg.Caption(), "Провод");
    dlg.m_strName = std::string("АС-70");
    dlg.m_fDiameter = 10.1f;
    dlg.m_fTwist = 0.95f;
    dlg.m_fResistivity = 2.8f;
    ASSERT_EQ(dlg.OnOK(), IDOK);
    EXPECT_EQ(dlg.m_bViewOnly, 1);
    EXPECT_EQ(wire.radius, double(10.1f) * 0.0005);
    EXPECT_EQ(wire.resistivity, double(2.8f) * 1e-8);

    const CProvod saved = wire;
    CProvodDlg again;
    again.m_pItem = &wire;
    again.m_nKind = 3;
    again.OnInitDialog();
    EXPECT_EQ(again.Caption(), "Трос");
    EXPECT_FLOAT_EQ(again.m_fDiameter, 10.1f);
    ASSERT_EQ(again.OnOK(), IDOK);
    EXPECT_EQ(wire.Compare(saved), 2);
}

TEST(ProvodDlg, RefusalsKeepTheWire)
{
    struct Case {
        const char* name;
        float diameter, twist, rho;
        const char* text;
        const char* caption;
    };
    for (Case c : {Case{"", 10, 1, 1, "Вы забыли ввести название!", "Ошибка данных"},
                   Case{"А", 10, 0, 1, "Некорректные данные!", "Kestrin"},
                   Case{"А", 1e-10f, 1, 1, "Некорректные данные!", "Kestrin"}}) {
        ScriptedMessages msgs;
        CProvod wire;
        CProvodDlg dlg;
        dlg.m_pItem = &wire;
        dlg.OnInitDialog();
        dlg.m_strName = c.name;
        dlg.m_fDiameter = c.diameter;
        dlg.m_fTwist = c.twist;
        dlg.m_fResistivity = c.rho;
        EXPECT_EQ(dlg.OnOK(), kStayOpen);
        ASSERT_EQ(msgs.messages().size(), 1u);
        EXPECT_EQ(msgs.messages()[0].text, c.text);
        EXPECT_EQ(msgs.messages()[0].caption, c.caption);
        EXPECT_EQ(msgs.messages()[0].icon, MsgIcon::Stop);
        EXPECT_EQ(wire.radius, 0.0);
    }
}

TEST(KabTvDlg, ChecksAndUnits)
{
    const float good[10] = {10, 20, 22, 30, 0.1f, 0.2f, 2.3f, 2.5f, 1.7f, 2.8f};
    struct Case {
        int field;
        float value;
        bool accepted;
    };
    // Outer screen equal to the cable diameter, a loss tangent of 0: refused.
    for (Case c : {Case{-1, 0, true}, Case{2, 30, false}, Case{1, 10, false}, Case{4, 0, false}}) {
        ScriptedMessages msgs;
        CKabTv cable;
        CKabTvDlg dlg;
        dlg.m_pItem = &cable;
        dlg.OnInitDialog();
        std::copy(good, good + 10, dlg.m_fValues.begin());
        if (c.field >= 0)
            dlg.m_fValues[std::size_t(c.field)] = c.value;
        EXPECT_EQ(dlg.OnOK(), c.accepted ? IDOK : kStayOpen) << c.field;
        if (!c.accepted) {
            ASSERT_EQ(msgs.messages().size(), 1u);
            EXPECT_EQ(msgs.messages()[0].icon, MsgIcon::None);
            continue;
        }
        EXPECT_EQ(cable.name, ""); // an empty name is accepted
        EXPECT_EQ(cable.outerRadius, double(30.0f) * 0.0005);
        EXPECT_EQ(cable.tanInner, double(0.1f) * 0.01);
        EXPECT_EQ(cable.rhoScreen, double(2.8f) * 1e-8);
        const CKabTv saved = cable;
        CKabTvDlg again;
        again.m_pItem = &cable;
        again.m_bViewOnly = 2;
        again.OnInitDialog();
        EXPECT_FLOAT_EQ(again.m_fValues[0], 10.0f);
        ASSERT_EQ(again.OnOK(), IDOK);
        EXPECT_EQ(cable.Compare(saved), 2);
    }
}

TEST(KabTrDlg, EmptyNameAcceptedZeroDiameterRefused)
{
    ScriptedMessages msgs;
    CKabTr cable;
    CKabTrDlg dlg;
    dlg.m_pItem = &cable;
    dlg.OnInitDialog();
    EXPECT_EQ(dlg.OnOK(), kStayOpen);
    EXPECT_EQ(msgs.messages().at(0).icon, MsgIcon::None);
    dlg.m_fDiameter = 40;
    ASSERT_EQ(dlg.OnOK(), IDOK);
    EXPECT_EQ(cable.coreRadius, 0.02);
}

TEST(VchKabDlg, SpeedIsShownInUnitsOfTenToTheEighth)
{
    CProvod cable;
    cable.twist = 2e8; // no attenuation yet: a new cable, all shown as 0
    CVchKabDlg dlg;
    dlg.m_pItem = &cable;
    dlg.OnInitDialog();
    EXPECT_EQ(dlg.m_fSpeed, 0.0f);
    dlg.m_strName = std::string("РК-75");
    dlg.m_fAttenuation = 0.02f;
    dlg.m_fSpeed = 2.0f;
    dlg.m_fImpedance = 75.0f;
    ASSERT_EQ(dlg.OnOK(), IDOK);
    EXPECT_EQ(cable.speed(), 2e8);
    CVchKabDlg again;
    again.m_pItem = &cable;
    again.m_bViewOnly = 1;
    again.OnInitDialog();
    EXPECT_EQ(again.m_fSpeed, 2.0f);
    EXPECT_EQ(again.OnOK(), IDCANCEL);

    ScriptedMessages msgs;
    CProvod fresh;
    CVchKabDlg bad;
    bad.m_pItem = &fresh;
    bad.OnInitDialog();
    bad.m_strName = std::string("Х");
    EXPECT_EQ(bad.OnOK(), kStayOpen);
    EXPECT_EQ(msgs.messages().at(0).text, "Некорректные данные!");
    EXPECT_EQ(msgs.messages().at(0).icon, MsgIcon::Stop);
}

} // namespace

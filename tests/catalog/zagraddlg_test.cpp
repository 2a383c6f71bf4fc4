#include "catalog/zagraddlg.h"
#include "model/catalogitems.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

namespace {

CZagrad Trap(std::uint8_t scheme)
{
    CZagrad t;
    t.name = "ВЗ-630";
    t.C1 = 2e-9;
    t.L1 = 0.5e-3;
    t.C2 = 1e-9;
    t.L2 = 0.2e-3;
    t.C3 = 3e-9;
    t.L3 = 0.1e-3;
    t.R = 400;
    t.L4 = scheme == 2 ? 0.05e-3 : 0.0;
    t.scheme = scheme;
    return t;
}

void Open(CZagradDlg& dlg, CZagrad& t, std::uint8_t mode)
{
    dlg.m_pZagrad = &t;
    dlg.m_nMode = mode;
    dlg.OnInitDialog();
}

TEST(ZagradDlg, LeastValuesAndNegativeValues)
{
    struct Case {
        float CZagradDlg::*field;
        float value;
        const char* message; // "" accepted
    };
    const Case cases[] = {
        {&CZagradDlg::m_fC1, 0.001f, ""},
        {&CZagradDlg::m_fC1, 0.0009f, "Введены параметры не всех имеющихся в схеме элементов!"},
        {&CZagradDlg::m_fR, 0.0009f, "Введены параметры не всех имеющихся в схеме элементов!"},
        {&CZagradDlg::m_fL4, 0.0009f, "Введены параметры не всех имеющихся в схеме элементов!"},
        {&CZagradDlg::m_fL3, -1.0f, "Некорректные данные!"},
    };
    for (const Case& c : cases) {
        ScriptedMessages msgs;
        CZagrad t = Trap(2);
        const CZagrad before = t;
        CZagradDlg dlg;
        Open(dlg, t, 0);
        dlg.*c.field = c.value;
        const int answer = dlg.OnOK();
        if (*c.message == '\0') {
            EXPECT_EQ(answer, IDOK);
            continue;
        }
        EXPECT_EQ(answer, kStayOpen) << c.message;
        ASSERT_EQ(msgs.messages().size(), 1u);
        EXPECT_EQ(msgs.messages()[0].text, c.message);
        EXPECT_EQ(t.Compare(before), 2);
    }
    // A negative value is refused even for an element the trap does not have.
    ScriptedMessages msgs;
    CZagrad t = Trap(1);
    CZagradDlg dlg;
    Open(dlg, t, 2);
    dlg.m_bHasC3 = 0;
    dlg.m_fC3 = -5.0f;
    EXPECT_EQ(dlg.OnOK(), kStayOpen);
    EXPECT_EQ(msgs.messages().at(0).icon, MsgIcon::None);
}

TEST(ZagradDlg, SeriesContourBringsItsPartsInTheFirstScheme)
{
    CZagrad t = Trap(0);
    t.C2 = 0;
    t.R = 0;
    CZagradDlg dlg;
    Open(dlg, t, 0);
    EXPECT_TRUE(dlg.m_bHasC2);
    EXPECT_TRUE(dlg.m_bHasR);
    EXPECT_FALSE(dlg.m_bC2BoxEnabled);
    EXPECT_FALSE(dlg.m_bRBoxEnabled);
    EXPECT_TRUE(dlg.m_bShowC2 && dlg.m_bShowR);
    EXPECT_FALSE(dlg.m_bShowL4Box);

    // Scheme 2 always has R; L4 belongs to scheme 3 only.
    EXPECT_TRUE(dlg.OnScheme2());
    EXPECT_FALSE(dlg.OnScheme2());
    EXPECT_TRUE(dlg.m_bHasR && !dlg.m_bRBoxEnabled && dlg.m_bC2BoxEnabled);
    EXPECT_TRUE(dlg.OnScheme3());
    EXPECT_TRUE(dlg.m_bShowL4Box);
    dlg.m_bHasL4 = 1;
    dlg.m_fL4 = 2.0f;
    dlg.OnHasL4();
    EXPECT_TRUE(dlg.m_bShowL4Edit);
    dlg.m_fC2 = 1.0f;
    dlg.m_fR = 10.0f;
    ASSERT_EQ(dlg.OnOK(), IDOK);
    EXPECT_EQ(t.L4, double(2.0f) * 1e-3);
    EXPECT_EQ(t.scheme, 2);
    EXPECT_EQ(dlg.m_nMode, 1);

    CZagrad other = Trap(2);
    CZagradDlg first;
    Open(first, other, 0);
    first.m_bHasL2 = 0;
    first.OnHasL2();
    EXPECT_TRUE(first.m_bC2BoxEnabled);
    EXPECT_TRUE(first.OnScheme1());
    EXPECT_FALSE(first.m_bShowL4Box);
    ASSERT_EQ(first.OnOK(), IDOK);
    EXPECT_EQ(other.L4, 0.0); // only the third scheme keeps L4
    EXPECT_EQ(other.L2, 0.0);
}

TEST(ZagradDlg, ViewOnlyWritesNothingAndUnchangedSaveComparesEqual)
{
    for (std::uint8_t scheme : {0, 1, 2}) {
        CZagrad t = Trap(scheme);
        const CZagrad before = t;
        CZagradDlg view;
        Open(view, t, 1);
        EXPECT_EQ(view.OkCaption(), "OK");
        view.m_fC1 = 9.0f;
        EXPECT_EQ(view.OnOK(), IDCANCEL);
        EXPECT_EQ(t.Compare(before), 2);
        CZagradDlg edit;
        Open(edit, t, 2);
        ASSERT_EQ(edit.OnOK(), IDOK);
        EXPECT_EQ(t.Compare(before), 2) << int(scheme);
    }
}

} // namespace

#include "calc/couplingfilter.h"
#include "catalog/filtrdlg.h"
#include "model/catalogitems.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

namespace {

// A filter of the type with every element the type has at 1 (ratio 0.5).
CFiltrDlg Filled(CFiltr& f, int type, std::uint8_t mode = 0)
{
    CFiltrDlg dlg;
    dlg.m_pFiltr = &f;
    dlg.m_nMode = mode;
    dlg.OnInitDialog();
    dlg.m_nType = type;
    dlg.OnChangeType();
    dlg.m_strName = "Ф";
    for (int e = 0; e < kFiltrElements; ++e)
        if (FiltrHasElement(type, e)) {
            dlg.m_fValue[std::size_t(e)] = 1.0f;
            dlg.m_bPresent[std::size_t(e)] = 1;
        }
    dlg.m_fValue[kFRatio] = 0.5f;
    return dlg;
}

TEST(FiltrDlg, EachTypeShowsItsElementsAndRequiresWhatItsSchemeNeeds)
{
    struct Case {
        int type;
        int caps, inds, resistors;
        const char* ratio;
        std::vector<int> required;
    };
    const Case cases[] = {
        {1, 3, 3, 0, "Коэффициент связи", {kFL1, kFL2}},
        {2, 5, 3, 0, "Коэффициент связи", {kFL1, kFL2}},
        {3, 5, 5, 0, "Коэффициент связи", {kFL3, kFL4}},
        {4, 5, 5, 1, "Коэффициент трансформации", {}},
        {5, 2, 1, 0, "Коэффициент трансформации", {kFC2, kFL1}},
        {6, 6, 4, 0, "Коэффициент связи", {kFC3, kFL1, kFL2}},
        {7, 6, 6, 5, "Коэффициент трансформации", {kFC4, kFL1, kFR1}},
    };
    for (const Case& c : cases) {
        CFiltr f;
        CFiltrDlg dlg = Filled(f, c.type);
        EXPECT_EQ(dlg.m_strRatioLabel, c.ratio);
        int caps = 0, inds = 0, resistors = 0;
        for (int e = 0; e < kFiltrElements; ++e) {
            if (!dlg.m_bBoxShown[std::size_t(e)])
                continue;
            caps += e <= kFC6;
            inds += e >= kFL1 && e <= kFL6;
            resistors += e >= kFR && e <= kFR5;
        }
        EXPECT_EQ(caps, c.caps) << c.type;
        EXPECT_EQ(inds, c.inds);
        EXPECT_EQ(resistors, c.resistors);
        std::vector<int> required = c.required;
        required.push_back(kFC1);
        required.push_back(kFRatio);
        for (int e : required) {
            ScriptedMessages msgs;
            CFiltr target;
            CFiltrDlg d = Filled(target, c.type);
            EXPECT_FALSE(d.m_bBoxEnabled[std::size_t(e)]);
            d.m_fValue[std::size_t(e)] = 0.0009f;
            EXPECT_EQ(d.OnOK(), kStayOpen) << c.type << " " << e;
            ASSERT_EQ(msgs.messages().size(), 1u);
            EXPECT_EQ(msgs.messages()[0].text, "Заданы не все обязательные параметры!");
            EXPECT_EQ(msgs.messages()[0].caption, "Ошибка");
            d.m_fValue[std::size_t(e)] = 0.001f;
            EXPECT_EQ(d.OnOK(), IDOK);
            EXPECT_EQ(target.nC, CFiltr::kCapCount[c.type - 1]);
            EXPECT_EQ(target.nL, CFiltr::kIndCount[c.type - 1]);
            EXPECT_EQ(CheckFiltrValues(target), "") << c.type;
        }
        // Saved and reopened unchanged, the filter compares equal.
        ASSERT_EQ(dlg.OnOK(), IDOK);
        EXPECT_EQ(dlg.m_nMode, 1);
        const CFiltr saved = f;
        CFiltrDlg again;
        again.m_pFiltr = &f;
        again.m_nMode = 3;
        again.OnInitDialog();
        EXPECT_EQ(again.m_nType, c.type);
        ASSERT_EQ(again.OnOK(), IDOK);
        EXPECT_EQ(f.Compare(saved), 2);
    }
}

TEST(FiltrDlg, OptionalElementsAndTheirTicks)
{
    ScriptedMessages msgs;
    CFiltr f;
    // Type 4 without R is stored with R = 0; an unticked element as 0.
    CFiltrDlg dlg = Filled(f, 4);
    dlg.m_bPresent[kFR] = 0;
    dlg.m_bPresent[kFC3] = 0;
    dlg.m_fValue[kFC3] = 5.0f;
    ASSERT_EQ(dlg.OnOK(), IDOK);
    EXPECT_EQ(f.R, 0.0);
    EXPECT_EQ(f.C[2], 0.0);
    EXPECT_EQ(f.C[1], double(1.0f) * 1e-12);
    EXPECT_EQ(f.L[4], double(1.0f) * 0.001);

    // A ticked negative element of the type is refused; unticked it is stored as 0.
    CFiltr g;
    CFiltrDlg neg = Filled(g, 1);
    neg.m_fValue[kFC2] = -100.0f;
    EXPECT_EQ(neg.OnOK(), kStayOpen);
    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.messages()[0].text, "Некорректные данные!");
    EXPECT_EQ(msgs.messages()[0].caption, "Ошибка");
    EXPECT_EQ(g.name, "");
    neg.m_bPresent[kFC2] = 0;
    ASSERT_EQ(neg.OnOK(), IDOK);
    EXPECT_EQ(g.C[1], 0.0);

    // A type change re-ticks the elements above 0 and hides the unticked.
    CFiltr h;
    CFiltrDlg change = Filled(h, 7);
    change.m_fValue[kFC5] = 0.0f;
    change.m_nType = 3;
    change.OnChangeType();
    EXPECT_TRUE(change.m_bPresent[kFC3]);
    EXPECT_FALSE(change.m_bPresent[kFC5]);
    EXPECT_FALSE(change.m_bEditShown[kFC5]);
    EXPECT_TRUE(change.m_bBoxShown[kFC5]);
    EXPECT_FALSE(change.m_bBoxShown[kFC6]);
    change.m_bPresent[kFC5] = 1;
    change.OnCheckElement(kFC5);
    EXPECT_TRUE(change.m_bEditShown[kFC5]);
}

TEST(FiltrDlg, ModesAndTheirButtons)
{
    struct Case {
        std::uint8_t mode;
        bool typeEditable, viewOnly;
    };
    for (Case c : {Case{0, true, false}, Case{1, false, false}, Case{2, false, true}, Case{3, true, false}}) {
        CFiltr f;
        f.name = "Ф";
        f.type = 4;
        f.nC = 2;
        f.nL = 1;
        f.C[0] = f.C[1] = 1e-9;
        f.L[0] = 1e-3;
        f.ratio = 2;
        const CFiltr before = f;
        CFiltrDlg dlg;
        dlg.m_pFiltr = &f;
        dlg.m_nMode = c.mode;
        dlg.OnInitDialog();
        EXPECT_EQ(dlg.TypeEditable(), c.typeEditable);
        EXPECT_EQ(dlg.OkCaption(), c.viewOnly ? "OK" : "Сохранить");
        EXPECT_EQ(dlg.m_bBoxEnabled[kFC2], false); // required by type 5
        dlg.m_fValue[kFC1] = 7.0f;
        EXPECT_EQ(dlg.OnOK(), c.viewOnly ? IDCANCEL : IDOK);
        EXPECT_EQ(f.Compare(before), c.viewOnly ? 2 : 1);
    }
}

} // namespace

#include "catalog/itemeditors.h"
#include "catalog/filtrdlg.h"
#include "catalog/kabdlg.h"
#include "catalog/matrixdlg.h"
#include "catalog/oporadlg.h"
#include "catalog/provoddlg.h"
#include "catalog/vchkabdlg.h"
#include "catalog/zagraddlg.h"
#include "dialogs/catalogrequests.h"
#include "model/catalogstore.h"

#include <gtest/gtest.h>

namespace {

// Records which editor ran, on which item, in which mode; answers OK with
// the editor's mode byte at 1 as a successful OK leaves it.
struct Seen {
    std::string editor;
    const void* item = nullptr;
    int mode = -1;
    int kind = -1;
};

template <class Dlg, class Item>
ScopedModalRunner<Dlg> Script(Seen& seen, const char* name, Item* Dlg::*target, std::uint8_t Dlg::*mode)
{
    return ScopedModalRunner<Dlg>([&seen, name, target, mode](Dlg& dlg) {
        seen.editor = name;
        seen.item = dlg.*target;
        seen.mode = dlg.*mode;
        if constexpr (std::is_same_v<Dlg, CProvodDlg>)
            seen.kind = dlg.m_nKind;
        dlg.*mode = 1;
        return IDOK;
    });
}

TEST(ItemEditors, EachCategoryOpensItsEditorInTheCallersMode)
{
    RegisterItemEditors();
    Seen seen;
    auto s1 = Script(seen, "tower", &COporaDlg::m_pOpora, &COporaDlg::m_nMode);
    auto s2 = Script(seen, "wire", &CProvodDlg::m_pItem, &CProvodDlg::m_bViewOnly);
    auto s3 = Script(seen, "solid", &CKabTvDlg::m_pItem, &CKabTvDlg::m_bViewOnly);
    auto s4 = Script(seen, "pipe", &CKabTrDlg::m_pItem, &CKabTrDlg::m_bViewOnly);
    auto s5 = Script(seen, "matrix", &CMatrixDlg::m_pItem, &CMatrixDlg::m_bViewOnly);
    auto s6 = Script(seen, "hf", &CVchKabDlg::m_pItem, &CVchKabDlg::m_bViewOnly);
    auto s7 = Script(seen, "trap", &CZagradDlg::m_pZagrad, &CZagradDlg::m_nMode);
    auto s8 = Script(seen, "filter", &CFiltrDlg::m_pFiltr, &CFiltrDlg::m_nMode);
    CZagrad trap;
    CFiltr filter;
    COpora tower;
    CProvod wire;
    CKabTv solid;
    CKabTr pipe;
    CMatrix matrix;
    struct Case {
        int category;
        CatalogItemPtr item;
        const void* address;
        const char* editor;
        int kind;
    };
    const Case cases[] = {
        {kCatTowers, &tower, &tower, "tower", -1},   {kCatPhaseWires, &wire, &wire, "wire", 2},
        {kCatGroundWires, &wire, &wire, "wire", 3},  {kCatSolidCables, &solid, &solid, "solid", -1},
        {kCatPipeCables, &pipe, &pipe, "pipe", -1},  {kCatMatrices, &matrix, &matrix, "matrix", -1},
        {kCatHfCables, &wire, &wire, "hf", -1},      {kCatTraps, &trap, &trap, "trap", -1},
        {kCatFilters, &filter, &filter, "filter", -1}, {kCatFilters + 6, &filter, &filter, "filter", -1},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(HasItemEditor(c.category));
        for (std::uint8_t mode : {0, 2, 3}) {
            seen = Seen{};
            CItemEditRequest request{c.category, c.item, mode};
            EXPECT_EQ(request.DoModal(), IDOK);
            EXPECT_EQ(seen.editor, c.editor) << c.category;
            EXPECT_EQ(seen.item, c.address);
            EXPECT_EQ(seen.mode, mode);
            EXPECT_EQ(seen.kind, c.kind);
            EXPECT_EQ(request.mode, 1);
        }
    }
    // An item of another kind than the category's opens nothing.
    seen = Seen{};
    CItemEditRequest wrong{kCatTowers, &wire, 0};
    EXPECT_EQ(wrong.DoModal(), IDCANCEL);
    EXPECT_EQ(seen.editor, "");
}

} // namespace

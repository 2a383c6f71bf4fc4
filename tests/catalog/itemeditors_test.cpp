#include "catalog/itemeditors.h"
#include "catalog/filtrdlg.h"
#include "catalog/kabdlg.h"
#include "catalog/matrixdlg.h"
#include "catalog/oporadlg.h"
#include "catalog/povtordlg.h"
#include "catalog/provoddlg.h"
#include "catalog/vchkabdlg.h"
#include "catalog/zagraddlg.h"
#include "dialogs/catalogrequests.h"
#include "model/catalogstore.h"
#include "platform/archive.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

#include <functional>

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

// What an OK did with a typed name: the answer, whether the item kept its
// stored bytes, and the name it holds afterwards.
struct Outcome {
    int answer;
    bool unchanged;
    std::string name;
};

template <class Item>
std::vector<std::uint8_t> Stored(const Item& item)
{
    ArchiveWriter ar;
    item.Store(ar);
    return ar.take();
}

// Opens the editor on a complete item, types the name and presses OK.
template <class Dlg, class Item>
Outcome TypeName(Item item, Item* Dlg::*target, const std::string& name)
{
    const auto before = Stored(item);
    Dlg dlg;
    dlg.*target = &item;
    dlg.OnInitDialog();
    dlg.m_strName = name;
    const int answer = dlg.OnOK();
    return {answer, Stored(item) == before, item.name};
}

TEST(ItemEditors, NameTheFileCannotHoldIsRefusedAndCp1251IsTakenAsTyped)
{
    COpora tower;
    tower.x = {-3, 3};
    tower.y = {12, 12};
    tower.count = 2;
    CProvod wire;
    wire.radius = 0.005, wire.twist = 0.95, wire.resistivity = 3e-8;
    CKabTv solid;
    solid.coreRadius = 0.009, solid.screenInnerRadius = 0.0155, solid.screenOuterRadius = 0.016;
    solid.outerRadius = 0.0195, solid.tanInner = solid.tanOuter = 0.001, solid.epsInner = solid.epsOuter = 2.3;
    solid.rhoCore = 2.8e-8, solid.rhoScreen = 1.7e-8;
    CKabTr pipe;
    pipe.coreRadius = 0.0125;
    CMatrix matrix;
    matrix.n = 1, matrix.cap = {3e-12}, matrix.res = {2e6};
    CProvod hf;
    hf.radius = 0.0021, hf.twist = 1.98e8, hf.resistivity = 75;
    CZagrad trap;
    trap.C1 = 2e-9, trap.L1 = 0.5e-3;
    CFiltr filter;
    filter.nC = filter.nL = 3;
    filter.C[0] = 1e-9, filter.L[0] = filter.L[1] = 1e-3, filter.ratio = 0.5;

    struct Case {
        const char* editor;
        const char* caption;
        const char* label;   // the name field's
        std::function<Outcome(const std::string&)> ok;
    };
    const Case cases[] = {
        {"tower", "Kestrin", "Тип", [&](auto& n) { return TypeName(tower, &COporaDlg::m_pOpora, n); }},
        {"wire", "Ошибка данных", "Тип", [&](auto& n) { return TypeName(wire, &CProvodDlg::m_pItem, n); }},
        {"solid", "Kestrin", "Тип", [&](auto& n) { return TypeName(solid, &CKabTvDlg::m_pItem, n); }},
        {"pipe", "Kestrin", "Тип", [&](auto& n) { return TypeName(pipe, &CKabTrDlg::m_pItem, n); }},
        {"matrix", "Kestrin", "Тип", [&](auto& n) { return TypeName(matrix, &CMatrixDlg::m_pItem, n); }},
        {"hf", "Ошибка данных", "Тип", [&](auto& n) { return TypeName(hf, &CVchKabDlg::m_pItem, n); }},
        {"trap", "Kestrin", "Тип", [&](auto& n) { return TypeName(trap, &CZagradDlg::m_pZagrad, n); }},
        {"filter", "Ошибка", "Наименование", [&](auto& n) { return TypeName(filter, &CFiltrDlg::m_pFiltr, n); }},
        // A supplement's item added under a new name: "Добавить" keeps the old one.
        {"repeat", "Повторение элемента базы", "Наименование",
         [](auto& n) {
             CPovtorDlg prompt;
             prompt.m_nCode = 1;
             prompt.m_strName = "Опора";
             prompt.OnInitDialog();
             prompt.OnChangeName(n);
             const int answer = prompt.OnAdd();
             return Outcome{answer, prompt.m_nCode == 1 && prompt.m_strName == "Опора", prompt.m_strName};
         }},
    };
    // "Опора²" and "Опора³" would both be stored as "Опора?" and merge into one item.
    const std::pair<const char*, const char*> refused[] = {{"Опора²", "«²» (U+00B2)"}, {"Опора³", "«³» (U+00B3)"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.editor);
        for (auto [name, named] : refused) {
            ScriptedMessages msgs;
            const Outcome o = c.ok(name);
            EXPECT_EQ(o.answer, kStayOpen);
            EXPECT_TRUE(o.unchanged);
            EXPECT_EQ(msgs.messages().size(), 1u);
            if (msgs.messages().empty())
                continue;
            EXPECT_EQ(msgs.messages()[0].text, std::string("Поле «") + c.label + "» содержит символ " + named +
                                                   ", который нельзя сохранить в файле.\nЗамените или удалите его.");
            EXPECT_EQ(msgs.messages()[0].caption, c.caption);
            EXPECT_EQ(msgs.messages()[0].icon, MsgIcon::Stop);
        }
        ScriptedMessages msgs;
        const Outcome o = c.ok("Опора № 1 «А» ±");
        EXPECT_EQ(o.answer, IDOK);
        EXPECT_EQ(o.name, "Опора № 1 «А» ±");
        EXPECT_TRUE(msgs.messages().empty());
    }
}

} // namespace

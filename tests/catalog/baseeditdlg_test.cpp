#include "app/currentbase.h"
#include "catalog/baseeditdlg.h"
#include "catalog/catalogcategories.h"
#include "catalog/matrixdlg.h"
#include "dialogs/catalogrequests.h"
#include "model/base.h"
#include "model/modeltest.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

namespace {

template <class T>
void Put(ObjList<T>& list, const T& item)
{
    list.push_back(std::make_unique<T>(item));
}

CFiltr Filter(const std::string& name, int type, double ratio = 2.0)
{
    CFiltr f = MakeFilter(name, type);
    f.ratio = ratio;
    return f;
}

CKabTr Pipe(const std::string& name, double radius)
{
    CKabTr k;
    k.name = name;
    k.coreRadius = radius;
    return k;
}

// Leaf texts under a node, in display order.
std::vector<std::string> Texts(const CBaseEditDlg& dlg, int node)
{
    std::vector<std::string> out;
    for (int child : dlg.m_tree.Children(node))
        out.push_back(dlg.m_tree.At(child).text);
    return out;
}

int LeafNamed(const CBaseEditDlg& dlg, int category, const std::string& text)
{
    for (int leaf : dlg.m_tree.Children(dlg.SectionNode(category)))
        if (dlg.m_tree.At(leaf).text == text)
            return leaf;
    return -1;
}

// The item editor as the user drives it: edit(request) changes the item and
// answers.
struct Editor {
    struct Seen {
        int category;
        int mode;
        std::string name;  // of the item as the editor opened
        int count;         // a tower's wire count, a matrix's order
    };
    std::vector<Seen> seen;
    std::function<int(CItemEditRequest&)> edit = [](CItemEditRequest&) { return IDOK; };
    ScopedModalRunner<CItemEditRequest> runner{[this](CItemEditRequest& r) {
        Seen s{r.category, r.mode, std::visit([](auto* item) { return item->name; }, r.item), -1};
        if (COpora** t = std::get_if<COpora*>(&r.item))
            s.count = (*t)->count;
        if (CMatrix** m = std::get_if<CMatrix*>(&r.item))
            s.count = (*m)->n;
        seen.push_back(s);
        return edit(r);
    }};
};

class BaseEditTest : public ::testing::Test {
protected:
    void SetUp() override { g_CurBase.RemoveAll(); }
    void TearDown() override { g_CurBase.RemoveAll(); }

    CBaseEditDlg Open(int mode = 0, int selector = 0)
    {
        CBaseEditDlg dlg;
        dlg.m_pBase = &base;
        dlg.m_nMode = std::uint8_t(mode);
        dlg.m_nSelector = std::uint8_t(selector);
        dlg.OnInitDialog();
        return dlg;
    }

    CBase base;
    ScriptedMessages msgs;
};

TEST_F(BaseEditTest, EditModeShowsEverySectionInFixedOrderWithSortedLeaves)
{
    for (const char* name : {"бета", "Альфа", "ёж", "Ель", "abc", "ABD"})
        Put(base.phaseWires, MakeWire(name, 0.01));
    Put(base.towers, MakeTower("П110", {{1, 20}, {-1, 20}}));
    CMatrix m;
    m.name = "М";
    m.n = 3;
    Put(base.matrices, m);
    CBaseEditDlg dlg = Open();

    std::vector<std::string> top;
    for (int node : dlg.m_tree.Children(-1))
        top.push_back(dlg.m_tree.At(node).text);
    EXPECT_EQ(top, (std::vector<std::string>{"Опоры", "Провода", "Кабели в твердой изоляции", "Кабели в трубе",
                                             "Фильтры присоединения", "Заградители", "Матрицы",
                                             "Кабели высокочастотные"}));
    const int wires = dlg.m_tree.Children(-1)[1];
    const int filters = dlg.m_tree.Children(-1)[4];
    EXPECT_EQ(dlg.m_tree.At(wires).data, 0u);
    EXPECT_EQ(dlg.m_tree.At(filters).data, 0u);
    EXPECT_EQ(Texts(dlg, wires), (std::vector<std::string>{"Фазные провода", "Тросы"}));
    EXPECT_EQ(Texts(dlg, filters), (std::vector<std::string>{"Типа 1", "Типа 2", "Типа 3", "Типа 4", "Типа 5",
                                                             "Типа 6", "Типа 7"}));
    EXPECT_EQ(Texts(dlg, dlg.SectionNode(kCatPhaseWires)),
              (std::vector<std::string>{"abc", "ABD", "Альфа", "бета", "ёж", "Ель"}));
    EXPECT_EQ(dlg.m_tree.At(LeafNamed(dlg, kCatPhaseWires, "бета")).data, LeafData(kCatPhaseWires, 0));
    EXPECT_EQ(Texts(dlg, dlg.SectionNode(kCatTowers)), (std::vector<std::string>{"П110 (2)"}));
    EXPECT_EQ(Texts(dlg, dlg.SectionNode(kCatMatrices)), (std::vector<std::string>{"М (3)"}));
    EXPECT_EQ(dlg.m_tree.At(dlg.SectionNode(kCatFilters + 2)).data, std::uint32_t(11) << 24);
    EXPECT_EQ(dlg.Caption(), "Редактирование базы данных");
    EXPECT_EQ(dlg.OkText(), "Сохранить");
    EXPECT_EQ(dlg.m_strBaseLabel, "Текущая база");
    EXPECT_TRUE(dlg.m_bOkEnabled);
    EXPECT_FALSE(dlg.m_bApplyEnabled);
}

TEST_F(BaseEditTest, ChooseModeListsOneCategoryAndReturnsThePickedLeaf)
{
    Put(base.towers, MakeTower("П4", {{1, 20}, {-1, 20}, {2, 24}, {-2, 24}}));
    Put(base.towers, MakeTower("П6", {{1, 20}, {-1, 20}, {2, 24}, {-2, 24}, {0, 28}, {3, 28}}));
    Put(base.filters[2], Filter("ФП", 2));
    Put(base.phaseWires, MakeWire("АС", 0.01));

    CBaseEditDlg towers = Open(1, 6);
    EXPECT_EQ(towers.Caption(), "Дополнительная база данных");
    EXPECT_EQ(towers.OkText(), "Выбрать");
    EXPECT_EQ(towers.m_strBaseLabel, "База выбора");
    EXPECT_FALSE(towers.ApplyShown());
    ASSERT_EQ(towers.m_tree.Children(-1).size(), 1u);
    EXPECT_EQ(Texts(towers, towers.SectionNode(kCatTowers)), (std::vector<std::string>{"П6"}));
    EXPECT_FALSE(towers.m_bOkEnabled);
    EXPECT_FALSE(towers.OnOK());
    towers.OnSelChangedTree(towers.SectionNode(kCatTowers));
    EXPECT_FALSE(towers.m_bOkEnabled);
    towers.OnSelChangedTree(towers.m_nVisible);
    EXPECT_TRUE(towers.m_bOkEnabled);
    ASSERT_TRUE(towers.OnOK());
    EXPECT_EQ(towers.m_nResult, 2u);

    // No six-wire tower: an empty section, OK stays off.
    base.towers.pop_back();
    CBaseEditDlg none = Open(1, 6);
    EXPECT_TRUE(none.m_tree.Children(none.SectionNode(kCatTowers)).empty());
    none.OnSelChangedTree(none.m_nVisible);
    EXPECT_FALSE(none.m_bOkEnabled);

    CBaseEditDlg wires = Open(2);
    EXPECT_EQ(wires.m_nVisible, LeafNamed(wires, kCatPhaseWires, "АС"));

    CBaseEditDlg filters = Open(9);
    EXPECT_EQ(filters.m_tree.Children(-1).size(), 1u);
    filters.OnSelChangedTree(LeafNamed(filters, kCatFilters + 2, "ФП"));
    ASSERT_TRUE(filters.OnOK());
    EXPECT_EQ(filters.m_nResult, (std::uint32_t(11) << 24) | 1u);
}

TEST_F(BaseEditTest, ContextMenuTitlesAndEnabling)
{
    Put(base.traps, MakeTrap("ВЗ", 0));
    CBaseEditDlg dlg = Open();
    auto enabled = [](const std::vector<CBaseEditDlg::MenuEntry>& menu, int id) {
        for (const auto& e : menu)
            if (e.id == id)
                return e.enabled;
        ADD_FAILURE() << "no entry " << id;
        return false;
    };
    const int leaf = LeafNamed(dlg, kCatTraps, "ВЗ");
    const int wires = dlg.m_tree.Children(-1)[1];
    const int filters = dlg.m_tree.Children(-1)[4];
    struct Case {
        int node;
        std::string title;
        bool parameters, fresh, remove;
    } cases[] = {
        {leaf, "ВЗ", true, true, true},
        {dlg.SectionNode(kCatTraps), "Заградители", false, true, false},
        {wires, "Провода", false, false, false},
        {filters, "Фильтры присоединения", false, true, false},
        {dlg.SectionNode(kCatFilters + 2), "Фильтры присоединения Типа 3", false, true, false},
    };
    for (const Case& c : cases) {
        auto menu = dlg.OnRClickTree(c.node);
        ASSERT_EQ(menu.size(), 7u);
        EXPECT_EQ(menu[0].text, c.title);
        EXPECT_FALSE(menu[0].enabled);
        EXPECT_TRUE(menu[1].separator);
        EXPECT_EQ(dlg.m_nSelected, c.node);
        EXPECT_EQ(enabled(menu, CBaseEditDlg::kCmdParameters), c.parameters) << c.title;
        EXPECT_EQ(enabled(menu, CBaseEditDlg::kCmdNew), c.fresh) << c.title;
        EXPECT_EQ(enabled(menu, CBaseEditDlg::kCmdDelete), c.remove) << c.title;
        EXPECT_EQ(menu[6].text, "Дополнить базу");
    }
    CBaseEditDlg choose = Open(6);
    auto menu = choose.OnRClickTree(choose.SectionNode(kCatTraps));
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(menu[3].text, "Выбрать");
    EXPECT_FALSE(menu[3].enabled);
    EXPECT_TRUE(enabled(choose.OnRClickTree(LeafNamed(choose, kCatTraps, "ВЗ")), CBaseEditDlg::kCmdChoose));
}

TEST_F(BaseEditTest, NewItemIsAppendedSkippedOrAskedByItsKey)
{
    const COpora p2 = MakeTower("П", {{1, 20}, {-1, 20}});
    Put(base.towers, p2);
    CBaseEditDlg dlg = Open();
    Editor editor;
    COpora typed;
    editor.edit = [&](CItemEditRequest& r) {
        **std::get_if<COpora*>(&r.item) = typed;
        return IDOK;
    };
    dlg.OnSelChangedTree(dlg.SectionNode(kCatTowers));

    typed = p2;  // equal: nothing
    dlg.OnNewItem();
    EXPECT_EQ(base.towers.size(), 1u);
    EXPECT_FALSE(dlg.m_bApplyEnabled);
    EXPECT_EQ(editor.seen.back().mode, 0);
    EXPECT_EQ(editor.seen.back().count, 0);

    typed = MakeTower("П", {{1, 20}, {-1, 20}, {0, 25}});  // another wire count: a second tower
    dlg.OnNewItem();
    ASSERT_EQ(base.towers.size(), 2u);
    EXPECT_TRUE(dlg.m_bApplyEnabled);
    EXPECT_EQ(Texts(dlg, dlg.SectionNode(kCatTowers)), (std::vector<std::string>{"П (2)", "П (3)"}));
    EXPECT_TRUE(msgs.messages().empty());

    typed = MakeTower("П", {{1, 21}, {-1, 21}});  // same key, other values: asked
    msgs.queue(MsgAnswer::No);
    dlg.OnSelChangedTree(dlg.SectionNode(kCatTowers));  // the refill left no selection
    dlg.OnNewItem();
    EXPECT_EQ(base.towers[0]->y[0], 20);
    msgs.queue(MsgAnswer::Yes);
    dlg.OnNewItem();
    EXPECT_EQ(base.towers[0]->y[0], 21);
    ASSERT_EQ(msgs.messages().size(), 2u);
    EXPECT_EQ(msgs.messages()[0].caption, "Сохранение базы данных");
    EXPECT_EQ(msgs.messages()[0].text, NewItemQuestion(kCatTowers));
    EXPECT_EQ(msgs.messages()[0].icon, MsgIcon::Question);

    // A cancelled editor changes nothing.
    editor.edit = [](CItemEditRequest&) { return IDCANCEL; };
    dlg.OnNewItem();
    EXPECT_EQ(base.towers.size(), 2u);
}

TEST_F(BaseEditTest, NewFilterOnTheParentLandsInTheTypeTheEditorChose)
{
    CBaseEditDlg dlg = Open();
    Editor editor;
    editor.edit = [](CItemEditRequest& r) {
        CFiltr* f = std::get<CFiltr*>(r.item);
        if (r.mode == 0)
            f->type = 3;
        f->name = "Ф";
        return IDOK;
    };
    dlg.OnSelChangedTree(dlg.m_tree.Children(-1)[4]);
    dlg.OnNewItem();
    ASSERT_EQ(base.filters[3].size(), 1u);
    EXPECT_EQ(editor.seen.back().mode, 0);
    EXPECT_EQ(dlg.m_nVisible, LeafNamed(dlg, kCatFilters + 3, "Ф"));

    dlg.OnSelChangedTree(dlg.SectionNode(kCatFilters + 5));
    dlg.OnNewItem();
    EXPECT_EQ(editor.seen.back().mode, 1);  // the type is fixed
    EXPECT_EQ(base.filters[5].size(), 1u);
}

TEST_F(BaseEditTest, NewMatrixAsksItsOrderFirst)
{
    CBaseEditDlg dlg = Open();
    Editor editor;
    int order = 0;
    ScopedModalRunner<CNewMatrixDlg> ask([&](CNewMatrixDlg& d) {
        d.m_nOrder = 4;
        return order == 0 ? IDCANCEL : IDOK;
    });
    dlg.OnSelChangedTree(dlg.SectionNode(kCatMatrices));
    dlg.OnNewItem();
    EXPECT_TRUE(editor.seen.empty());
    order = 1;
    dlg.OnNewItem();
    ASSERT_EQ(editor.seen.size(), 1u);
    EXPECT_EQ(editor.seen[0].count, 4);
    EXPECT_EQ(base.matrices.size(), 1u);
}

TEST_F(BaseEditTest, ParametersKeepsValueEditsTheCompareWouldDrop)
{
    Put(base.filters[1], Filter("Ф", 1, 2.0));
    Put(base.pipeCables, Pipe("Т", 0.012));
    Put(base.phaseWires, MakeWire("АС", 0.01));
    CBaseEditDlg dlg = Open();
    Editor editor;
    editor.edit = [](CItemEditRequest& r) {
        if (CFiltr** f = std::get_if<CFiltr*>(&r.item))
            (*f)->ratio = 2.5;
        if (CKabTr** k = std::get_if<CKabTr*>(&r.item))
            (*k)->coreRadius += 0.000025;  // a diameter 0.05 mm larger
        if (CProvod** p = std::get_if<CProvod*>(&r.item))
            (*p)->radius = 0.011;
        return IDOK;
    };
    for (auto [category, name] : {std::pair{kCatFilters + 1, "Ф"}, {int(kCatPipeCables), "Т"}, {2, "АС"}}) {
        dlg.OnSelChangedTree(LeafNamed(dlg, category, name));
        dlg.OnItemParameters();
        EXPECT_EQ(editor.seen.back().mode, IsFilterCategory(category) ? 1 : 0);
    }
    EXPECT_EQ(base.filters[1][0]->ratio, 2.5);
    EXPECT_DOUBLE_EQ(base.pipeCables[0]->coreRadius, 0.012025);
    EXPECT_EQ(base.phaseWires[0]->radius, 0.011);
    EXPECT_TRUE(msgs.messages().empty());
    EXPECT_TRUE(dlg.m_bApplyEnabled);
}

TEST_F(BaseEditTest, RenameAsksAndNeverLeavesTwoItemsOfOneKey)
{
    Put(base.phaseWires, MakeWire("А", 0.01));
    Put(base.phaseWires, MakeWire("Б", 0.02));
    CBaseEditDlg dlg = Open();
    Editor editor;
    std::string newName;
    double newRadius = 0.01;
    editor.edit = [&](CItemEditRequest& r) {
        std::get<CProvod*>(r.item)->name = newName;
        std::get<CProvod*>(r.item)->radius = newRadius;
        return IDOK;
    };
    auto edit = [&](const char* leaf, const char* name, double radius) {
        newName = name;
        newRadius = radius;
        dlg.OnSelChangedTree(LeafNamed(dlg, kCatPhaseWires, leaf));
        dlg.OnItemParameters();
    };

    msgs.queue(MsgAnswer::Cancel);
    edit("А", "В", 0.01);
    EXPECT_EQ(base.phaseWires.size(), 2u);
    EXPECT_EQ(base.phaseWires[0]->name, "А");
    msgs.queue(MsgAnswer::Yes);  // both kept
    edit("А", "В", 0.01);
    ASSERT_EQ(base.phaseWires.size(), 3u);
    EXPECT_EQ(Texts(dlg, dlg.SectionNode(kCatPhaseWires)), (std::vector<std::string>{"А", "Б", "В"}));
    msgs.queue(MsgAnswer::No);  // renamed in place
    edit("В", "Г", 0.01);
    EXPECT_EQ(base.phaseWires[2]->name, "Г");
    ASSERT_EQ(msgs.messages().size(), 3u);
    EXPECT_EQ(msgs.messages()[0].text, "Тип провода изменен.\nВвести его в базу как новый?");
    EXPECT_EQ(msgs.messages()[0].buttons, MsgButtons::YesNoCancel);

    // Onto "Б" with other values: the rename question, then the new-item
    // question; Yes gives "Б" the values.
    msgs.clear();
    msgs.queue(MsgAnswer::Yes);
    msgs.queue(MsgAnswer::Yes);
    edit("А", "Б", 0.03);
    ASSERT_EQ(msgs.messages().size(), 2u);
    EXPECT_EQ(msgs.messages()[1].text, NewItemQuestion(kCatPhaseWires));
    EXPECT_EQ(base.phaseWires[0]->name, "А");
    EXPECT_EQ(base.phaseWires[1]->radius, 0.03);
    // Onto "Б" with its own values: the edit is not lost without a word.
    msgs.clear();
    dlg.m_bApplyEnabled = false;
    msgs.queue(MsgAnswer::No);
    edit("А", "Б", 0.03);
    ASSERT_EQ(msgs.messages().size(), 2u);
    EXPECT_EQ(msgs.messages()[0].text, "Тип провода изменен.\nВвести его в базу как новый?");
    EXPECT_EQ(msgs.messages()[1].text, "\"Б\" с такими же параметрами\nв базе уже есть.\nБаза не изменена.");
    EXPECT_EQ(msgs.messages()[1].icon, MsgIcon::Information);
    EXPECT_FALSE(dlg.m_bApplyEnabled);
    std::vector<std::string> names;
    for (auto& w : base.phaseWires)
        names.push_back(w->name);
    EXPECT_EQ(names, (std::vector<std::string>{"А", "Б", "Г"}));
}

TEST_F(BaseEditTest, DeleteRenumbersTheLaterLeavesWithoutARefill)
{
    for (const char* name : {"Р1", "Р2", "Р3"})
        Put(base.hfCables, MakeWire(name, 0.01));
    CBaseEditDlg dlg = Open();
    const int revision = dlg.m_nTreeRevision;
    dlg.OnSelChangedTree(LeafNamed(dlg, kCatHfCables, "Р2"));
    msgs.queue(MsgAnswer::No);
    dlg.OnDeleteItem();
    EXPECT_EQ(base.hfCables.size(), 3u);
    msgs.queue(MsgAnswer::Yes);
    dlg.OnDeleteItem();
    ASSERT_EQ(base.hfCables.size(), 2u);
    EXPECT_EQ(msgs.messages()[0].text, "Подтвердите удаление ВЧ кабеля \n\"Р2\".");
    EXPECT_EQ(msgs.messages()[0].caption, "Удаление из базы данных");
    EXPECT_EQ(msgs.messages()[0].icon, MsgIcon::Question);
    EXPECT_EQ(dlg.m_nTreeRevision, revision);
    EXPECT_TRUE(dlg.m_bApplyEnabled);

    Editor editor;
    dlg.OnSelChangedTree(LeafNamed(dlg, kCatHfCables, "Р3"));
    dlg.OnItemParameters();
    ASSERT_EQ(editor.seen.size(), 1u);
    EXPECT_EQ(editor.seen[0].name, "Р3");

    Put(base.towers, MakeTower("П", {{1, 20}, {-1, 20}}));
    dlg.FillTree();
    dlg.OnSelChangedTree(LeafNamed(dlg, kCatTowers, "П (2)"));
    msgs.queue(MsgAnswer::No);
    dlg.OnDeleteItem();
    EXPECT_EQ(msgs.messages().back().text, "Подтвердите удаление опоры \n\"П (2)\".");
}

TEST_F(BaseEditTest, ApplyCopiesIntoTheCurrentCatalogAndPostsTheSave)
{
    Put(base.traps, MakeTrap("ВЗ", 1));
    CBaseEditDlg dlg = Open();
    int posted = 0;
    auto previous = CBaseEditDlg::SetApplyPostHook([&] { ++posted; });
    dlg.m_bApplyEnabled = true;
    dlg.OnApply();
    CBaseEditDlg::SetApplyPostHook(previous);
    EXPECT_EQ(posted, 1);
    ASSERT_EQ(g_CurBase.traps.size(), 1u);
    EXPECT_EQ(g_CurBase.traps[0]->name, "ВЗ");
    EXPECT_FALSE(dlg.m_bApplyEnabled);
    EXPECT_TRUE(dlg.m_bApplied);
}

TEST_F(BaseEditTest, ChooseModeOpensTheEditorViewOnlyAndChangesNothing)
{
    Put(base.towers, MakeTower("П", {{1, 20}, {-1, 20}}));
    Put(base.filters[0], Filter("Ф", 0));
    Put(base.traps, MakeTrap("ВЗ", 1));
    Editor editor;
    editor.edit = [](CItemEditRequest& r) {
        if (COpora** t = std::get_if<COpora*>(&r.item))
            (*t)->name = "изменена";
        return IDOK;
    };
    for (auto [mode, category, name, viewMode] : {std::tuple{1, 1, "П", 2}, {9, 9, "Ф", 2}, {6, 6, "ВЗ", 1}}) {
        CBaseEditDlg dlg = Open(mode, 2);
        dlg.OnSelChangedTree(LeafNamed(dlg, category, name));
        dlg.OnItemParameters();
        EXPECT_EQ(editor.seen.back().mode, viewMode) << name;
    }
    EXPECT_EQ(base.towers[0]->name, "П");
}

} // namespace

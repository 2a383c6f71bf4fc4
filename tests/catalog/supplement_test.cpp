#include "catalog/basedopolndlg.h"
#include "catalog/baseeditdlg.h"
#include "catalog/catalogcategories.h"
#include "catalog/povtordlg.h"
#include "dialogs/catalogrequests.h"
#include "model/base.h"
#include "model/modeltest.h"
#include "platform/filedialog.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

template <class T>
void Put(ObjList<T>& list, const T& item)
{
    list.push_back(std::make_unique<T>(item));
}

std::vector<std::string> Texts(const CatalogTree& tree, int node)
{
    std::vector<std::string> out;
    for (int child : tree.Children(node))
        out.push_back(tree.At(child).text);
    return out;
}

int Find(const CatalogTree& tree, const std::string& text)
{
    for (int node : tree.DisplayOrder())
        if (tree.At(node).text == text)
            return node;
    return -1;
}

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(PovtorDlg, ButtonsFollowEachKeystroke)
{
    CPovtorDlg dlg;
    dlg.m_nCode = 11;
    dlg.m_strName = "АС";
    dlg.OnInitDialog();
    EXPECT_EQ(dlg.m_strGroupText, "по фильтрам присоединения 3 типа");
    EXPECT_TRUE(dlg.m_bReplaceEnabled);
    EXPECT_FALSE(dlg.m_bAddEnabled);
    const struct {
        const char* text;
        bool replace, add;
    } keys[] = {{"АС-", false, true}, {"А", false, true}, {"", false, false}, {"ас", false, true}, {"АС", true, false}};
    for (const auto& k : keys) {
        dlg.OnChangeName(k.text);
        EXPECT_EQ(dlg.m_bReplaceEnabled, k.replace) << k.text;
        EXPECT_EQ(dlg.m_bAddEnabled, k.add) << k.text;
    }
    dlg.OnChangeName("АС-2");
    dlg.OnAdd();
    EXPECT_EQ(dlg.m_nCode, CPovtorDlg::kAdd);
    EXPECT_EQ(dlg.m_strName, "АС-2");
    for (auto [code, text] : {std::pair{1, "по опорам"}, {7, "по матрицам емкостей"}, {8, "по ВЧ кабелям"}}) {
        CPovtorDlg d;
        d.m_nCode = std::uint16_t(code);
        d.OnInitDialog();
        EXPECT_EQ(d.m_strGroupText, text);
    }
}

class SupplementTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("kestrin-supplement-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Write(const std::string& name, CBase& base)
    {
        const std::string path = (dir / name).string();
        std::string error;
        EXPECT_TRUE(SaveBaseFile(path, base, error)) << error;
        return path;
    }

    fs::path dir;
    ScriptedMessages msgs;
};

TEST_F(SupplementTest, ChoiceTreesMoveLeavesSectionsAndEverything)
{
    CBase supp;
    Put(supp.towers, MakeTower("П", {{1, 20}, {-1, 20}}));
    Put(supp.phaseWires, MakeWire("АС", 0.01));
    Put(supp.groundWires, MakeWire("С", 0.005));
    Put(supp.filters[3], MakeFilter("Ф", 3));
    CMatrix m;
    m.name = "М";
    m.n = 2;
    Put(supp.matrices, m);
    CBaseDopolnDlg dlg;
    dlg.m_pBase = &supp;
    dlg.OnInitDialog();
    EXPECT_EQ(Texts(dlg.m_treeBase, -1),
              (std::vector<std::string>{"Опоры", "Провода", "Фильтры присоединения", "Матрицы"}));
    EXPECT_EQ(Texts(dlg.m_treeBase, Find(dlg.m_treeBase, "Фильтры присоединения")),
              (std::vector<std::string>{"Типа 4"}));
    EXPECT_EQ(Texts(dlg.m_treeSelection, -1), Texts(dlg.m_treeBase, -1));
    EXPECT_NE(Find(dlg.m_treeBase, "П (2)"), -1);
    EXPECT_NE(Find(dlg.m_treeBase, "М"), -1);
    EXPECT_EQ(dlg.m_nBaseCount, 5);

    // "Выбрать весь раздел" on "Провода" moves both wire kinds.
    dlg.OnSelChangedBase(Find(dlg.m_treeBase, "Провода"));
    auto menu = dlg.BaseMenu();
    EXPECT_EQ(menu[0].text, "Провода");
    EXPECT_FALSE(menu[2].enabled);  // Параметры
    EXPECT_FALSE(menu[3].enabled);  // the single item
    EXPECT_TRUE(menu[4].enabled);   // the section
    dlg.OnCommand(CBaseDopolnDlg::kCmdSelectSection);
    EXPECT_EQ(dlg.m_nBaseCount, 3);
    EXPECT_EQ(dlg.m_nSelCount, 2);
    EXPECT_FALSE(CBaseDopolnDlg::SubtreeHasLeaf(dlg.m_treeBase, Find(dlg.m_treeBase, "Провода")));
    const int chosen = Find(dlg.m_treeSelection, "АС");
    ASSERT_NE(chosen, -1);
    EXPECT_EQ(dlg.m_treeSelection.At(chosen).data, CBaseDopolnDlg::kSelectedBit | LeafData(kCatPhaseWires, 0));

    // "Параметры" on a chosen leaf opens its item (bit 31 masked) view only.
    int category = -1, mode = -1;
    std::string name;
    ScopedModalRunner<CItemEditRequest> editor([&](CItemEditRequest& r) {
        category = r.category;
        mode = r.mode;
        name = std::visit([](auto* item) { return item->name; }, r.item);
        return IDOK;
    });
    dlg.OnSelChangedSelection(chosen);
    dlg.OnCommand(CBaseDopolnDlg::kCmdParameters);
    EXPECT_EQ(category, kCatPhaseWires);
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(name, "АС");

    dlg.OnDblClkSelection(chosen);  // back again
    EXPECT_EQ(dlg.m_nSelCount, 1);
    dlg.OnSelChangedBase(Find(dlg.m_treeBase, "Типа 4"));
    dlg.OnCommand(CBaseDopolnDlg::kCmdSelectSection);
    dlg.OnDblClkBase(Find(dlg.m_treeBase, "Матрицы"));  // a section: nothing
    EXPECT_EQ(dlg.m_nSelCount, 2);
    dlg.OnOK();
    EXPECT_TRUE(supp.towers.empty());
    EXPECT_TRUE(supp.phaseWires.empty());
    EXPECT_EQ(supp.groundWires.size(), 1u);
    EXPECT_EQ(supp.filters[3].size(), 1u);

    CBaseDopolnDlg all;
    all.m_pBase = &supp;
    all.OnInitDialog();
    all.OnSelectAll();
    EXPECT_EQ(all.m_nBaseCount, 0);
    all.OnSelChangedSelection(-1);
    EXPECT_TRUE(all.SelectionMenu().empty());
    all.OnSelChangedSelection(Find(all.m_treeSelection, "Тросы"));
    EXPECT_TRUE(all.SelectionMenu()[5].enabled);
    all.OnDeselectAll();
    EXPECT_EQ(all.m_nSelCount, 0);
    EXPECT_EQ(all.m_nBaseCount, 2);
}

// Chooses every item of the supplement; answers the duplicate prompts in
// turn, recording their codes and names.
struct Merge {
    struct Answer {
        std::uint16_t code;
        std::string name;
        bool cancel = false;
    };
    std::vector<Answer> answers;
    std::vector<std::pair<int, std::string>> asked;
    ScopedModalRunner<CBaseDopolnDlg> choose{[](CBaseDopolnDlg& d) {
        d.OnInitDialog();
        d.OnSelectAll();
        d.OnOK();
        return IDOK;
    }};
    ScopedModalRunner<CPovtorDlg> prompt{[this](CPovtorDlg& d) {
        asked.emplace_back(d.m_nCode, d.m_strName);
        if (asked.size() > answers.size())
            return IDCANCEL;
        const Answer& a = answers[asked.size() - 1];
        if (a.cancel)
            return IDCANCEL;
        d.m_nCode = a.code;
        if (!a.name.empty())
            d.m_strName = a.name;
        return IDOK;
    }};
};

TEST_F(SupplementTest, MergeAsksOnlyForDifferingKeysInListOrder)
{
    CBase working;
    Put(working.towers, MakeTower("П", {{1, 20}, {-1, 20}}));
    Put(working.phaseWires, MakeWire("АС", 0.01));
    Put(working.phaseWires, MakeWire("АС-2", 0.03));
    Put(working.filters[1], MakeFilter("Ф", 1));
    CBase supp;
    Put(supp.phaseWires, MakeWire("АС", 0.02));           // asked: added as "АС-2" (taken again), then "АС-3"
    Put(supp.towers, MakeTower("П", {{1, 22}, {-1, 22}}));  // asked first: replaced
    Put(supp.filters[4], MakeFilter("Ф", 4));              // another type: no duplicate
    Put(supp.groundWires, MakeWire("С", 0.005));           // new
    const std::string path = Write("supp.kdb", supp);

    CBaseEditDlg dlg;
    dlg.m_pBase = &working;
    dlg.OnInitDialog();
    Merge merge;
    merge.answers = {{CPovtorDlg::kReplace, ""}, {CPovtorDlg::kAdd, "АС-2"}, {CPovtorDlg::kAdd, "АС-3"}};
    ScopedModalRunner<FileDialog> file([&](FileDialog& f) {
        EXPECT_TRUE(f.m_bFileMustExist);
        EXPECT_EQ(f.m_strTitle, "Выбор дополнительной базы данных");
        f.m_strPathName = path;
        return IDOK;
    });
    dlg.OnCommand(CBaseEditDlg::kCmdSupplement);
    EXPECT_EQ(merge.asked, (std::vector<std::pair<int, std::string>>{{1, "П"}, {2, "АС"}, {2, "АС-2"}}));
    EXPECT_EQ(working.towers[0]->y[0], 22);
    ASSERT_EQ(working.phaseWires.size(), 3u);
    EXPECT_EQ(working.phaseWires[2]->name, "АС-3");
    EXPECT_EQ(working.phaseWires[2]->radius, 0.02);
    EXPECT_EQ(working.filters[4].size(), 1u);
    EXPECT_EQ(working.groundWires.size(), 1u);
    EXPECT_TRUE(dlg.m_bApplyEnabled);
    EXPECT_NE(Find(dlg.m_tree, "АС-3"), -1);
}

TEST_F(SupplementTest, EqualItemsChangeNothingAndCancelKeepsTheProcessedItems)
{
    CBase working;
    Put(working.towers, MakeTower("П", {{1, 20}, {-1, 20}}));
    Put(working.phaseWires, MakeWire("АС", 0.01));
    Put(working.groundWires, MakeWire("С", 0.005));
    CBaseEditDlg dlg;
    dlg.m_pBase = &working;
    dlg.OnInitDialog();
    const std::string before = Bytes(Write("working.kdb", working));
    {
        Merge merge;
        EXPECT_TRUE(dlg.SupplementBase(Write("same.kdb", working), "same.kdb"));
        EXPECT_TRUE(merge.asked.empty());
        EXPECT_EQ(Bytes(Write("after.kdb", working)), before);
    }
    CBase supp;
    Put(supp.towers, MakeTower("П", {{1, 22}, {-1, 22}}));
    Put(supp.phaseWires, MakeWire("АС", 0.02));
    Put(supp.groundWires, MakeWire("С", 0.006));
    Merge merge;
    merge.answers = {{CPovtorDlg::kReplace, ""}, {CPovtorDlg::kReplace, ""}, {0, "", true}};
    EXPECT_TRUE(dlg.SupplementBase(Write("supp.kdb", supp), "supp.kdb"));
    EXPECT_EQ(merge.asked.size(), 3u);
    EXPECT_EQ(Bytes(Write("after.kdb", working)), before);
}

TEST_F(SupplementTest, ADamagedFileIsReportedAndLeavesApplyAsItWas)
{
    const std::string path = (dir / "damaged.kdb").string();
    std::ofstream(path, std::ios::binary) << std::string("\x01\x00\x04", 3);
    CBase working;
    CBaseEditDlg dlg;
    dlg.m_pBase = &working;
    dlg.OnInitDialog();
    ScopedModalRunner<FileDialog> file([&](FileDialog& f) {
        f.m_strPathName = path;
        return IDOK;
    });
    dlg.OnChooseSupplementBase();
    EXPECT_FALSE(dlg.m_bApplyEnabled);
    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.messages()[0].text, "Файл damaged.kdb поврежден.\nБаза не загружена!");
}

} // namespace

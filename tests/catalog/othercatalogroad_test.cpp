#include "app/mainframe.h"
#include "catalog/baseeditdlg.h"
#include "catalog/catalogcategories.h"
#include "catalog/othercatalogroad.h"
#include "dialogs/catalogitemstore.h"
#include "dialogs/catalogrequests.h"
#include "model/base.h"
#include "model/modeltest.h"
#include "platform/codepage.h"
#include "platform/filedialog.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class OtherCatalogRoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("kestrin-road-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        g_CurBase.RemoveAll();
        g_TaskBase.RemoveAll();
        CBase other;
        other.towers.push_back(std::make_unique<COpora>(MakeTower("П", {{1, 20}, {-1, 20}, {0, 25}})));
        other.towers.push_back(std::make_unique<COpora>(MakeTower("П", {{1, 22}, {-1, 22}})));
        other.filters[2].push_back(std::make_unique<CFiltr>(MakeFilter("ФП", 2)));
        std::string error;
        ASSERT_TRUE(SaveBaseFile(Path("other.kdb"), other, error));
        g_CurBase.towers.push_back(std::make_unique<COpora>(MakeTower("П", {{1, 20}, {-1, 20}})));
    }
    void TearDown() override
    {
        g_CurBase.RemoveAll();
        g_TaskBase.RemoveAll();
        fs::remove_all(dir);
    }
    std::string Path(const std::string& name) const { return (dir / name).string(); }

    // Runs the road with chosenFile (empty: the file choice cancelled) and a
    // picker that picks the leaf named pick (empty: cancelled).
    COtherCatalogRequest Run(int category, int selector, const std::string& chosenFile, const std::string& pick)
    {
        ScopedModalRunner<FileDialog> file([&](FileDialog& f) {
            EXPECT_EQ(f.m_strTitle, "Выбор дополнительной базы данных");
            EXPECT_EQ(f.m_strFilter,
                      "Базы данных Kestrin (*.kdb)|*.kdb|Базы данных MORVEL for DOS (basek.)|basek||");
            f.m_strPathName = chosenFile;
            return chosenFile.empty() ? IDCANCEL : IDOK;
        });
        ScopedModalRunner<CBaseEditDlg> picker([&](CBaseEditDlg& d) {
            d.OnInitDialog();
            for (int node : d.m_tree.DisplayOrder())
                if (d.m_tree.IsLeaf(node) && d.m_tree.At(node).text == pick) {
                    d.OnSelChangedTree(node);
                    return d.OnOK() ? IDOK : IDCANCEL;
                }
            return IDCANCEL;
        });
        COtherCatalogRequest request;
        request.category = category;
        request.selector = selector;
        request.ownBase = &own;
        request.basePath = &ownPath;
        request.DoModal();
        return request;
    }

    fs::path dir;
    CMainFrame frame;
    CBase own;
    std::string ownPath;
    ScriptedMessages msgs;
    ScopedModalRunner<COtherCatalogRequest> road{RunOtherCatalogRoad};
};

TEST_F(OtherCatalogRoad, EveryWayOutButAPickIsACancel)
{
    {
        std::ofstream(Path("damaged.kdb"), std::ios::binary) << std::string("\x01\x00\x04", 3);
    }
    struct Case {
        std::string file, pick;
        COtherCatalogRequest::Outcome outcome;
        std::string message;
    } cases[] = {
        {"", "П", COtherCatalogRequest::FileCancelled, ""},
        {Path("missing.kdb"), "П", COtherCatalogRequest::LoadFailed, "Файл missing.kdb не найден\nБаза не загружена!"},
        {Path("damaged.kdb"), "П", COtherCatalogRequest::LoadFailed, "Файл damaged.kdb поврежден.\nБаза не загружена!"},
        {Path("other.kdb"), "", COtherCatalogRequest::PickerCancelled, ""},
        {Path("other.kdb"), "П", COtherCatalogRequest::Picked, ""},
    };
    for (const Case& c : cases) {
        msgs.clear();
        COtherCatalogRequest r = Run(kCatTowers, 3, c.file, c.pick);
        EXPECT_EQ(r.outcome, c.outcome) << c.file;
        EXPECT_EQ(msgs.messages().empty(), c.message.empty()) << c.file;
        if (!c.message.empty() && !msgs.messages().empty()) {
            EXPECT_EQ(msgs.messages()[0].text, c.message);
        }
        ASSERT_EQ(g_CurBase.towers.size(), 1u);  // the current catalog untouched
    }
    COtherCatalogRequest picked = Run(kCatTowers, 3, Path("other.kdb"), "П");
    ASSERT_NE(picked.PickedTower(), nullptr);
    EXPECT_EQ(picked.PickedTower()->count, 3);
    EXPECT_EQ(ownPath, Path("other.kdb"));
}

TEST_F(OtherCatalogRoad, APickedItemIsStoredByItsKey)
{
    int saved = 0;
    auto previous = SetCatalogSaveHook([&] { return ++saved, true; });
    // Another wire count: a second tower of that name.
    COtherCatalogRequest three = Run(kCatTowers, 3, Path("other.kdb"), "П");
    ASSERT_NE(three.PickedTower(), nullptr);
    StoreCatalogItem(*three.PickedTower());
    EXPECT_EQ(g_CurBase.towers.size(), 2u);
    // The same wire count: replaced.
    COtherCatalogRequest two = Run(kCatTowers, 2, Path("other.kdb"), "П");
    ASSERT_NE(two.PickedTower(), nullptr);
    StoreCatalogItem(*two.PickedTower());
    ASSERT_EQ(g_CurBase.towers.size(), 2u);
    EXPECT_EQ(g_CurBase.towers[0]->y[0], 22);
    // Mode 9 carries the filter's type.
    COtherCatalogRequest filter = Run(9, 0, Path("other.kdb"), "ФП");
    EXPECT_EQ(filter.result, int((std::uint32_t(kCatFilters + 2) << 24) | 1u));
    ASSERT_NE(filter.PickedFilter(), nullptr);
    StoreCatalogItem(*filter.PickedFilter());
    EXPECT_EQ(g_CurBase.filters[2].size(), 1u);
    EXPECT_EQ(g_TaskBase.filters[2].size(), 1u);
    EXPECT_EQ(saved, 3);
    SetCatalogSaveHook(previous);
}

TEST_F(OtherCatalogRoad, TheDosEraCatalogIsPickedFromLikeAKdb)
{
    std::string bytes(1, char(1));
    bytes += Utf8ToCp866("АС-120");
    bytes += '@';
    for (float f : {0.0076f, 0.95f, 2.8e-8f}) {
        char b[4];
        std::memcpy(b, &f, 4);
        bytes.append(b, 4);
    }
    fs::create_directories(dir / "dos");
    std::ofstream(Path("dos/basek"), std::ios::binary) << bytes;
    COtherCatalogRequest r = Run(kCatPhaseWires, 0, Path("dos/basek"), "АС-120");
    EXPECT_EQ(r.outcome, COtherCatalogRequest::Picked);
    ASSERT_NE(r.PickedWire(), nullptr);
    EXPECT_EQ(r.PickedWire()->name, "АС-120");
    EXPECT_TRUE(msgs.messages().empty());
}

} // namespace

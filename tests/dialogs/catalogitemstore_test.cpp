// Storing a catalog item into both catalogs and spreading it through the chain.
#include "dialogs/catalogitemstore.h"
#include "dialogs/catalogrequests.h"
#include "model/catalogstore.h"
#include "model/coupling.h"
#include "model/element.h"
#include "model/lines.h"
#include "model/shunts.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

namespace {

class CatalogStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_CurBase.RemoveAll();
        g_TaskBase.RemoveAll();
        m_previous = SetCatalogSaveHook([this] {
            ++saves;
            return saveAnswer;
        });
    }
    void TearDown() override
    {
        SetCatalogSaveHook(std::move(m_previous));
        g_CurBase.RemoveAll();
        g_TaskBase.RemoveAll();
    }

    template <class Data>
    Data& Add(int type)
    {
        chain.push_back(std::make_unique<CElement>());
        chain.back()->SetType(type);
        chain.back()->data = std::make_unique<Data>();
        return *chain.back()->Data<Data>();
    }

    int saves = 0;
    bool saveAnswer = true;
    ElementChain chain;

private:
    CatalogSaveHook m_previous;
};

COpora Tower(const char* name, int count, double x0)
{
    COpora t;
    t.name = name;
    t.count = std::uint8_t(count);
    t.x.assign(std::size_t(count), x0);
    t.y.assign(std::size_t(count), 20.0);
    return t;
}

TEST_F(CatalogStoreTest, ReplacesBySameKeyAppendsOtherwiseInBothCatalogsAndSavesOnce)
{
    StoreCatalogItem(Tower("П110", 6, 1.0));
    StoreCatalogItem(Tower("П110", 7, 1.0));  // another wire count: another key
    EXPECT_TRUE(StoreCatalogItem(Tower("П110", 6, 2.0)));
    ASSERT_EQ(g_CurBase.towers.size(), 2u);
    EXPECT_EQ(g_CurBase.towers[0]->X(0), 2.0);
    ASSERT_EQ(g_TaskBase.towers.size(), 2u);
    EXPECT_EQ(g_TaskBase.towers[0]->X(0), 2.0);
    EXPECT_EQ(saves, 3);

    CFiltr f;
    f.name = "ФП";
    f.type = 2;
    StoreCatalogItem(f);
    f.type = 4;
    StoreCatalogItem(f);
    EXPECT_EQ(g_CurBase.filters[2].size(), 1u);
    EXPECT_EQ(g_CurBase.filters[4].size(), 1u);
    CProvod w;
    w.name = "АС-70";
    StoreCatalogItem(kCatGroundWires, w);
    EXPECT_TRUE(g_CurBase.phaseWires.empty());
    EXPECT_EQ(g_TaskBase.groundWires.size(), 1u);
}

TEST_F(CatalogStoreTest, AFailedSaveIsAnsweredAndWithoutAHookReported)
{
    saveAnswer = false;
    CZagrad trap;
    trap.name = "ВЗ";
    EXPECT_FALSE(StoreCatalogItem(trap));
    EXPECT_EQ(g_TaskBase.traps.size(), 1u);  // the task still holds the item
    ScriptedMessages messages;
    auto hook = SetCatalogSaveHook(nullptr);
    EXPECT_FALSE(StoreCatalogItem(trap));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Текущая база данных не сохранена.");
    SetCatalogSaveHook(std::move(hook));
}

TEST_F(CatalogStoreTest, SpreadsToHoldersOfTheKeyButSkipsTheEditedElement)
{
    CVLine& first = Add<CVLine>(kOverheadLine);
    CVLine& edited = Add<CVLine>(kOverheadLine);
    CVLine& other = Add<CVLine>(kOverheadLine);
    first.tower = Tower("П110", 6, 0.0);
    edited.tower = Tower("П110", 6, 0.0);
    other.tower = Tower("П110", 7, 0.0);
    SpreadTower(chain, Tower("П110", 6, 5.0), 1);
    EXPECT_EQ(first.tower.X(0), 5.0);
    EXPECT_EQ(edited.tower.X(0), 0.0);
    EXPECT_EQ(other.tower.X(0), 0.0);

    // Wires: phase and ground wires are told apart by position; the wire
    // editor visits every element (no skip).
    first.phaseWires = 1;
    first.wireArray.emplace(2);
    (*first.wireArray)[0].wireType.name = "АС";
    (*first.wireArray)[1].wireType.name = "АС";
    CProvod wire;
    wire.name = "АС";
    wire.radius = 0.01;
    SpreadWire(chain, kCatGroundWires, wire, -1);
    EXPECT_EQ((*first.wireArray)[0].wireType.radius, 0.0);
    EXPECT_EQ((*first.wireArray)[1].wireType.radius, 0.01);

    // Traps: shunts of the trap kind and both parts of a bypass.
    CEShunt& rlc = Add<CEShunt>(kShuntImpedance);
    CEShunt& traps = Add<CEShunt>(kSeriesImpedance);
    CEObhod& bypass = Add<CEObhod>(kBypass);
    rlc.branches.resize(1);
    rlc.branches[0].trap.name = "ВЗ";
    traps.trapKind = 1;
    traps.branches.resize(1);
    traps.branches[0].trap.name = "ВЗ";
    bypass.traps[1].branches.resize(1);
    bypass.traps[1].branches[0].trap.name = "ВЗ";
    CZagrad trap;
    trap.name = "ВЗ";
    trap.R = 7;
    SpreadTrap(chain, trap, -1);
    EXPECT_EQ(rlc.branches[0].trap.R, 0.0);
    EXPECT_EQ(traps.branches[0].trap.R, 7.0);
    EXPECT_EQ(bypass.traps[1].branches[0].trap.R, 7.0);

    // Filters by name within their type; HF cables of coupling devices and bypass lines.
    CUpr& coupling = Add<CUpr>(kCouplingDevice);
    coupling.devices.resize(2);
    coupling.devices[0].filter.name = coupling.devices[1].filter.name = "ФП";
    coupling.devices[1].filter.type = 3;
    coupling.devices[0].cable.name = "РК-75";
    bypass.lines.resize(1);
    bypass.lines[0].cables[1].name = "РК-75";
    CFiltr filter;
    filter.name = "ФП";
    filter.type = 3;
    filter.ratio = 2;
    SpreadFilter(chain, filter, -1);
    EXPECT_EQ(coupling.devices[0].filter.ratio, 0.0);
    EXPECT_EQ(coupling.devices[1].filter.ratio, 2.0);
    CProvod cable;
    cable.name = "РК-75";
    cable.resistivity = 75;
    SpreadHfCable(chain, cable, -1);
    EXPECT_EQ(coupling.devices[0].cable.resistivity, 75.0);
    EXPECT_EQ(bypass.lines[0].cables[1].resistivity, 75.0);

    // Cable types go to cable lines and to cable inserts of the same layout.
    CKLine& cableLine = Add<CKLine>(kCableLine);
    cableLine.pipe = 1;
    cableLine.pipeCable.name = "МН";
    bypass.kind = 2;
    bypass.cableInsert = std::make_unique<CKLine>();
    bypass.cableInsert->pipe = 1;
    bypass.cableInsert->pipeCable.name = "МН";
    CKabTr pipeCable;
    pipeCable.name = "МН";
    pipeCable.coreRadius = 0.02;
    SpreadCable(chain, pipeCable, -1);
    EXPECT_EQ(cableLine.pipeCable.coreRadius, 0.02);
    EXPECT_EQ(bypass.cableInsert->pipeCable.coreRadius, 0.02);
}

TEST(CatalogRequests, UnregisteredRequestsAreCancelledAndEditorsDispatchByCategory)
{
    CBase own;
    std::string path;
    COtherCatalogRequest road;
    road.category = kCatTraps;
    road.ownBase = &own;
    road.basePath = &path;
    EXPECT_EQ(road.DoModal(), IDCANCEL);
    EXPECT_EQ(road.outcome, COtherCatalogRequest::FileCancelled);
    EXPECT_EQ(road.PickedTrap(), nullptr);

    EXPECT_FALSE(HasItemEditor(kCatMatrices));
    CMatrix matrix;
    CItemEditRequest edit{kCatMatrices, &matrix, 2};
    EXPECT_EQ(edit.DoModal(), IDCANCEL);
    auto previous = SetItemEditor(kCatMatrices, [](CItemEditRequest& r) {
        std::get<CMatrix*>(r.item)->name = "М6";
        return IDOK;
    });
    EXPECT_TRUE(HasItemEditor(kCatMatrices));
    EXPECT_EQ(edit.DoModal(), IDOK);
    EXPECT_EQ(matrix.name, "М6");
    SetItemEditor(kCatMatrices, std::move(previous));

    // A pick is taken only inside the own catalog's list.
    own.traps.push_back(std::make_unique<CZagrad>());
    road.outcome = COtherCatalogRequest::Picked;
    road.result = 1;
    EXPECT_EQ(road.PickedTrap(), own.traps[0].get());
    road.result = 2;
    EXPECT_EQ(road.PickedTrap(), nullptr);
}

} // namespace

#include "model/base.h"
#include "model/conductors.h"
#include "model/document.h"
#include "samples.h"

namespace {

class TaskItems : public ModelTest {
protected:
    void TearDown() override
    {
        g_TaskBase.RemoveAll();
        ModelTest::TearDown();
    }
};

std::unique_ptr<CElement> Entered(int type, std::unique_ptr<CElementData> data, int entered = 1)
{
    auto e = std::make_unique<CElement>();
    e->SetType(type);
    e->entered = entered;
    e->data = std::move(data);
    return e;
}

TEST_F(TaskItems, EachItemOnceInOrderOfFirstUse)
{
    CKestrinDoc doc;
    CUpr upr;
    upr.devices = {MakePrisoed(0, 3), MakePrisoed(1, 3)};  // one filter name and type
    doc.AppendElement(Entered(kCouplingDevice, std::make_unique<CUpr>(upr)));
    CVLine a = MakeVLine(1);
    doc.AppendElement(Entered(kOverheadLine, std::make_unique<CVLine>(a)));
    CVLine b = MakeVLine(0);
    b.phaseWires = 5;  // "С-70" now also as a phase wire
    (*b.wireArray)[0].wireType = MakeWire("АС-300", 0.013);  // same name, other radius: once
    doc.AppendElement(Entered(kOverheadLine, std::make_unique<CVLine>(b)));
    doc.AppendElement(Entered(kCableLine, std::make_unique<CKLine>(MakeKLine(1, 1))));
    doc.AppendElement(Entered(kCableLine, std::make_unique<CKLine>(MakeKLine(1, 0))));
    doc.AppendElement(Entered(kShuntImpedance, std::make_unique<CEShunt>(MakeEShunt(2, 0))));  // R, L, C
    doc.AppendElement(Entered(kSeriesImpedance, std::make_unique<CEShunt>(MakeEShunt(2, 1))));
    doc.AppendElement(Entered(kBypass, std::make_unique<CEObhod>(MakeEObhod(0))));
    // Not entered: nothing, though its data is filled.
    CVLine other = MakeVLine(0);
    other.tower.name = "не введена";
    doc.AppendElement(Entered(kOverheadLine, std::make_unique<CVLine>(other), 0));

    CBase base;
    CollectTaskItems(doc, base);
    ASSERT_EQ(base.towers.size(), 1u);
    EXPECT_EQ(base.towers[0]->name, "П110");
    ASSERT_EQ(base.phaseWires.size(), 2u);
    EXPECT_EQ(base.phaseWires[0]->name, "АС-300");
    EXPECT_EQ(base.phaseWires[0]->radius, 0.012);
    EXPECT_EQ(base.phaseWires[1]->name, "С-70");
    ASSERT_EQ(base.groundWires.size(), 1u);
    EXPECT_EQ(base.matrices.size(), 1u);
    EXPECT_EQ(base.pipeCables.size(), 1u);
    EXPECT_EQ(base.solidCables.size(), 1u);
    EXPECT_EQ(base.filters[3].size(), 1u);
    EXPECT_EQ(base.filters[6].size(), 1u);
    EXPECT_EQ(base.filters[2].size(), 1u);
    ASSERT_EQ(base.hfCables.size(), 2u);
    EXPECT_EQ(base.hfCables[0]->name, "РК-75");
    EXPECT_EQ(base.hfCables[1]->name, "РК-50");
    // The series element's traps (ВЗ-0, ВЗ-1), then the bypass's (names repeat).
    ASSERT_EQ(base.traps.size(), 2u);
    EXPECT_EQ(base.traps[0]->name, "ВЗ-0");
    EXPECT_EQ(base.traps[1]->name, "ВЗ-1");
}

TEST_F(TaskItems, GlobalTaskCatalogFromTheCurrentDocument)
{
    CKestrinDoc doc;
    doc.AppendElement(Entered(kCableLine, std::make_unique<CKLine>(MakeKLine(1, 0))));
    g_TaskBase.towers.push_back(std::make_unique<COpora>());
    g_pDoc = &doc;
    CollectTaskItems();
    EXPECT_TRUE(g_TaskBase.towers.empty());
    EXPECT_EQ(g_TaskBase.solidCables.size(), 1u);
    g_pDoc = nullptr;
    CollectTaskItems();
    EXPECT_TRUE(g_TaskBase.IsEmpty());
}

TEST_F(TaskItems, DocumentDirectCurrentFlagNamesTheConductors)
{
    CKestrinDoc doc;
    doc.dc = 1;
    g_pDoc = &doc;
    int codes[kMaxWires];
    std::fill(std::begin(codes), std::end(codes), 1);
    EXPECT_EQ(FormatConductorName(codes, -1, 0), "-");
    doc.dc = 0;
    EXPECT_EQ(FormatConductorName(codes, -1, 0), "B");
}

}  // namespace

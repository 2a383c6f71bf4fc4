#include "calc/linecache.h"
#include "calc/vline.h"
#include "calctest.h"
#include "model/element.h"
#include "model/lines.h"
#include "model/shunts.h"

#include <memory>

using namespace calctest;

namespace {

class LineCacheTest : public ::testing::Test {
protected:
    void SetUp() override { ResetCalcGlobals(); }
    void TearDown() override { ResetCalcGlobals(); }

    std::vector<std::unique_ptr<CElement>> chain;

    std::vector<CElement*> Pointers()
    {
        std::vector<CElement*> p;
        for (auto& e : chain)
            p.push_back(e.get());
        return p;
    }

    CVLine& AddVLine(double length, double sag = 6.0)
    {
        auto e = std::make_unique<CElement>();
        e->SetType(kOverheadLine);
        e->wirePositions = 3;
        auto v = std::make_unique<CVLine>();
        v->tower.name = "П35";
        v->tower.x = {-3.0, 0.0, 3.0};
        v->tower.y = {15.0, 18.0, 15.0};
        v->tower.count = 3;
        v->wires = v->wireCount = 3;
        v->phaseWires = 3;
        v->earthRho1 = 100;
        v->length = length;
        v->wireArray.emplace();
        for (int i = 0; i < 3; ++i) {
            CVLProv w;
            w.sag = sag;
            w.wireType.name = "АС-120";
            w.wireType.radius = 0.0076;
            w.wireType.twist = 0.95;
            w.wireType.resistivity = 2.9e-8;
            v->wireArray->push_back(w);
        }
        CVLine& ref = *v;
        e->data = std::move(v);
        chain.push_back(std::move(e));
        return ref;
    }

    CKLine& AddKLine(double length, int circuits, int pipe)
    {
        auto e = std::make_unique<CElement>();
        e->SetType(kCableLine);
        e->wirePositions = std::uint8_t(pipe ? 3 : 6 * circuits);
        auto k = std::make_unique<CKLine>();
        k->circuits = std::uint8_t(circuits);
        k->pipe = std::uint8_t(pipe);
        k->rho = 100;
        k->length = length;
        k->pipeCable.name = "Т";
        k->pipeCable.coreRadius = 0.01;
        k->solidCable.name = "С";
        k->solidCable.coreRadius = 0.01;
        for (int i = 0; i < 3 * circuits; ++i)
            k->x[i] = 0.1 * i, k->y[i] = 1.0;
        CKLine& ref = *k;
        e->data = std::move(k);
        chain.push_back(std::move(e));
        return ref;
    }

    void AddOther(int type)
    {
        auto e = std::make_unique<CElement>();
        e->SetType(type);
        e->wirePositions = 3;
        if (type == kShuntImpedance)
            e->data = std::make_unique<CEShunt>();
        chain.push_back(std::move(e));
    }

    std::vector<int> Flags() const
    {
        std::vector<int> f;
        for (const LineCalcRecord& r : g_pLineRecs)
            f.push_back(r.flags);
        return f;
    }
};

TEST_F(LineCacheTest, ThreeEqualSectionsBorrowTheFirstOnesBlocks)
{
    AddVLine(1000);
    AddOther(kShuntImpedance);
    AddVLine(1000);
    AddVLine(1000.0005);
    BuildSameLineTable(Pointers());
    ASSERT_EQ(g_ppCalcElements.size(), 4u);
    EXPECT_EQ(g_ppCalcElements[2], chain[2].get());
    EXPECT_EQ(Flags(), (std::vector<int>{2, 0, 8, 8}));
    const LineCalcRecord& a = g_pLineRecs[0];
    ASSERT_NE(a.p1, nullptr);
    for (int i : {2, 3}) {
        EXPECT_EQ(g_pLineRecs[i].p1, a.p1);
        EXPECT_EQ(g_pLineRecs[i].p2, a.p2);
        EXPECT_EQ(g_pLineRecs[i].p3, a.p3);
    }
    // What the first section stores, the others read.
    a.p2[3 * 3 - 1] = CComplex(4, 5);
    EXPECT_CX_EQ_TOL(g_pLineRecs[3].p2[8], CComplex(4, 5), 0);
}

TEST_F(LineCacheTest, AnEqualSectionNeverLends)
{
    // A = B, C of A's cross-section: B borrows A's blocks and lends nothing,
    // C borrows A's modal data.
    AddVLine(1000);
    AddVLine(1000);
    AddVLine(3000);
    BuildSameLineTable(Pointers());
    EXPECT_EQ(Flags(), (std::vector<int>{3, 8, 4}));
    ASSERT_NE(g_pLineRecs[0].p4, nullptr);
    EXPECT_EQ(g_pLineRecs[2].p4, g_pLineRecs[0].p4);
    EXPECT_EQ(g_pLineRecs[2].p5, g_pLineRecs[0].p5);
    EXPECT_EQ(g_pLineRecs[2].p6, g_pLineRecs[0].p6);

    // An equal section replaces a same-cross-section one found before it.
    chain.clear();
    AddVLine(500);
    AddVLine(1000);
    AddVLine(1000);
    BuildSameLineTable(Pointers());
    EXPECT_EQ(Flags(), (std::vector<int>{1, 6, 8}));
    EXPECT_EQ(g_pLineRecs[2].p1, g_pLineRecs[1].p1);
    EXPECT_EQ(g_pLineRecs[1].p4, g_pLineRecs[0].p4);
}

TEST_F(LineCacheTest, CableLinesAndChannelsWithoutLines)
{
    AddKLine(800, 2, 0);
    AddKLine(1200, 2, 0);
    AddKLine(800, 1, 1);
    AddKLine(800, 2, 0);
    BuildSameLineTable(Pointers());
    EXPECT_EQ(Flags(), (std::vector<int>{3, 4, 0, 8}));
    // Cores and screens of two circuits: 12 modes; the stored blocks are of the wire positions.
    g_pLineRecs[0].p6[11] = CComplex(1, 1);
    g_pLineRecs[0].p4[12 * 12 - 1] = CComplex(2, 2);
    g_pLineRecs[0].p1[12 * 12 - 1] = CComplex(3, 3);

    chain.clear();
    AddOther(kShuntImpedance);
    AddOther(kBranchingEnd);
    BuildSameLineTable(Pointers());
    EXPECT_EQ(Flags(), (std::vector<int>{0, 0}));
    for (const LineCalcRecord& r : g_pLineRecs)
        EXPECT_TRUE(!r.p1 && !r.p4 && !r.p6);
}

TEST_F(LineCacheTest, OnlyReallyEqualSectionsShare)
{
    // The section compare accepts catalog items of the same name; the table
    // also wants their values equal.
    AddVLine(1000);
    CVLine& b = AddVLine(1000);
    (*b.wireArray)[1].wireType.radius = 0.0080;
    CVLine& c = AddVLine(2000);
    c.tower.y[1] = 18.5;
    // And the same wire positions.
    AddVLine(1000);
    chain.back()->wirePositions = 4;
    BuildSameLineTable(Pointers());
    EXPECT_EQ(Flags(), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(SameLineKind(*chain[0], *chain[1]), 0);
    EXPECT_EQ(chain[0]->IsSameLine(*chain[1]), 2);
}

TEST_F(LineCacheTest, NoSectionReadsStorageNobodyKeeps)
{
    // Sags 0, 0.0008 and 0.0016 m: the first two are equal, the last two share
    // the cross-section, the first and the last differ.  The last finds its
    // cross-section through a section that lends nothing, so it calculates
    // in full.
    AddVLine(1000, 6.0);
    AddVLine(1000, 6.0008);
    AddVLine(1500, 6.0016);
    ASSERT_EQ(SameLineKind(*chain[0], *chain[2]), 0);
    ASSERT_EQ(SameLineKind(*chain[1], *chain[2]), 1);
    BuildSameLineTable(Pointers());
    EXPECT_EQ(Flags(), (std::vector<int>{2, 8, 0}));
    EXPECT_EQ(g_pLineRecs[2].p4, nullptr);
}

TEST_F(LineCacheTest, SectionsGiveTheSameBlocksWithAndWithoutTheTable)
{
    AddVLine(1000);
    AddOther(kShuntImpedance);
    AddVLine(1000);
    AddVLine(2500);
    BuildSameLineTable(Pointers());
    ASSERT_EQ(Flags(), (std::vector<int>{3, 0, 8, 4}));
    // Two frequencies: a borrower reads what its lender stored at this one.
    for (double f : {50e3, 300e3}) {
        SetFrequency(f);
        for (int i : {0, 2, 3}) {
            ASSERT_EQ(CheckVLineElement(*chain[i], i + 1), "");
            unsigned char regen = 0;
            TwoPortStorage cached(3), direct(3);
            g_pCurLineRec = &g_pLineRecs[std::size_t(i)];
            CalcVLineElement(*chain[i], cached.blocks(), &regen);
            g_pCurLineRec = nullptr;
            CalcVLineElement(*chain[i], direct.blocks(), &regen);
            EXPECT_LT(BlocksDiff(direct, cached), 1e-12) << "element " << i << " at " << f;
        }
    }
    EXPECT_EQ(g_MatError, 0);
}

TEST_F(LineCacheTest, FreeingEmptiesEverything)
{
    AddVLine(1000);
    AddVLine(1000);
    BuildSameLineTable(Pointers());
    BuildSameLineTable(Pointers());  // a second build replaces the first
    EXPECT_EQ(Flags(), (std::vector<int>{2, 8}));
    g_pCurLineRec = &g_pLineRecs[1];
    FreeSameLineTable();
    EXPECT_TRUE(g_pLineRecs.empty() && g_ppCalcElements.empty());
    EXPECT_EQ(g_pCurLineRec, nullptr);
}

} // namespace

#include "calc/linecache.h"
#include "calc/vline.h"
#include "calctest.h"
#include "channeltest.h"
#include "model/element.h"
#include "model/lines.h"
#include "model/shunts.h"

#include <functional>
#include <memory>
#include <string>

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

// Two sections that differ in any one value their calculation reads never
// share results: a channel gives through the identical-line table exactly
// what it gives when no section may borrow (each section's tower or cable
// type under a name of its own, which changes nothing in the physics).
class LineCacheKeyTest : public channeltest::ChannelTest {
protected:
    using Edit = std::function<void(CElement&)>;

    struct Case {
        std::string what;
        Edit base;    // every section
        Edit change;  // the second and the third section
        int split = -1;
    };

    static CVLine& V(CElement& e) { return *e.Data<CVLine>(); }
    static CKLine& K(CElement& e) { return *e.Data<CKLine>(); }
    static CVLProv& Wire(CElement& e, int i) { return (*V(e).wireArray)[std::size_t(i)]; }

    // End loads of 300 ohm and three sections between them: A, B of A's
    // length and C of twice it, B and C changed.  Wire 1 to earth at 100 kHz.
    CRezGraPoint Run(int type, const Case& c, bool ownNames)
    {
        doc.ClearAll();
        doc.splitConductor = g_nSplitConductor = c.split;
        CElement proto;
        proto.type = std::uint8_t(type);
        if (type == kOverheadLine)
            proto.data = std::make_unique<CVLine>(calctest::MakeVLine(channeltest::kRowX, channeltest::kRowY));
        else
            proto.data = std::make_unique<CKLine>(calctest::MakeSolidKLine(1, 1000));
        if (c.base)
            c.base(proto);
        const bool overhead = type == kOverheadLine;
        const int n = overhead ? V(proto).wireCount + (c.split >= 0 ? 1 : 0) : K(proto).pipe ? 3 : 6;
        const double length = overhead ? V(proto).length : K(proto).length;

        AddEndLoad(std::vector<double>(std::size_t(n), 300.0));
        for (int i = 0; i < 3; ++i) {
            Add<CVLine>(kOverheadLine, n);  // the element's maps; its type and data follow
            CElement& e = Last();
            e.type = proto.type;
            e.splitConductor = c.split;
            e.data = proto.data->Clone();
            if (i > 0)
                c.change(e);
            const double l = i == 2 ? 2 * length : length;
            const std::string own = ownNames ? "-" + std::to_string(i) : "";
            if (overhead)
                V(e).length = l, V(e).tower.name += own;
            else
                K(e).length = l, K(e).solidCable.name += own, K(e).pipeCable.name += own;
        }
        AddEndLoad(std::vector<double>(std::size_t(n), 300.0));
        for (auto& e : doc.elements)
            if (e->type == kEndLoad)
                e->splitConductor = c.split;
        // Unchanged, the sections would share.
        CElement same(*doc.elements[1]);
        EXPECT_EQ(SameLineKind(*doc.elements[1], same), 2) << c.what;

        SeedSpanRandom(7);
        const CalcOutcome outcome = RunOnce(100);
        EXPECT_EQ(outcome.status, CalcStatus::Done)
            << c.what << ": " << (messages.messages().empty() ? "" : messages.messages()[0].text);
        return outcome.status == CalcStatus::Done ? LastPoint() : CRezGraPoint();
    }

    void ExpectCacheChangesNothing(int type, const std::vector<Case>& cases)
    {
        for (const Case& c : cases) {
            const CRezGraPoint cached = Run(type, c, false), alone = Run(type, c, true);
            EXPECT_EQ(cached.transfer.re, alone.transfer.re) << c.what;
            EXPECT_EQ(cached.transfer.im, alone.transfer.im) << c.what;
            EXPECT_EQ(cached.zLeft.re, alone.zLeft.re) << c.what;
            EXPECT_EQ(cached.zLeft.im, alone.zLeft.im) << c.what;
            EXPECT_EQ(cached.zRight.re, alone.zRight.re) << c.what;
            EXPECT_EQ(cached.zRight.im, alone.zRight.im) << c.what;
        }
    }
};

TEST_F(LineCacheKeyTest, OverheadSectionsThatDifferInAnyValueShareNothing)
{
    auto refined = [](CElement& e) { V(e).earthModel = 0; };
    auto twoLayer = [](std::uint8_t model) {
        return [model](CElement& e) {
            V(e).earthModel = model, V(e).earthRho2 = 1000, V(e).earthEps2 = 5, V(e).layerDepth = 3;
        };
    };
    auto bundles = [](CElement& e) {
        for (CVLProv& w : *V(e).wireArray)
            w.bundleCount = 2;
    };
    auto iced = [](CElement& e) {
        V(e).ice = 1, V(e).iceTemperature = -5, V(e).iceFactor = 0.4;
        for (CVLProv& w : *V(e).wireArray)
            w.iceThickness = 0.01, w.iceDensity = 0.9;
    };
    auto towers = [](CElement& e) {
        calctest::MakeTowerInfluence(V(e), 3, 4);
        V(e).spanValues = std::vector<std::uint8_t>(4, 0);
    };
    auto spans = [](int mode) {
        return [mode](CElement& e) {
            calctest::MakeTowerInfluence(V(e), 3, 3);
            V(e).inhomogeneity = std::uint8_t(mode);
        };
    };
    const std::vector<Case> cases = {
        {"tower abscissa", nullptr, [](CElement& e) { V(e).tower.x[2] = 7.5; }},
        {"tower height", nullptr, [](CElement& e) { V(e).tower.y[1] = 18; }},
        {"earth resistivity", nullptr, [](CElement& e) { V(e).earthRho1 = 300; }},
        {"earth model", nullptr, refined},
        {"earth permittivity", refined, [](CElement& e) { V(e).earthEps1 = 20; }},
        {"lower layer resistivity", twoLayer(2), [](CElement& e) { V(e).earthRho2 = 300; }},
        {"lower layer permittivity", twoLayer(2), [](CElement& e) { V(e).earthEps2 = 20; }},
        {"upper layer thickness", twoLayer(2), [](CElement& e) { V(e).layerDepth = 8; }},
        {"lower layer of earth model 6", twoLayer(6), [](CElement& e) { V(e).earthRho2 = 300; }},
        {"wire radius", nullptr, [](CElement& e) { Wire(e, 1).wireType.radius = 0.014; }},
        {"wire twist", nullptr, [](CElement& e) { Wire(e, 1).wireType.twist = 0.9; }},
        {"wire resistivity", nullptr, [](CElement& e) { Wire(e, 1).wireType.resistivity = 4e-8; }},
        {"sag", nullptr, [](CElement& e) { Wire(e, 1).sag = 7; }},
        {"bundle count", nullptr, [](CElement& e) { Wire(e, 1).bundleCount = 2; }},
        {"bundle spacing", bundles, [](CElement& e) { Wire(e, 1).bundleStep = 0.6; }},
        {"split conductor spacing", nullptr, [](CElement& e) { Wire(e, 0).bundleStep = 3.0; }, 0},
        {"split wire", nullptr, [](CElement& e) { e.splitConductor = 1; }, 0},
        {"symmetry code", [](CElement& e) { V(e).symmetry = 1; }, [](CElement& e) { V(e).symmetry = -1; }},
        {"ice flag", iced, [](CElement& e) { V(e).ice = 0; }},
        {"ice temperature", iced, [](CElement& e) { V(e).iceTemperature = -10; }},
        {"ice coefficient", iced, [](CElement& e) { V(e).iceFactor = 0.3; }},
        {"ice thickness", iced, [](CElement& e) { Wire(e, 1).iceThickness = 0.02; }},
        {"ice density", iced, [](CElement& e) { Wire(e, 1).iceDensity = 0.8; }},
        {"tower capacitance", towers, [](CElement& e) { V(e).matrix.cap[0] = 50e-12; }},
        {"tower resistance", towers, [](CElement& e) { V(e).matrix.res[1] = 30; }},
        {"span count", towers, [](CElement& e) { V(e).pieces = 3; }},
        {"mean span", towers, [](CElement& e) { V(e).spanMean = 250; }},
        {"span deviation", towers, [](CElement& e) { V(e).spanDeviation = 20; }},
        {"span value", towers, [](CElement& e) { (*V(e).spanValues)[2] = 200; }},
        {"span values still to draw", towers, [](CElement& e) { V(e).spanValues.reset(); }},
        {"inhomogeneity", spans(2), [](CElement& e) { V(e).inhomogeneity = 3; }},
        {"sag pieces", spans(2), [](CElement& e) { V(e).pieces = 4; }},
        {"sag span", spans(2), [](CElement& e) { V(e).spanMean = 250; }},
        {"transposition pieces", spans(3), [](CElement& e) { V(e).pieces = 4; }},
        {"transposition span", spans(3), [](CElement& e) { V(e).spanMean = 250; }},
    };
    ExpectCacheChangesNothing(kOverheadLine, cases);
}

TEST_F(LineCacheKeyTest, CableSectionsThatDifferInAnyValueShareNothing)
{
    auto pipe = [](CElement& e) { K(e) = calctest::MakePipeKLine(1, 1000); };
    std::vector<Case> cases = {
        {"soil resistivity", nullptr, [](CElement& e) { K(e).rho = 200; }},
        {"cable abscissa", nullptr, [](CElement& e) { K(e).x[1] = 0.3; }},
        {"cable depth", nullptr, [](CElement& e) { K(e).y[2] = 1.0; }},
        {"symmetry code", [](CElement& e) { K(e).symmetry = 1; }, [](CElement& e) { K(e).symmetry = -1; }},
        {"pipe resistivity", pipe, [](CElement& e) { K(e).rho = 3e-7; }},
        {"pipe radius", pipe, [](CElement& e) { K(e).pipeRadius = 0.12; }},
        {"pipe permeability", pipe, [](CElement& e) { K(e).pipeMu = 200; }},
        {"cable distance from the pipe axis", pipe, [](CElement& e) { K(e).x[0] = 0.05; }},
        {"cable angle in the pipe", pipe, [](CElement& e) { K(e).y[1] = 200; }},
        {"core radius in the pipe", pipe, [](CElement& e) { K(e).pipeCable.coreRadius = 0.018; }},
    };
    // Every value of the cable type, each 2 % larger.
    const std::pair<const char*, double CKabTv::*> cable[] = {
        {"core radius", &CKabTv::coreRadius},
        {"screen inner radius", &CKabTv::screenInnerRadius},
        {"screen outer radius", &CKabTv::screenOuterRadius},
        {"outer radius", &CKabTv::outerRadius},
        {"insulation loss", &CKabTv::tanInner},
        {"jacket loss", &CKabTv::tanOuter},
        {"insulation permittivity", &CKabTv::epsInner},
        {"jacket permittivity", &CKabTv::epsOuter},
        {"core resistivity", &CKabTv::rhoCore},
        {"screen resistivity", &CKabTv::rhoScreen}};
    for (auto [what, field] : cable)
        cases.push_back({std::string("cable ") + what, nullptr,
                         [field = field](CElement& e) { K(e).solidCable.*field *= 1.02; }});
    ExpectCacheChangesNothing(kCableLine, cases);
}

} // namespace

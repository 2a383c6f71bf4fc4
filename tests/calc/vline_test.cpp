#include "calc/blockembed.h"
#include "calc/elementcheck.h"
#include "calc/vline.h"
#include "calctest.h"
#include "math/mirror.h"
#include "model/element.h"
#include "model/lines.h"
#include "model/modelglobals.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace calctest;

namespace {

class VLineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetCalcGlobals();
        ResetMirrorGlobals();
        ResetModelGlobals();
        SetFrequency(2e5);
    }
    void TearDown() override
    {
        ResetCalcGlobals();
        ResetMirrorGlobals();
        ResetModelGlobals();
    }

    static TwoPortStorage Calc(CVLine& line, int split = -1, unsigned char regenerate = 0)
    {
        int n = line.wires + (split >= 0 ? 1 : 0);
        TwoPortStorage s(n);
        CalcVLineData(line, n, split, s.blocks(), &regenerate);
        return s;
    }
};

TEST_F(VLineTest, HomogeneousLineIsReciprocalAndPassive)
{
    for (unsigned char model : {0, 1, 2}) {
        CVLine line = MakeVLine({-6, 0, 6, -4, 4}, {20, 20, 20, 27, 27});
        line.earthModel = model;
        line.earthRho2 = 1000;
        line.earthEps2 = 5;
        line.layerDepth = 8;
        TwoPortStorage s = Calc(line);
        ASSERT_EQ(g_MatError, 0) << int(model);
        EXPECT_TRUE(IsSymmetric(s.blocks().Y0, 5, 1e-9 * MaxAbs(s.blocks().Y0, 25)));
        EXPECT_TRUE(IsPassive(s)) << int(model);
    }
}

TEST_F(VLineTest, SymmetricLineGivesTheSameBlocksWithAndWithoutTheMirrorSplit)
{
    CVLine line = MakeVLine({-8, 0, 8, -5, 5}, {18, 18, 18, 26, 26});
    line.AfterLoad();
    ASSERT_EQ(line.symmetry, 1);
    TwoPortStorage split = Calc(line);
    line.symmetry = -1;
    TwoPortStorage full = Calc(line);
    EXPECT_LT(BlocksDiff(full, split), 1e-7);
}

TEST_F(VLineTest, IceOfZeroThicknessChangesNothing)
{
    CVLine bare = MakeVLine({-6, 0, 6}, {20, 21, 20});
    CVLine iced = bare;
    iced.ice = 1;
    iced.iceTemperature = -5;
    iced.iceFactor = 0.4;
    for (auto& w : *iced.wireArray)
        w.iceDensity = 0.9;
    TwoPortStorage a = Calc(bare), b = Calc(iced);
    EXPECT_EQ(BlocksDiff(a, b), 0.0);

    // A real ice wall changes the line, and the result stays passive.
    for (auto& w : *iced.wireArray)
        w.iceThickness = 0.02;
    TwoPortStorage c = Calc(iced);
    EXPECT_GT(BlocksDiff(a, c), 1e-4);
    EXPECT_TRUE(IsPassive(c));
}

TEST_F(VLineTest, SelfTermsOfBundlesSplitHalvesAndIce)
{
    CVLine line = MakeVLine({-6, 0, 6}, {20, 20, 20});
    (*line.wireArray)[0].bundleCount = 2;
    line.ice = 1;
    line.iceTemperature = -5;
    line.iceFactor = 0.4;
    (*line.wireArray)[2].iceThickness = 0.01;
    (*line.wireArray)[2].iceDensity = 0.9;

    std::vector<LineConductor> conductors = BuildLineConductors(line, 1);
    ASSERT_EQ(conductors.size(), 4u);
    EXPECT_DOUBLE_EQ(conductors[1].x, -0.2);
    EXPECT_DOUBLE_EQ(conductors[2].x, 0.2);
    EXPECT_EQ(conductors[1].h, conductors[2].h);
    EXPECT_DOUBLE_EQ(conductors[1].h, 20 - 0.75 * 6);
    EXPECT_EQ(conductors[1].wire, 1);
    EXPECT_EQ(conductors[2].wire, 1);

    std::vector<ConductorSelfTerms> self = CalcConductorSelfTerms(line, conductors, 2e5, g_jOmega.im, 1.5707963268);
    EXPECT_NEAR(self[0].radius, std::sqrt(0.012 * 0.4), 1e-12); // bundle of two
    EXPECT_EQ(self[1].radius, 0.012);                            // halves are single wires
    EXPECT_DOUBLE_EQ(self[3].radius, 0.022);                     // the ice wall for the geometry
    CComplex bare = ConductorInternalImpedance(0.012, 1.0, 3e-8, 2e5, 1);
    EXPECT_EQ(self[1].e.re, bare.re);
    CComplex q = IceInverseEpsilon(-5, 0.4, 0.9, g_jOmega.im, 2e5, 1.5707963268);
    double L = std::log(1 + 0.01 / 0.012);
    EXPECT_LT(Abs(self[3].e - (bare + (1.0 - q) * L)), 1e-12);
    EXPECT_LT(Abs(self[3].p - q * L), 1e-12);
}

TEST_F(VLineTest, SplitConductorMakesOneMoreConductor)
{
    CVLine line = MakeVLine({-6, 0, 6, 0}, {20, 20, 20, 28});
    g_nSplitConductor = 1;
    TwoPortStorage s = Calc(line, 1);
    ASSERT_EQ(g_MatError, 0);
    EXPECT_TRUE(IsPassive(s));
    EXPECT_EQ(g_nCalcSplitConductor, 1);
    EXPECT_EQ(g_nLineSymmetry, -1);
}

TEST_F(VLineTest, SplitLineCalculatesWhetherItsWireCountHoldsTheSecondHalfOrNot)
{
    // Three wires of the section, wire 1 split: four wire positions.
    CVLine sectionForm = MakeVLine({-6, 0, 6}, {20, 20, 20});
    TwoPortStorage section = Calc(sectionForm, 1);
    ASSERT_EQ(g_MatError, 0);
    CVLine positionsForm = sectionForm;
    positionsForm.wires = 4;
    EXPECT_EQ(CheckVLineData(positionsForm, 4, 1), "");
    TwoPortStorage positions(4);
    unsigned char regen = 0;
    CalcVLineData(positionsForm, 4, 1, positions.blocks(), &regen);
    ASSERT_EQ(g_MatError, 0);
    EXPECT_EQ(BlocksDiff(section, positions), 0.0);

    for (int damaged : {2, 5}) {
        CVLine line = sectionForm;
        line.wires = static_cast<std::uint8_t>(damaged);
        EXPECT_NE(CheckVLineData(line, 4, 1), "") << damaged;
    }
}

TEST_F(VLineTest, RandomSpansAreDrawnOnlyWhenAsked)
{
    CVLine line = MakeVLine({-6, 0, 6}, {20, 20, 20});
    MakeTowerInfluence(line, 3, 6);
    line.spanValues = std::vector<std::uint8_t>(6, 42);
    Calc(line, -1, 0);
    EXPECT_EQ(*line.spanValues, std::vector<std::uint8_t>(6, 42));

    SeedSpanRandom(7);
    std::vector<std::uint8_t> expect(6);
    for (auto& v : expect)
        v = DrawSpanValue();
    SeedSpanRandom(7);
    TwoPortStorage s = Calc(line, -1, 1);
    EXPECT_EQ(*line.spanValues, expect);
    EXPECT_TRUE(IsPassive(s));

    // A homogeneous line keeps whatever values it holds.
    line.inhomogeneity = 0;
    line.spanValues = std::vector<std::uint8_t>(6, 42);
    Calc(line, -1, 1);
    EXPECT_EQ(*line.spanValues, std::vector<std::uint8_t>(6, 42));

    // Two lines of one run get different spans.
    CVLine other = MakeVLine({-6, 0, 6}, {20, 20, 20});
    MakeTowerInfluence(other, 3, 6);
    line.inhomogeneity = 1;
    Calc(line, -1, 1);
    Calc(other, -1, 1);
    EXPECT_NE(*line.spanValues, *other.spanValues);
}

TEST_F(VLineTest, CacheLendsBlocksAndModalData)
{
    CVLine line = MakeVLine({-6, 0, 6}, {20, 20, 20});
    RecordStorage store(3, kLineRecStoreModal | kLineRecStoreBlocks);
    LineCalcRecord& lender = store.rec;
    g_pCurLineRec = &lender;
    TwoPortStorage computed = Calc(line);

    // An equal section takes the blocks without looking at its data.
    LineCalcRecord equal = lender;
    equal.flags = kLineRecEqual;
    g_pCurLineRec = &equal;
    CVLine broken;
    broken.wires = 3;
    TwoPortStorage copied(3);
    unsigned char regen = 0;
    CalcVLineData(broken, 3, -1, copied.blocks(), &regen);
    EXPECT_EQ(g_MatError, 0);
    EXPECT_EQ(BlocksDiff(computed, copied), 0.0);

    // A section of the same cross-section and another length.
    LineCalcRecord same = lender;
    same.flags = kLineRecSameSection;
    g_pCurLineRec = &same;
    CVLine longer = line;
    longer.length = 25000;
    TwoPortStorage fromModes = Calc(longer);
    g_pCurLineRec = nullptr;
    TwoPortStorage direct = Calc(longer);
    EXPECT_LT(BlocksDiff(direct, fromModes), 1e-12);

    // The modal-parameter calculation ignores the records.
    g_bModalMode = 1;
    g_pCurLineRec = &equal;
    TwoPortStorage modal = Calc(line);
    EXPECT_LT(Abs(modal.blocks().Y0[0] - CComplex(1, 0)), 1e-12);
    EXPECT_GT(BlocksDiff(computed, modal), 1e-3);
}

TEST_F(VLineTest, MeaninglessDataAreRefused)
{
    auto check = [](const CVLine& line, int positions = 3, int split = -1) {
        return CheckVLineData(line, positions, split);
    };
    const CVLine good = MakeVLine({-6, 0, 6}, {20, 20, 20});
    EXPECT_EQ(check(good), "");

    std::vector<std::pair<const char*, CVLine>> bad;
    auto add = [&](const char* what, auto change) {
        CVLine l = good;
        change(l);
        bad.emplace_back(what, l);
    };
    add("sag without tower matrix", [](CVLine& l) { l.inhomogeneity = 2; });
    add("transposition without tower matrix", [](CVLine& l) { l.inhomogeneity = 3; });
    add("tower points", [](CVLine& l) { l.tower.count = 2; });
    add("wire array", [](CVLine& l) { l.wireArray.reset(); });
    add("short wire array", [](CVLine& l) { l.wireArray->resize(2); });
    add("height", [](CVLine& l) { (*l.wireArray)[1].sag = 20 / 0.75; });
    add("coincident", [](CVLine& l) { l.tower.x[2] = 0; });
    add("earth", [](CVLine& l) { l.earthRho1 = 0; });
    add("lower layer", [](CVLine& l) { l.earthModel = 2; l.earthRho2 = 100; l.layerDepth = 0; });
    add("radius", [](CVLine& l) { (*l.wireArray)[0].wireType.radius = 0; });
    add("resistivity", [](CVLine& l) { (*l.wireArray)[0].wireType.resistivity = -1; });
    add("bundle", [](CVLine& l) { (*l.wireArray)[0].bundleCount = 3; (*l.wireArray)[0].bundleStep = 0; });
    add("ice -235", [](CVLine& l) { l.ice = 1; l.iceTemperature = -235; (*l.wireArray)[0].iceThickness = 0.01; });
    add("ice power", [](CVLine& l) { l.ice = 1; l.iceFactor = 1.7; (*l.wireArray)[0].iceThickness = 0.01; (*l.wireArray)[0].iceDensity = 0.9; });
    add("length", [](CVLine& l) { l.length = 0; });
    add("no spans", [](CVLine& l) { MakeTowerInfluence(l, 3, 4); l.pieces = 0; });
    add("span spread", [](CVLine& l) { MakeTowerInfluence(l, 3, 4); l.spanDeviation = 300; });
    add("mean span", [](CVLine& l) { MakeTowerInfluence(l, 3, 4); l.spanMean = 0; });
    add("matrix order", [](CVLine& l) { MakeTowerInfluence(l, 2, 4); });
    add("matrix resistance", [](CVLine& l) { MakeTowerInfluence(l, 3, 4); l.matrix.res[2] = 0; });
    for (auto& [what, line] : bad)
        EXPECT_NE(check(line), "") << what;

    EXPECT_NE(check(good, 4), "");    // conductors other than the element's wire positions
    EXPECT_EQ(check(good, 4, 1), ""); // ... unless a wire is split
    CVLine close = good;
    (*close.wireArray)[2].bundleStep = 0;
    EXPECT_NE(check(close, 4, 2), "") << "split halves need a spacing";
}

TEST_F(VLineTest, ConductorsThatTouchAsTypedAreRefusedAndNeighboursCalculated)
{
    // Two wires of 24 mm, the values as typed into the dialogs' float fields.
    auto two = [](float x2, float y1, float y2, float sag1, float sag2) {
        CVLine l = MakeVLine({0, 0}, {double(y1), double(y2)});
        l.tower.x[1] = double(x2);
        (*l.wireArray)[0].sag = double(sag1);
        (*l.wireArray)[1].sag = double(sag2);
        return l;
    };
    auto split = [&](float x2, float stepCm) {
        CVLine l = two(x2, 20, 20, 6, 6);
        (*l.wireArray)[0].bundleStep = double(stepCm) * 0.01;
        return l;
    };
    auto sagPieces = [&] {  // the wires meet at the second of two pieces a half span
        CVLine l = two(0, 20, 17, 3.6f, 0.4f);
        MakeTowerInfluence(l, 2, 2);
        l.inhomogeneity = 2;
        return l;
    };
    const struct {
        const char* what;
        CVLine line;
        int split;
        std::string refusal;
    } cases[] = {
        {"one mean height in decimal", two(0, 20, 17, 4.4f, 0.4f), -1, "провода 1 и 2 совпадают"},
        {"split half on the other wire", split(0.2f, 40), 0, "провода 1 и 2 совпадают"},
        {"sag pieces at one point", sagPieces(), -1, "провода 1 и 2 на участке 2 пролета совпадают"},
        {"wires typed touching", two(0.024f, 20, 20, 6, 6), -1, "провода 1 и 2 касаются друг друга"},
        {"wires 5 mm apart", two(0.005f, 20, 20, 6, 6), -1, "провода 1 и 2 касаются друг друга"},
        {"split halves typed touching", split(3, 2.4f), 0, "половины расщепленного провода 1 касаются друг друга"},
        {"wires 30 mm apart", two(0.03f, 20, 20, 6, 6), -1, ""},
        {"split halves 3 cm apart", split(3, 3), 0, ""},
    };
    for (const auto& c : cases) {
        CVLine line = c.line;
        const int n = 2 + (c.split >= 0 ? 1 : 0);
        EXPECT_EQ(CheckVLineData(line, n, c.split), c.refusal) << c.what;
        if (!c.refusal.empty())
            continue;
        TwoPortStorage s = Calc(line, c.split);
        EXPECT_EQ(g_MatError, 0) << c.what;
        EXPECT_TRUE(BlocksAreFinite(s.blocks(), n)) << c.what;
    }
}

TEST_F(VLineTest, RefusedDataGiveNoBlocks)
{
    CVLine line = MakeVLine({-6, 0, 6}, {20, 20, 20});
    line.inhomogeneity = 2;
    TwoPortStorage s(3);
    s.blocks().Y0[0] = CComplex(7, 7);
    unsigned char regen = 0;
    CalcVLineData(line, 3, -1, s.blocks(), &regen);
    EXPECT_EQ(g_MatError, 2);
    EXPECT_EQ(s.blocks().Y0[0].re, 7);
}

TEST_F(VLineTest, ElementIsModelledFromItsDataAndRefusedByItsNumber)
{
    CElement e;
    e.SetType(kOverheadLine);
    e.data = CreateElementData(kOverheadLine);
    e.Data<CVLine>()->Copy(MakeVLine({-6, 0, 6}, {20, 20, 20}));
    e.wirePositions = 3;
    TwoPortStorage viaElement(3);
    unsigned char regen = 0;
    CalcVLineElement(e, viaElement.blocks(), &regen);
    TwoPortStorage direct = Calc(*e.Data<CVLine>());
    EXPECT_EQ(BlocksDiff(direct, viaElement), 0.0);
    EXPECT_EQ(CheckVLineElement(e, 5), "");

    e.Data<CVLine>()->inhomogeneity = 2;
    std::string message = CheckVLineElement(e, 5);
    EXPECT_EQ(message, "Ошибка в данных элемента N 5:\nсредняя длина пролета должна быть больше нуля.\n"
                       "Расчет невозможен.");
    ScriptedMessages shown;
    ShowElementDataError(message);
    ASSERT_EQ(shown.messages().size(), 1u);
    EXPECT_EQ(shown.messages()[0].caption, kAppName);
    EXPECT_EQ(shown.messages()[0].icon, MsgIcon::Stop);

    e.data.reset();
    EXPECT_NE(CheckVLineElement(e, 2), "");
    CalcVLineElement(e, viaElement.blocks(), &regen);
    EXPECT_EQ(g_MatError, 2);
}

} // namespace

// The overhead line sheet's models: opening, the three pages, the check on OK
// and storing an edited catalog item through the sheet.
#include "calc/calcglobals.h"
#include "calc/vline.h"
#include "dialogs/catalogitemstore.h"
#include "dialogs/catalogrequests.h"
#include "dialogs/vlinesheet.h"
#include "dialogs/vlinevalidation.h"
#include "math/matrix.h"
#include "math/twoport.h"
#include "model/catalogstore.h"
#include "model/document.h"
#include "model/element.h"
#include "model/lines.h"
#include "model/modelglobals.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

COpora Tower(const char* name, int points, double height = 20)
{
    COpora t;
    t.name = name;
    t.count = static_cast<std::uint8_t>(points);
    for (int i = 0; i < points; ++i) {
        t.x.push_back(-6.0 + 4 * i);
        t.y.push_back(height + (i == points - 1 ? 7 : 0));
    }
    return t;
}

CProvod WireType(const char* name)
{
    CProvod w;
    w.name = name;
    w.radius = 0.012;
    w.twist = 1;
    w.resistivity = 3e-8;
    return w;
}

class VLineSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetModelGlobals();
        g_CurBase.RemoveAll();
        g_TaskBase.RemoveAll();
        m_previousHook = SetCatalogSaveHook([this] {
            ++saves;
            return true;
        });
    }
    void TearDown() override
    {
        SetCatalogSaveHook(std::move(m_previousHook));
        g_CurBase.RemoveAll();
        g_TaskBase.RemoveAll();
        ResetModelGlobals();
    }

    // An overhead line element of circuits x 3 (1 on DC) phase wires and the
    // given ground wires, appended to the chain.
    CElement& AddElement(int circuits, int ground, int split = -1)
    {
        doc.elements.push_back(std::make_unique<CElement>());
        CElement& e = *doc.elements.back();
        e.SetType(kOverheadLine);
        e.circuits = static_cast<std::uint8_t>(circuits);
        e.groundWires = static_cast<std::uint8_t>(ground);
        const int phases = circuits * (doc.dc ? 1 : 3);
        e.conductors = static_cast<std::uint8_t>(phases + ground);
        e.splitConductor = split;
        e.wirePositions = static_cast<std::uint8_t>(e.conductors + (split >= 0 ? 1 : 0));
        for (int i = 0; i < e.conductors; ++i)
            e.inMap[i] = i < phases ? (i / (doc.dc ? 1 : 3)) * 4 + i % (doc.dc ? 1 : 3) : (i - phases) * 4 + 3;
        return e;
    }

    // A line complete on every page: tower, Carson's earth, typed wires.
    static void Complete(CElement& e, bool dc = false)
    {
        CVLine& line = PrepareVLineData(e, dc);
        line.tower = Tower("П", e.conductors);
        line.earthRho1 = 100;
        line.length = 10000;
        for (CVLProv& w : *line.wireArray) {
            w.wireType = WireType("АС-300");
            w.sag = 6;
        }
    }

    std::vector<ScriptedMessages::Message> Validate(CElement& e)
    {
        ScriptedMessages shown;
        ValidateVLineSheet(e, *e.Data<CVLine>());
        return shown.messages();
    }

    CKestrinDoc doc;
    int saves = 0;

private:
    CatalogSaveHook m_previousHook;
};

TEST_F(VLineSheetTest, OpeningMakesTheLineDataAndFitsTheWireArrayToTheElement)
{
    CElement& fresh = AddElement(2, 1);
    CVLine& line = PrepareVLineData(fresh, false);
    EXPECT_EQ(line.earthModel, 1);  // Carson, one layer
    EXPECT_EQ(line.wireCount, 7);
    EXPECT_EQ(line.phaseWires, 6);
    ASSERT_TRUE(line.wireArray);
    EXPECT_EQ(line.wireArray->size(), 7u);
    EXPECT_EQ((*line.wireArray)[6].bundleCount, 1);

    // A 3-wire array of a line whose chain grew to 7 conductors keeps its wires.
    line.wireArray->resize(3);
    (*line.wireArray)[2].sag = 4.5;
    PrepareVLineData(fresh, false);
    ASSERT_EQ(line.wireArray->size(), 7u);
    EXPECT_EQ((*line.wireArray)[2].sag, 4.5);

    // The split conductor counts twice in the line's wire count, once in its wires.
    CElement& split = AddElement(1, 1, 1);
    CVLine& splitLine = PrepareVLineData(split, false);
    EXPECT_EQ(splitLine.wires, 5);
    EXPECT_EQ(splitLine.wireCount, 4);
    doc.dc = 1;
    CElement& poles = AddElement(2, 0);
    EXPECT_EQ(PrepareVLineData(poles, true).phaseWires, 2);
}

TEST_F(VLineSheetTest, ValidationReportsTheFirstIncompletePageAndMarksTheElement)
{
    struct Case {
        const char* what;
        std::function<void(CVLine&)> change;
        const char* text;     // empty: complete
        const char* caption;
    };
    const char* page1 = "Неполные данные\nна странице \"Основные параметры\"";
    const char* page2 = "Неполные данные\nна странице \"Провода\"";
    const char* page3 = "Неполные данные\nна странице \"Неоднородности\"";
    const char* incomplete = "Незавершенное формирование";
    const Case cases[] = {
        {"complete", [](CVLine&) {}, "", ""},
        {"no tower", [](CVLine& l) { l.tower.Clear(); }, page1, incomplete},
        {"tower short of points", [](CVLine& l) { l.tower = Tower("П", 3); }, page1, incomplete},
        {"refined two layers, layer-2 rho 0",
         [](CVLine& l) { l.earthModel = 2; l.earthEps1 = 10; l.layerDepth = 5; l.earthEps2 = 5; }, page1, incomplete},
        {"Carson with two layers stored checks no layer 2", [](CVLine& l) { l.earthModel = 3; }, "", ""},
        {"length", [](CVLine& l) { l.length = 0; }, page1, incomplete},
        {"wire without type", [](CVLine& l) { (*l.wireArray)[3].wireType.name.clear(); }, page2, incomplete},
        {"bundle without step", [](CVLine& l) { (*l.wireArray)[0].bundleCount = 2; }, page2, incomplete},
        {"tower influence without matrix", [](CVLine& l) { l.inhomogeneity = 1; l.spanMean = 300; }, page3,
         incomplete},
        {"sag equal to the height", [](CVLine& l) { (*l.wireArray)[1].sag = 20; },
         "Высота подвеса 2 провода\nменьше провиса", "Ошибка данных"},
    };
    for (const Case& c : cases) {
        doc.elements.clear();
        CElement& e = AddElement(1, 1);
        Complete(e);
        c.change(*e.Data<CVLine>());
        const auto shown = Validate(e);
        if (*c.text == 0) {
            EXPECT_TRUE(shown.empty()) << c.what;
            EXPECT_EQ(e.entered, 1) << c.what;
            continue;
        }
        ASSERT_EQ(shown.size(), 1u) << c.what;
        EXPECT_EQ(shown[0].text, c.text) << c.what;
        EXPECT_EQ(shown[0].caption, c.caption) << c.what;
        EXPECT_EQ(shown[0].icon, MsgIcon::Exclamation) << c.what;
        EXPECT_EQ(e.entered, 0) << c.what;
    }
}

TEST_F(VLineSheetTest, SplitConductorLineValidatesAndCalculates)
{
    CElement& e = AddElement(1, 1, 1);  // phase B split: 5 wire positions, 4 wires
    Complete(e);
    for (CVLProv& w : *e.Data<CVLine>()->wireArray)
        w.bundleStep = 0.4;
    EXPECT_TRUE(Validate(e).empty());
    EXPECT_EQ(e.entered, 1);

    ResetCalcGlobals();
    g_dCalcFreq = 2e5;
    g_jOmega = CComplex(0, 2 * M_PI * 2e5);
    EXPECT_EQ(CheckVLineElement(e, 1), "");
    std::vector<CComplex> y0(25), y1(25), y2(25);
    unsigned char regen = 0;
    CalcVLineElement(e, TwoPortBlocks{y0.data(), y1.data(), y2.data()}, &regen);
    EXPECT_EQ(g_MatError, 0);
    EXPECT_TRUE(std::isfinite(y0[24].re));
    ResetCalcGlobals();
}

TEST_F(VLineSheetTest, MainPageListsFittingTowersAndWillNotBeLeftWithoutOne)
{
    g_TaskBase.towers.push_back(std::make_unique<COpora>(Tower("П110", 4, 25)));
    g_CurBase.towers.push_back(std::make_unique<COpora>(Tower("П110", 4, 30)));
    g_CurBase.towers.push_back(std::make_unique<COpora>(Tower("П220", 4)));
    g_CurBase.towers.push_back(std::make_unique<COpora>(Tower("П35", 3)));
    CElement& e = AddElement(1, 1);
    PrepareVLineData(e, false);
    CVLineSheet sheet(e, doc, 0, true);
    CVLPage1& page = sheet.m_page1;
    page.OnInitPage();
    std::vector<std::string> texts;
    for (const ComboEntry& entry : page.m_towerCombo.entries)
        texts.push_back(entry.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"П110", "П220", "Выбрать из другой базы"}));
    EXPECT_FALSE(page.m_bTowerParamsEnabled);

    ScriptedMessages shown;
    EXPECT_FALSE(page.OnKillActive());
    ASSERT_EQ(shown.messages().size(), 1u);
    EXPECT_EQ(shown.messages()[0].text, "Вы забыли задать опору!");
    EXPECT_EQ(shown.messages()[0].caption, "Неполные данные");
    EXPECT_EQ(shown.messages()[0].icon, MsgIcon::Stop);

    page.OnSelchangeTower(page.m_towerCombo.Find("П110"));
    EXPECT_EQ(e.Data<CVLine>()->tower.Y(0), 25);  // the task's tower
    page.OnEarthModel(1);
    page.OnLayers(1);
    EXPECT_TRUE(page.m_bLayer2Shown);
    page.m_fLength = 12.5f;
    EXPECT_TRUE(page.OnKillActive());
    EXPECT_EQ(e.Data<CVLine>()->earthModel, 2);
    EXPECT_EQ(e.Data<CVLine>()->length, 12500);
}

TEST_F(VLineSheetTest, WiresPageBundlesSplitRulesAndEntry)
{
    g_TaskBase.phaseWires.push_back(std::make_unique<CProvod>(WireType("АС-300")));
    g_TaskBase.groundWires.push_back(std::make_unique<CProvod>(WireType("С-70")));
    CElement& e = AddElement(2, 1, 4);  // phase B of circuit 2 split
    CVLine& line = PrepareVLineData(e, false);
    line.tower = Tower("П", 7);
    CVLineSheet sheet(e, doc, 0, true);
    CVLPage2& page = sheet.m_page2;
    page.OnInitPage();
    page.OnSetActive();
    EXPECT_EQ(page.m_rows[6][0], "7 (T)");

    // The whole circuit holding the split phase is bound to a bundle of 2.
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(page.SplitBound(c), c >= 3 && c <= 5) << c;
    doc.dc = 1;
    EXPECT_TRUE(page.SplitBound(4));
    EXPECT_FALSE(page.SplitBound(3));  // on DC only the split pole itself
    doc.dc = 0;

    page.m_nBundle = 300;
    page.OnBundleChanged();
    EXPECT_EQ(page.m_nBundle, 60);

    ScriptedMessages shown;
    page.m_nBundle = 1;
    page.m_fSag = -1;
    page.OnSelchangeWireType(page.m_wireCombo.Find("АС-300"));
    EXPECT_FALSE(page.OnEnter());
    ASSERT_EQ(shown.messages().size(), 1u);
    EXPECT_EQ(shown.messages()[0].text, "Заданы не все параметры провода!");
    EXPECT_EQ(shown.messages()[0].caption, "Ошибка");
    EXPECT_EQ(page.m_nCurWire, 0);

    // A type that no catalog lists shows no choice and is kept.
    (*line.wireArray)[0].wireType = WireType("АС-500");
    page.ShowWire();
    EXPECT_EQ(page.m_nWireChoice, -1);
    page.m_fSag = 5;
    EXPECT_TRUE(page.OnEnter());
    EXPECT_EQ((*line.wireArray)[0].wireType.name, "АС-500");
    page.OnListClick(0);

    page.m_fSag = 0;  // a sag of 0 is accepted
    for (int w = 0; w < 6; ++w) {
        page.OnSelchangeWireType(page.m_wireCombo.Find("АС-300"));
        page.m_fBundleStep = 40;
        ASSERT_TRUE(page.OnEnter()) << w;
    }
    EXPECT_EQ((*line.wireArray)[4].bundleCount, 2);
    EXPECT_DOUBLE_EQ((*line.wireArray)[4].bundleStep, 0.4);
    EXPECT_EQ(page.m_rows[4][2], "2/40");
    // Past the last phase wire: a single ground wire from the ground wire list.
    EXPECT_EQ(page.m_nCurWire, 6);
    EXPECT_EQ(page.m_nBundle, 1);
    EXPECT_EQ(page.m_bGroundWire, 1);
    EXPECT_GE(page.m_wireCombo.Find("С-70"), 0);
    EXPECT_LT(page.m_wireCombo.Find("АС-300"), 0);
    EXPECT_EQ(page.m_strGroupTitle, "Провод N 7 - трос");
    EXPECT_EQ(page.m_strHeight, "Высота подвеса 27.0 м");
}

TEST_F(VLineSheetTest, InhomogeneityPageFreesDrawsAndClampsSpans)
{
    CElement& e = AddElement(1, 0);
    CVLine& line = PrepareVLineData(e, false);
    line.inhomogeneity = 1;
    line.pieces = 4;
    line.spanValues = std::vector<std::uint8_t>(4, 9);
    CVLineSheet sheet(e, doc, 0, true);
    CVLPage3& page = sheet.m_page3;
    page.OnInitPage();
    EXPECT_EQ(page.m_bRegenSpans, 1);
    EXPECT_EQ(page.m_strCountLabel, "Число рассматриваемых пролетов");

    page.OnMode(2);
    EXPECT_EQ(page.m_strCountLabel, "Число участков разбиения полупролета");
    page.OnKillActive();
    EXPECT_FALSE(line.spanValues);

    page.OnMode(1);
    page.m_nSpanCount = 0;
    page.OnKillActive();
    EXPECT_FALSE(line.spanValues);  // no spans, nothing drawn

    page.m_nSpanCount = 3;
    SeedSpanRandom(77);
    page.OnKillActive();
    SeedSpanRandom(77);
    const std::vector<std::uint8_t> expected{DrawSpanValue(), DrawSpanValue(), DrawSpanValue()};
    ASSERT_TRUE(line.spanValues);
    EXPECT_EQ(*line.spanValues, expected);

    page.m_nSpanCount = CVLPage3::ClampSpanCount(4294967295ull);
    page.OnMode(2);
    page.OnKillActive();
    EXPECT_EQ(line.pieces, 65535);
}

TEST_F(VLineSheetTest, AnEditedTowerReachesTheCatalogsAndOtherLinesOfItsKeyButNotThisOne)
{
    CElement& edited = AddElement(1, 1);
    PrepareVLineData(edited, false).tower = Tower("П110", 4, 20);
    CElement& same = AddElement(1, 1);
    PrepareVLineData(same, false).tower = Tower("П110", 4, 20);
    CElement& other = AddElement(2, 0);
    PrepareVLineData(other, false).tower = Tower("П110", 6, 20);

    auto previous = SetItemEditor(kCatTowers, [](CItemEditRequest& r) {
        std::get<COpora*>(r.item)->y.assign(4, 33.0);
        return IDOK;
    });
    CElement copy = *doc.elements[0];
    {
        CVLineSheet sheet(copy, doc, 0, true);
        sheet.m_page1.OnInitPage();
        EXPECT_TRUE(sheet.m_page1.m_bTowerParamsEnabled);
        sheet.m_page1.OnTowerParams();
    }  // the sheet cancelled
    SetItemEditor(kCatTowers, std::move(previous));

    EXPECT_EQ(copy.Data<CVLine>()->tower.Y(0), 33);
    EXPECT_EQ(same.Data<CVLine>()->tower.Y(0), 33);
    EXPECT_EQ(edited.Data<CVLine>()->tower.Y(0), 20);  // the chain's own element waits for OK
    EXPECT_EQ(other.Data<CVLine>()->tower.Y(0), 20);   // another point count: another tower
    EXPECT_EQ(saves, 1);
    ASSERT_EQ(g_CurBase.towers.size(), 1u);
    EXPECT_EQ(g_CurBase.towers[0]->Y(0), 33);
    ASSERT_EQ(g_TaskBase.towers.size(), 1u);
}

TEST_F(VLineSheetTest, AMatrixFromAnotherCatalogNeedsTheElementsOrderAndReachesItsKeysLines)
{
    CElement& e = AddElement(1, 1, 0);  // 5 wire positions: a matrix of order 5
    PrepareVLineData(e, false).inhomogeneity = 2;
    CElement& same = AddElement(1, 1, 0);
    PrepareVLineData(same, false).matrix.name = "М5";
    same.Data<CVLine>()->matrix.n = 5;
    auto matrix = [](const char* name, int order) {
        auto m = std::make_unique<CMatrix>();
        m->name = name;
        m->n = static_cast<std::uint8_t>(order);
        m->res.assign(static_cast<std::size_t>(order), 7.0);
        return m;
    };
    int picked = 0;
    ScopedModalRunner<COtherCatalogRequest> road([&](COtherCatalogRequest& r) {
        EXPECT_EQ(r.category, kCatMatrices);
        EXPECT_EQ(r.selector, 5);
        r.ownBase->RemoveAll();
        r.ownBase->matrices.push_back(matrix("М4", 4));
        r.ownBase->matrices.push_back(matrix("М5", 5));
        r.outcome = COtherCatalogRequest::Picked;
        r.result = picked;
        return IDOK;
    });
    CVLineSheet sheet(e, doc, 0, true);
    CVLPage3& page = sheet.m_page3;
    page.OnInitPage();
    const int other = static_cast<int>(page.m_matrixCombo.entries.size()) - 1;
    picked = 1;  // a matrix of another order does not fit the line
    page.OnSelchangeMatrix(other);
    EXPECT_TRUE(e.Data<CVLine>()->matrix.name.empty());
    EXPECT_EQ(saves, 0);
    picked = 2;
    page.OnSelchangeMatrix(other);
    EXPECT_EQ(e.Data<CVLine>()->matrix.name, "М5");
    EXPECT_EQ(same.Data<CVLine>()->matrix.res.size(), 5u);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(page.m_matrixCombo.entries[static_cast<std::size_t>(page.m_nMatrixChoice)].text, "М5");
}

} // namespace

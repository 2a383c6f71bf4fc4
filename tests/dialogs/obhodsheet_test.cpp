// The bypass sheet: its assembly, the circuit choice, the schemes page and the
// busbar capacitances.
#include "calc/bypass.h"
#include "decimalcomma.h"
#include "dialogs/bypassvalidation.h"
#include "dialogs/catalogitemstore.h"
#include "dialogs/catalogrequests.h"
#include "dialogs/dialogglobals.h"
#include "dialogs/obhodsheet.h"
#include "model/catalogstore.h"
#include "model/element.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

namespace {

// Wires in input-map order: circuits of three phases, then ground wires.
std::unique_ptr<CElement> BypassElement(int kind, int selective, int circuits, int ground)
{
    auto e = std::make_unique<CElement>();
    e->SetType(kBypass);
    int j = 0;
    for (int k = 0; k < circuits; ++k)
        for (int p = 0; p < 3; ++p)
            e->inMap[j] = e->outMap[j] = 4 * k + p, ++j;
    for (int k = 0; k < ground; ++k)
        e->inMap[j] = e->outMap[j] = 4 * k + 3, ++j;
    e->wirePositions = std::uint8_t(j);
    e->circuits = std::uint8_t(circuits);
    e->groundWires = std::uint8_t(ground);
    auto b = std::make_unique<CEObhod>();
    b->kind = std::uint8_t(kind);
    b->selectionMode = std::uint8_t(selective);
    b->n = std::uint8_t(j);
    e->data = std::move(b);
    return e;
}

// The busbar page of a bypass element, shown.
void ShowBusbarPage(CObhMat& p, CElement& e)
{
    p.m_pElement = &e;
    p.m_pEObhod = e.Data<CEObhod>();
    p.OnInitPage();
    p.OnSetActive();
}

std::vector<std::string> Captions(const PropertySheetModel& sheet)
{
    std::vector<std::string> captions;
    for (int i = 0; i < sheet.PageCount(); ++i)
        captions.push_back(sheet.Page(i).Caption());
    return captions;
}

class BypassSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetModelGlobals();
        ResetDialogGlobals();
        g_CurBase.RemoveAll();
        g_TaskBase.RemoveAll();
        AddFilter(g_TaskBase, "ФП-1", 0);
        AddFilter(g_TaskBase, "ФП-1", 1);  // the same name, shown "тип 2": no polarity
        g_TaskBase.hfCables.push_back(std::make_unique<CProvod>());
        g_TaskBase.hfCables.back()->name = "РК-75";
        m_save = SetCatalogSaveHook([] { return true; });
    }
    void TearDown() override
    {
        SetCatalogSaveHook(std::move(m_save));
        g_CurBase.RemoveAll();
        g_TaskBase.RemoveAll();
        ResetDialogGlobals();
    }
    static void AddFilter(CBase& base, const char* name, int type)
    {
        auto f = std::make_unique<CFiltr>();
        f->name = name;
        f->type = std::uint8_t(type);
        base.filters[type].push_back(std::move(f));
    }
    // Composes a line in the page's controls.
    static void Compose(CObhObh& p, int before, int after, const char* filter, const char* length)
    {
        p.m_nWireBefore = before;
        p.m_nWireAfter = after;
        for (int s = 0; s < 2; ++s) {
            p.OnSelchangeFilter(s, p.filterCombo.Find(filter));
            p.OnSelchangeCable(s, p.cableCombo.Find("РК-75"));
            p.lengthText[s] = length;
        }
    }

    ScriptedMessages messages;
    ElementChain chain;

private:
    CatalogSaveHook m_save;
};

TEST_F(BypassSheetTest, AssemblyByKindAndSelectiveFlag)
{
    struct Case {
        int kind, selective;
        const char* caption;
        std::vector<std::string> pages;
    };
    const Case cases[] = {
        {0, 1, "Обход промежуточной подстанции", {"Выбор цепи", "Заградители", "Схемы обхода", "Емкости сборных шин"}},
        {0, 0, "Обход промежуточной подстанции", {"Заградители", "Схемы обхода", "Емкости сборных шин", "Выбор цепи"}},
        {1, 1, "Обход в поле", {"Заградители", "Схемы обхода"}},
        {2, 0, "Обход кабельной линии", {"Заградители", "Схемы обхода", "Кабельная линия", "Выбор цепи"}},
        {2, 1, "Обход кабельной линии", {"Выбор цепи", "Заградители", "Схемы обхода", "Кабельная линия"}},
    };
    for (const Case& c : cases) {
        auto e = BypassElement(c.kind, c.selective, 1, 0);
        g_nBypassPageToken = 7;
        CObhodSheet sheet(*e, 0, &chain, true);
        EXPECT_EQ(g_nBypassPageToken, 2);
        EXPECT_EQ(sheet.caption, c.caption);
        EXPECT_EQ(Captions(sheet), c.pages) << c.kind << c.selective;
    }
}

TEST_F(BypassSheetTest, OkChecksTheBypassOnceWhicheverPagesWereShown)
{
    auto e = BypassElement(0, 1, 1, 0);
    e->entered = 1;
    CObhodSheet sheet(*e, 0, &chain, true);
    sheet.Start();
    ASSERT_TRUE(sheet.OnOK());
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, kNoBypassLinesText);
    EXPECT_EQ(e->entered, 0);

    // Every page shown: still one message.
    messages.clear();
    for (int i = 0; i < sheet.PageCount(); ++i)
        sheet.SetActivePage(i);
    sheet.OnOK();
    EXPECT_EQ(messages.messages().size(), 1u);

    auto v = BypassElement(0, 1, 1, 0);
    CObhodSheet viewer(*v, 0, &chain, false);
    viewer.Start();
    messages.clear();
    viewer.OnOK();
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(v->entered, 0);
}

TEST_F(BypassSheetTest, InsertWithAPipeCoreOnTheWallNamesTheCable)
{
    auto e = BypassElement(2, 0, 1, 0);
    CEObhod& b = *e->Data<CEObhod>();
    b.lines.emplace_back();
    auto k = std::make_unique<CKLine>();
    k->pipe = 1;
    k->length = 1000;
    k->rho = 2e-7;
    k->pipeRadius = 0.1;
    k->pipeMu = 300;
    k->pipeCable.name = "ТМ";
    k->pipeCable.coreRadius = 0.02;
    const double angles[3] = {0, 120, 240};
    for (int i = 0; i < 3; ++i)
        k->x[i] = 0.045, k->y[i] = angles[i];
    k->x[2] = 0.08;  // 80 mm plus a core of 20 mm: on the wall of 100 mm
    b.cableInsert = std::move(k);
    ValidateBypassSheet(*e, true);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text,
              "Некорректные или неполные данные\nдля высоковольной кабельной линии!\nЖила кабеля 3 касается стенки трубы");
    EXPECT_EQ(e->entered, 0);
}

TEST_F(BypassSheetTest, CircuitChoiceMovesTicksWithinTheirClass)
{
    auto e = BypassElement(0, 1, 2, 2);  // wires A B C A B C T T2
    CEObhod& b = *e->Data<CEObhod>();
    std::fill(std::begin(b.flags), std::end(b.flags), std::uint8_t(0));
    b.flags[0] = b.flags[1] = b.flags[2] = b.flags[6] = 1;  // circuit 1 and ground wire 1
    b.n = 4;
    CObhVib page;
    EXPECT_EQ(g_nBypassPageToken, 1);
    page.m_pElement = e.get();
    page.m_pEObhod = &b;
    page.OnInitPage();
    std::vector<std::string> labels;
    for (const CircuitButton& box : page.buttons.buttons)
        labels.push_back(box.label + (box.checked ? "+" : "-"));
    EXPECT_EQ(labels, (std::vector<std::string>{"Цепь 1+", "Цепь 2-", "Трос 1+", "Трос 2-"}));
    page.buttons.buttons[1].checked = true;
    page.OnClick(1);
    EXPECT_FALSE(page.buttons.buttons[0].checked);
    EXPECT_TRUE(page.buttons.buttons[2].checked);  // the ground wires keep theirs
    ASSERT_TRUE(page.OnKillActive());
    const std::uint8_t expected[8] = {0, 0, 0, 1, 1, 1, 1, 0};
    EXPECT_TRUE(std::equal(expected, expected + 8, b.flags));
}

TEST_F(BypassSheetTest, SchemesPageRules)
{
    auto e = BypassElement(0, 0, 1, 0);
    CEObhod& b = *e->Data<CEObhod>();
    CObhObh p;
    p.m_pElement = e.get();
    p.m_pEObhod = &b;
    p.chain = &chain;
    p.OnInitPage();
    p.OnSetActive();
    ASSERT_EQ(p.m_nWires, 3);

    // Exact selection: "ФП-1 тип 2" is the type-1 filter, and it has no polarity.
    Compose(p, 1, 1, "ФП-1 тип 2", "100");
    EXPECT_EQ(p.m_Current.filters[0].type, 1);
    EXPECT_FALSE(p.polarityShown[0]);
    p.m_bPolarity[0] = 1;
    ASSERT_TRUE(p.OnEnter());
    EXPECT_EQ(b.lines[0].polarity1, 0);

    Compose(p, 1, 2, "ФП-1 тип 1", "100");
    EXPECT_TRUE(p.polarityShown[0]);
    EXPECT_FALSE(p.OnEnter());
    EXPECT_EQ(messages.messages().back().text, "Провод № 2 (B) до подстанции\nуже используется для обхода!");
    p.m_nWireAfter = 1;
    ASSERT_TRUE(p.OnEnter());  // 2 -> 2 again overwrites
    ASSERT_EQ(b.lines.size(), 1u);
    EXPECT_EQ(b.lines[0].filters[0].type, 0);
    Compose(p, 0, 0, "ФП-1 тип 1", "50");
    ASSERT_TRUE(p.OnEnter());
    EXPECT_EQ(b.lines[0].wireBefore, 0);  // ascending
    EXPECT_EQ(p.Rows().size(), 6u);
    EXPECT_EQ(p.Rows()[0][2], "ФП-1, тип 1");
    EXPECT_EQ(p.Rows()[2][3], "Нет");

    // The carrier equipment: all 0 or any negative refused, R alone taken, unticked stores 0.
    struct Eq {
        int on;
        const char *r, *l, *c;
        bool accepted;
        double storedR;
    };
    const Eq eqs[] = {{1, "0", "0", "0", false, 0},
                      {1, "100", "-5", "0", false, 0},
                      {1, "100", "0", "0", true, 100},
                      {0, "100", "5", "5", true, 0}};
    for (const Eq& q : eqs) {
        Compose(p, 2, 2, "ФП-1 тип 1", "10");
        p.m_bEquipment = q.on;
        p.rText = q.r;
        p.lText = q.l;
        p.cText = q.c;
        messages.clear();
        EXPECT_EQ(p.OnEnter(), q.accepted) << q.r << q.l;
        if (!q.accepted) {
            EXPECT_EQ(messages.messages().at(0).text, kNoEquipmentText);
        } else {
            EXPECT_DOUBLE_EQ(b.lines.back().r, q.storedR);
            EXPECT_DOUBLE_EQ(b.lines.back().l, 0.0);
        }
    }
    // The bypass so entered calculates.
    EXPECT_EQ(CheckBypassElement(*e, 1), "");
}

TEST_F(BypassSheetTest, FieldBypassHasOneCable)
{
    auto e = BypassElement(1, 0, 1, 0);
    CObhObh p;
    p.m_pElement = e.get();
    p.m_pEObhod = e->Data<CEObhod>();
    p.OnInitPage();
    p.OnSetActive();
    Compose(p, 1, 1, "ФП-1 тип 1", "30");
    p.lengthText[1] = "0";
    EXPECT_FALSE(p.OnEnter());
    EXPECT_EQ(messages.messages().back().text, kFieldSameWireText);
    EXPECT_EQ(messages.messages().back().caption, kInputErrorCaption);
    p.m_nWireAfter = 2;
    ASSERT_TRUE(p.OnEnter());
    const CObhod& line = e->Data<CEObhod>()->lines.at(0);
    EXPECT_EQ(line.lengthAfter, 30.0);
    EXPECT_EQ(line.cables[1].name, "РК-75");
    EXPECT_EQ(p.Columns(300).size(), 5u);
    EXPECT_EQ(p.GroupCaption(1), "В конце");
}

TEST_F(BypassSheetTest, FilterEditedThroughParamsReachesTheTask)
{
    auto other = BypassElement(0, 0, 1, 0);
    CObhod stored;
    stored.filters[1].name = "ФП-1";
    other->Data<CEObhod>()->lines.push_back(stored);
    chain.push_back(std::move(other));
    auto e = BypassElement(0, 0, 1, 0);
    CObhObh p;
    p.m_pElement = e.get();
    p.m_pEObhod = e->Data<CEObhod>();
    p.chain = &chain;
    p.m_nElementIndex = 5;
    p.OnInitPage();
    p.OnSetActive();
    Compose(p, 0, 0, "ФП-1 тип 1", "10");
    ASSERT_TRUE(p.OnEnter());
    int mode = -1;
    ItemEditorFn previous = SetItemEditor(kCatFilters, [&mode](CItemEditRequest& r) {
        mode = r.mode;
        std::get<CFiltr*>(r.item)->R = 75;
        return IDOK;
    });
    p.OnFilterParams(0);
    SetItemEditor(kCatFilters, std::move(previous));
    EXPECT_EQ(mode, 3);  // the filter editor with type and name free
    EXPECT_EQ(chain[0]->Data<CEObhod>()->lines[0].filters[1].R, 75);
    EXPECT_EQ(e->Data<CEObhod>()->lines[0].filters[1].R, 75);
    EXPECT_EQ(g_TaskBase.filters[0][0]->R, 75);
    EXPECT_EQ(g_TaskBase.filters[1][0]->R, 0);  // the same name of another type is another filter
}

TEST_F(BypassSheetTest, BusbarMatrixRoundTripWithGroundWires)
{
    auto e = BypassElement(0, 0, 1, 1);  // A B C T
    CEObhod& b = *e->Data<CEObhod>();
    e->inMap[1] = 3;  // the ground wire second: positions A T B C
    e->inMap[3] = 1;
    CObhMat p;
    ShowBusbarPage(p, *e);
    ASSERT_EQ(p.m_nPhaseWires, 3);
    EXPECT_EQ(p.m_bMutual, 0);
    p.m_bMutual = 1;
    p.m_strC = "10";
    ASSERT_TRUE(p.OnEnterC());  // (0,1), then (0,2)
    p.m_strC = "20";
    ASSERT_TRUE(p.OnEnterC());  // then (1,2)
    p.OnChangeC("30");
    ASSERT_TRUE(p.OnEnterC());  // the last pair stays
    EXPECT_EQ(p.m_nRowI, 1);
    EXPECT_EQ(p.m_nColJ, 2);
    p.m_strC = "-1";
    EXPECT_FALSE(p.OnEnterC());
    EXPECT_EQ(messages.messages().back().text, kBadCapacitanceText);
    p.cequivText = "500";
    ASSERT_TRUE(p.OnKillActive());
    ASSERT_TRUE(b.triangle);
    // Pairs (0,1) (0,2) (0,3) (1,2) (1,3) (2,3) over A T B C.
    const std::vector<double> expected = {0, 10e-12, 20e-12, 0, 0, 30e-12};
    ASSERT_EQ(b.triangle->size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR((*b.triangle)[i], expected[i], 1e-18) << i;
    EXPECT_DOUBLE_EQ(b.equivalentCapacitance, 5e-10);

    // Cleared: no triangle; ticked again: the values come back.
    p.OnSetActive();
    EXPECT_EQ(p.m_bMutual, 1);
    EXPECT_EQ(p.Cell(1, 3), "30");
    p.m_bMutual = 0;
    p.OnKillActive();
    EXPECT_FALSE(b.triangle);
    p.OnSetActive();
    p.m_bMutual = 1;
    p.OnKillActive();
    ASSERT_TRUE(b.triangle);
    EXPECT_NEAR((*b.triangle)[5], 30e-12, 1e-18);

    // The same wire in both lists moves the other.
    p.OnSelchangeRowI(2);
    p.OnSelchangeColJ(2);
    EXPECT_EQ(p.m_nRowI, 1);
}

TEST_F(BypassSheetTest, BusbarCapacitanceAsTypedIsReadAloneUnderADecimalCommaLocale)
{
    // Typed without "Ввести", the value is taken when another pair is chosen:
    // read the same under every locale, and 0 (not entered) for what no
    // float holds.
    const DecimalCommaLocale locale;
    ASSERT_TRUE(locale.Active());
    auto e = BypassElement(0, 0, 1, 0);
    CObhMat p;
    ShowBusbarPage(p, *e);
    const struct {
        const char* text;
        float stored;
    } rows[] = {{"12.5", 12.5f}, {"12,5", 12.5f}, {" 7 пФ", 7.0f}, {"inf", 0.0f}, {"1e39", 0.0f}, {"-3", 0.0f}};
    for (const auto& row : rows) {
        p.OnSelchangeColJ(1);
        p.OnChangeC(row.text);
        p.OnSelchangeColJ(2);
        EXPECT_EQ(p.Entry(0, 1), row.stored) << row.text;
    }
    EXPECT_TRUE(messages.messages().empty());
}

// A stored capacitance no float holds in pF (a file of another program can
// bring one) is shown as it is and stays as stored when the page is left
// without a new value; a value typed for it is taken.
TEST_F(BypassSheetTest, BusbarCapacitancesNoFloatHoldsStayAsStoredUnlessRetyped)
{
    auto e = BypassElement(0, 0, 1, 0);
    CEObhod& b = *e->Data<CEObhod>();
    b.equivalentCapacitance = 1e27;
    b.triangle = std::vector<double>{1e27, 2e-12, 3e-12};
    CObhMat p;
    ShowBusbarPage(p, *e);
    EXPECT_EQ(p.cequivText, "1e+39");
    EXPECT_EQ(p.Cell(0, 2), "1e+39");
    EXPECT_EQ(p.m_strC, "1e+39");
    ASSERT_TRUE(p.OnKillActive());
    EXPECT_EQ(b.equivalentCapacitance, 1e27);
    EXPECT_EQ(*b.triangle, (std::vector<double>{1e27, 2e-12, 3e-12}));

    p.OnSetActive();
    p.cequivText = "500";
    p.OnChangeC("7");
    p.OnSelchangeColJ(2);
    ASSERT_TRUE(p.OnKillActive());
    EXPECT_DOUBLE_EQ(b.equivalentCapacitance, 5e-10);
    EXPECT_NEAR((*b.triangle)[0], 7e-12, 1e-18);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(BypassSheetTest, BusbarPageReadsNothingPastItsArrays)
{
    // One phase wire: no matrix.
    auto one = BypassElement(0, 1, 1, 1);
    CEObhod& b1 = *one->Data<CEObhod>();
    std::fill(std::begin(b1.flags), std::end(b1.flags), std::uint8_t(0));
    b1.flags[0] = b1.flags[3] = 1;
    b1.n = 2;
    b1.triangle = std::vector<double>{1e-12};
    CObhMat p1;
    ShowBusbarPage(p1, *one);
    EXPECT_FALSE(p1.MatrixPossible());
    EXPECT_EQ(p1.m_bMutual, 0);
    p1.OnKillActive();
    EXPECT_FALSE(b1.triangle);

    // Flags numbering n - 1 and n + 1 of a damaged file; a triangle shorter than n needs.
    for (int extra : {-1, 1}) {
        auto e = BypassElement(0, 1, 2, 0);
        CEObhod& b = *e->Data<CEObhod>();
        b.n = std::uint8_t(6 + extra);
        b.triangle = std::vector<double>(3, 1e-12);
        CObhMat p;
        ShowBusbarPage(p, *e);
        p.m_bMutual = 1;
        EXPECT_TRUE(p.OnKillActive());
        EXPECT_EQ(b.triangle->size(), CEObhod::TriangleSize(b.n));
        CObhZag z;
        z.m_pElement = e.get();
        z.m_pEObhod = &b;
        z.OnInitPage();
        z.OnSetActive();
        CObhObh o;
        o.m_pElement = e.get();
        o.m_pEObhod = &b;
        CObhod far;
        far.wireBefore = 39;
        far.wireAfter = 39;
        b.lines.push_back(far);
        o.OnInitPage();
        o.OnSetActive();
        EXPECT_EQ(o.Rows()[0][1], "");
        EXPECT_EQ(o.m_nWires, std::min(int(b.n), 6));  // no wire offered past n
    }
}

} // namespace

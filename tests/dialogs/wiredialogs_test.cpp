// The wire count, phasing, transposition, tap and branching dialogs.
#include "dialogs/fazirdlg.h"
#include "dialogs/izmprovdlg.h"
#include "dialogs/otvetdlg.h"
#include "dialogs/razvetvdlg.h"
#include "dialogs/transpdlg.h"
#include "model/branches.h"
#include "model/coupling.h"
#include "model/element.h"
#include "model/shunts.h"
#include "platform/messages.h"
#include "wiredelement.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

class WireDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ResetModelGlobals(); }
    void TearDown() override { ResetModelGlobals(); }
    ScriptedMessages messages;

    std::string LastText() const { return messages.messages().empty() ? "" : messages.messages().back().text; }
};

// --- change of the number of wires -------------------------------------

CIzmProvDlg WireCount(int circuits, int ground, CVarMod& change)
{
    CIzmProvDlg d;
    d.currentCircuits = d.newCircuits = std::uint8_t(circuits);
    d.currentGround = d.newGround = std::uint8_t(ground);
    d.varMod = &change;
    d.chainCircuits = std::uint8_t(circuits);
    d.chainGround = std::uint8_t(ground);
    d.entryPositions = std::uint8_t(3 * circuits + ground);
    return d;
}

TEST_F(WireDialogTest, WireCountUnchangedIsRefusedAndAddedCircuitGetsItsThreePhases)
{
    CVarMod change;
    CIzmProvDlg d = WireCount(1, 1, change);
    d.OnInitDialog();
    EXPECT_EQ(d.currentLabel, "Текущее число цепей");
    EXPECT_EQ(d.okText, "Сохранить");
    EXPECT_FALSE(d.OnOK());
    EXPECT_EQ(LastText(), "Число проводов не изменено!");
    EXPECT_EQ(messages.messages().back().icon, MsgIcon::Stop);
    EXPECT_FALSE(d.phasingEnabled);
    d.shownNewCircuits = 2;
    d.OnCountChanged();
    EXPECT_TRUE(d.phasingEnabled);
    EXPECT_EQ(std::vector<int>(change.map, change.map + 4), (std::vector<int>{4, 5, 6, -1}));
    ASSERT_TRUE(d.OnOK());
    EXPECT_EQ(d.newCircuits, 2);
    EXPECT_EQ(d.newGround, 1);
}

TEST_F(WireDialogTest, CompletionProposesFromTheAddedWiresAndTradesCircuitsForGroundWires)
{
    CVarMod change;
    CIzmProvDlg d = WireCount(2, 0, change);
    d.completion = true;
    d.elementIndex = 4;
    d.newCircuits = 3;  // 4 added wires: 1 circuit and 1 ground wire
    d.newGround = 1;
    d.OnInitDialog();
    EXPECT_EQ(d.okText, "Дальше>>");
    EXPECT_EQ(d.elementText, "(Элемент № 5)");
    EXPECT_FALSE(d.groundSpinShown);
    EXPECT_EQ(d.addedWires, 4);
    EXPECT_EQ(d.circuitMax, 3);
    d.shownNewCircuits = 2;
    d.OnCountChanged();
    EXPECT_EQ(d.shownNewGround, 4);
    d.shownNewCircuits = 3;
    d.OnCountChanged();
    EXPECT_EQ(d.shownNewGround, 1);
    EXPECT_TRUE(d.OnOK());  // completion takes the counts as they are
}

TEST_F(WireDialogTest, WireCountSpinsNeverOfferMoreThanFortyPositions)
{
    CVarMod change;
    // 6 circuits and 3 ground wires with a split conductor: 22 positions, 18 free.
    CIzmProvDlg d = WireCount(6, 3, change);
    d.entryPositions = 22;
    d.OnInitDialog();
    EXPECT_EQ(d.circuitMax, 8);
    EXPECT_EQ(d.groundMax, 16);
    d.shownNewCircuits = 8;
    d.OnCountChanged();
    EXPECT_EQ(d.groundMax, 15);  // 22 + 6 + 12 = 40
    d.entryPositions = 39;
    d.shownNewCircuits = 6;
    d.OnCountChanged();
    EXPECT_EQ(d.circuitMax, 6);
    EXPECT_EQ(d.groundMax, 4);

    struct Case {
        int circuits, ground, positions;
        bool dc, grows;
    };
    const Case cases[] = {
        {8, 16, 40, false, false}, {8, 15, 40, false, false}, {8, 15, 39, false, true}, {3, 16, 37, false, true},
        {3, 16, 38, false, false}, {2, 2, 4, true, false},    {2, 1, 3, true, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CIzmProvDlg::AnyCountCanGrow(c.circuits, c.ground, c.positions, c.dc), c.grows)
            << c.circuits << " " << c.ground << " " << c.positions;
}

TEST_F(WireDialogTest, DcLineCountsPolesWithTheCircuitSpinDisabled)
{
    CVarMod change;
    CIzmProvDlg d = WireCount(2, 0, change);
    d.dc = true;
    d.OnInitDialog();
    EXPECT_EQ(d.currentLabel, "Текушее число полюсов");
    EXPECT_EQ(d.newLabel, "Новое число полюсов");
    EXPECT_FALSE(d.circuitSpinEnabled);
    EXPECT_TRUE(d.groundSpinEnabled);
    EXPECT_EQ(d.groundMax, 2);
}

// --- phasing -----------------------------------------------------------------

TEST_F(WireDialogTest, PhasingSwapsCodesAndListsThemPhaseWiresFirst)
{
    int map[] = {3, 5, 0, 4, 1};  // T1, 2B, 1A, 2A, 1B
    CFazirDlg d;
    d.wireCount = 5;
    d.map = map;
    d.phasingPlace = 2;
    d.OnInitDialog();
    EXPECT_EQ(std::vector<int>(d.sortedCodes, d.sortedCodes + 5), (std::vector<int>{0, 1, 4, 5, 3}));
    EXPECT_EQ(d.placeText, "В присоединенной цепи");
    EXPECT_EQ(d.phaseChoice, 4);  // the first wire holds T1
    // The third wire (1A) takes 1B: the fifth wire, which held 1B, gets 1A.
    d.OnWireChosen(2);
    d.OnPhaseChosen(1);
    EXPECT_EQ(std::vector<int>(d.workMap, d.workMap + 5), (std::vector<int>{3, 5, 1, 4, 0}));
    EXPECT_EQ(map[2], 0);  // nothing written before OK
    d.OnOK();
    EXPECT_EQ(map[2], 1);
    EXPECT_EQ(map[4], 0);
    CFazirDlg pole;
    int poles[] = {0, 1};
    pole.wireCount = 2;
    pole.map = poles;
    pole.dc = true;
    pole.OnInitDialog();
    EXPECT_EQ(pole.phaseHeader, "Полюс");
}

// --- transposition ------------------------------------------------------------

TEST_F(WireDialogTest, TranspositionSwapsPositionsAndRefusesAStoredOrderThatIsNoPermutation)
{
    CElement e = WiredElement(kTransposition, 2, 0);
    CTransp* t = e.Data<CTransp>();
    CTranspDlg d;
    d.element = &e;
    d.transp = t;
    d.OnInitDialog();
    EXPECT_EQ(d.order, (std::vector<std::uint8_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(d.RowWire(0), "1 (A)");
    d.OnWireChosen(0);
    d.OnPositionChosen(2);
    EXPECT_EQ(d.RowPosition(0), "3");
    EXPECT_EQ(d.RowPosition(2), "1");
    ASSERT_EQ(d.OnOK(), IDOK);
    EXPECT_EQ(*t->permutation, (std::vector<std::uint8_t>{2, 1, 0, 3, 4, 5}));
    EXPECT_EQ(e.entered, 1);
    ApplyTransposition(e);
    EXPECT_EQ(e.outMap[0], 2);  // C now at the first position
    EXPECT_EQ(e.outMap[2], 0);

    const std::vector<std::vector<std::uint8_t>> damaged = {{1, 0}, {0, 0, 1, 2, 3, 4}, {0, 1, 2, 3, 4, 9}};
    for (const auto& stored : damaged) {
        t->permutation = stored;
        CTranspDlg again;
        again.element = &e;
        again.transp = t;
        again.OnInitDialog();
        EXPECT_EQ(again.order, (std::vector<std::uint8_t>{0, 1, 2, 3, 4, 5}));
    }
    // Outside editing mode OK changes nothing.
    CTranspDlg view;
    view.element = &e;
    view.transp = t;
    view.editing = false;
    view.OnInitDialog();
    view.name = "Другое";
    EXPECT_EQ(view.OnOK(), IDCANCEL);
    EXPECT_NE(e.name, "Другое");
}

// --- tap, doubling, bypass ---------------------------------------------------------

COtvetDlg Otvet(CElement& e, int endsDoubling = 0)
{
    COtvetDlg d;
    d.m_pElement = &e;
    d.m_bEndsDoubling = endsDoubling;
    d.OnInitDialog();
    return d;
}

void Choose(COtvetDlg& d, std::initializer_list<int> boxes)
{
    d.OnSelectedCircuits();
    for (CircuitButton& b : d.m_buttons.buttons)
        b.checked = false;
    for (int k : boxes)
        d.m_buttons.buttons[std::size_t(k)].checked = true;
}

TEST_F(WireDialogTest, TapChoiceHiddenOnOneCircuitOrDcAndTakesEveryWire)
{
    for (bool dc : {false, true}) {
        CElement e = WiredElement(kTap, dc ? 2 : 1, 1);
        COtvetDlg d;
        d.m_pElement = &e;
        d.dc = dc;
        d.OnInitDialog();
        EXPECT_FALSE(d.choiceShown);
        EXPECT_EQ(d.caption, "Ответвление");
        ASSERT_TRUE(d.OnOK());
        EXPECT_EQ(e.Data<COtvet>()->count, e.wirePositions);
        EXPECT_EQ(e.circuitsPart, e.circuits);
    }
}

TEST_F(WireDialogTest, DoublingOfMoreThanTwentyWiresIsRefusedWithTheDoubledCount)
{
    CElement e = WiredElement(kDoubling, 8, 2);
    COtvetDlg d = Otvet(e);
    EXPECT_EQ(d.caption, "Удвоение числа проводов");
    Choose(d, {0, 1, 2, 3, 4, 5, 6});  // 21 wires
    EXPECT_FALSE(d.OnOK());
    EXPECT_EQ(LastText(), "Число проводов после удвоения\nсоставит 42.\nДопустимо - до 40.\n"
                          "Здесь возможно удвоение только на части линии\n");
    EXPECT_EQ(messages.messages().back().caption, "Предельные параметры");
    Choose(d, {0, 1, 2, 3, 4, 5, 8, 9});  // 18 + 2 ground wires
    ASSERT_TRUE(d.OnOK());
    EXPECT_EQ(e.Data<COtvet>()->count, 20);
    EXPECT_EQ(e.circuitsPart, 6);
    EXPECT_EQ(e.groundWiresPart, 2);
    EXPECT_EQ(e.Data<COtvet>()->selectionMode, 1);
}

TEST_F(WireDialogTest, TapRefusalsAndAChoiceOfEverythingStoredAsAllCircuits)
{
    CElement e = WiredElement(kTap, 2, 1);
    COtvetDlg d = Otvet(e);
    ASSERT_EQ(d.m_buttons.buttons.size(), 3u);
    Choose(d, {2});  // the ground wire alone
    EXPECT_FALSE(d.OnOK());
    EXPECT_EQ(LastText(), "Должна быть выбрана хотя бы одна цепь!");
    EXPECT_EQ(messages.messages().back().caption, "Выбор");
    Choose(d, {0, 1, 2});
    ASSERT_TRUE(d.OnOK());
    EXPECT_EQ(e.Data<COtvet>()->selectionMode, 0);
    EXPECT_EQ(e.Data<COtvet>()->count, 7);
    EXPECT_EQ(std::vector<int>(e.outMap, e.outMap + 7), std::vector<int>(e.inMap, e.inMap + 7));

    // A correction keeps the counts: one circuit taken, the boxes move it.
    e.circuitsPart = 1;
    e.groundWiresPart = 0;
    e.Data<COtvet>()->selectionMode = 1;
    std::fill(std::begin(e.Data<COtvet>()->flags), std::end(e.Data<COtvet>()->flags), std::uint8_t(0));
    e.Data<COtvet>()->flags[0] = e.Data<COtvet>()->flags[1] = e.Data<COtvet>()->flags[2] = 1;
    COtvetDlg fix;
    fix.m_pElement = &e;
    fix.m_bKeepCounts = 1;
    fix.OnInitDialog();
    EXPECT_FALSE(fix.allEnabled);
    EXPECT_TRUE(fix.m_buttons.buttons[0].enabled);
    EXPECT_FALSE(fix.m_buttons.buttons[2].enabled);  // no ground wire taken: its box stays
    fix.m_buttons.buttons[1].checked = true;
    fix.ToggleLine(1);
    EXPECT_FALSE(fix.m_buttons.buttons[0].checked);
    ASSERT_TRUE(fix.OnOK());
    EXPECT_EQ(e.Data<COtvet>()->flags[0], 0);
    EXPECT_EQ(e.Data<COtvet>()->flags[3], 1);
    fix.m_buttons.buttons[0].checked = true;  // a count changed by hand
    EXPECT_FALSE(fix.OnOK());
    EXPECT_EQ(LastText(), "При корректировке элемента не должно меняться\nчисло цепей и число тросов!");
}

TEST_F(WireDialogTest, BypassClosingADoublingChecksTheOrderOfItsWires)
{
    // Doubling of circuit 1 on a two-circuit line: the doubled line carries 1A 1B 1C then the new 3A 3B 3C.
    ElementChain chain;
    chain.push_back(std::make_unique<CElement>(WiredElement(kCouplingDevice, 2, 0)));
    chain.push_back(std::make_unique<CElement>(WiredElement(kDoubling, 2, 0)));
    CElement bypass = WiredElement(kBypass, 2, 0);
    const int doubled[] = {0, 1, 2, 8, 9, 10};
    std::copy(doubled, doubled + 6, bypass.inMap);
    COtvetDlg d;
    d.m_pElement = &bypass;
    d.m_bEndsDoubling = 1;
    d.m_pChain = &chain;
    d.OnInitDialog();
    EXPECT_EQ(d.m_bOrderError, 0);
    EXPECT_EQ(d.m_nSelective, 0);
    EXPECT_FALSE(d.selectedEnabled);
    ASSERT_TRUE(d.OnOK());
    EXPECT_EQ(bypass.Data<CEObhod>()->n, 3);  // half the wires

    // The return line first: kind 0 falls back to "in the field", and asking for it again is refused.
    const int reversed[] = {8, 9, 10, 0, 1, 2};
    std::copy(reversed, reversed + 6, bypass.inMap);
    bypass.Data<CEObhod>()->kind = 0;
    COtvetDlg wrong;
    wrong.m_pElement = &bypass;
    wrong.m_bEndsDoubling = 1;
    wrong.m_pChain = &chain;
    wrong.OnInitDialog();
    EXPECT_EQ(wrong.m_bOrderError, 1);
    EXPECT_EQ(wrong.m_nBypassKind, 1);
    wrong.m_nBypassKind = 0;
    wrong.OnKindSubstation();
    EXPECT_EQ(messages.messages().back().caption, "Нарушение структуры тракта!");
    EXPECT_EQ(wrong.m_nBypassKind, 1);

    // No doubling before the bypass: nothing to check against.
    ElementChain plain;
    plain.push_back(std::make_unique<CElement>(WiredElement(kCouplingDevice, 2, 0)));
    COtvetDlg none;
    none.m_pElement = &bypass;
    none.m_bEndsDoubling = 1;
    none.m_pChain = &plain;
    bypass.Data<CEObhod>()->kind = 0;
    none.OnInitDialog();
    EXPECT_EQ(none.m_bOrderError, 0);
}

TEST_F(WireDialogTest, BypassOfGroundWiresOnlyEndsWithOk)
{
    CElement e = WiredElement(kBypass, 0, 2);
    COtvetDlg d = Otvet(e);
    EXPECT_EQ(d.caption, "Обход");
    EXPECT_FALSE(d.fieldEnabled);
    EXPECT_TRUE(d.OnOK());
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_EQ(e.Data<CEObhod>()->n, 2);
}

TEST_F(WireDialogTest, OutsideEditingModeTheTapDialogWritesNothing)
{
    CElement e = WiredElement(kTap, 2, 0);
    e.name = "Отв";
    COtvetDlg d;
    d.m_pElement = &e;
    d.editing = false;
    d.OnInitDialog();
    EXPECT_FALSE(d.m_buttons.buttons[0].enabled);
    d.m_strName = "Другое";
    EXPECT_TRUE(d.OnOK());
    EXPECT_EQ(e.name, "Отв");
    EXPECT_EQ(e.circuitsPart, 0);
}

// --- branching -----------------------------------------------------------------------

TEST_F(WireDialogTest, BranchingKeepsACircuitInEachBranchAndSplitsTheMap)
{
    CElement e = WiredElement(kBranchingStart, 3, 1);
    CRazvetvDlg d;
    d.m_pElement = &e;
    d.OnInitDialog();
    ASSERT_EQ(d.m_buttons.buttons.size(), 4u);
    EXPECT_TRUE(d.m_buttons.buttons[3].checked);
    EXPECT_FALSE(d.m_buttons.buttons[2].checked);  // the last circuit stays in the second branch
    // Unchecking circuit 1 leaves circuit 2; unchecking that one checks the next circuit instead.
    d.m_buttons.buttons[0].checked = false;
    d.ToggleLine(0);
    d.m_buttons.buttons[1].checked = false;
    d.ToggleLine(1);
    EXPECT_TRUE(d.m_buttons.buttons[2].checked);
    EXPECT_EQ(d.m_buttons.CheckedCount(false), 1);
    d.m_buttons.buttons[3].checked = false;  // ground wires are free
    d.ToggleLine(3);
    EXPECT_EQ(d.m_buttons.CheckedCount(true), 0);
    ASSERT_TRUE(d.OnOK());
    EXPECT_EQ(e.circuitsAfter, 1);
    EXPECT_EQ(e.groundWiresAfter, 0);
    EXPECT_EQ(e.circuitsPart, 2);
    EXPECT_EQ(e.groundWiresPart, 1);
    EXPECT_EQ(std::vector<int>(e.outMap, e.outMap + 3), (std::vector<int>{8, 9, 10}));
    EXPECT_EQ(std::vector<int>(e.Data<COtvet>()->map, e.Data<COtvet>()->map + 7),
              (std::vector<int>{0, 1, 2, 4, 5, 6, 3}));
    EXPECT_EQ(e.Data<COtvet>()->count, 7);

    // A correction changes only flags and name; a count change is refused.
    const std::vector<int> outBefore(e.outMap, e.outMap + kMaxWires);
    CRazvetvDlg fix;
    fix.m_pElement = &e;
    fix.m_bKeepCounts = 1;
    fix.OnInitDialog();
    fix.m_buttons.buttons[0].checked = true;
    fix.ToggleLine(0);
    fix.m_strName = "Р1";
    ASSERT_TRUE(fix.OnOK());
    EXPECT_EQ(e.Data<COtvet>()->flags[0], 1);
    EXPECT_EQ(e.Data<COtvet>()->flags[6], 0);
    EXPECT_EQ(std::vector<int>(e.outMap, e.outMap + kMaxWires), outBefore);
    EXPECT_EQ(e.name, "Р1");
    fix.m_buttons.buttons[2].checked = true;
    EXPECT_FALSE(fix.OnOK());
    EXPECT_EQ(LastText(), "При корректировке элемента не должно меняться\n"
                          "число отходящих в первую ветвь цепей и тросов!");
    for (CircuitButton& b : fix.m_buttons.buttons)
        b.checked = !b.IsGround();
    fix.m_bKeepCounts = 0;
    EXPECT_FALSE(fix.OnOK());
    EXPECT_EQ(LastText(), "В каждой из ветвей\nдолжна быть хотя бы одна цепь!");
}

} // namespace

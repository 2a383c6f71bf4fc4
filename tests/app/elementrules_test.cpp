#include "app/commandids.h"
#include "model/lines.h"
#include "structurefixture.h"

namespace {

using Types = std::vector<int>;

TEST(ElementRules, EmptyTaskOffersOnlyCouplingDeviceAndEndLoad)
{
    ChainEditor t(2, 1);
    EXPECT_EQ(t.EnabledTypes(), (Types{kCouplingDevice, kEndLoad}));
    // Without the view's placing by the mouse the first element still goes in at once.
    ElementRuleContext c = t.Rules();
    c.mousePlacement = false;
    c.wireDialogs = false;
    EXPECT_TRUE(ElementCommandState(cmd::ID_ELEM_COUPLING, c).enabled);
    EXPECT_TRUE(ElementCommandState(cmd::ID_ELEM_END_LOAD, c).enabled);
    // Outside editing, moving elements or with a range selected nothing is offered.
    c.editing = false;
    EXPECT_FALSE(ElementCommandState(cmd::ID_ELEM_END_LOAD, c).enabled);
    c = t.Rules();
    c.moving = true;
    EXPECT_FALSE(ElementCommandState(cmd::ID_ELEM_END_LOAD, c).enabled);
    c = t.Rules();
    c.rangeSelected = true;
    EXPECT_FALSE(ElementCommandState(cmd::ID_ELEM_END_LOAD, c).enabled);
    // A task without conductors takes neither.
    ChainEditor none(0, 0);
    EXPECT_TRUE(none.EnabledTypes().empty());
}

TEST(ElementRules, ChainBegunByAnEndLoadIsClosedOnlyByAnEndLoad)
{
    ChainEditor t(1, 0);
    t.PlaceAll({kEndLoad});
    EXPECT_FALSE(t.Enabled(kEndLoad));  // not before a line section
    t.PlaceAll({kOverheadLine});
    EXPECT_TRUE(t.Enabled(kEndLoad));
    EXPECT_TRUE(t.Enabled(kCouplingDevice));
    t.PlaceAll({kCouplingDevice});
    EXPECT_EQ(t.st.endState, kChainOpen);  // a coupling device does not close it
    t.PlaceAll({kEndLoad});
    EXPECT_EQ(t.st.endState, kChainClosedByLoad);
    EXPECT_TRUE(t.EnabledTypes().empty());
    EXPECT_EQ(t.lastPlaced.prompt, "Описание структуры тракта завершено");
    EXPECT_EQ(t.lastPlaced.icon, MsgIcon::Exclamation);
}

TEST(ElementRules, ChainBegunByACouplingDeviceIsClosedByOneOnTheMainLine)
{
    ChainEditor t(1, 0);
    t.PlaceAll({kCouplingDevice, kCouplingDevice});
    EXPECT_EQ(t.st.endState, kChainOpen);  // no line yet
    EXPECT_FALSE(t.Enabled(kEndLoad));
    t.PlaceAll({kOverheadLine, kTap, kOverheadLine, kCouplingDevice});
    EXPECT_EQ(t.st.endState, kChainOpen);  // inside the tap
    EXPECT_TRUE(t.Enabled(kTapLoad));
    t.PlaceAll({kTapLoad, kCouplingDevice});
    EXPECT_EQ(t.st.endState, kChainClosedByCoupling);
    EXPECT_EQ(t.lastPlaced.prompt, "Формирование структуры тракта\nможет быть завершено.");
    // Closed but not ended: the line may still be continued.
    EXPECT_TRUE(t.Enabled(kOverheadLine));
    EXPECT_FALSE(t.Enabled(kEndLoad));
}

TEST(ElementRules, SecondChangeOfWiresNeedsTheEndedCircuitAndALineOnTheMainLine)
{
    ChainEditor t(1, 0);
    t.dialogs.newCircuits = 2;
    t.dialogs.newGround = 0;
    t.PlaceAll({kCouplingDevice, kOverheadLine});
    EXPECT_TRUE(t.Enabled(kWireCountChange));
    t.PlaceAll({kWireCountChange});
    EXPECT_FALSE(t.Enabled(kWireCountChange));
    EXPECT_TRUE(t.Enabled(kAttachedEnd));  // an attached circuit may end at once
    t.PlaceAll({kOverheadLine});
    EXPECT_FALSE(t.Enabled(kWireCountChange));
    t.PlaceAll({kAttachedEnd});
    EXPECT_EQ(t.st.subState, kAttachedEnded);
    EXPECT_EQ(t.lastPlaced.prompt,
              "Описание присоединенной цепи завершено.\nПереход к описанию участка\n с измененным числом проводов - 6");
    EXPECT_EQ(t.doc.elements.back()->Data<CEndMod>()->kind, 1);  // after a line: a resistive load
    EXPECT_FALSE(t.Enabled(kWireCountChange));
    EXPECT_FALSE(t.Enabled(kAttachedEnd));
    t.PlaceAll({kOverheadLine});
    EXPECT_TRUE(t.Enabled(kWireCountChange));
    t.PlaceAll({kWireCountChange});
    EXPECT_EQ(t.st.subState, kAttachedRejoining);
    EXPECT_EQ(t.st.wireCount, 3);
    t.PlaceAll({kAttachedEnd});
    EXPECT_EQ(t.st.kind, kSectionNone);
    EXPECT_EQ(t.st.wireCount, 3);
    EXPECT_EQ(t.lastPlaced.prompt,
              "Описание присоединенной цепи завершено.\nПереход к описанию участка\n с основным числом проводов - 3");
    EXPECT_TRUE(t.Enabled(kWireCountChange));  // a new attached circuit may open
}

TEST(ElementRules, EndOfTheFirstBranchAddsTheInvisibleMarker)
{
    ChainEditor t(2, 0);
    t.PlaceAll({kCouplingDevice, kOverheadLine, kBranchingStart});
    EXPECT_EQ(t.dialogs.razvetvRuns, 0);  // two circuits, no ground wire: split without asking
    EXPECT_EQ(t.st.branchPhase, 1);
    EXPECT_FALSE(t.Enabled(kBranchingEnd));  // no line in the branch yet
    EXPECT_FALSE(t.Enabled(kBranchingStart));
    t.PlaceAll({kTransposition});
    EXPECT_FALSE(t.Enabled(kBranchingEnd));
    t.PlaceAll({kOverheadLine});
    EXPECT_TRUE(t.Enabled(kBranchingEnd));

    ASSERT_TRUE(t.walk.AppendBranchMarker());
    EXPECT_EQ(t.st.branchPhase, 2);
    EXPECT_EQ(t.st.lastPlaced.type, kBranchingStart);  // the second branch starts at the branching
    EXPECT_EQ(std::vector<int>(t.st.wireMap, t.st.wireMap + 4), (Types{4, 5, 6, -1}));
    EXPECT_FALSE(t.Enabled(kBranchingEnd));  // the marker is not a line of the second branch
    t.PlaceAll({kCableLine});
    EXPECT_TRUE(t.Enabled(kBranchingEnd));
    t.PlaceAll({kBranchingEnd});
    EXPECT_EQ(t.st.branchPhase, 0);
    EXPECT_EQ(t.st.wireCount, 6);
    EXPECT_FALSE(t.walk.AppendBranchMarker());  // nothing open
}

TEST(ElementRules, ClosingBranchingEndListsPhaseWiresBeforeGroundWires)
{
    ChainEditor t(2, 2);
    t.dialogs.circuitsChosen = {0};
    t.dialogs.groundChosen = {1};
    t.PlaceAll({kCouplingDevice, kOverheadLine, kBranchingStart});
    EXPECT_EQ(t.dialogs.razvetvRuns, 3);  // Cancel twice, then OK
    EXPECT_EQ(t.lastPlaced.prompt,
              "Переход к описанию первой ветви разветвления\nЧисло проводов - 4 (цепей - 1, тросов - 1)");
    t.PlaceAll({kOverheadLine});
    ASSERT_TRUE(t.walk.AppendBranchMarker());
    t.PlaceAll({kOverheadLine, kBranchingEnd});
    const CElement& end = *t.doc.elements.back();
    EXPECT_EQ(std::vector<int>(end.inMap, end.inMap + 9), (Types{0, 1, 2, 7, 4, 5, 6, 3, -1}));
    EXPECT_EQ(std::vector<int>(end.outMap, end.outMap + 9), (Types{0, 1, 2, 4, 5, 6, 7, 3, -1}));
    EXPECT_EQ(end.circuitsAfter, 2);
    ExpectReplayAgrees(t, "after the branching");
}

TEST(ElementRules, OverheadLineNeedsPhaseWiresBeforeGroundWires)
{
    ChainEditor t(1, 1);
    t.PlaceAll({kCouplingDevice});
    EXPECT_TRUE(PhaseWiresFirst());
    CElement transposition;
    transposition.SetType(kTransposition);
    auto perm = std::make_unique<CTransp>();
    perm->count = 4;
    perm->permutation = std::vector<std::uint8_t>{1, 2, 3, 0};  // the ground wire goes first
    transposition.data = std::move(perm);
    ASSERT_TRUE(t.Place(kTransposition, &transposition));
    EXPECT_EQ(std::vector<int>(g_pCurWireMap, g_pCurWireMap + 4), (Types{3, 0, 1, 2}));
    EXPECT_FALSE(PhaseWiresFirst());
}

TEST(ElementRules, CableLineWithScreensNeedsPhasesAlternatingWithScreens)
{
    ChainEditor t(1, 3);
    t.PlaceAll({kCouplingDevice});
    EXPECT_TRUE(t.Enabled(kCableLine));
    EXPECT_FALSE(PhasesAlternateWithScreens());  // 0 1 2 3 7 11
    CElement transposition;
    transposition.SetType(kTransposition);
    auto perm = std::make_unique<CTransp>();
    perm->count = 6;
    perm->permutation = std::vector<std::uint8_t>{0, 2, 4, 1, 3, 5};
    transposition.data = std::move(perm);
    ASSERT_TRUE(t.Place(kTransposition, &transposition));
    EXPECT_EQ(std::vector<int>(g_pCurWireMap, g_pCurWireMap + 6), (Types{0, 3, 1, 7, 2, 11}));
    EXPECT_TRUE(PhasesAlternateWithScreens());
    // Two ground wires on one circuit are neither bare nor screened cables.
    ChainEditor two(1, 2);
    two.PlaceAll({kCouplingDevice});
    EXPECT_FALSE(two.Enabled(kCableLine));
}

TEST(ElementRules, OverheadLineAgreesWithTheCablesOfItsWireCount)
{
    ChainEditor t(2, 0);
    CElement cable;
    cable.SetType(kCableLine);
    auto data = std::make_unique<CKLine>();
    data->elementWires = 4;  // entered as another number of cables
    cable.data = std::move(data);
    cable.entered = 1;
    t.PlaceAll({kCouplingDevice});
    ASSERT_TRUE(t.Place(kCableLine, &cable));
    EXPECT_FALSE(t.Enabled(kOverheadLine));
    t.doc.elements.back()->Data<CKLine>()->elementWires = 6;
    EXPECT_TRUE(t.Enabled(kOverheadLine));
    t.doc.elements.back()->entered = 0;
    t.doc.elements.back()->Data<CKLine>()->elementWires = 4;
    EXPECT_TRUE(t.Enabled(kOverheadLine));  // not entered yet

    // Twelve wires next to a cable of twelve wires are phases with screens.
    ChainEditor twelve(4, 0);
    twelve.PlaceAll({kCouplingDevice, kCableLine});
    EXPECT_TRUE(twelve.Enabled(kOverheadLine));  // a cable without data
    CElement screened;
    screened.SetType(kCableLine);
    screened.data = std::make_unique<CKLine>();
    ASSERT_TRUE(twelve.Place(kCableLine, &screened));
    EXPECT_FALSE(twelve.Enabled(kOverheadLine));
}

TEST(ElementRules, RejoiningCountsWholeCircuitsAmongTheLastWires)
{
    ChainEditor t(1, 0);
    t.dialogs.newCircuits = 2;
    t.dialogs.newGround = 1;
    t.PlaceAll({kCouplingDevice, kOverheadLine, kWireCountChange, kOverheadLine, kAttachedEnd, kOverheadLine});
    std::string message;
    EXPECT_TRUE(CanRejoinAttachedCircuit(t.doc, message));
    EXPECT_EQ(message, "");
    // The attached circuit's wires must be last: move a phase of the task's
    // circuit among them.
    std::swap(t.st.wireMap[0], t.st.wireMap[4]);
    EXPECT_FALSE(CanRejoinAttachedCircuit(t.doc, message));
    EXPECT_EQ(message, "Внимание!\nПри установке данного элемента в присоединенную цепь\n"
                       "должны уйти: цепей 1, тросов - 1.\n"
                       "Транспонируйте линию так, чтобы эти провода были последними!");
    std::swap(t.st.wireMap[0], t.st.wireMap[4]);
    // Circuit numbers above 40 (after doublings) are counted as well.
    for (int i = 3; i < 6; ++i)
        t.st.wireMap[i] = 4 * 47 + (i - 3);
    EXPECT_TRUE(CanRejoinAttachedCircuit(t.doc, message));
    t.st.wireMap[5] = 4 * 48;  // two wires of one circuit and one of another
    EXPECT_FALSE(CanRejoinAttachedCircuit(t.doc, message));
}

TEST(ElementRules, DcTaskNamesPolesInTheRejoiningMessage)
{
    ChainEditor t(2, 1, true);
    t.dialogs.newCircuits = 2;
    t.dialogs.newGround = 2;
    t.PlaceAll({kEndLoad, kOverheadLine, kWireCountChange, kOverheadLine, kAttachedEnd, kOverheadLine});
    std::string message;
    EXPECT_TRUE(CanRejoinAttachedCircuit(t.doc, message));
    std::swap(t.st.wireMap[0], t.st.wireMap[3]);
    EXPECT_FALSE(CanRejoinAttachedCircuit(t.doc, message));
    EXPECT_NE(message.find("должны уйти: полюсов 0, тросов - 1."), std::string::npos);
}

TEST(ElementRules, EndOfAttachedCircuitDoesNotCloseABranchingOpenedInside)
{
    ChainEditor t(1, 0);
    t.dialogs.newCircuits = 3;
    t.dialogs.newGround = 0;
    t.PlaceAll({kCouplingDevice, kOverheadLine, kWireCountChange, kOverheadLine});
    EXPECT_TRUE(t.Enabled(kAttachedEnd));
    t.PlaceAll({kBranchingStart, kOverheadLine});  // two attached circuits branch
    EXPECT_EQ(t.st.TopType(), kBranchingStart);
    EXPECT_FALSE(t.Enabled(kAttachedEnd));
}

TEST(ElementRules, TapLoadComparesWithTheTapsBranchWires)
{
    ChainEditor t(2, 0);
    t.dialogs.circuitsChosen = {1};
    t.PlaceAll({kCouplingDevice, kOverheadLine, kTap});
    EXPECT_EQ(t.st.wireCount, 3);
    EXPECT_EQ(t.st.Top()->wirePositions, 6);
    EXPECT_TRUE(t.Enabled(kTapLoad));
    CElement load;
    load.SetType(kTapLoad);
    EXPECT_TRUE(CanContinue(load, t.doc, t.st));
    t.PlaceAll({kTapLoad});
    EXPECT_FALSE(t.Enabled(kTapLoad));
    EXPECT_FALSE(CanContinue(load, t.doc, t.st));
    EXPECT_EQ(t.st.wireCount, 6);
}

TEST(ElementRules, CanContinueRefusesWireMarkersWithTheirChoiceAndBranchings)
{
    ChainEditor t(2, 0);
    t.PlaceAll({kCouplingDevice, kOverheadLine});
    CElement e;
    for (int type : {kOverheadLine, kCableLine, kShuntImpedance, kSeriesImpedance, kTransposition, kBypass, kTap,
                     kWireCountChange, kDoubling}) {
        e.SetType(type);
        EXPECT_TRUE(CanContinue(e, t.doc, t.st)) << type;
    }
    for (int type : {kBypass, kTap, kWireCountChange, kDoubling}) {
        e.SetType(type);
        e.data = CreateElementData(type);
        EXPECT_FALSE(CanContinue(e, t.doc, t.st)) << type;
    }
    for (int type : {kBranchingStart, kBranchingEnd, kTapLoad, kAttachedEnd, kNoType}) {
        e.SetType(type);
        EXPECT_FALSE(CanContinue(e, t.doc, t.st)) << type;
    }
}

TEST(ElementRules, DoublingWithoutChoiceMustFitFortyWires)
{
    ChainEditor t(1, 16);  // 19 wires double to 38
    t.PlaceAll({kCouplingDevice, kOverheadLine});
    EXPECT_TRUE(t.Enabled(kDoubling));
    t.PlaceAll({kDoubling});
    EXPECT_EQ(t.st.wireCount, 38);
    EXPECT_EQ(t.lastPlaced.prompt, "Переход к описанию участка\nс удвоенным числом проводов - 38");
    EXPECT_EQ(g_nCurCircuits, 2);
    EXPECT_EQ(g_nCurGround, 32);
    EXPECT_FALSE(t.Enabled(kDoubling));  // not inside a doubling
}

TEST(ElementRules, SplitConductorAndDcRestrictTheChoice)
{
    ChainEditor split(2, 0, false, 1);
    split.PlaceAll({kCouplingDevice, kOverheadLine});
    EXPECT_EQ(split.EnabledTypes(), (Types{kOverheadLine, kShuntImpedance, kSeriesImpedance, kTransposition,
                                          kCouplingDevice}));
    ChainEditor dc(2, 2, true);
    dc.PlaceAll({kEndLoad, kOverheadLine});
    EXPECT_EQ(dc.EnabledTypes(), (Types{kOverheadLine, kShuntImpedance, kSeriesImpedance, kTransposition,
                                       kCouplingDevice, kTap, kEndLoad}));
}

TEST(ElementRules, CalculationNeedsAClosedSoundEnteredChain)
{
    ChainEditor t(1, 0);
    t.PlaceAll({kCouplingDevice, kOverheadLine});
    for (auto& e : t.doc.elements)
        e->entered = 1;
    EXPECT_FALSE(CalcTractEnabled(t.doc, t.st, false));  // open
    t.PlaceAll({kCouplingDevice});
    t.doc.elements.back()->entered = 1;
    EXPECT_TRUE(CalcTractEnabled(t.doc, t.st, false));
    EXPECT_FALSE(CalcTractEnabled(t.doc, t.st, true));
    t.doc.elements[1]->entered = 0;
    EXPECT_FALSE(CalcTractEnabled(t.doc, t.st, false));
    t.doc.elements[1]->entered = 1;
    g_nTaskCompletion = 1;
    EXPECT_FALSE(CalcTractEnabled(t.doc, t.st, false));
    g_nTaskCompletion = 0;
    // A closing marker with nothing open breaks the chain.
    t.doc.elements.insert(t.doc.elements.begin() + 1, NewElement(kTapLoad));
    EXPECT_FALSE(CalcTractEnabled(t.doc, t.st, false));
    EXPECT_EQ(t.st.brokenAt, 1);
}

} // namespace

#include "app/candidates.h"
#include "structurefixture.h"

namespace {

using Types = std::vector<int>;

int IndexOf(const CKestrinDoc& doc, const CElement* e)
{
    for (std::size_t i = 0; i < doc.elements.size(); ++i)
        if (doc.elements[i].get() == e)
            return int(i);
    return -1;
}

// GetStructState at every index equals a replay of the chain cut after it.
void ExpectStructStatesAgree(ChainEditor& t)
{
    for (int i = 0; i < int(t.doc.elements.size()); ++i) {
        CStructState reduced;
        ASSERT_TRUE(GetStructState(t.doc, i, reduced)) << i;
        CKestrinDoc prefix;
        prefix.CopyFrom(t.doc);
        prefix.elements.resize(std::size_t(i) + 1);
        StructureState replayed;
        ASSERT_TRUE(StructureReplay(prefix, replayed, false).Run()) << i;
        EXPECT_EQ(reduced.kind, replayed.kind) << i;
        EXPECT_EQ(reduced.subState, replayed.subState) << i;
        EXPECT_EQ(reduced.depth, replayed.depth) << i;
        EXPECT_EQ(reduced.wireCount, replayed.wireCount) << i;
        EXPECT_EQ(reduced.branchPhase, replayed.branchPhase) << i;
        for (int d = 0; d < reduced.depth && d < replayed.depth; ++d)
            EXPECT_EQ(IndexOf(t.doc, reduced.stack[d]), IndexOf(prefix, replayed.stack[d])) << i;
    }
    CStructState none;
    EXPECT_FALSE(GetStructState(t.doc, int(t.doc.elements.size()), none));
    // Back to the editor's own state.
    ASSERT_TRUE(StructureReplay(t.doc, t.st, false).Run());
}

// Places the types one by one (an end of branching in the first branch is
// the handler's invisible marker) and checks the walk against a fresh
// replay after each of them.
void Build(ChainEditor& t, std::initializer_list<int> types)
{
    for (int type : types) {
        if (type == kBranchingEnd && t.st.branchPhase == 1)
            ASSERT_TRUE(t.walk.AppendBranchMarker());
        else
            ASSERT_TRUE(t.Place(type)) << "type " << type << ": " << t.walk.Problem();
        ExpectReplayAgrees(t, "element " + std::to_string(t.doc.elements.size() - 1));
    }
    ExpectStructStatesAgree(t);
}

TEST(StructureWalk, WireDialogsAreShownUntilOk)
{
    ChainEditor t(2, 1);
    Build(t, {kCouplingDevice, kOverheadLine, kTap});
    EXPECT_EQ(t.dialogs.otvetRuns, 3);
    EXPECT_EQ(t.doc.elements.back()->entered, 1);
}

TEST(StructureWalk, EveryElementTypeAgreesWithTheReplay)
{
    ChainEditor t(3, 2, false, -1, 7);
    t.dialogs.newCircuits = 4;
    t.dialogs.newGround = 2;
    Build(t, {kCouplingDevice, kOverheadLine, kCableLine, kShuntImpedance, kSeriesImpedance, kTransposition,
              kTap, kOverheadLine, kTapLoad, kDoubling, kOverheadLine, kAttachedEnd, kOverheadLine,
              kWireCountChange, kOverheadLine, kAttachedEnd, kOverheadLine, kWireCountChange, kSeriesImpedance,
              kAttachedEnd, kBranchingStart, kOverheadLine, kBranchingEnd, kOverheadLine, kBranchingEnd,
              kOverheadLine, kCouplingDevice});
    EXPECT_EQ(t.st.endState, kChainClosedByCoupling);
    EXPECT_EQ(t.st.depth, 0);
    EXPECT_EQ(t.st.wireCount, 11);
}

TEST(StructureWalk, PermutedTranspositionAndSplitConductor)
{
    ChainEditor t(1, 1, false, 0);  // phase A split: positions A/1 A/2 B C T
    Build(t, {kCouplingDevice, kOverheadLine});
    CElement swap = TranspositionOf({3, 1, 2, 0});  // codes: A <-> T
    ASSERT_TRUE(t.Place(kTransposition, &swap));
    ExpectReplayAgrees(t, "transposition");
    EXPECT_EQ(std::vector<int>(t.st.wireMap, t.st.wireMap + 4), (Types{3, 1, 2, 0}));
    EXPECT_EQ(t.st.split, 3);  // the split conductor went with its code
    // A transposition sized for fewer wires is refused and leaves the chain as it was.
    CElement shorter = TranspositionOf({1, 0});
    EXPECT_FALSE(t.Place(kTransposition, &shorter));
    EXPECT_EQ(t.walk.Problem(), "транспозиция задана не для всех проводов");
    EXPECT_EQ(t.doc.elements.size(), 3u);
    CElement outside = TranspositionOf({0, 1, 2, 4});
    EXPECT_FALSE(t.Place(kTransposition, &outside));
    EXPECT_EQ(t.walk.Problem(), "транспозиция переставляет провод за пределы линии");
}

TEST(StructureWalk, UnenteredTranspositionPassesItsWiresThrough)
{
    ChainEditor t(2, 0);
    Build(t, {kCouplingDevice, kTransposition});
    const CElement& e = *t.doc.elements.back();
    EXPECT_EQ(std::vector<int>(e.outMap, e.outMap + 6), std::vector<int>(e.inMap, e.inMap + 6));
}

TEST(StructureWalk, BypassClosesTheDoublingOfItsDirectLine)
{
    ChainEditor t(2, 0, false, -1, 3);
    t.dialogs.circuitsChosen = {0};
    Build(t, {kCouplingDevice, kOverheadLine, kDoubling});
    EXPECT_EQ(t.st.wireCount, 6);
    EXPECT_EQ(std::vector<int>(t.st.wireMap, t.st.wireMap + 7), (Types{0, 1, 2, 8, 9, 10, -1}));
    EXPECT_EQ(t.lastPlaced.prompt, "Переход к описанию участка\nс удвоенным числом проводов - 6");
    t.dialogs.circuitsChosen.clear();
    t.dialogs.bypassKind = 0;
    Build(t, {kOverheadLine, kBypass});
    EXPECT_EQ(t.dialogs.endsDoublingSeen.back(), 1);
    EXPECT_EQ(t.doc.elements.back()->Data<CEObhod>()->insideDoubling, 1);
    EXPECT_EQ(t.doc.elements.back()->Data<CEObhod>()->n, 3);
    EXPECT_EQ(t.st.kind, kSectionNone);
    EXPECT_EQ(t.st.depth, 0);
    EXPECT_EQ(t.st.wireCount, 6);
    EXPECT_EQ(t.lastPlaced.prompt, "Описание участка \nс удвоенным числом проводов завершено.\n"
                                   "Возврат к участку с числом проводов 6");
}

TEST(StructureWalk, BypassAfterTheReturnLineIsReportedOnlyForCommands)
{
    ChainEditor t(2, 0, false, -1, 3);
    t.dialogs.circuitsChosen = {0};
    t.dialogs.bypassKind = 0;
    Build(t, {kCouplingDevice, kOverheadLine, kDoubling});
    CElement swap = TranspositionOf({3, 1, 2, 0, 4, 5});  // a return wire first
    ASSERT_TRUE(t.Place(kTransposition, &swap));
    t.dialogs.circuitsChosen.clear();
    Build(t, {kOverheadLine, kBypass});
    EXPECT_EQ(t.st.depth, 0);  // still closes the doubling

    ScriptedMessages messages;
    StructureState quiet;
    EXPECT_TRUE(StructureReplay(t.doc, quiet, false).Run());
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_TRUE(StructureReplay(t.doc, t.st, true).Run());
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Stop);
    EXPECT_EQ(messages.messages()[0].text,
              "Нарушение структуры тракта!\nВ конце участка с удвоением проводов\n"
              "перед обходом промежуточной подстанции (№ 6)\nдолжны сначала описываться все провода\n"
              "прямой линии, потом - обратной");
    EXPECT_EQ(t.st.depth, 0);
    EXPECT_FALSE(t.st.Broken());
}

TEST(StructureWalk, FirstBranchEndingAfterATapKeepsTheBranchsWires)
{
    // The first branch takes circuits 1 and 2; a tap of circuit 1 in it is
    // closed just before the branch ends.  The branch ends on its own six
    // wires, not on the tap's three.
    ChainEditor t(3, 0);
    t.dialogs.circuitsChosen = {0, 1};
    Build(t, {kCouplingDevice, kOverheadLine, kBranchingStart});
    t.dialogs.circuitsChosen = {0};
    Build(t, {kOverheadLine, kTap, kOverheadLine, kTapLoad, kBranchingEnd, kOverheadLine, kBranchingEnd});
    const CElement& end = *t.doc.elements.back();
    EXPECT_EQ(std::vector<int>(end.inMap, end.inMap + 10), (Types{0, 1, 2, 4, 5, 6, 8, 9, 10, -1}));
    EXPECT_EQ(t.st.wireCount, 9);
}

TEST(StructureWalk, DcTaskTapTakesAllWiresWithoutDialog)
{
    ChainEditor t(2, 1, true);
    Build(t, {kEndLoad, kOverheadLine, kTap, kOverheadLine, kTapLoad, kOverheadLine, kEndLoad});
    EXPECT_EQ(t.dialogs.otvetRuns, 0);
    const CElement& tap = *t.doc.elements[2];
    EXPECT_EQ(std::vector<int>(tap.inMap, tap.inMap + 4), (Types{0, 1, 3, -1}));
    EXPECT_EQ(tap.Data<COtvet>()->count, 3);
    EXPECT_EQ(t.st.endState, kChainClosedByLoad);
}

TEST(StructureWalk, ChangeOfWiresInsideATapCountsFromTheTapsWires)
{
    // Inside a tap of one of two circuits the line has 3 wires, not the task's 6.
    ChainEditor t(2, 0);
    t.dialogs.circuitsChosen = {1};
    t.dialogs.newCircuits = 1;
    t.dialogs.newGround = 1;
    Build(t, {kCouplingDevice, kOverheadLine, kTap, kOverheadLine, kWireCountChange});
    const CElement& change = *t.doc.elements.back();
    EXPECT_EQ(change.wirePositions, 3);
    EXPECT_EQ(change.wirePositions2, 4);
    EXPECT_EQ(t.st.wireCount, 1);  // the added ground wire
    EXPECT_EQ(g_nLabelGround, 1);  // numbered like the replay numbers it
    EXPECT_EQ(t.lastPlaced.prompt, "Переход к описанию присоединенной цепи.\nЧисло проводов на участке - 1");
    Build(t, {kOverheadLine, kAttachedEnd, kOverheadLine});
    EXPECT_EQ(t.st.wireCount, 4);
    EXPECT_FALSE(t.Enabled(kTapLoad));  // the tap's 3 wires are not back yet
    Build(t, {kWireCountChange, kAttachedEnd});
    EXPECT_EQ(t.st.wireCount, 3);
    EXPECT_TRUE(t.Enabled(kTapLoad));
    Build(t, {kTapLoad});
    EXPECT_EQ(t.st.wireCount, 6);
    EXPECT_EQ(t.lastPlaced.prompt, "Описание ответвления завершено.\nВозврат к месту ветвления\nЧисло проводов - 6");
}

TEST(StructureWalk, FirstElementSitsAtItsCellAndGrowsAwayFromItsLeft)
{
    ChainEditor t(1, 0);
    t.PlaceAll({kEndLoad});
    EXPECT_EQ(t.doc.elements[0]->cellX, 1);
    EXPECT_EQ(t.doc.elements[0]->cellY, 3);
    EXPECT_EQ(std::vector<int>(t.doc.elements[0]->inMap, t.doc.elements[0]->inMap + 4), (Types{0, 1, 2, -1}));
    InsertCandidates c;
    c.Show(t.doc, t.st.lastPlaced, kOverheadLine);
    EXPECT_FALSE(c.cells[0].offered);  // (0, 3)
    EXPECT_EQ(c.Find(1, 2), 1);
    EXPECT_EQ(c.Find(2, 3), 2);
    EXPECT_EQ(c.Find(1, 4), 3);
    EXPECT_EQ(c.Find(0, 3), -1);
    for (int i = 4; i < InsertCandidates::kCount; ++i)
        EXPECT_FALSE(c.cells[i].offered);
    // With two elements the left cell is offered unless an element holds it.
    CElement line;
    line.SetType(kOverheadLine);
    EXPECT_EQ(AddElementOrRange(t.walk, line, 1, 2, nullptr, nullptr), 1);
    c.Show(t.doc, t.st.lastPlaced, kOverheadLine);
    EXPECT_EQ(c.Find(0, 2), 0);
    EXPECT_EQ(c.Find(1, 1), 1);
    EXPECT_EQ(c.Find(2, 2), 2);
    EXPECT_EQ(c.Find(1, 3), -1);  // the end load
    c.Withdraw();
    EXPECT_EQ(c.Find(0, 2), -1);
}

TEST(StructureWalk, BranchCandidatesAreDiagonal)
{
    ChainEditor t(2, 0);
    t.PlaceAll({kCouplingDevice, kOverheadLine});
    CElement tmpl;
    tmpl.SetType(kBranchingStart);
    ASSERT_EQ(AddElementOrRange(t.walk, tmpl, 3, 3, nullptr, nullptr), 1);
    InsertCandidates c;
    c.Show(t.doc, t.st.lastPlaced, kOverheadLine);
    EXPECT_EQ(c.Find(2, 2), 0);  // (x-1, y-1)
    EXPECT_EQ(c.Find(2, 4), 1);
    EXPECT_EQ(c.Find(4, 2), 2);
    EXPECT_EQ(c.Find(4, 4), 3);
    tmpl.SetType(kOverheadLine);
    ASSERT_EQ(AddElementOrRange(t.walk, tmpl, 4, 2, nullptr, nullptr), 1);  // first branch goes up
    ASSERT_TRUE(t.walk.AppendBranchMarker());
    EXPECT_EQ(t.doc.elements.back()->cellX, 4);
    c.Show(t.doc, t.st.lastPlaced, kOverheadLine);  // the second branch leaves the branching
    EXPECT_EQ(c.Find(4, 4), 3);
    EXPECT_EQ(c.Find(4, 2), -1);  // held by the first branch
    EXPECT_EQ(tmpl.type, kNoType);  // placing empties the template
    tmpl.SetType(kOverheadLine);
    ASSERT_EQ(AddElementOrRange(t.walk, tmpl, 4, 4, nullptr, nullptr), 1);
    // The end of the branching: diagonal at the end of the second branch and
    // around the end of the first.
    c.Show(t.doc, t.st.lastPlaced, kBranchingEnd);
    EXPECT_EQ(c.Find(5, 3), 2);  // around (4, 4)
    EXPECT_EQ(c.Find(5, 5), 3);
    EXPECT_EQ(c.Find(5, 1), 6);  // around (4, 2)
    EXPECT_EQ(c.Find(3, 3), -1);  // the branching
    EXPECT_EQ(c.Find(5, 3), 2);
    tmpl.SetType(kBranchingEnd);
    ASSERT_EQ(AddElementOrRange(t.walk, tmpl, 5, 3, nullptr, nullptr), 1);
    EXPECT_EQ(t.st.branchPhase, 0);
    ExpectReplayAgrees(t, "closed branching");
}

TEST(StructureWalk, CopiedRangeIsLaidOutInAStraightLine)
{
    ChainEditor t(1, 0);
    CElement tmpl;
    for (auto [type, x, y] : {std::tuple{kCouplingDevice, 1, 3}, {kOverheadLine, 2, 3}, {kShuntImpedance, 2, 4},
                              {kOverheadLine, 3, 4}}) {
        tmpl.SetType(type);
        ASSERT_EQ(AddElementOrRange(t.walk, tmpl, x, y, nullptr, nullptr), 1);
    }
    // Copy the line, the shunt and the line upwards from the chain end (3, 4).
    ElementRange range{3, 1};
    std::vector<int> placedIndices;
    tmpl.SetType(kNoType);
    EXPECT_EQ(AddElementOrRange(t.walk, tmpl, 3, 3, &range,
                                [&](const PlacedElement& p) { placedIndices.push_back(p.index); }),
              3);
    EXPECT_EQ(placedIndices, (Types{4, 5, 6}));
    for (int i = 4; i < 7; ++i) {
        EXPECT_EQ(t.doc.elements[std::size_t(i)]->cellX, 3);
        EXPECT_EQ(t.doc.elements[std::size_t(i)]->cellY, 3 - (i - 4));
        EXPECT_EQ(t.doc.elements[std::size_t(i)]->type, t.doc.elements[std::size_t(i - 3)]->type);
    }
    EXPECT_EQ(tmpl.type, kNoType);
    ExpectReplayAgrees(t, "copied range");

    // An element that cannot follow is refused with a structure message.
    ScriptedMessages messages;
    tmpl.SetType(kTapLoad);
    EXPECT_EQ(AddElementOrRange(t.walk, tmpl, 4, 0, nullptr, nullptr), 0);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Stop);
    EXPECT_EQ(messages.messages()[0].text.rfind("Нарушение структуры тракта!\nЭлемент № 8: ", 0), 0u);
    EXPECT_EQ(tmpl.type, kTapLoad);
    EXPECT_EQ(t.doc.elements.size(), 7u);
}

TEST(StructureWalk, NestingStopsAtAHundredTaps)
{
    ChainEditor t(1, 0);
    t.PlaceAll({kCouplingDevice, kOverheadLine});
    for (int i = 0; i < kStructStackSize; ++i)
        ASSERT_TRUE(t.Place(kTap)) << i;
    EXPECT_EQ(t.st.depth, kStructStackSize);
    EXPECT_FALSE(t.Enabled(kTap));
    EXPECT_FALSE(t.Enabled(kWireCountChange));
    EXPECT_FALSE(t.Enabled(kDoubling));
    CElement tap;
    tap.SetType(kTap);
    EXPECT_FALSE(CanContinue(tap, t.doc, t.st));
    EXPECT_FALSE(t.Place(kTap));
    EXPECT_EQ(t.walk.Problem(), "вложенность ответвлений и участков больше 100");
    EXPECT_TRUE(t.Enabled(kTapLoad));
    ExpectReplayAgrees(t, "a hundred taps");

    // A stored chain with one more breaks at the 101st tap.
    t.doc.AppendElement(NewElement(kTap));
    t.doc.elements.back()->data = std::make_unique<COtvet>();
    ScriptedMessages messages;
    EXPECT_FALSE(StructureReplay(t.doc, t.st, true).Run());
    EXPECT_EQ(t.st.brokenAt, 102);
    EXPECT_EQ(t.st.depth, kStructStackSize);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text,
              "Нарушение структуры тракта!\nЭлемент № 103: вложенность ответвлений и участков больше 100.\n"
              "Тракт нельзя продолжить и рассчитать, пока его структура не исправлена.");
    EXPECT_TRUE(t.EnabledTypes().empty());
    CStructState reduced;
    EXPECT_TRUE(GetStructState(t.doc, 101, reduced));
    EXPECT_FALSE(GetStructState(t.doc, 102, reduced));
}

TEST(StructureWalk, DamagedChainsBreakWhereTheyFail)
{
    struct Case {
        std::vector<int> types;
        int brokenAt;
        const char* reason;
    };
    const Case cases[] = {
        {{kCouplingDevice, kTapLoad, kOverheadLine}, 1, "конец ответвления без открытого ответвления"},
        {{kCouplingDevice, kAttachedEnd}, 1, "конец присоединенной цепи без открытого участка"},
        {{kBranchingEnd, kCouplingDevice}, 0, "конец разветвления без начала разветвления"},
        {{kCouplingDevice, kTap, kAttachedEnd}, 2, "конец присоединенной цепи без открытого участка"},
        {{kCouplingDevice, kDoubling, kTapLoad}, 2, "конец ответвления без открытого ответвления"},
        {{kCouplingDevice, 15}, 1, "неизвестный тип элемента"},
    };
    for (const Case& c : cases) {
        ChainEditor t(1, 0);
        for (int type : c.types) {
            t.doc.AppendElement(NewElement(type));
            if (type == kTap || type == kDoubling) {
                auto data = std::make_unique<COtvet>();
                data->count = std::uint8_t(type == kTap ? 3 : 6);
                t.doc.elements.back()->data = std::move(data);
            }
        }
        StructureSnapshot before(t.doc, t.st);
        EXPECT_FALSE(StructureReplay(t.doc, t.st, false).Run());
        EXPECT_EQ(t.st.brokenAt, c.brokenAt);
        EXPECT_EQ(t.st.brokenReason, c.reason);
        // Nothing from the broken element on was touched.
        StructureSnapshot after(t.doc, t.st);
        for (std::size_t i = std::size_t(c.brokenAt); i < c.types.size(); ++i)
            EXPECT_TRUE(before.elements[i] == after.elements[i]) << i;
        EXPECT_TRUE(t.EnabledTypes().empty());
        CElement line;
        line.SetType(kOverheadLine);
        EXPECT_FALSE(CanContinue(line, t.doc, t.st));
        EXPECT_FALSE(t.Place(kOverheadLine));
    }
}

} // namespace

// The element toolbar through the main frame: the rules in the command-state
// function, the handlers with their refusals, placing the first element at
// once, the prompts of warnings mode and the report of a broken chain.
#include "app/commandids.h"
#include "dialogs/zadachadlg.h"
#include "shellfixture.h"
#include "structurefixture.h"

namespace {

using namespace cmd;

std::string CatalogProfile(const TempFolder& dir)
{
    WriteCatalog(dir.File("main.kdb"), "АС-70");
    return "[Base File List]\nFile1=" + dir.File("main.kdb") + "\n";
}

const int kElementCommands[] = {ID_ELEM_VLINE,       ID_ELEM_KLINE,         ID_ELEM_SHUNT,        ID_ELEM_SERIES_Z,
                                ID_ELEM_TAP_LOAD,    ID_ELEM_TRANSP,        ID_ELEM_COUPLING,     ID_ELEM_BYPASS,
                                ID_ELEM_TAP,         ID_ELEM_WIRE_CHANGE,   ID_ELEM_DOUBLING,     ID_ELEM_CIRCUIT_END,
                                ID_ELEM_BRANCH_START, ID_ELEM_BRANCH_END,   ID_ELEM_END_LOAD};

// The program editing a new task of the given wires (its base data answered).
struct EditingSession {
    EditingSession(int circuits, int ground) : s(CatalogProfile(dir))
    {
        ScopedModalRunner<CZadachaDlg> answer([&](CZadachaDlg& d) {
            d.OnInitDialog();
            d.m_nCircuitsEdit = circuits;
            d.m_nGroundEdit = ground;
            d.OnCountChanged();
            return d.OnOK() ? IDOK : IDCANCEL;
        });
        s.Frame().OnTaskEdit();
    }
    CMainFrame& Frame() { return s.Frame(); }
    std::vector<int> EnabledElementCommands()
    {
        const ShellState st = Frame().GetShellState();
        std::vector<int> ids;
        for (int id : kElementCommands)
            if (GetCommandState(id, st).enabled)
                ids.push_back(id);
        return ids;
    }
    // The view's placing by a click on an offered cell, as the later view does.
    void PlaceAt(int x, int y)
    {
        ASSERT_GE(g_pMainView->m_Candidates.Find(x, y), 0) << x << "," << y;
        g_pMainView->AddElementOrRange(x, y);
    }

    TempFolder dir;
    AppSession s;
};

TEST(ElementCommands, EditingAnEmptyTaskOffersTheFirstElementsWhichArePlacedAtOnce)
{
    EditingSession e(2, 1);
    ASSERT_TRUE(e.Frame().m_bEditing);
    EXPECT_EQ(e.EnabledElementCommands(), (std::vector<int>{ID_ELEM_COUPLING, ID_ELEM_END_LOAD}));
    ScriptedMessages messages;
    EXPECT_TRUE(e.Frame().OnCommand(ID_ELEM_COUPLING));
    CKestrinDoc& doc = e.s.Doc();
    ASSERT_EQ(doc.elements.size(), 1u);
    EXPECT_EQ(doc.elements[0]->type, kCouplingDevice);
    EXPECT_EQ(doc.elements[0]->cellX, 1);
    EXPECT_EQ(doc.elements[0]->cellY, 3);
    EXPECT_EQ(doc.elements[0]->wirePositions, 7);
    EXPECT_EQ(doc.elements[0]->selected, 1);
    EXPECT_EQ(e.Frame().m_nSelected, 0);
    EXPECT_EQ(e.Frame().m_Template.type, kNoType);
    EXPECT_FALSE(g_pMainView->m_bCandidates);
    EXPECT_TRUE(messages.messages().empty());
    // The next elements are placed by a click, which comes with the scheme
    // drawing: until then the toolbar offers nothing more.
    EXPECT_TRUE(e.EnabledElementCommands().empty());
    g_pMainView->m_bMousePlacing = 1;
    EXPECT_EQ(e.EnabledElementCommands(),
              (std::vector<int>{ID_ELEM_VLINE, ID_ELEM_SHUNT, ID_ELEM_SERIES_Z, ID_ELEM_TRANSP, ID_ELEM_COUPLING}));
    // With the wire dialogs the tap, the doubling, the change of wires, the
    // bypass and the branching come too.
    ScriptedWireDialogs dialogs;
    EXPECT_EQ(e.EnabledElementCommands().size(), 10u);
}

TEST(ElementCommands, ChosenElementIsOfferedCellsAndPlacedWithItsPrompt)
{
    EditingSession e(2, 0);
    ScriptedWireDialogs dialogs;
    dialogs.circuitsChosen = {0};
    g_pMainView->m_bMousePlacing = 1;
    e.Frame().OnCommand(ID_ELEM_END_LOAD);
    e.Frame().OnCommand(ID_ELEM_VLINE);
    EXPECT_EQ(e.Frame().m_Template.type, kOverheadLine);
    EXPECT_TRUE(GetCommandState(ID_ELEM_VLINE, e.Frame().GetShellState()).checked);
    EXPECT_TRUE(g_pMainView->m_bCandidates);
    EXPECT_EQ(g_pMainView->m_Candidates.Find(0, 3), -1);  // left of a lone first element
    e.PlaceAt(2, 3);
    e.Frame().OnCommand(ID_ELEM_TAP);
    ScriptedMessages messages;
    e.PlaceAt(3, 3);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Переход к описанию ответвления.\nЧисло проводов - 3");
    EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Information);
    EXPECT_EQ(e.Frame().m_Struct.depth, 1);
    EXPECT_EQ(e.Frame().m_nSelected, 2);

    // Without warnings the structure moves the same way, silently.
    e.Frame().OnCommand(ID_TOGGLE_WARNINGS);
    e.Frame().OnCommand(ID_ELEM_VLINE);
    e.PlaceAt(4, 3);
    e.Frame().OnCommand(ID_ELEM_TAP_LOAD);
    e.PlaceAt(5, 3);
    EXPECT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(e.Frame().m_Struct.depth, 0);
    EXPECT_EQ(e.Frame().m_Struct.wireCount, 6);
    EXPECT_EQ(e.Frame().m_Struct.lastPlaced.type, kTap);  // the line goes on from the tap
}

TEST(ElementCommands, InsertionGapIsJudgedByTheSectionItOpensIn)
{
    EditingSession e(2, 0);
    ScriptedWireDialogs dialogs;
    dialogs.circuitsChosen = {0};
    g_pMainView->m_bMousePlacing = 1;
    e.Frame().m_bWarnings = 0;
    e.Frame().OnCommand(ID_ELEM_COUPLING);
    // Each element on the first cell offered.
    for (int id : {ID_ELEM_VLINE, ID_ELEM_DOUBLING, ID_ELEM_VLINE, ID_ELEM_CIRCUIT_END, ID_ELEM_VLINE}) {
        e.Frame().OnCommand(id);
        const auto& cells = g_pMainView->m_Candidates.cells;
        const auto offered = std::find_if(std::begin(cells), std::end(cells), [](const auto& c) { return c.offered; });
        ASSERT_NE(offered, std::end(cells)) << id;
        e.PlaceAt(offered->x, offered->y);
    }
    CKestrinDoc& doc = e.s.Doc();
    ASSERT_EQ(doc.elements.size(), 6u);
    ASSERT_EQ(e.Frame().m_Struct.kind, kSectionNone);
    auto enabled = [&](int id) { return GetCommandState(id, e.Frame().GetShellState()).enabled; };

    // A gap inside the doubled section takes neither a bypass nor a cable
    // line, though the chain end lies outside the section; one on the main
    // line takes a bypass.
    const struct {
        int at;
        bool bypass;
    } gaps[] = {{3, false}, {5, true}};
    for (const auto& g : gaps) {
        e.Frame().m_nSelected = e.Frame().SelectElement(doc.elements[std::size_t(g.at)].get());
        g_pMainView->OnElemCommand(ID_ELEM_INSERT);
        ASSERT_TRUE(g_pMainView->m_bInsertGap) << g.at;
        EXPECT_EQ(enabled(ID_ELEM_BYPASS), g.bypass) << g.at;
        EXPECT_EQ(enabled(ID_ELEM_KLINE), g.bypass) << g.at;
        g_pMainView->OnElemCommand(ID_ELEM_CANCEL_INSERT);
        EXPECT_EQ(e.Frame().m_Struct.kind, kSectionNone) << g.at;
    }
}

// "Вставить" opens a gap in the chain; every way out of editing closes it
// again before the task is stored, so no hole is left between elements.
TEST(ElementCommands, AnOpenInsertionGapIsClosedOnEveryWayOutOfEditing)
{
    using Cells = std::vector<std::pair<int, int>>;
    auto cellsOf = [](const CKestrinDoc& doc) {
        Cells cells;
        for (const auto& el : doc.elements)
            cells.emplace_back(el->cellX, el->cellY);
        return cells;
    };
    const struct {
        const char* way;
        std::function<void(EditingSession&)> leave;
        std::function<Cells(EditingSession&)> stored;
    } ways[] = {
        {"finish", [](EditingSession& e) { e.Frame().OnCommand(ID_FINISH_EDIT); },
         [&](EditingSession& e) { return cellsOf(e.s.Doc()); }},
        {"intermediate save", [](EditingSession& e) { e.Frame().OnCommand(ID_SAVE_INTERMEDIATE); },
         [&](EditingSession&) { return cellsOf(g_BackupDoc); }},
        {"close with a save",
         [](EditingSession& e) {
             ScriptedMessages answers;
             answers.queue(MsgAnswer::Yes);
             ScriptedFileDialogs files;
             files.answers = {e.dir.File("t.ktf")};
             EXPECT_TRUE(e.Frame().QueryClose());
         },
         [&](EditingSession& e) {
             CKestrinDoc saved;
             ModelGlobalsGuard keep;
             std::string error;
             EXPECT_TRUE(saved.OpenTaskFile(e.dir.File("t.ktf"), error)) << error;
             return cellsOf(saved);
         }},
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.way);
        EditingSession e(1, 0);
        g_pMainView->m_bMousePlacing = 1;
        e.Frame().m_bWarnings = 0;
        e.Frame().OnCommand(ID_ELEM_COUPLING);
        for (int x : {2, 3}) {
            e.Frame().OnCommand(ID_ELEM_VLINE);
            e.PlaceAt(x, 3);
        }
        CKestrinDoc& doc = e.s.Doc();
        const Cells before = cellsOf(doc);
        e.Frame().m_nSelected = e.Frame().SelectElement(doc.elements[1].get());
        g_pMainView->OnElemCommand(ID_ELEM_INSERT);
        ASSERT_TRUE(g_pMainView->m_bInsertGap);
        ASSERT_NE(cellsOf(doc), before);
        w.leave(e);
        EXPECT_FALSE(g_pMainView->m_bInsertGap);
        EXPECT_EQ(cellsOf(doc), before);
        EXPECT_EQ(w.stored(e), before);
    }
}

TEST(ElementCommands, RefusedOverheadLineLeavesTheTemplate)
{
    EditingSession e(1, 1);
    g_pMainView->m_bMousePlacing = 1;
    e.Frame().OnCommand(ID_ELEM_COUPLING);
    e.Frame().m_Template.SetType(kShuntImpedance);
    g_pCurWireMap[0] = 3;  // a ground wire among the phases
    ScriptedMessages messages;
    e.Frame().OnCommand(ID_ELEM_VLINE);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Для вставки воздушной линии\nнеобходимо предварительно "
                                           "транспонировать провода так,\nчтобы тросы шли после всех фаз");
    EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Stop);
    EXPECT_EQ(e.Frame().m_Template.type, kShuntImpedance);
}

TEST(ElementCommands, RefusedCableLineSaysWhy)
{
    EditingSession e(1, 3);
    g_pMainView->m_bMousePlacing = 1;
    e.Frame().OnCommand(ID_ELEM_COUPLING);
    ScriptedMessages messages;
    e.Frame().OnCommand(ID_ELEM_KLINE);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Для вставки кабеля с использованием\nподключения к экранам\n"
                                           "необходимо предварительно транспонировать\n"
                                           "линию так, чтобы фазы перемежались с экранами");
    EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Stop);
    EXPECT_EQ(e.Frame().m_Template.type, kNoType);
}

TEST(ElementCommands, AttachedCircuitLeavesOnlyFromTheLastWires)
{
    EditingSession e(1, 0);
    ScriptedWireDialogs dialogs;
    dialogs.newCircuits = 2;
    dialogs.newGround = 0;
    g_pMainView->m_bMousePlacing = 1;
    e.Frame().OnCommand(ID_ELEM_COUPLING);
    // The main line goes on from the change of wires once the circuit ended.
    for (auto [id, x, y] : {std::tuple{ID_ELEM_VLINE, 2, 3}, {ID_ELEM_WIRE_CHANGE, 3, 3}, {ID_ELEM_VLINE, 4, 3},
                            {ID_ELEM_CIRCUIT_END, 5, 3}, {ID_ELEM_VLINE, 3, 4}}) {
        e.Frame().OnCommand(id);
        e.PlaceAt(x, y);
    }
    EXPECT_TRUE(GetCommandState(ID_ELEM_WIRE_CHANGE, e.Frame().GetShellState()).enabled);
    ScriptedMessages messages;
    std::swap(g_pCurWireMap[0], g_pCurWireMap[5]);
    e.Frame().OnCommand(ID_ELEM_WIRE_CHANGE);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Внимание!\nПри установке данного элемента в присоединенную цепь\n"
                                           "должны уйти: цепей 1, тросов - 0.\n"
                                           "Транспонируйте линию так, чтобы эти провода были последними!");
    EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Stop);
    EXPECT_EQ(e.Frame().m_Template.type, kNoType);
    std::swap(g_pCurWireMap[0], g_pCurWireMap[5]);
    e.Frame().OnCommand(ID_ELEM_WIRE_CHANGE);
    EXPECT_EQ(e.Frame().m_Template.type, kWireCountChange);
}

TEST(ElementCommands, EndOfTheFirstBranchIsConfirmed)
{
    EditingSession e(2, 0);
    ScriptedWireDialogs dialogs;
    g_pMainView->m_bMousePlacing = 1;
    e.Frame().OnCommand(ID_ELEM_COUPLING);
    e.Frame().OnCommand(ID_ELEM_VLINE);
    e.PlaceAt(2, 3);
    e.Frame().OnCommand(ID_ELEM_BRANCH_START);
    e.PlaceAt(3, 3);
    e.Frame().OnCommand(ID_ELEM_VLINE);
    EXPECT_EQ(g_pMainView->m_Candidates.Find(4, 3), -1);  // branches leave diagonally
    e.PlaceAt(4, 2);
    EXPECT_TRUE(GetCommandState(ID_ELEM_BRANCH_END, e.Frame().GetShellState()).enabled);

    ScriptedMessages messages;
    messages.queue(MsgAnswer::No);
    e.Frame().OnCommand(ID_ELEM_BRANCH_END);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Подтвердите завершение описания первой ветви\nи переходите к описанию "
                                           "второй\nЧисло проводов во второй цепи - 3 (цепей - 1, тросов 0)");
    EXPECT_EQ(messages.messages()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(e.s.Doc().elements.size(), 4u);
    EXPECT_EQ(e.Frame().m_Struct.branchPhase, 1);

    messages.queue(MsgAnswer::Yes);
    e.Frame().OnCommand(ID_ELEM_BRANCH_END);
    ASSERT_EQ(e.s.Doc().elements.size(), 5u);
    EXPECT_EQ(e.s.Doc().elements[4]->type, kBranchingEnd);
    EXPECT_EQ(e.s.Doc().elements[4]->circuitsAfter, 0);
    EXPECT_EQ(e.Frame().m_Struct.branchPhase, 2);
    EXPECT_EQ(e.Frame().m_Template.type, kNoType);
    // The second branch ends by a click: the command chooses the template.
    e.Frame().OnCommand(ID_ELEM_VLINE);
    e.PlaceAt(4, 4);
    e.Frame().OnCommand(ID_ELEM_BRANCH_END);
    EXPECT_EQ(e.Frame().m_Template.type, kBranchingEnd);
    e.PlaceAt(5, 3);
    EXPECT_EQ(e.Frame().m_Struct.branchPhase, 0);
    EXPECT_EQ(e.Frame().m_Struct.wireCount, 6);
}

TEST(ElementCommands, BrokenChainIsReportedWhenEditingStartsAndDisablesTheToolbar)
{
    TempFolder dir;
    AppSession s(CatalogProfile(dir));
    CKestrinDoc& doc = s.Doc();
    doc.conductorCount = 3;
    doc.AppendElement(MakeElement(kCouplingDevice, 1, 3));
    doc.AppendElement(MakeElement(kOverheadLine, 2, 3));
    doc.AppendElement(MakeElement(kAttachedEnd, 3, 3));
    doc.AppendElement(MakeElement(kCouplingDevice, 4, 3));
    ScriptedMessages messages;
    // The enable rules replay without a word.
    ShellState st = s.Frame().GetShellState();
    for (int id : kElementCommands)
        EXPECT_FALSE(GetCommandState(id, st).enabled);
    EXPECT_FALSE(CalcTractEnabled(doc, s.Frame().m_Struct, false));
    EXPECT_TRUE(messages.messages().empty());

    s.Frame().OnTaskEdit();
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Stop);
    EXPECT_EQ(messages.messages()[0].text.rfind("Нарушение структуры тракта!\nЭлемент № 3: ", 0), 0u);
    EXPECT_EQ(s.Frame().m_Struct.brokenAt, 2);
    g_pMainView->m_bMousePlacing = 1;
    ScriptedWireDialogs dialogs;
    st = s.Frame().GetShellState();
    for (int id : kElementCommands)
        EXPECT_FALSE(GetCommandState(id, st).enabled) << id;
    CStructState reduced;
    EXPECT_TRUE(s.Frame().GetStructState(1, reduced));
    EXPECT_FALSE(s.Frame().GetStructState(2, reduced));
    CElement line;
    line.SetType(kOverheadLine);
    EXPECT_FALSE(s.Frame().CanContinue(line));
    // Leaving editing replays quietly.
    s.Frame().OnCancelEdit();
    EXPECT_EQ(messages.messages().size(), 1u);
}

TEST(ElementCommands, EndLoadUpdateHidesAVisibleElementBarOutsideEditing)
{
    EditingSession e(1, 0);
    e.s.host.frame.elementBar = true;
    e.Frame().OnUpdateInsertEndLoad();
    EXPECT_TRUE(e.s.host.frame.elementBar);
    e.Frame().m_bEditing = 0;
    e.Frame().OnUpdateInsertEndLoad();
    EXPECT_FALSE(e.s.host.frame.elementBar);
    e.Frame().m_bElementBar = 0;
    e.s.host.frame.elementBar = true;
    e.Frame().OnUpdateInsertEndLoad();  // a hidden bar is left alone
    EXPECT_TRUE(e.s.host.frame.elementBar);
}

} // namespace

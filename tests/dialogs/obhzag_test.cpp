// The bypass's line-trap page and the check of a whole bypass.
#include "dialogs/bypassvalidation.h"
#include "dialogs/catalogitemstore.h"
#include "dialogs/catalogrequests.h"
#include "dialogs/dialogglobals.h"
#include "dialogs/obhzag.h"
#include "model/catalogstore.h"
#include "model/coupling.h"
#include "model/element.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

namespace {

// A bypass of one circuit (wires 1-3) and a ground wire, bypassing wires 1 and 3.
std::unique_ptr<CElement> Bypass(int kind = 0)
{
    auto e = std::make_unique<CElement>();
    e->SetType(kBypass);
    e->wirePositions = 4;
    for (int i = 0; i < 4; ++i)
        e->inMap[i] = e->outMap[i] = i < 3 ? i : 3;
    auto b = std::make_unique<CEObhod>();
    b->kind = std::uint8_t(kind);
    b->n = 2;
    b->flags[1] = b->flags[3] = 0;  // wires 1 and 3 bypassed
    e->data = std::move(b);
    return e;
}

CZagrad Trap(const char* name, double l1)
{
    CZagrad t;
    t.name = name;
    t.L1 = l1;
    return t;
}

class ObhZagTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetModelGlobals();
        ResetDialogGlobals();
        g_CurBase.RemoveAll();
        g_TaskBase.RemoveAll();
        g_TaskBase.traps.push_back(std::make_unique<CZagrad>(Trap("ВЗ-1", 1e-3)));
        g_TaskBase.traps.push_back(std::make_unique<CZagrad>(Trap("ВЗ-2", 2e-3)));
        m_save = SetCatalogSaveHook([this] { return ++saves, true; });
    }
    void TearDown() override
    {
        SetCatalogSaveHook(std::move(m_save));
        g_CurBase.RemoveAll();
        g_TaskBase.RemoveAll();
        ResetDialogGlobals();
    }
    void Open(CObhZag& page, CElement& e, bool editing = true)
    {
        page.m_pElement = &e;
        page.m_pEObhod = e.Data<CEObhod>();
        page.editing = editing;
        page.chain = &chain;
        page.m_nElementIndex = 0;
        page.OnInitPage();
        page.OnSetActive();
    }

    ScriptedMessages messages;
    ElementChain chain;
    int saves = 0;

private:
    CatalogSaveHook m_save;
};

TEST_F(ObhZagTest, LabelsFollowTheFlagsOrTheEndsOfADoubling)
{
    auto e = Bypass();
    for (int i = 0; i < 4; ++i)
        e->outMap[i] = 4 + i;  // the second circuit after the substation
    CObhZag page;
    EXPECT_EQ(g_nBypassPageToken, 2);
    Open(page, *e);
    EXPECT_EQ(page.labels[0], (std::vector<std::string>{"1 (A)", "3 (C)"}));
    EXPECT_EQ(page.labels[1], (std::vector<std::string>{"1 (A)", "3 (C)"}));
    EXPECT_EQ(e->Data<CEObhod>()->map[1], 6);

    // A kind-0 bypass closing a doubling: the after side is input wires n+1..2n, numbered 1..n.
    auto d = Bypass();
    d->Data<CEObhod>()->insideDoubling = 1;
    d->inMap[2] = 4;
    d->inMap[3] = 5;
    CObhZag page2;
    Open(page2, *d);
    EXPECT_EQ(page2.labels[1], (std::vector<std::string>{"1 (A)", "2 (B)"}));
    EXPECT_EQ(d->Data<CEObhod>()->map[1], 1);
    EXPECT_EQ(page.Row(0, 0)[1], "Нет");
}

TEST_F(ObhZagTest, EnterCarriesTheTrapDeleteKeepsItLeavingWritesAscending)
{
    auto e = Bypass();
    CEShunt& after = e->Data<CEObhod>()->traps[1];
    CShunt stored;
    stored.firstWire = 1;
    stored.trap = Trap("ВЗ-2", 2e-3);
    after.branches.push_back(stored);
    CShunt stale = stored;
    stale.firstWire = 7;  // past the bypassed wires: skipped, dropped on leaving
    after.branches.push_back(stale);
    CObhZag page;
    Open(page, *e);
    EXPECT_EQ(page.Row(1, 1)[1], "ВЗ-2");

    EXPECT_FALSE(page.OnEnter(0));
    EXPECT_EQ(messages.messages().back().text, kNoTrapChosenText);
    page.OnSelchangeTrap(0, page.traps[0].combo.Find("ВЗ-1"));
    EXPECT_TRUE(page.OnEnter(0));
    EXPECT_EQ(page.current[0], 1);
    EXPECT_EQ(page.pending[0][1].trap.name, "ВЗ-1");  // carried to the next wire
    EXPECT_TRUE(page.OnEnter(0));
    EXPECT_EQ(page.current[0], 1);  // stays on the last wire
    page.OnDelete(0);
    EXPECT_EQ(page.Row(0, 1)[1], "Нет");
    EXPECT_TRUE(page.OnEnter(0));
    EXPECT_EQ(page.Row(0, 1)[1], "ВЗ-1");

    page.OnSelchangeWire(1, 0);
    page.OnSelchangeTrap(1, page.traps[1].combo.Find("ВЗ-1"));
    page.OnEnter(1);
    ASSERT_TRUE(page.OnKillActive());
    ASSERT_EQ(after.branches.size(), 2u);
    EXPECT_EQ(after.branches[0].firstWire, 0);
    EXPECT_EQ(after.branches[0].trap.name, "ВЗ-1");
    EXPECT_EQ(after.branches[1].firstWire, 1);
    EXPECT_EQ(after.branches[1].trap.name, "ВЗ-2");
    EXPECT_EQ(e->Data<CEObhod>()->traps[0].count, 2);
}

TEST_F(ObhZagTest, EditedTrapReachesCatalogsChainAndOtherPositionsButMarksNothing)
{
    auto series = std::make_unique<CElement>();
    series->SetType(kSeriesImpedance);
    auto shunt = std::make_unique<CEShunt>();
    shunt->trapKind = 1;
    CShunt branch;
    branch.trap = Trap("ВЗ-1", 1e-3);
    shunt->branches.push_back(branch);
    series->data = std::move(shunt);
    chain.push_back(Bypass());  // the edited bypass itself, skipped
    chain.push_back(std::move(series));

    auto e = Bypass();
    CObhZag page;
    Open(page, *e);
    page.OnSelchangeTrap(0, page.traps[0].combo.Find("ВЗ-1"));
    page.OnEnter(0);  // position 0 before; position 1 carries ВЗ-1 unmarked
    page.OnSelchangeTrap(1, page.traps[1].combo.Find("ВЗ-1"));
    page.OnEnter(1);

    ItemEditorFn previous = SetItemEditor(kCatTraps, [](CItemEditRequest& r) {
        std::get<CZagrad*>(r.item)->L1 = 9e-3;
        return r.mode == 2 ? IDOK : IDCANCEL;
    });
    ASSERT_TRUE(page.traps[0].NewEnabled());
    page.OnSelchangeWire(0, 0);
    page.OnParams(0);
    EXPECT_EQ(saves, 1);
    EXPECT_DOUBLE_EQ(g_CurBase.traps.at(0)->L1, 9e-3);
    EXPECT_DOUBLE_EQ(g_TaskBase.traps.at(0)->L1, 9e-3);
    EXPECT_DOUBLE_EQ(chain[1]->Data<CEShunt>()->branches[0].trap.L1, 9e-3);
    EXPECT_DOUBLE_EQ(page.pending[0][0].trap.L1, 9e-3);
    EXPECT_DOUBLE_EQ(page.pending[1][0].trap.L1, 9e-3);
    EXPECT_DOUBLE_EQ(page.pending[0][1].trap.L1, 9e-3);
    EXPECT_EQ(page.hasTrap[0][1], 0);

    // View only, the editor's OK changes nothing.
    CObhZag viewer;
    Open(viewer, *e, false);
    viewer.OnParams(0);
    EXPECT_EQ(saves, 1);
    SetItemEditor(kCatTraps, std::move(previous));
}

TEST_F(ObhZagTest, SheetCheckMessagesInOrder)
{
    struct Case {
        int kind;
        bool lines;
        bool touching;
        std::vector<std::string> texts;
        int entered;
    };
    const Case cases[] = {
        {0, true, false, {}, 1},
        {1, true, false, {}, 1},
        {2, true, false, {}, 1},
        {0, false, false, {kNoBypassLinesText}, 0},
        {2, true, true, {kBadInsertText}, 0},
        {2, false, true, {kBadInsertText, kNoBypassLinesText}, 0},
    };
    for (const Case& c : cases) {
        auto e = Bypass(c.kind);
        CEObhod& b = *e->Data<CEObhod>();
        if (c.lines)
            b.lines.emplace_back();
        if (c.kind == 2) {
            // One circuit in the ground, cables 2 r apart when touching.
            b.cableInsert = std::make_unique<CKLine>();
            CKLine& k = *b.cableInsert;
            k.circuits = 1;
            k.length = 1000;
            k.rho = 100;
            k.solidCable.name = "АПвП";
            k.solidCable.outerRadius = 0.02;
            for (int i = 0; i < 3; ++i) {
                k.x[i] = i * (c.touching ? 0.04 : 0.2);
                k.y[i] = 1;
            }
        }
        messages.clear();
        ValidateBypassSheet(*e, false);
        EXPECT_TRUE(messages.messages().empty());
        EXPECT_EQ(e->entered, 0);
        ValidateBypassSheet(*e, true);
        std::vector<std::string> texts;
        for (const auto& m : messages.messages())
            texts.push_back(m.text);
        EXPECT_EQ(texts, c.texts) << c.kind;
        EXPECT_EQ(e->entered, c.entered);
        if (!c.lines) {
            EXPECT_EQ(messages.messages().back().caption, kNoBypassCaption);
        }
    }
}

} // namespace

// "Дополнить данные" over imported and old chains.
#include "app/commandids.h"
#include "app/taskcompletion.h"
#include "dialogs/fazirdlg.h"
#include "dialogs/izmprovdlg.h"
#include "dialogs/zadachadopdlg.h"
#include "model/branches.h"
#include "shellfixture.h"

#include <gtest/gtest.h>

#include <functional>

using namespace cmd;

namespace {

class Completion : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(s.started);
        g_nTaskCompletion = 1;
    }
    // A task of the given base data whose chain is made of elements of the
    // types given, each over `wires` positions with maps the walk rebuilds.
    void Build(int dc, int circuits, int ground, const std::vector<int>& types)
    {
        CKestrinDoc& doc = s.Doc();
        doc.elements.clear();
        doc.dc = std::uint8_t(dc);
        doc.circuits = std::uint8_t(circuits);
        doc.groundWires = std::uint8_t(ground);
        doc.conductorCount = std::uint8_t((dc ? circuits : 3 * circuits) + ground);
        int x = 1;
        for (int type : types) {
            auto e = MakeElement(type, x++);
            e->data = CreateElementData(type);
            e->wirePositions = e->wirePositions2 = doc.conductorCount;
            e->circuits = 9;  // left by the old file, rewritten by the walk
            std::fill(std::begin(e->inMap), std::end(e->inMap), 77);
            doc.AppendElement(std::move(e));
        }
        g_nTaskCompletion = 1;
    }
    ScopedModalRunner<CZadachaDopDlg> acceptBase{[](CZadachaDopDlg&) { return IDOK; }};
    std::vector<std::vector<int>> phasings;  // the codes each phasing dialog was given
    int phasingAnswer = IDOK;
    ScopedModalRunner<CFazirDlg> phasing{[this](CFazirDlg& d) {
        EXPECT_TRUE(d.completion);
        phasings.emplace_back(d.map, d.map + d.wireCount);
        return phasingAnswer;
    }};
    ScriptedMessages messages;
    AppSession s;
};

TEST_F(Completion, FirstElementTakesTheTaskConductorsInLineOrder)
{
    const struct {
        const char* what;
        int dc, circuits, ground;
        std::vector<int> codes;
    } cases[] = {
        {"DC poles, then ground wires", 1, 2, 3, {0, 1, 3, 7, 11}},
        {"cable: phase and screen alternate", 0, 1, 3, {0, 3, 1, 7, 2, 11}},
        {"AC line: phases, then ground wires", 0, 2, 1, {0, 1, 2, 4, 5, 6, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Build(c.dc, c.circuits, c.ground, {kEndLoad, kSeriesImpedance, kEndLoad});
        phasings.clear();
        ASSERT_TRUE(CompleteTaskData(s.Doc()));
        ASSERT_EQ(phasings.size(), 1u);
        EXPECT_EQ(phasings[0], c.codes);
        for (const auto& e : s.Doc().elements) {
            EXPECT_EQ(std::vector<int>(e->inMap, e->inMap + c.codes.size()), c.codes);
            EXPECT_EQ(e->circuits, c.circuits);
            EXPECT_EQ(e->groundWires, c.ground);
        }
        EXPECT_EQ(g_nTaskCompletion, 0);
    }
}

TEST_F(Completion, AttachedCircuitWiresFollowTheTaskConductors)
{
    Build(0, 1, 1, {kEndLoad, kWireCountChange, kAttachedEnd, kEndLoad});
    CElement& change = *s.Doc().elements[1];
    change.Data<CVarMod>()->wiresBefore = 4;
    change.Data<CVarMod>()->wiresAfter = 7;  // one circuit more
    int asked = 0;
    ScopedModalRunner<CIzmProvDlg> counts([&](CIzmProvDlg& d) {
        ++asked;
        EXPECT_TRUE(d.completion);
        EXPECT_EQ(d.elementIndex, 1);
        EXPECT_EQ(d.currentCircuits, 1);
        EXPECT_EQ(d.newCircuits, 2);
        EXPECT_EQ(d.newGround, 1);
        EXPECT_EQ(std::vector<int>(d.varMod->map, d.varMod->map + 3), (std::vector<int>{4, 5, 6}));
        return IDOK;
    });
    ASSERT_TRUE(CompleteTaskData(s.Doc()));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(std::vector<int>(change.outMap, change.outMap + 7), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(change.circuitsAfter, 2);
    EXPECT_EQ(change.circuitsPart, 1);
    EXPECT_EQ(g_nLabelCircuits, 2);
}

TEST_F(Completion, CancelOrDamagedChainPutsEveryElementBack)
{
    const struct {
        const char* what;
        std::vector<int> types;
        int phasingAnswer;
        int wiresAfterChange;  // of a change of wires, when the chain has one
        const char* message;   // null: cancelled without a message
    } cases[] = {
        {"phasing cancelled", {kEndLoad, kSeriesImpedance, kEndLoad}, IDCANCEL, 0, nullptr},
        {"a tap end without a tap", {kEndLoad, kTapLoad, kEndLoad}, IDOK, 0,
         "Элемент № 2: конец ответвления без открытого ответвления."},
        {"more wires than a map holds", {kEndLoad, kWireCountChange, kAttachedEnd, kEndLoad}, IDOK, 40,
         "Элемент № 2: число проводов больше 40."},
        {"a transposition without its order", {kEndLoad, kTransposition, kEndLoad}, IDOK, 0,
         "Элемент № 2: неверная перестановка проводов."},
    };
    ScopedModalRunner<CIzmProvDlg> counts([](CIzmProvDlg&) { return IDOK; });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Build(0, 1, 1, c.types);
        for (auto& e : s.Doc().elements)
            if (CVarMod* v = e->Data<CVarMod>())
                v->wiresAfter = std::uint8_t(c.wiresAfterChange);
        phasingAnswer = c.phasingAnswer;
        messages.clear();
        EXPECT_FALSE(CompleteTaskData(s.Doc()));
        EXPECT_EQ(g_nTaskCompletion, 1);
        for (const auto& e : s.Doc().elements) {
            EXPECT_EQ(e->inMap[0], 77);
            EXPECT_EQ(e->circuits, 9);
        }
        if (!c.message) {
            EXPECT_TRUE(messages.messages().empty());
            continue;
        }
        ASSERT_EQ(messages.messages().size(), 1u);
        EXPECT_EQ(messages.messages()[0].text.rfind(c.message, 0), 0u) << messages.messages()[0].text;
        EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Stop);
    }
}

TEST_F(Completion, CommandCompletesOnceAndMarksTheTaskModified)
{
    Build(0, 1, 0, {kEndLoad, kSeriesImpedance, kEndLoad});
    SetModifiedFlag(false);
    auto enabled = [this] { return GetCommandState(ID_COMPLETE_DATA, s.Frame().GetShellState()).enabled; };
    EXPECT_TRUE(enabled());
    {
        ScopedModalRunner<CZadachaDopDlg> cancel([](CZadachaDopDlg&) { return IDCANCEL; });
        s.Frame().OnCommand(ID_COMPLETE_DATA);
        EXPECT_EQ(g_nTaskCompletion, 1);
        EXPECT_TRUE(phasings.empty());
    }
    s.Frame().OnCommand(ID_COMPLETE_DATA);
    EXPECT_EQ(g_nTaskCompletion, 0);
    EXPECT_TRUE(g_DocFile.modified);
    EXPECT_FALSE(enabled());
}

} // namespace

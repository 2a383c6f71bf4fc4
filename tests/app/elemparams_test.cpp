// "Параметры" through the dispatch table, with scripted dialog runners.
#include "app/elemparams.h"
#include "dialogs/klinedlg.h"
#include "dialogs/otvetdlg.h"
#include "dialogs/transpdlg.h"
#include "model/branches.h"
#include "model/document.h"
#include "model/shunts.h"
#include "platform/archive.h"
#include "platform/messages.h"
#include "platform/modal.h"

#include <gtest/gtest.h>

namespace {

CElement& Add(CKestrinDoc& doc, int type, int wires = 4)
{
    auto e = std::make_unique<CElement>();
    e->SetType(type);
    e->entered = 1;
    e->wirePositions = std::uint8_t(wires);
    e->circuits = std::uint8_t(wires / 3);
    e->groundWires = std::uint8_t(wires % 3);
    for (int i = 0; i < wires; ++i)
        e->inMap[i] = e->outMap[i] = i;
    e->data = CreateElementData(type);
    doc.AppendElement(std::move(e));
    return *doc.elements.back();
}

std::vector<std::uint8_t> Bytes(const CKestrinDoc& doc)
{
    ArchiveWriter ar;
    for (const auto& e : doc.elements)
        e->Store(ar);
    return ar.take();
}

// A transposition dialog that reverses the order and answers as told.
ScopedModalRunner<CTranspDlg> Reverse(int answer)
{
    return ScopedModalRunner<CTranspDlg>([answer](CTranspDlg& d) {
        d.transp->permutation = std::vector<std::uint8_t>{3, 2, 1, 0};
        d.element->name = "после диалога";
        return answer;
    });
}

struct ElemParamsTest : ::testing::Test {
    void SetUp() override { ResetModelGlobals(); }
    void TearDown() override { ResetModelGlobals(); }
    CKestrinDoc doc;
    ScriptedMessages msgs;
};

TEST_F(ElemParamsTest, OkWritesBackOnlyInEditingMode)
{
    Add(doc, kOverheadLine);
    Add(doc, kTransposition);
    Add(doc, kEndLoad);
    bool replay = false;
    {
        auto dlg = Reverse(IDOK);
        ASSERT_TRUE(RunElemParams(doc, 1, true, replay));
    }
    EXPECT_TRUE(replay); // every write-back is followed by a replay
    const CElement& t = *doc.elements[1];
    EXPECT_EQ(t.name, "после диалога");
    EXPECT_EQ(t.outMap[3], 0); // the output map follows the new order
    EXPECT_EQ(t.outMap[0], 3);

    const auto before = Bytes(doc);
    for (const auto& [editing, answer] : {std::pair{true, IDCANCEL}, std::pair{false, IDOK}}) {
        auto dlg = Reverse(answer);
        doc.elements[1]->Data<CTransp>()->permutation = std::vector<std::uint8_t>{3, 2, 1, 0};
        EXPECT_FALSE(RunElemParams(doc, 1, editing, replay));
        EXPECT_FALSE(replay);
        EXPECT_EQ(Bytes(doc), before) << editing;
    }
}

TEST_F(ElemParamsTest, EveryTypeOpensItsDialogOrOnlyTellsAboutIt)
{
    // Only the change of the number of wires and the end of a branching have
    // no dialog: "Параметры" shows their message.
    for (int type = 0; type < 15; ++type)
        EXPECT_EQ(FindElemParamsRunner(type) != nullptr, type != kWireCountChange && type != kBranchingEnd) << type;
}

TEST_F(ElemParamsTest, CableLineGetsTheFlagsOfItsNeighbours)
{
    Add(doc, kCouplingDevice, 6);
    Add(doc, kOverheadLine, 6);
    Add(doc, kCableLine, 6);
    int same = -1, screened = -1;
    ScopedModalRunner<CKLineDlg> dlg([&](CKLineDlg& d) {
        same = d.m_bSameLineNearby;
        screened = d.m_bScreenedCableNearby;
        d.m_pElement->name = "КЛ";
        return IDOK;
    });
    EXPECT_TRUE(ElemParamsAvailable(doc, 2));
    bool replay = false;
    ASSERT_TRUE(RunElemParams(doc, 2, true, replay));
    EXPECT_EQ(same, 1);
    EXPECT_EQ(screened, 0);
    EXPECT_EQ(doc.elements[2]->name, "КЛ");
}

TEST_F(ElemParamsTest, SelectiveTapTakesItsOwnWires)
{
    // A tap of 6 wires inside a chain whose end has 40.
    Add(doc, kOverheadLine, 40);
    CElement& tap = Add(doc, kTap, 6);
    COtvet* o = tap.Data<COtvet>();
    o->selectionMode = 1;
    std::fill(std::begin(o->flags), std::end(o->flags), 1); // flags beyond its 6 wires must not count
    o->flags[1] = 0;
    for (int i = 0; i < 6; ++i)
        tap.inMap[i] = 10 + i;
    ScopedModalRunner<COtvetDlg> dlg([](COtvetDlg&) { return IDOK; });
    bool replay = false;
    ASSERT_TRUE(RunElemParams(doc, 1, true, replay));
    const COtvet* after = doc.elements[1]->Data<COtvet>();
    EXPECT_EQ(std::vector<int>(after->map, after->map + 5), (std::vector<int>{10, 12, 13, 14, 15}));
    EXPECT_EQ(after->map[5], -1);
}

TEST_F(ElemParamsTest, MessagesOfElementsWithoutADialog)
{
    Add(doc, kCouplingDevice);
    CElement& load = Add(doc, kTapLoad);
    CElement& tap = Add(doc, kTap);
    CElement& change = Add(doc, kWireCountChange, 6);
    change.wirePositions2 = 3;
    CElement& doubling = Add(doc, kDoubling, 6);
    doubling.Data<COtvet>()->count = 12;
    CElement& end = Add(doc, kAttachedEnd);
    CElement& branchEnd = Add(doc, kBranchingEnd);
    branchEnd.circuitsAfter = 2;
    branchEnd.groundWiresAfter = 1;
    (void)load, (void)tap, (void)end;

    const struct {
        int index;
        const char* text;
        const char* caption;
        MsgIcon icon;
    } cases[] = {
        {1, "Ответвление заканчивается устройством присоединения.\nВЧ кабели всех ФП имеют нагрузку.",
         "Ответвление тракта", MsgIcon::Information},
        {2, "Ответвляются все провода", "Ответвление тракта", MsgIcon::Information},
        {3, "Число проводов до элемента - 6\nЧисло проводов после элемента - 3\nЧисло проводов ответвления - 3\n",
         "Изменение числа проводов", MsgIcon::Information},
        {4, "Начало участка с удвоенным\nчислом проводов - 12\nУдвоение во всех цепях", "Удвоение числа проводов",
         MsgIcon::Information},
        {5, "В конце участка - устройство просоединения.\nВЧ кабели всех ФП имеют нагрузку.",
         "Конец присоединенной цепи", MsgIcon::Information},
        {6, "Конец участка с разветвлением цепей\nДалее - участок\nс числом проводов - 7 (цепей - 2, тросов - 1)",
         "Конец разветвления", MsgIcon::None},
    };
    for (const auto& c : cases) {
        msgs.clear();
        EXPECT_TRUE(ElemParamsAvailable(doc, c.index)) << c.index;
        bool replay = false;
        EXPECT_FALSE(RunElemParams(doc, c.index, true, replay));
        ASSERT_EQ(msgs.messages().size(), 1u) << c.index;
        EXPECT_EQ(msgs.messages()[0].text, c.text);
        EXPECT_EQ(msgs.messages()[0].caption, c.caption);
        EXPECT_EQ(msgs.messages()[0].icon, c.icon);
    }
    // A coupling device opens its own dialog; past the chain there is nothing.
    EXPECT_TRUE(ElemParamsAvailable(doc, 0));
    EXPECT_FALSE(ElemParamsAvailable(doc, 99));
}

} // namespace

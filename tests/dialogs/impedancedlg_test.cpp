// The shunt and series impedance dialogs.
#include "dialogs/catalogitemstore.h"
#include "dialogs/numericfield.h"
#include "dialogs/poslsoprdlg.h"
#include "dialogs/shuntdlg.h"
#include "model/document.h"
#include "model/element.h"
#include "platform/archive.h"
#include "platform/messages.h"

#include <gtest/gtest.h>


namespace {

// One three-phase circuit and one ground wire.
std::unique_ptr<CElement> ImpedanceElement(int type, int circuits = 1, int ground = 1)
{
    auto e = std::make_unique<CElement>();
    e->SetType(type);
    e->circuits = std::uint8_t(circuits);
    e->groundWires = std::uint8_t(ground);
    e->wirePositions = std::uint8_t(3 * circuits + ground);
    for (int i = 0; i < 3 * circuits; ++i)
        e->inMap[i] = 4 * (i / 3) + i % 3;
    for (int g = 0; g < ground; ++g)
        e->inMap[3 * circuits + g] = 4 * g + 3;
    e->data = std::make_unique<CEShunt>();
    return e;
}

class ImpedanceDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetModelGlobals();
        g_CurBase.RemoveAll();
        g_TaskBase.RemoveAll();
        auto trap = std::make_unique<CZagrad>();
        trap->name = "ВЗ-630";
        trap->L1 = 0.5e-3;
        g_TaskBase.traps.push_back(std::move(trap));
    }
    void TearDown() override
    {
        g_CurBase.RemoveAll();
        g_TaskBase.RemoveAll();
        ResetModelGlobals();
    }

    void Open(CShuntDlg& d, CElement& e, bool editing = true)
    {
        d.m_pElement = &e;
        d.m_pEShunt = e.Data<CEShunt>();
        d.editing = editing;
        d.OnInitDialog();
    }
    void Open(CPoslSoprDlg& d, CElement& e, bool editing = true)
    {
        d.m_pElement = &e;
        d.m_pEShunt = e.Data<CEShunt>();
        d.editing = editing;
        d.OnInitDialog();
    }
    static bool EnterBranch(CShuntDlg& d, int w1, int w2, const std::string& r, const std::string& l,
                            const std::string& c)
    {
        d.m_nWire1 = w1;
        d.m_nWire2 = w2;
        d.OnSelchangeWires();
        d.rText = r;
        d.lText = l;
        d.cText = c;
        return d.OnEnterShunt();
    }

    ScriptedMessages messages;
};

TEST_F(ImpedanceDlgTest, ShuntListStaysSortedWithGroundAfterItsWire)
{
    auto e = ImpedanceElement(kShuntImpedance);
    CShuntDlg d;
    Open(d, *e);
    ASSERT_EQ(d.m_nWires, 4);
    EXPECT_EQ(d.wireLabels[3], "4 (T)");
    // (first, second) as entered; 4 = "Земля"; 1 -> 1 is also a branch to ground.
    const int pairs[][2] = {{1, 4}, {0, 2}, {1, 1}, {0, 4}, {0, 1}, {1, 3}};
    for (const auto& p : pairs)
        ASSERT_TRUE(EnterBranch(d, p[0], p[1], "10", "1", "100"));
    std::vector<std::string> order;
    for (int i = 0; i < d.Rows(); ++i)
        order.push_back(d.Row(i)[1] + "-" + d.Row(i)[2]);
    EXPECT_EQ(order, (std::vector<std::string>{"1 (A)-2 (B)", "1 (A)-3 (C)", "1 (A)-Земля", "2 (B)-4 (T)",
                                               "2 (B)-Земля"}));
    // The same pair replaces; zeros are a short circuit.
    ASSERT_TRUE(EnterBranch(d, 0, 1, "0", "0", "0"));
    EXPECT_EQ(d.Rows(), 5);
    EXPECT_EQ(d.Row(0), (std::vector<std::string>{"1", "1 (A)", "2 (B)", "КЗ", "", ""}));
    EXPECT_EQ(d.Row(1), (std::vector<std::string>{"2", "1 (A)", "3 (C)", "10", "1", "100"}));
    // Choosing a pair shows its branch.
    d.m_nWire1 = 1;
    d.m_nWire2 = 3;
    d.OnSelchangeWires();
    EXPECT_EQ(d.m_nCurShunt, 3);
    EXPECT_TRUE(d.deleteEnabled);
    d.OnDeleteShunt();
    EXPECT_EQ(d.Rows(), 4);
    EXPECT_EQ(d.BuildShuntColumns(278).size(), 6u);
    EXPECT_EQ(d.BuildShuntColumns(278)[0].width, 30);  // 260 * 3 / 26
}

TEST_F(ImpedanceDlgTest, EntryRefusalsAndOkOutcomes)
{
    struct Case {
        int kind;
        const char* r;
        int w2;
        const char* message;
    };
    const Case cases[] = {
        {0, "-1", 1, kBadShuntText},
        {0, "1", -1, kBadShuntText},      // no second wire
        {0, "abc", 1, kEnterNumberText},  // not a number
        {1, "0", 1, kBadShuntText},       // no trap chosen
    };
    for (const Case& c : cases) {
        auto e = ImpedanceElement(kShuntImpedance);
        CShuntDlg d;
        Open(d, *e);
        d.OnKind(c.kind);
        messages.clear();
        EXPECT_FALSE(EnterBranch(d, 0, c.w2, c.r, "0", "0")) << c.r;
        ASSERT_EQ(messages.messages().size(), 1u);
        EXPECT_EQ(messages.messages()[0].text, c.message);
        EXPECT_EQ(d.Rows(), 0);
        // An empty list keeps the dialog open.
        EXPECT_EQ(d.OnOK(), 0);
        EXPECT_EQ(messages.messages().back().text, kEmptyShuntText);
    }
    // A kind switch discards every branch; a trap branch needs its trap.
    auto e = ImpedanceElement(kShuntImpedance);
    CShuntDlg d;
    Open(d, *e);
    ASSERT_TRUE(EnterBranch(d, 0, 1, "1", "0", "0"));
    d.OnKind(1);
    EXPECT_EQ(d.Rows(), 0);
    d.OnSelchangeTrap(d.traps.combo.Find("ВЗ-630"));
    ASSERT_TRUE(EnterBranch(d, 2, 4, "0", "0", "0"));
    EXPECT_EQ(d.Row(0)[3], "ВЗ-630");
    e->Data<CEShunt>()->branches[0].trap.name.clear();
    EXPECT_EQ(d.OnOK(), 0);
    EXPECT_EQ(messages.messages().back().text, kShuntsUndefinedText);
    e->Data<CEShunt>()->branches[0].trap.name = "ВЗ-630";
    d.m_bUseCequiv = 1;
    d.cequivText = "2000";
    EXPECT_EQ(d.OnOK(), IDOK);
    EXPECT_EQ(e->entered, 1);
    EXPECT_EQ(e->Data<CEShunt>()->trapKind, 1);
    EXPECT_DOUBLE_EQ(e->Data<CEShunt>()->capacitance, 2e-9);

    // A capacitance no float holds in pF is shown as it is and kept unless retyped.
    e->Data<CEShunt>()->capacitance = 1e27;
    CShuntDlg again;
    Open(again, *e);
    EXPECT_EQ(again.cequivText, "1e+39");
    EXPECT_EQ(again.OnOK(), IDOK);
    EXPECT_EQ(e->Data<CEShunt>()->capacitance, 1e27);
}

TEST_F(ImpedanceDlgTest, TheBranchCountStaysWithinAByteAndTheTaskSaves)
{
    // Four circuits and ground wires enough for more than 255 ordered pairs.
    auto e = ImpedanceElement(kShuntImpedance, 8, 8);
    CShuntDlg d;
    Open(d, *e);
    ASSERT_EQ(d.m_nWires, 32);
    int entered = 0;
    for (int a = 0; a < 32 && entered < 255; ++a)
        for (int b = 0; b <= 32 && entered < 255; ++b)
            if (a != b && b != 32)
                entered += EnterBranch(d, a, b, "1", "0", "0");
    ASSERT_EQ(d.Rows(), 255);
    messages.clear();
    EXPECT_FALSE(EnterBranch(d, 31, 32, "1", "0", "0"));
    EXPECT_EQ(messages.messages().at(0).text, kTooManyShuntsText);
    EXPECT_EQ(messages.messages().at(0).icon, MsgIcon::Stop);
    EXPECT_TRUE(EnterBranch(d, 0, 1, "5", "0", "0"));  // a replacement at 255
    EXPECT_EQ(d.OnOK(), IDOK);
    ArchiveWriter ar;
    EXPECT_NO_THROW(e->Data<CEShunt>()->Store(ar));
}

TEST_F(ImpedanceDlgTest, SeriesSlotsOpenWireAndOk)
{
    auto e = ImpedanceElement(kSeriesImpedance);
    e->splitConductor = 1;
    // A record past the slots (the element lost wires since) is skipped.
    CShunt far;
    far.firstWire = 9;
    far.r = 1;
    e->Data<CEShunt>()->branches.push_back(far);
    CPoslSoprDlg d;
    Open(d, *e);
    EXPECT_EQ(d.m_nWires, 5);  // the split conductor adds a wire
    EXPECT_EQ(d.m_slots.FlaggedCount(), 0);
    d.rText = "0";
    d.lText = "0";
    d.cText = "0";
    ASSERT_TRUE(d.OnEnter());
    EXPECT_EQ(d.Row(0), (std::vector<std::string>{d.wireLabels[0], "Обрыв", "провода", ""}));
    EXPECT_EQ(d.Row(1)[1], "Нет");
    EXPECT_EQ(d.m_nCurWire, 1);
    d.rText = "5";
    d.lText = "-1";
    EXPECT_FALSE(d.OnEnter());
    EXPECT_EQ(messages.messages().back().text, kBadSeriesText);
    d.lText = "2";
    d.cText = "0.5";
    ASSERT_TRUE(d.OnEnter());
    d.OnClickList(0);
    EXPECT_EQ(d.m_bOpen, 1);
    d.OnClickList(1);
    EXPECT_EQ(d.m_bOpen, 0);
    EXPECT_EQ(d.OnOK(), IDOK);
    EXPECT_EQ(e->entered, 1);
    const auto& list = e->Data<CEShunt>()->branches;
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].firstWire, 1);
    EXPECT_DOUBLE_EQ(list[1].l, 0.002);

    // A kind switch clears; OK with nothing closes with the message, not entered.
    CPoslSoprDlg d2;
    Open(d2, *e);
    d2.OnKind(1);
    EXPECT_FALSE(d2.OnEnter());  // no trap chosen
    messages.clear();
    EXPECT_EQ(d2.OnOK(), IDOK);
    EXPECT_EQ(messages.messages().at(0).text, kNoLoadedWireText);
    EXPECT_EQ(e->entered, 0);
    EXPECT_TRUE(e->Data<CEShunt>()->branches.empty());
    // Outside editing mode OK changes nothing.
    CPoslSoprDlg d3;
    Open(d3, *e, false);
    EXPECT_EQ(d3.OnOK(), IDCANCEL);
}

TEST_F(ImpedanceDlgTest, DcTaskListsPoles)
{
    g_bDC = 1;
    auto e = ImpedanceElement(kShuntImpedance, 2, 0);
    for (int i = 0; i < 2; ++i)
        e->inMap[i] = i;
    CShuntDlg d;
    d.dc = true;
    Open(d, *e);
    EXPECT_EQ(d.wireLabels, (std::vector<std::string>{"1 (+)", "2 (-)"}));
}

} // namespace

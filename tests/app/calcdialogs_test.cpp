// The calculation dialog and the modal-parameter dialog without their windows.
#include "app/docfile.h"
#include "app/modraschdlg.h"
#include "app/raschetdlg.h"
#include "calc/cableline.h"
#include "calc/channeltest.h"
#include "model/lines.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using channeltest::ChannelTest;

class CalcDialogTest : public ChannelTest {
protected:
    void SetUp() override
    {
        ChannelTest::SetUp();
        g_DocFile = DocFileState();
    }
    // The wire positions offered by a combo.
    std::vector<int> Offered(const CRaschetDlg& d, int side, int which)
    {
        std::vector<int> out;
        for (const WireEntry& w : d.m_Combo[side][which])
            out.push_back(w.wire);
        return out;
    }
    int Selected(const CRaschetDlg& d, int side, int which)
    {
        const int i = d.m_nSel[side][which];
        return i < 0 ? -1 : d.m_Combo[side][which][std::size_t(i)].wire;
    }
};

TEST_F(CalcDialogTest, WireCombosFollowTheConnectionMode)
{
    // Four wire positions, the second conductor split into positions 1 and 2.
    doc.splitConductor = 1;
    g_nSplitConductor = 1;
    AddEndLoad({50.0, 50.0, 50.0, 50.0});
    AddSeries(4, {});
    AddEndLoad({50.0, 50.0, 50.0, 50.0});
    for (auto& e : doc.elements)
        e->splitConductor = 1;
    CRaschetDlg d(doc);
    d.OnInitDialog();
    EXPECT_FALSE(d.SecondWiresShown());
    EXPECT_EQ(Offered(d, kTransmitSide, 0), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(Selected(d, kReceiveSide, 0), 0);

    struct Step {
        int mode;
        int selectTx1;  // index chosen in the transmit first combo, -1 none
        std::vector<int> tx1, tx2;
        int selTx1, selTx2;
    };
    const Step steps[] = {
        // Wire to wire: the second wire from the first one's group.
        {kWireToWire, -1, {0, 1, 2, 3}, {3}, 0, 3},
        {kWireToWire, 1, {0, 1, 2, 3}, {2}, 1, 2},
        // Two wires to ground never takes a half: the first wire falls back
        // to the first entry, the second wire too.
        {kTwoWiresToGround, -1, {0, 3}, {3}, 0, 3},
        // Between two-wire modes the wires stay.
        {kWireToWireGrounded, -1, {0, 1, 2, 3}, {3}, 0, 3},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "mode " << s.mode << " select " << s.selectTx1);
        d.SetMode(s.mode);
        if (s.selectTx1 >= 0)
            d.SelectWire(kTransmitSide, 0, s.selectTx1);
        EXPECT_EQ(Offered(d, kTransmitSide, 0), s.tx1);
        EXPECT_EQ(Offered(d, kTransmitSide, 1), s.tx2);
        EXPECT_EQ(Selected(d, kTransmitSide, 0), s.selTx1);
        EXPECT_EQ(Selected(d, kTransmitSide, 1), s.selTx2);
    }
    EXPECT_TRUE(d.ResistanceShown());

    // Back to one wire: the second wires are dropped and not restored later.
    d.SelectWire(kTransmitSide, 0, 3);
    d.SetMode(kWireToGround);
    EXPECT_EQ(Selected(d, kTransmitSide, 0), 3);
    EXPECT_EQ(d.m_nSel[kTransmitSide][1], -1);
    EXPECT_EQ(d.m_nSel[kReceiveSide][1], -1);
    d.SetMode(kWireToWire);
    EXPECT_EQ(Selected(d, kTransmitSide, 0), 3);
    EXPECT_EQ(Selected(d, kTransmitSide, 1), 0);
}

TEST_F(CalcDialogTest, EndsOfOneWireOfferOnlyWireToGround)
{
    AddEndLoad({50.0, 0.0});
    AddSeries(2, {});
    AddEndLoad({0.0, 50.0});
    CRaschetDlg d(doc);
    d.OnInitDialog();
    EXPECT_TRUE(d.ModeEnabled(kWireToGround));
    for (int mode : {kWireToWire, kTwoWiresToGround, kWireToWireGrounded}) {
        EXPECT_FALSE(d.ModeEnabled(mode)) << mode;
        d.SetMode(mode);
        EXPECT_EQ(d.m_nMode, kWireToGround);
    }
    EXPECT_EQ(Selected(d, kReceiveSide, 0), 1);
}

TEST_F(CalcDialogTest, ArrowsMoveWithinTheListAndStopAtItsEnds)
{
    AddEndLoad({50.0, 50.0, 50.0});
    AddSeries(3, {});
    AddEndLoad({50.0, 50.0, 50.0});
    CRaschetDlg d(doc);
    d.OnInitDialog();
    const struct {
        bool up;
        int expected;
    } moves[] = {{true, 0}, {false, 1}, {false, 2}, {false, 2}, {true, 1}};
    for (const auto& m : moves) {
        d.SpinWire(kReceiveSide, 0, m.up);
        EXPECT_EQ(d.m_nSel[kReceiveSide][0], m.expected);
    }
    // The second wire's arrows work on its own list.
    d.SetMode(kWireToWire);
    d.SpinWire(kReceiveSide, 1, false);
    EXPECT_EQ(Selected(d, kReceiveSide, 1), 2);
    d.SpinWire(kReceiveSide, 1, false);
    EXPECT_EQ(Selected(d, kReceiveSide, 1), 2);
}

TEST_F(CalcDialogTest, StatusOfARunLastsUntilAnEditAndNonNumbersAreRefused)
{
    AddEndLoad({50.0, 75.0});
    AddSeries(2, {{0, 10.0}});
    AddEndLoad({50.0, 75.0});
    CRaschetDlg d(doc);
    d.OnInitDialog();
    d.SetFrequencyMode(0);
    d.m_strFreq = " 100 ";
    for (const std::function<void()>& change :
         {std::function<void()>([&] { d.OnFrequencyEdited(); }), std::function<void()>([&] {
              d.SelectWire(kTransmitSide, 0, 1);
          })}) {
        EXPECT_EQ(d.OnCalc().status, CalcStatus::Done);
        EXPECT_TRUE(d.m_bStatusShown);
        EXPECT_EQ(d.m_strStatus, "Расчет завершен");
        change();
        EXPECT_FALSE(d.m_bStatusShown);
    }
    EXPECT_TRUE(g_DocFile.modified);
    d.m_strFreq = "10 кГц";
    EXPECT_EQ(d.OnCalc().status, CalcStatus::Refused);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Введите число.");
    EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Stop);
    EXPECT_EQ(doc.responseResults.size(), 2u);
}

TEST_F(CalcDialogTest, NumbersNoFloatHoldsAreRefusedWithTheirFieldsMessage)
{
    // A float holds up to about 3.4e38, a frequency in hertz up to about
    // 3.4e35 kHz: beyond, the number or the frequency is refused as typed.
    AddEndLoad({50.0, 75.0});
    AddSeries(2, {{0, 10.0}});
    AddEndLoad({50.0, 75.0});
    CRaschetDlg d(doc);
    d.OnInitDialog();
    d.SetMode(kWireToWireGrounded);
    const struct {
        int freqMode;
        std::string CRaschetDlg::*field;  // "" the valid request
        const char* text;
        const char* message;  // "" the run is done
    } rows[] = {
        {1, nullptr, "", ""},
        {0, &CRaschetDlg::m_strResistance, "0", ""},
        {0, &CRaschetDlg::m_strResistance, "1e39", "Введите число."},
        {0, &CRaschetDlg::m_strResistance, "-0,5", kResistanceRefusal},
        {1, &CRaschetDlg::m_strStep, "1e39", "Введите число."},
        {0, &CRaschetDlg::m_strFreq, "3.5e35", kFrequencyRefusal},
        {1, &CRaschetDlg::m_strEnd, "3.5e35", kRangeRefusal},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        d.SetFrequencyMode(row.freqMode);
        d.m_strFreq = "100", d.m_strStart = "100", d.m_strEnd = "200", d.m_strStep = "50";
        d.m_strResistance = "50";
        if (row.field)
            d.*row.field = row.text;
        const std::size_t shown = messages.messages().size();
        const CalcOutcome out = d.OnCalc();
        if (!*row.message) {
            EXPECT_EQ(out.status, CalcStatus::Done);
            continue;
        }
        EXPECT_EQ(out.status, CalcStatus::Refused);
        ASSERT_EQ(messages.messages().size(), shown + 1);
        EXPECT_EQ(messages.messages().back().text, row.message);
    }
    ASSERT_EQ(doc.responseResults.size(), 2u);
    EXPECT_EQ(doc.responseResults[0]->resistance, 50.0);
    EXPECT_EQ(doc.responseResults[1]->resistance, 0.0);
}

TEST_F(CalcDialogTest, EndWithoutAWireDisablesTheCalculation)
{
    // A load whose resistances are all 0 is entered, yet offers no wire.
    AddEndLoad({0.0, 0.0});
    AddSeries(2, {});
    AddEndLoad({50.0, 50.0});
    CRaschetDlg d(doc);
    d.OnInitDialog();
    EXPECT_TRUE(d.m_Combo[kTransmitSide][0].empty());
    EXPECT_FALSE(d.CanCalculate());
    d.m_strFreq = "100";
    EXPECT_EQ(d.OnCalc().status, CalcStatus::Refused);
    EXPECT_TRUE(doc.responseResults.empty());
    EXPECT_FALSE(g_DocFile.modified);
}

TEST_F(CalcDialogTest, ModalDialogOffersOnlyANewFrequency)
{
    AddEndLoad({50.0, 50.0, 50.0});
    AddLine(channeltest::kRowX, channeltest::kRowY, 20e3);
    Last().name = "ВЛ-110";
    AddEndLoad({50.0, 50.0, 50.0});
    CModRaschDlg d(doc, *doc.elements[1], 1);
    d.SetClock([] { return std::time_t(1700000000); });
    d.OnInitDialog();
    EXPECT_EQ(d.m_strCaption, "ВЛ 2");
    EXPECT_EQ(d.m_strName, "ВЛ-110");
    EXPECT_EQ(d.m_strKind, "Воздушная линия электропередачи");
    EXPECT_FALSE(d.m_bCalcEnabled);

    const struct {
        const char* text;
        bool calc;   // press "Рассчитать" after typing
        bool enabled, done;
        std::size_t results;
    } steps[] = {
        {"100", false, true, false, 0},
        {"100", true, false, true, 1},
        {"100", false, false, true, 1},
        {"101", false, true, false, 1},
        {"0.0005", true, false, false, 1},  // refused, the button waits for another frequency
        {"0.0005", false, true, false, 1},  // the same text: nothing was calculated at it
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.text);
        d.m_strFreq = s.text;
        d.OnFreqChange();
        if (s.calc)
            d.OnCalc();
        EXPECT_EQ(d.m_bCalcEnabled, s.enabled);
        EXPECT_EQ(d.m_bDoneShown, s.done);
        EXPECT_EQ(doc.modalResults.size(), s.results);
    }
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Задайте расчетную частоту!");
    EXPECT_EQ(messages.messages()[0].caption, "Ошибка данных");
    EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Stop);
    EXPECT_TRUE(g_DocFile.modified);
    EXPECT_EQ(doc.modalResults[0]->name, FormatRunName(1700000000));
}

TEST_F(CalcDialogTest, ModalMatrixErrorStoresNothing)
{
    CElement cable;
    cable.type = kCableLine;
    auto line = std::make_unique<CKLine>(calctest::MakeSolidKLine(1, 1500));
    line->solidCable.epsInner = line->solidCable.epsOuter = 1e-45;
    cable.wirePositions = std::uint8_t(KLineModalOrder(*line));
    cable.data = std::move(line);
    CModRaschDlg d(doc, cable, 0);
    d.OnInitDialog();
    EXPECT_EQ(d.m_strCaption, "КЛ 1");
    EXPECT_FALSE(d.m_bRegenShown);
    d.m_strFreq = "100";
    d.OnFreqChange();
    d.OnCalc();
    EXPECT_TRUE(doc.modalResults.empty());
    EXPECT_FALSE(d.m_bDoneShown);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Stop);
    EXPECT_FALSE(g_DocFile.modified);
}

} // namespace

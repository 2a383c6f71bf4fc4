// The tap-end load, end load and end of an attached circuit dialogs.
#include "dialogs/endmoddlg.h"
#include "dialogs/fazirdlg.h"
#include "dialogs/nagrotvdlg.h"
#include "dialogs/nagruzdlg.h"
#include "model/branches.h"
#include "model/element.h"
#include "model/shunts.h"
#include "platform/messages.h"
#include "wiredelement.h"

#include <gtest/gtest.h>

namespace {

class LoadDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ResetModelGlobals(); }
    void TearDown() override { ResetModelGlobals(); }
    ScriptedMessages messages;
};

TEST_F(LoadDialogTest, TapEndNeedsACapacitanceOnlyWhenLoadedOnIt)
{
    struct Case {
        int mode;
        const char* text;
        int answer;
        double stored;
    };
    const Case cases[] = {
        {2, "0", 0, 0.0}, {2, "-5", 0, 0.0}, {2, "abc", 0, 0.0}, {2, "150", IDOK, 150e-12},
        {0, "150", IDOK, 0.0}, {1, "abc", IDOK, 0.0},
    };
    for (const Case& c : cases) {
        CElement e = WiredElement(kTapLoad, 1, 0);
        CNagrOtvDlg d;
        d.element = &e;
        d.data = e.Data<CNagrOtv>();
        d.OnInitDialog();
        d.OnMode(c.mode);
        d.capacitanceText = c.text;
        EXPECT_EQ(d.OnOK(), c.answer) << c.mode << " " << c.text;
        if (c.answer == IDOK) {
            EXPECT_EQ(e.Data<CNagrOtv>()->mode, c.mode);
            EXPECT_NEAR(e.Data<CNagrOtv>()->capacitance, c.stored, 1e-18);
            EXPECT_EQ(e.entered, 1);
        }
    }
    EXPECT_EQ(messages.messages()[0].text, "Забыли задать эквивалентную емкость!");
    EXPECT_EQ(messages.messages()[2].text, "Введите число.");
}

TEST_F(LoadDialogTest, EndLoadEntersOnlyNumbersAndKeepsStoredLoadsOfAnotherCount)
{
    g_nSplitConductor = 1;
    CElement e = WiredElement(kEndLoad, 1, 1);  // 4 conductors, 5 wires with the split one
    CNagruz* stored = e.Data<CNagruz>();
    stored->count = 2;
    stored->values = {50.0, -1.0};  // entered for the old count
    CNagruzDlg d;
    d.element = &e;
    d.split = 1;
    d.OnInitDialog();
    EXPECT_EQ(d.wireCount, 5);
    EXPECT_EQ(d.phaseWireCount, 4);
    EXPECT_EQ(d.values, (std::vector<float>{50, -1, -1, -1, -1}));
    EXPECT_TRUE(d.OkEnabled());
    EXPECT_EQ(d.countLabel, "Число цепей");
    for (const char* text : {"abc", "Нет", "-3"}) {
        d.valueText = text;
        d.OnValueTextChanged();
        EXPECT_FALSE(d.enterEnabled) << text;
        d.OnEnter();
    }
    EXPECT_EQ(d.values[0], 50.0f);  // nothing was stored
    d.OnWireNumberChanged(5);
    d.valueText = "75";
    d.OnValueTextChanged();
    ASSERT_TRUE(d.enterEnabled);
    d.OnEnter();
    EXPECT_EQ(d.wireNumber, 5);  // the last wire stays
    EXPECT_EQ(d.RowValue(4), "75");
    d.OnWireNumberChanged(1);
    d.OnDelete();
    EXPECT_EQ(d.RowValue(0), "Нет");
    ASSERT_EQ(d.OnOK(), IDOK);
    ASSERT_NE(e.Data<CNagruz>(), nullptr);
    EXPECT_EQ(e.Data<CNagruz>()->count, 5);
    EXPECT_EQ(e.Data<CNagruz>()->values, (std::vector<double>{-1, -1, -1, -1, 75}));
    EXPECT_EQ(e.outMap[3], e.inMap[3]);
}

TEST_F(LoadDialogTest, EndLoadWithoutLoadsWaitsForOneButClosesOutsideEditingMode)
{
    CElement e = WiredElement(kEndLoad, 1, 0);
    CNagruzDlg d;
    d.element = &e;
    d.OnInitDialog();
    EXPECT_FALSE(d.OkEnabled());
    d.valueText = "0";
    d.OnValueTextChanged();
    d.OnEnter();
    EXPECT_TRUE(d.OkEnabled());  // 0 ohm is a load
    CNagruzDlg view;
    view.element = &e;
    view.readOnly = 1;
    view.OnInitDialog();
    EXPECT_TRUE(view.OkEnabled());
    EXPECT_EQ(view.OnOK(), IDCANCEL);
}

TEST_F(LoadDialogTest, EndLoadPhasingGetsOneWireLessWithASplitConductor)
{
    CElement e = WiredElement(kEndLoad, 1, 0);
    int phased = -1;
    ScopedModalRunner<CFazirDlg> runner([&](CFazirDlg& f) {
        phased = f.wireCount;
        f.OnInitDialog();
        f.OnPhaseChosen(1);
        f.OnOK();
        return IDOK;
    });
    CNagruzDlg d;
    d.element = &e;
    d.split = 0;
    d.isFirstElement = 1;
    d.OnInitDialog();
    EXPECT_TRUE(d.OnPhasing());
    EXPECT_EQ(phased, 3);
    EXPECT_EQ(e.inMap[0], 1);
    EXPECT_EQ(e.inMap[1], 0);
}

TEST_F(LoadDialogTest, AttachedEndResistiveOnlyKeepsTwoColumnsAndLoadedValuesSurviveARadioTrip)
{
    CElement e = WiredElement(kAttachedEnd, 0, 3);
    CEndMod* data = e.Data<CEndMod>();
    data->kind = 1;
    data->count = 2;           // stored for fewer wires than the element has
    data->r = std::vector<double>{10.0, 20.0};
    CEndModDlg d;
    d.element = &e;
    d.data = data;
    d.OnInitDialog();
    EXPECT_EQ(d.Columns().size(), 2u);
    EXPECT_EQ(d.ColumnWidths(118), (std::vector<int>{23, 25}));
    EXPECT_FALSE(d.RadioEnabled(0));
    EXPECT_EQ(d.rValues, (std::vector<float>{10, 20, 0}));
    EXPECT_EQ(d.Row(2), (std::vector<std::string>{"Нет"}));
    d.wireIndex = 2;
    d.rText = "-4";
    ASSERT_TRUE(d.OnEnter());
    EXPECT_EQ(d.rValues[2], 0.0f);
    EXPECT_EQ(d.wireIndex, 2);  // the last wire stays chosen
    ASSERT_EQ(d.OnOK(), IDOK);
    EXPECT_EQ(data->kind, 1);
    EXPECT_EQ(data->count, 3);
    EXPECT_EQ(data->r->size(), 3u);
    EXPECT_FALSE(data->l.has_value());

    data->kind = 4;
    data->l = std::vector<double>{0.001, 0.002, 0.0};
    data->c = std::vector<double>{1e-9, 0.0, 0.0};
    CEndModDlg full;
    full.element = &e;
    full.data = data;
    full.OnInitDialog();
    EXPECT_EQ(full.Row(0), (std::vector<std::string>{"10", "1", "1000"}));
    full.OnMode(0);
    full.OnMode(2);
    EXPECT_EQ(full.Row(0), (std::vector<std::string>{"10", "1", "1000"}));
    full.OnMode(1);
    ASSERT_EQ(full.OnOK(), IDOK);
    EXPECT_EQ(data->kind, 3);
    EXPECT_FALSE(data->r.has_value());
    EXPECT_FALSE(data->c.has_value());
}

} // namespace

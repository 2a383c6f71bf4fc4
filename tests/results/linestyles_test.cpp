#include "results/linestyles.h"

#include <gtest/gtest.h>

namespace {

LineStyleTables Defaults()
{
    LineStyleTables t;
    SetDefaultLineStyles(t);
    return t;
}

TEST(LineStyles, DefaultsAndCodes)
{
    LineStyleTables t = Defaults();
    EXPECT_EQ(t.colours[0], 0xFFu);
    EXPECT_EQ(t.colours[2], 0xFF0000u);
    EXPECT_EQ(t.colours[9], 0x6464u);
    EXPECT_EQ(t.colours[10], 0u);
    EXPECT_EQ(t.widths[19], 2);
    EXPECT_EQ(t.markers[5], 16);
    EXPECT_EQ(MarkerCode(3, 5), 29);
    EXPECT_EQ(MarkerKind(29), 5);
    EXPECT_EQ(MarkerSize(29), 3);
    EXPECT_EQ(MakeColour(1, 2, 3), 0x030201u);
    t.colourMode = 1;
    EXPECT_EQ(t.StyleBase(), 10);
}

TEST(LineStyles, BrightnessOfTheBlackSet)
{
    LineStyleEditModel d(Defaults());
    d.Open(1);
    EXPECT_EQ(d.redCaption, "Яркость");
    EXPECT_FALSE(d.GreenBlueShown());
    EXPECT_EQ(d.sliders[0], 255); // black line: full brightness slider
    EXPECT_EQ(d.redText, "255");
    d.MoveSlider(0, 0);
    EXPECT_EQ(d.colours[10], MakeColour(255, 255, 255)); // 0 stores white
    d.MoveSlider(0, 255);
    EXPECT_EQ(d.colours[10], 0u); // 255 stores black
    d.MoveSlider(0, 5);
    EXPECT_EQ(d.redText, "  5");
    d.SetLineNumber(1);
    EXPECT_EQ(d.redText, "5"); // loading writes "%d" in the black set
}

TEST(LineStyles, EditingOneLineChangesOneEntry)
{
    const LineStyleTables before = Defaults();
    LineStyleEditModel d(before);
    d.Open(0);
    EXPECT_EQ(d.redCaption, "Красный");
    d.SwitchColourMode(1);
    EXPECT_EQ(d.styleBase, 10);
    ASSERT_TRUE(d.SetLineNumber(4));
    EXPECT_EQ(d.EditedEntry(), 13);
    d.SetMarkerSize(3);
    d.SetMarkerKind(5);
    d.SetPenWidth(7);
    EXPECT_FALSE(d.SetPenWidth(11)); // outside the control's range
    EXPECT_FALSE(d.SetLineNumber(0));
    EXPECT_FALSE(d.SetMarkerKind(5)); // the current kind: no change
    LineStyleTables after = before;
    after.colourMode = 0;
    d.Save(after);
    for (int i = 0; i < kLineStyleCount; ++i) {
        if (i == 13)
            continue;
        EXPECT_EQ(after.colours[i], before.colours[i]) << i;
        EXPECT_EQ(after.widths[i], before.widths[i]) << i;
        EXPECT_EQ(after.markers[i], before.markers[i]) << i;
    }
    EXPECT_EQ(after.markers[13], 29);
    EXPECT_EQ(after.widths[13], 7);
    EXPECT_EQ(after.colourMode, 0); // the set in use is not the dialog's

    // Back in the coloured set the controls show its line 4.
    d.SwitchColourMode(0);
    EXPECT_TRUE(d.GreenBlueShown());
    EXPECT_EQ(d.sliders[0], RedOf(before.colours[3]));
    EXPECT_EQ(d.sliders[1], GreenOf(before.colours[3]));
    EXPECT_EQ(d.greenText, "195"); // 0xC3C3: green 195, "%3d"
    EXPECT_EQ(d.blueText, "  0");
}

} // namespace

#include "results/linestyleedit.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// The shape of the program's line-style tables, filled with their defaults:
// ten colours, then ten black lines, width 2, marker 16.
struct Styles {
    int colourMode = 0;
    std::uint32_t colours[20]{};
    int widths[20]{};
    int markers[20]{};
    Styles()
    {
        const std::uint32_t coloured[10] = {0xFF,     0xC800, 0xFF0000, 0xC3C3,   0xFF00FF,
                                            0xC3C300, 0x7F,   0x6400,   0x7F0000, 0x6464};
        for (int i = 0; i < 20; ++i) {
            colours[i] = i < 10 ? coloured[i] : 0;
            widths[i] = 2;
            markers[i] = 16;
        }
    }
};

TEST(LineStyleEdit, BrightnessOfTheBlackSet)
{
    LineStyleEditModel d{Styles()};
    d.Open(1);
    EXPECT_EQ(d.redCaption, "Яркость");
    EXPECT_FALSE(d.GreenBlueShown());
    EXPECT_EQ(d.sliders[0], 255); // a black line: full brightness slider
    EXPECT_EQ(d.redText, "255");
    d.MoveSlider(0, 0);
    EXPECT_EQ(d.colours[10], 0xFFFFFFu); // 0 stores white
    d.MoveSlider(0, 255);
    EXPECT_EQ(d.colours[10], 0u); // 255 stores black
    d.MoveSlider(0, 5);
    EXPECT_EQ(d.redText, "  5");
    d.SetLineNumber(1);
    EXPECT_EQ(d.redText, "5"); // loading writes "%d" in the black set
}

TEST(LineStyleEdit, EditingOneLineChangesOneEntry)
{
    const Styles before;
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
    Styles after = before;
    d.Save(after);
    for (int i = 0; i < 20; ++i) {
        if (i == 13)
            continue;
        EXPECT_EQ(after.colours[i], before.colours[i]) << i;
        EXPECT_EQ(after.widths[i], before.widths[i]) << i;
        EXPECT_EQ(after.markers[i], before.markers[i]) << i;
    }
    EXPECT_EQ(after.markers[13], 29); // size 3, kind 5
    EXPECT_EQ(after.widths[13], 7);
    EXPECT_EQ(after.colourMode, 0);

    // Back in the coloured set the controls show its line 4 (0xC3C3).
    d.SwitchColourMode(0);
    EXPECT_TRUE(d.GreenBlueShown());
    EXPECT_EQ(d.sliders[0], 0xC3);
    EXPECT_EQ(d.greenText, "195");
    EXPECT_EQ(d.blueText, "  0");
}

} // namespace

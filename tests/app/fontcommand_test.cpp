#include "app/displayfont.h"
#include "app/fontcommand.h"
#include "shellfixture.h"

#include <gtest/gtest.h>

namespace {

TEST(FontCommand, CancelChangesNothingAndOkTakesTheChoice)
{
    g_LogFont = DefaultDisplayFont();
    int remade = 0;
    g_OnDisplayFontChanged = [&remade] { ++remade; };
    LogFont offered;
    {
        ScopedModalRunner<FontDialogModel> cancel([&offered](FontDialogModel& m) {
            offered = m.font;
            m.font.lfFaceName = "Other";
            return IDCANCEL;
        });
        EXPECT_FALSE(ChooseFont());
    }
    EXPECT_EQ(offered, DefaultDisplayFont()); // the dialog starts from the display font
    EXPECT_EQ(g_LogFont, DefaultDisplayFont());
    EXPECT_EQ(remade, 0);

    ScopedModalRunner<FontDialogModel> ok([](FontDialogModel& m) {
        m.font.lfFaceName = "DejaVu Sans Mono";
        m.font.lfHeight = 14;
        return IDOK;
    });
    EXPECT_TRUE(ChooseFont());
    EXPECT_EQ(g_LogFont.lfFaceName, "DejaVu Sans Mono");
    EXPECT_EQ(g_LogFont.lfHeight, 14);
    EXPECT_EQ(remade, 1);
    g_OnDisplayFontChanged = nullptr;
    g_LogFont = DefaultDisplayFont();
}

TEST(FontCommand, TextListingIsLaidOutAgainOnlyInATextMode)
{
    struct CountingView : ViewHost {
        void InvalidateView() override { ++invalidated; }
        void FocusView() override {}
        void ScrollViewTo(int, int) override {}
        int invalidated = 0;
    } viewHost;
    CKestrinView view;
    view.SetHost(&viewHost);
    RecordingFrameHost host;
    CMainFrame frame;
    frame.OnCreate(&host);
    ScopedModalRunner<FontDialogModel> ok([](FontDialogModel&) { return IDOK; });
    viewHost.invalidated = 0;
    ChooseFont();
    EXPECT_EQ(viewHost.invalidated, 0);
    frame.m_nViewMode = 1;
    ChooseFont();
    EXPECT_EQ(viewHost.invalidated, 1);
    g_LogFont = DefaultDisplayFont();
}

} // namespace

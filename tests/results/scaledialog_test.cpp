#include "platform/messages.h"
#include "results/scaledialog.h"
#include "resultstest.h"

#include <limits>

namespace {

TEST(ScaleDialog, FilledFromTheAxesAndChecked)
{
    CRezGra r = AttenuationResult(100e3, 500e3, {0, 37, 10, 20, 30});
    GraphModel m;
    m.BuildCurves(kQuantityAttenuation, {CurveSource{"x", &r}});
    m.ComputeAxes();
    ScaleDialogModel d = ScaleDialogModel::FromGraph(m);
    EXPECT_EQ(d.yLower, 0);
    EXPECT_EQ(d.yStepValue, 5);
    EXPECT_EQ(d.yUpper, 37);
    EXPECT_EQ(d.xLower, 80);
    EXPECT_EQ(d.xStepValue, 80);
    EXPECT_EQ(d.xUpper, 500);

    ScriptedMessages msgs;
    EXPECT_TRUE(d.Validate());
    EXPECT_TRUE(msgs.messages().empty());
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (auto spoil : std::vector<std::function<void(ScaleDialogModel&)>>{
             [](ScaleDialogModel& s) { s.yUpper = s.yLower; },
             [](ScaleDialogModel& s) { s.xUpper = s.xLower - 1; },
             [](ScaleDialogModel& s) { s.yStepValue = 0; },
             [](ScaleDialogModel& s) { s.xStepValue = -1; },
             [inf](ScaleDialogModel& s) { s.yUpper = inf; },
             [nan](ScaleDialogModel& s) { s.xLower = nan; }}) {
        ScaleDialogModel bad = d;
        spoil(bad);
        msgs.clear();
        EXPECT_FALSE(bad.Validate());
        ASSERT_EQ(msgs.messages().size(), 1u);
        EXPECT_EQ(msgs.messages()[0].text, "Некорректно заданы параметры!");
        EXPECT_EQ(msgs.messages()[0].caption, "Ошибка");
        EXPECT_EQ(msgs.messages()[0].icon, MsgIcon::Stop);
    }

    d.yUpper = 40;
    d.ApplyTo(m);
    EXPECT_TRUE(m.manualScale);
    EXPECT_TRUE(m.yFull); // 0 to 40 contains the shown 0 to 37
    EXPECT_TRUE(m.xFull);  // 80 to 500 contains the shown 100 to 500
}

} // namespace

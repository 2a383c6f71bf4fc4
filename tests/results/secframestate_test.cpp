// What a run of the result-choice dialog changes in the results window: the
// answer, a deletion, and result lists that changed under the window.
#include "buffertest.h"
#include "platform/modal.h"
#include "results/secframestate.h"
#include "results/vibrezdlg.h"

namespace {

class FrameChoice : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetModelGlobals();
        MakeTask(doc);
        for (int n : {3, 2})
            doc.AddResponseResult(TaskResult(n));
        state.ViewMode = 7;
        state.chosenTract = {1, 0};
        state.chosenModal = {};
    }
    void TearDown() override { ResetModelGlobals(); }

    CKestrinDoc doc;
    SecFrameState state;
};

TEST_F(FrameChoice, OkTakesTheChoiceACancelKeepsTheWindowsOwn)
{
    struct {
        const char* what;
        int answer;
        bool deleteFirst;
        bool rebuild;
        std::uint8_t mode;
        std::vector<int> tract;
    } cases[] = {
        {"Просмотр of the second", IDOK, false, true, 7, {0, 1}},
        {"Возврат after choosing the second", IDCANCEL, false, false, 7, {1, 0}},
        {"Возврат after deleting the shown result", IDCANCEL, true, true, 7, {0}},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        ScriptedMessages messages;
        messages.queue(MsgAnswer::Yes);
        CVibRezDlg dlg(doc);
        state.PrepareChoice(dlg);
        dlg.OnInitDialog();
        dlg.OnClickTree();
        if (c.deleteFirst) {
            dlg.OnSelChanged(CVibRezDlg::TractItem(0));
            ASSERT_TRUE(dlg.OnDelete());
        } else {
            dlg.OnSelChanged(CVibRezDlg::TractItem(0));
            dlg.OnClickTree();
            dlg.OnSelChanged(CVibRezDlg::TractItem(1));
            if (c.answer == IDOK) {
                ASSERT_TRUE(dlg.OnOK());
            }
        }
        EXPECT_EQ(state.TakeChoice(dlg, c.answer), c.rebuild);
        EXPECT_EQ(state.ViewMode, c.mode);
        EXPECT_EQ(state.chosenTract, c.tract);
        EXPECT_EQ(state.HasChosenResult(doc), c.answer == IDOK || !c.deleteFirst);
        TearDown();
    }
}

TEST_F(FrameChoice, ClearedResultsLeaveNothingChosen)
{
    doc.ClearResults();
    state.FitToDocument(doc);
    EXPECT_TRUE(state.chosenTract.empty());
    EXPECT_FALSE(state.HasChosenResult(doc));
    EXPECT_EQ(state.FirstChosenTract(doc), -1);
}

} // namespace

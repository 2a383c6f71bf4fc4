#include "buffertest.h"
#include "results/vibrezbufdlg.h"

namespace {

using Dlg = CVibRezBufDlg;

class BufferChoice : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetModelGlobals();
        MakeTask(a);
        g_pDoc = &a;
        a.AddResponseResult(TaskResult(2, 1, "a1"));
        a.AddResponseResult(TaskResult(3, 3, "a2"));
        a.AddResponseResult(TaskResult(4, 0, "a3"));
        buffer.PutTask(a, "/задачи/А.ktf", "А.ktf");
        MakeTask(b);
        b.AddResponseResult(TaskResult(5, 1, "b1"));
        buffer.PutTask(b, "", "Задача безымянная.");
    }
    void TearDown() override { ResetModelGlobals(); }

    void Click(std::uint32_t item)
    {
        dlg.OnClickTree();
        dlg.OnSelChanged(item);
    }

    CKestrinDoc a, b;
    CompareBuffer buffer;
    Dlg dlg{buffer};
    ScriptedMessages messages;
};

TEST_F(BufferChoice, TreeTexts)
{
    dlg.OnInitDialog();
    const auto& tree = dlg.Tree();
    ASSERT_EQ(tree.size(), 2u);
    EXPECT_EQ(tree[0].text, "/задачи/А.ktf");
    EXPECT_EQ(tree[1].text, "Задача безымянная.");  // no path to show
    EXPECT_EQ(tree[1].data, 65536u);
    ASSERT_EQ(tree[0].children.size(), 3u);
    EXPECT_EQ(tree[0].children[0].text, "  F=24 - 25 кГц (шаг 1). Подкл. A-B/B-C (a1)");
    // The mode-3 label already carries its resistance: it is shown once.
    EXPECT_EQ(tree[0].children[1].text, "  F=24 - 26 кГц (шаг 1). Подкл. A-B/B-C+R=75 Ом (a2)");
    EXPECT_EQ(tree[0].children[2].data, 3u);
    Click(Dlg::CurveItem(0, 1));
    EXPECT_EQ(dlg.Tree()[0].children[1].text.substr(0, 3), "+ F");
    EXPECT_EQ(dlg.selectedCount, 1);
    Click(Dlg::CurveItem(0, 1));  // the same curve again: unmarked
    EXPECT_EQ(dlg.selectedCount, 0);
    Click(Dlg::GroupItem(1));
    EXPECT_EQ(dlg.selectedCount, 0);
    EXPECT_TRUE(dlg.Control(Dlg::kIdDelete).enabled);
}

TEST_F(BufferChoice, QuantityAndRadiosBothWays)
{
    struct Case {
        int quantity, choice, impedanceSide, mismatchSide;
    };
    for (Case c : {Case{0, 0, 0, 0}, Case{1, 1, 0, 0}, Case{2, 2, 0, 0}, Case{3, 2, 1, 0}, Case{4, 3, 0, 0},
                   Case{5, 3, 0, 1}}) {
        CompareBuffer copy(buffer);
        Dlg d(copy);
        d.quantity = c.quantity;
        d.OnInitDialog();
        EXPECT_EQ(d.quantityChoice, c.choice) << c.quantity;
        EXPECT_EQ(d.impedanceSide, c.impedanceSide) << c.quantity;
        EXPECT_EQ(d.mismatchSide, c.mismatchSide) << c.quantity;
        EXPECT_EQ(d.Control(Dlg::kIdImpedanceFrame).shown, c.choice == 2);
        EXPECT_EQ(d.Control(Dlg::kIdMismatchRight).shown, c.choice == 3);
        d.OnSelChanged(Dlg::CurveItem(0, 2));
        ASSERT_TRUE(d.OnOK()) << c.quantity;
        EXPECT_EQ(d.quantity, c.quantity);
    }
    dlg.quantity = 3;
    dlg.OnInitDialog();
    EXPECT_TRUE(dlg.Control(Dlg::kIdImpedance).checked);
    EXPECT_TRUE(dlg.Control(Dlg::kIdImpedanceRight).checked);
    dlg.OnQuantityChoice(3);
    EXPECT_FALSE(dlg.Control(Dlg::kIdImpedanceLeft).shown);
    EXPECT_TRUE(dlg.Control(Dlg::kIdMismatchLeft).shown);
}

TEST_F(BufferChoice, DelayUnmarksTwoPointCurves)
{
    dlg.OnInitDialog();
    Click(Dlg::CurveItem(0, 0));  // 2 points
    Click(Dlg::CurveItem(0, 1));  // 3 points
    dlg.OnQuantityChoice(1);
    EXPECT_FALSE(dlg.OnOK());
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].caption, "Проблема");
    EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Information);
    EXPECT_EQ(dlg.selectedCount, 1);
    EXPECT_EQ(dlg.Tree()[0].children[0].text[0], ' ');
    EXPECT_EQ(buffer.groups[0]->SelectedCount(), 0);  // the buffer is not touched yet

    ASSERT_TRUE(dlg.OnOK());
    EXPECT_EQ(dlg.quantity, 1);
    EXPECT_EQ(dlg.selectedCount, 1);
    EXPECT_EQ(buffer.groups[0]->curves[1]->selected, 1);
    EXPECT_TRUE(dlg.workList.groups.empty());
}

TEST_F(BufferChoice, TenCurvesAtMost)
{
    for (int i = 0; i < 3; ++i)
        b.AddResponseResult(TaskResult(3));
    buffer.PutTask(b, "", "Задача безымянная.");  // 4 curves there, 7 in all
    CKestrinDoc c;
    MakeTask(c);
    for (int i = 0; i < 4; ++i)
        c.AddResponseResult(TaskResult(3));
    buffer.PutTask(c, "/c.ktf", "c.ktf");  // 11 in all
    dlg.OnInitDialog();
    for (std::size_t g = 0; g < dlg.Tree().size(); ++g)
        for (const auto& item : dlg.Tree()[g].children)
            Click(item.data);
    ASSERT_EQ(dlg.selectedCount, 11);
    EXPECT_FALSE(dlg.OnOK());
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Возможен просмотр не более 10 графиков!");
    EXPECT_EQ(messages.messages()[0].caption, "Многовато будет!");
    EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Stop);
    Click(Dlg::CurveItem(2, 3));
    EXPECT_TRUE(dlg.OnOK());
    EXPECT_EQ(dlg.selectedCount, 10);
}

TEST_F(BufferChoice, NothingMarked)
{
    dlg.OnInitDialog();
    EXPECT_FALSE(dlg.OnOK());
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Так нельзя - Вы не выбрали, что смотреть!");
    EXPECT_EQ(messages.messages()[0].caption, "Вы что-то забыли!");
    EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Stop);
}

TEST_F(BufferChoice, Deleting)
{
    dlg.OnInitDialog();
    Click(Dlg::CurveItem(0, 2));
    Click(Dlg::CurveItem(0, 0));
    messages.queue(MsgAnswer::No);
    EXPECT_FALSE(dlg.OnDelete());
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text,
              "Подтвердите удаление из буфера сравнения\nрезультатов\n"
              "+ F=24 - 25 кГц (шаг 1). Подкл. A-B/B-C (a1)\nдля задачи\n\"/задачи/А.ktf\".");
    EXPECT_EQ(messages.messages()[0].caption, "Удаление результатов расчетов");
    EXPECT_EQ(messages.messages()[0].icon, MsgIcon::Question);
    EXPECT_EQ(messages.messages()[0].buttons, MsgButtons::YesNo);

    // The marked first curve goes; a later curve is still addressed right.
    ASSERT_TRUE(dlg.OnDelete());
    EXPECT_EQ(dlg.selectedCount, 1);
    EXPECT_FALSE(dlg.Control(Dlg::kIdDelete).enabled);
    ASSERT_EQ(dlg.workList.groups[0]->curves.size(), 2u);
    Click(Dlg::CurveItem(0, 0));
    EXPECT_EQ(dlg.workList.groups[0]->curves[0]->result.name, "a2");
    EXPECT_EQ(dlg.workList.groups[0]->curves[0]->selected, 1);
    EXPECT_EQ(dlg.selectedCount, 2);

    // The only curve of a group takes its group with it.
    Click(Dlg::CurveItem(1, 0));
    ASSERT_TRUE(dlg.OnDelete());
    ASSERT_EQ(dlg.workList.groups.size(), 1u);
    ASSERT_EQ(dlg.Tree().size(), 1u);

    // A whole group, with its marked curves.
    messages.clear();
    Click(Dlg::GroupItem(0));
    ASSERT_TRUE(dlg.OnDelete());
    EXPECT_EQ(messages.messages()[0].text,
              "Подтвердите удаление из буфера сравнения\nрезультатов для задачи\n\"/задачи/А.ktf\".");
    EXPECT_TRUE(dlg.workList.groups.empty());
    EXPECT_EQ(dlg.selectedCount, 0);
    EXPECT_EQ(buffer.groups.size(), 2u);  // until "Просмотр"
}

TEST_F(BufferChoice, ReturnAfterAddingAndDeletingLeavesTheBufferAsItWas)
{
    ScratchFolder folder;
    CKestrinDoc c;
    MakeTask(c, true);
    c.AddResponseResult(TaskResult(3, 0, "c1"));
    std::string path = SaveTask(c, folder.File("Полюса.ktf"));
    buffer.groups[0]->curves[1]->selected = 1;
    const std::string before = Dump(buffer);

    dlg.OnInitDialog();
    EXPECT_EQ(dlg.selectedCount, 1);
    ASSERT_TRUE(dlg.OnAddFile(path));
    ASSERT_EQ(dlg.Tree().size(), 3u);
    EXPECT_EQ(dlg.Tree()[2].text, path);
    EXPECT_EQ(dlg.Tree()[2].children[0].text, "  F=24 - 26 кГц (шаг 1). Подкл. +-0/--0 (c1)");
    EXPECT_FALSE(dlg.OnAddFile(folder.File("нет такого.ktf")));
    EXPECT_EQ(dlg.Tree().size(), 3u);
    Click(Dlg::GroupItem(0));
    ASSERT_TRUE(dlg.OnDelete());
    Click(Dlg::CurveItem(0, 0));
    dlg.OnCancel();
    EXPECT_EQ(Dump(buffer), before);
    EXPECT_TRUE(dlg.workList.groups.empty());

    // With "Просмотр" the additions stay.
    dlg.OnInitDialog();
    ASSERT_TRUE(dlg.OnAddFile(path));
    ASSERT_TRUE(dlg.OnOK());
    ASSERT_EQ(buffer.groups.size(), 3u);
    EXPECT_EQ(buffer.groups[2]->title, "Полюса");
    EXPECT_EQ(buffer.groups[0]->curves[1]->selected, 1);
}

}  // namespace

#include "buffertest.h"
#include "results/vibrezdlg.h"

namespace {

using Dlg = CVibRezDlg;

class ResultChoice : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetModelGlobals();
        MakeTask(doc);
        g_pDoc = &doc;
        doc.elements[0]->type = kOverheadLine;
        for (int n : {3, 2, 4})
            doc.AddResponseResult(TaskResult(n, 1, "0" + std::to_string(n) + ".03.24 10:00"));
        for (int i = 0; i < 2; ++i) {
            auto m = std::make_unique<CRezMod>();
            m->name = "07.03.24 11:0" + std::to_string(i);
            m->position = std::uint16_t(i == 0 ? 0 : 7);  // the second names an element past the chain
            m->freq = 100000.0;
            doc.AddModalResult(std::move(m));
        }
    }
    void TearDown() override { ResetModelGlobals(); }

    // Opens the dialog as the results window would, with its flags.
    void Open(std::uint8_t mode = 0, std::vector<int> tract = {}, std::vector<int> modal = {})
    {
        dlg.viewMode = mode;
        dlg.chosenTract = std::move(tract);
        dlg.chosenModal = std::move(modal);
        dlg.OnInitDialog();
    }
    void Click(std::uint32_t item)
    {
        dlg.OnClickTree();
        dlg.OnSelChanged(item);
    }
    const ScriptedMessages::Message& OnlyMessage()
    {
        EXPECT_EQ(messages.messages().size(), 1u);
        static ScriptedMessages::Message none;
        return messages.messages().empty() ? none : messages.messages().back();
    }

    CKestrinDoc doc;
    Dlg dlg{doc};
    ScriptedMessages messages;
};

TEST_F(ResultChoice, OpeningSizesTheArraysAndDescribesTheResults)
{
    Open(0, {}, {});
    EXPECT_EQ(dlg.chosenTract, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(dlg.chosenModal, (std::vector<int>{0, 0}));
    EXPECT_FALSE(dlg.Control(Dlg::kIdDelete).enabled);
    EXPECT_EQ(dlg.TractTexts()[0], "  F=24 - 26 кГц (шаг 1). Подключение A-B/B-C (03.03.24 10:00)");
    EXPECT_EQ(dlg.ModalTexts()[0], "  ВЛ1, F=100 кГц (07.03.24 11:00)");
    EXPECT_EQ(dlg.ModalTexts()[1], "  КЛ8, F=100 кГц (07.03.24 11:01)");

    doc.AddResponseResult(TaskResult(1, 3, "x"));
    Open(0, {0, 1, 0}, {0, 0});
    EXPECT_EQ(dlg.chosenTract, (std::vector<int>{0, 1, 0, 0}));  // kept, the new one unchosen
    EXPECT_EQ(dlg.TractTexts()[1].substr(0, 1), "+");
    EXPECT_EQ(dlg.TractTexts()[3], "  F=24 кГц. Подключение A-B/B-C+R=75 Ом (x)");
}

TEST_F(ResultChoice, ModalAndTractChoicesExcludeEachOther)
{
    Open(1);
    for (std::size_t i = 0; i < 3; ++i)
        Click(Dlg::TractItem(i));
    EXPECT_EQ(dlg.chosenTractCount, 3);
    EXPECT_TRUE(dlg.Control(Dlg::kIdDelete).enabled);

    Click(Dlg::ModalItem(1));
    EXPECT_EQ(dlg.chosenTract, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(dlg.chosenModal, (std::vector<int>{0, 1}));
    for (const auto& t : dlg.TractTexts())
        EXPECT_EQ(t[0], ' ');
    EXPECT_EQ(dlg.ModalTexts()[1][0], '+');

    Click(Dlg::ModalItem(0));  // another modal result replaces it
    EXPECT_EQ(dlg.chosenModal, (std::vector<int>{1, 0}));
    Click(Dlg::TractItem(2));
    EXPECT_EQ(dlg.chosenModal, (std::vector<int>{0, 0}));
    EXPECT_EQ(dlg.chosenTract, (std::vector<int>{0, 0, 1}));

    // The same item clicked again toggles again; a root only disables "Удалить".
    Click(Dlg::TractItem(2));
    EXPECT_EQ(dlg.chosenTractCount, 0);
    Click(Dlg::kTractRoot);
    EXPECT_FALSE(dlg.Control(Dlg::kIdDelete).enabled);
    EXPECT_EQ(dlg.chosenTractCount, 0);
}

TEST_F(ResultChoice, ControlsFollowTheNumberOfChosenResults)
{
    Open(9, {0, 0, 0});
    // None chosen: tables of nothing only.
    EXPECT_TRUE(dlg.Control(Dlg::kIdTables).checked);
    EXPECT_FALSE(dlg.Control(Dlg::kIdGraphs).enabled);
    for (int id : {Dlg::kIdCheckAttenuation, Dlg::kIdAttenuation, Dlg::kIdImpedanceLeft, Dlg::kIdMismatchFrame})
        EXPECT_FALSE(dlg.Control(id).shown) << id;
    EXPECT_FALSE(dlg.OnOK());
    EXPECT_EQ(OnlyMessage().text, "Так нельзя - Вы не выбрали, что смотреть!");
    EXPECT_EQ(OnlyMessage().caption, "Вы что-то забыли!");
    EXPECT_EQ(OnlyMessage().icon, MsgIcon::Stop);

    // One: tables with their check boxes, graphs possible.
    Click(Dlg::TractItem(0));
    EXPECT_TRUE(dlg.Control(Dlg::kIdGraphs).enabled);
    EXPECT_TRUE(dlg.Control(Dlg::kIdCheckMismatch).shown);
    EXPECT_FALSE(dlg.Control(Dlg::kIdDelay).shown);

    // Two: graphs forced, "Таблицы" disabled; side radios only for their quantity.
    Click(Dlg::TractItem(2));
    EXPECT_TRUE(dlg.Control(Dlg::kIdGraphs).checked);
    EXPECT_FALSE(dlg.Control(Dlg::kIdTables).enabled);
    EXPECT_FALSE(dlg.Control(Dlg::kIdCheckAttenuation).shown);
    EXPECT_TRUE(dlg.Control(Dlg::kIdMismatchRight).shown);
    dlg.quantity = 3;
    dlg.EnableControls();
    EXPECT_TRUE(dlg.Control(Dlg::kIdMismatchRight).enabled);
    EXPECT_FALSE(dlg.Control(Dlg::kIdImpedanceRight).enabled);
}

TEST_F(ResultChoice, ReopenedInViewMode11)
{
    Open(11, {1, 0, 0});
    EXPECT_TRUE(dlg.Control(Dlg::kIdGraphs).checked);
    EXPECT_TRUE(dlg.Control(Dlg::kIdImpedance).checked);
    EXPECT_TRUE(dlg.Control(Dlg::kIdImpedanceRight).checked);
    EXPECT_TRUE(dlg.Control(Dlg::kIdImpedanceRight).enabled);
    ASSERT_TRUE(dlg.OnOK());
    EXPECT_EQ(dlg.viewMode, 11);

    Open(5, {1, 0, 0});
    EXPECT_TRUE(dlg.Control(Dlg::kIdTables).checked);
    EXPECT_TRUE(dlg.Control(Dlg::kIdCheckAttenuation).checked);
    EXPECT_FALSE(dlg.Control(Dlg::kIdCheckImpedance).checked);
    EXPECT_TRUE(dlg.Control(Dlg::kIdCheckMismatch).checked);
}

TEST_F(ResultChoice, ViewRefusals)
{
    // A 2-point result cannot show a delay: it is un-chosen, the rest stays.
    Open(9, {1, 1, 0});
    ASSERT_EQ(dlg.quantity, 1);
    EXPECT_FALSE(dlg.OnOK());
    EXPECT_EQ(OnlyMessage().text,
              "Не все выбранные результаты представимы в графическом виде!\nСписок откорректирован\nСм.справку");
    EXPECT_EQ(OnlyMessage().caption, "Проблема");
    EXPECT_EQ(OnlyMessage().icon, MsgIcon::Information);
    EXPECT_EQ(dlg.chosenTract, (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(dlg.TractTexts()[1][0], ' ');
    ASSERT_TRUE(dlg.OnOK());
    EXPECT_EQ(dlg.viewMode, 9);

    // With the attenuation graph it stays.
    messages.clear();
    Open(8, {0, 1, 0});
    ASSERT_TRUE(dlg.OnOK());
    EXPECT_EQ(dlg.viewMode, 8);
    EXPECT_TRUE(messages.messages().empty());

    // Tables with nothing in them.
    Open(1, {0, 0, 1});
    dlg.showAttenuation = dlg.showImpedance = dlg.showMismatch = 0;
    EXPECT_FALSE(dlg.OnOK());
    EXPECT_EQ(OnlyMessage().text, "Вы не задали содержание таблиц просмотра!");
    EXPECT_EQ(OnlyMessage().caption, "Вы что-то забыли!");
    dlg.showImpedance = 1;
    ASSERT_TRUE(dlg.OnOK());
    EXPECT_EQ(dlg.viewMode, 2);

    // A modal result gives its report.
    Open(0, {0, 0, 0}, {0, 1});
    ASSERT_TRUE(dlg.OnOK());
    EXPECT_EQ(dlg.viewMode, 0);
}

TEST_F(ResultChoice, ElevenGraphsAreTooMany)
{
    for (int i = 0; i < 8; ++i)
        doc.AddResponseResult(TaskResult(3));
    Open(12, std::vector<int>(11, 1));
    EXPECT_FALSE(dlg.OnOK());
    EXPECT_EQ(OnlyMessage().text, "Возможен просмотр не более 10 графиков!");
    EXPECT_EQ(OnlyMessage().caption, "Многовато будет!");
    EXPECT_EQ(OnlyMessage().icon, MsgIcon::Stop);
    Click(Dlg::TractItem(4));
    ASSERT_TRUE(dlg.OnOK());
    EXPECT_EQ(dlg.viewMode, 12);
}

TEST_F(ResultChoice, DeletingATractResultRefillsTheTaskGroup)
{
    CompareBuffer buffer;
    buffer.PutTask(doc, "/t.ktf", "t.ktf");
    buffer.groups[0]->curves[0]->selected = 1;
    int modified = 0;
    dlg.buffer = &buffer;
    dlg.pathName = "/t.ktf";
    dlg.setModified = [&] { ++modified; };
    Open(8, {1, 0, 1});

    // "No" changes nothing.
    dlg.OnSelChanged(Dlg::TractItem(1));  // selecting also chooses it
    messages.queue(MsgAnswer::No);
    EXPECT_FALSE(dlg.OnDelete());
    EXPECT_EQ(OnlyMessage().text,
              "Подтвердите удаление результатов\n\"  F=24 - 25 кГц (шаг 1). Подключение A-B/B-C (02.03.24 10:00)\".");
    EXPECT_EQ(OnlyMessage().caption, "Удаление результатов расчетов");
    EXPECT_EQ(OnlyMessage().icon, MsgIcon::Question);
    EXPECT_EQ(OnlyMessage().buttons, MsgButtons::YesNo);
    EXPECT_EQ(doc.responseResults.size(), 3u);
    EXPECT_FALSE(dlg.deleted);

    messages.queue(MsgAnswer::Yes);
    ASSERT_TRUE(dlg.OnDelete());
    EXPECT_TRUE(dlg.deleted);
    EXPECT_EQ(modified, 1);
    EXPECT_EQ(doc.responseCount, 2);
    EXPECT_EQ(dlg.chosenTract, (std::vector<int>{1, 1}));
    EXPECT_EQ(dlg.TractTexts()[1], "+ F=24 - 27 кГц (шаг 1). Подключение A-B/B-C (04.03.24 10:00)");
    EXPECT_EQ(dlg.SelectedItem(), Dlg::kNoItem);
    EXPECT_FALSE(dlg.Control(Dlg::kIdDelete).enabled);
    ASSERT_EQ(buffer.groups[0]->curves.size(), 2u);
    EXPECT_EQ(buffer.groups[0]->curves[1]->result.PointCount(), 4u);
    EXPECT_EQ(buffer.groups[0]->SelectedCount(), 0);

    // The last results gone: the group stays, empty.
    Click(Dlg::TractItem(0));
    ASSERT_TRUE(dlg.OnDelete());
    Click(Dlg::TractItem(0));
    ASSERT_TRUE(dlg.OnDelete());
    EXPECT_TRUE(dlg.chosenTract.empty());
    ASSERT_EQ(buffer.groups.size(), 1u);
    EXPECT_TRUE(buffer.groups[0]->curves.empty());
}

TEST_F(ResultChoice, DeletingAModalResultClearsTheModalChoice)
{
    Open(0, {0, 0, 0}, {0, 1});
    Click(Dlg::ModalItem(0));  // chooses the first one instead
    ASSERT_TRUE(dlg.OnDelete());
    EXPECT_EQ(doc.modalCount, 1);
    EXPECT_EQ(dlg.chosenModal, (std::vector<int>{0}));
    EXPECT_EQ(dlg.ModalTexts()[0], "  КЛ8, F=100 кГц (07.03.24 11:01)");
    EXPECT_TRUE(dlg.deleted);
}

}  // namespace

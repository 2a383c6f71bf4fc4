#include "app/commandids.h"
#include "app/commands.h"
#include "app/commandstate.h"

#include <gtest/gtest.h>

#include <set>

using namespace cmd;

namespace {

// Every combination of the state the file and task rules read.
struct Case {
    bool editing;
    bool base;
    int completion;
    int elements;
    int viewMode;
};

std::vector<Case> AllCases()
{
    std::vector<Case> out;
    for (bool editing : {false, true})
        for (bool base : {false, true})
            for (int completion : {0, 1, 2})
                for (int elements : {0, 3})
                    for (int mode : {0, 1, 2, 3})
                        out.push_back({editing, base, completion, elements, mode});
    return out;
}

ShellState StateOf(const Case& c)
{
    ShellState s;
    s.editing = c.editing;
    s.baseLoaded = c.base;
    s.taskCompletion = c.completion;
    s.elementCount = c.elements;
    s.viewMode = c.viewMode;
    return s;
}

TEST(CommandState, FileTaskAndCatalogRulesOverTheWholeTable)
{
    for (const Case& c : AllCases()) {
        ShellState s = StateOf(c);
        SCOPED_TRACE(testing::Message() << "editing " << c.editing << " base " << c.base << " completion "
                                        << c.completion << " elements " << c.elements << " mode " << c.viewMode);
        const bool complete = c.completion == 0;
        const bool has = c.elements > 0;
        EXPECT_EQ(GetCommandState(ID_FILE_NEW, s).enabled, !c.editing);
        EXPECT_EQ(GetCommandState(ID_FILE_OPEN, s).enabled, !c.editing);
        EXPECT_EQ(GetCommandState(ID_BASE_SELECT, s).enabled, !c.editing);
        EXPECT_EQ(GetCommandState(ID_FILE_IMPORT, s).enabled, !c.editing);
        EXPECT_EQ(GetCommandState(ID_COMPLETE_DATA, s).enabled, has && !c.editing && c.completion == 1);
        // The calculation and the buffer command follow what the frame found.
        for (bool found : {false, true}) {
            s.calcTractEnabled = s.canPutTask = found;
            EXPECT_EQ(GetCommandState(ID_CALC_TRACT, s).enabled, found);
            EXPECT_EQ(GetCommandState(ID_ADD_TO_BUFFER, s).enabled, found);
        }
        EXPECT_EQ(GetCommandState(ID_FILE_SAVE, s).enabled, !c.editing && has && complete);
        EXPECT_EQ(GetCommandState(ID_FILE_SAVE_AS, s).enabled, !c.editing && has && complete);
        EXPECT_EQ(GetCommandState(ID_BASE_SAVE_AS, s).enabled, c.base && !c.editing);
        EXPECT_EQ(GetCommandState(ID_BASE_EDIT, s).enabled, c.base && !c.editing);

        CommandState edit = GetCommandState(ID_TASK_EDIT, s);
        EXPECT_EQ(edit.enabled, c.base && !c.editing && complete);
        EXPECT_EQ(edit.text, has ? "Редактирование" : "Формирование");

        for (int id : {ID_TASK_BASE_DATA, ID_CANCEL_EDIT, ID_SAVE_INTERMEDIATE, ID_FINISH_EDIT,
                       ID_TOGGLE_ELEMENT_BAR, ID_TOGGLE_WARNINGS})
            EXPECT_EQ(GetCommandState(id, s).enabled, c.editing) << id;

        EXPECT_EQ(GetCommandState(ID_VIEW_SCHEME, s).enabled, has && !c.editing);
        EXPECT_EQ(GetCommandState(ID_VIEW_SCHEME, s).checked, c.viewMode == 0);
        EXPECT_EQ(GetCommandState(ID_VIEW_TEXT, s).checked, c.viewMode == 1);
        EXPECT_EQ(GetCommandState(ID_VIEW_TASK_BASE, s).checked, c.viewMode == 2);
        EXPECT_EQ(GetCommandState(ID_VIEW_CURRENT_BASE, s).checked, c.viewMode == 3);
        EXPECT_EQ(GetCommandState(ID_VIEW_TASK_BASE_DATA, s).enabled, has && !c.editing && complete);

        // Recent lists are never greyed by editing: the commands refuse silently.
        s.recentTasks = 2;
        s.recentBases = 1;
        EXPECT_TRUE(GetCommandState(ID_FILE_MRU_FIRST + 1, s).enabled);
        EXPECT_FALSE(GetCommandState(ID_FILE_MRU_FIRST + 2, s).enabled);
        EXPECT_TRUE(GetCommandState(ID_BASE_MRU_FIRST, s).enabled);
        EXPECT_FALSE(GetCommandState(ID_BASE_MRU_FIRST + 1, s).enabled);
    }
}

TEST(CommandState, ToggleChecksAndZoomFlags)
{
    ShellState s;
    s.editing = true;
    s.elementBarShown = true;
    s.warnings = false;
    EXPECT_TRUE(GetCommandState(ID_TOGGLE_ELEMENT_BAR, s).checked);
    EXPECT_FALSE(GetCommandState(ID_TOGGLE_WARNINGS, s).checked);
    s.warnings = true;
    EXPECT_TRUE(GetCommandState(ID_TOGGLE_WARNINGS, s).checked);

    ShellState v;
    v.elementCount = 4;
    EXPECT_FALSE(GetCommandState(ID_ZOOM_NORMAL, v).enabled); // a fresh view is neither fitted nor larger
    EXPECT_FALSE(GetCommandState(ID_ZOOM_FIT, v).enabled);
    v.viewFitted = true;
    v.viewLarger = true;
    EXPECT_TRUE(GetCommandState(ID_ZOOM_NORMAL, v).enabled);
    EXPECT_TRUE(GetCommandState(ID_ZOOM_FIT, v).enabled);
    v.viewMode = 1;
    EXPECT_FALSE(GetCommandState(ID_ZOOM_NORMAL, v).enabled);
    v.viewMode = 0;
    v.editing = true;
    EXPECT_FALSE(GetCommandState(ID_ZOOM_FIT, v).enabled);
}

TEST(CommandState, CommandsOfLaterWorkStayDisabled)
{
    ShellState s;
    s.baseLoaded = true;
    s.elementCount = 5;
    for (int id : {ID_VIEW_RESULTS})
        EXPECT_FALSE(GetCommandState(id, s).enabled) << id;
    // The comparison-buffer window opens whatever the task holds.
    EXPECT_TRUE(GetCommandState(ID_VIEW_COMPARE_BUFFER, s).enabled);
    for (int id : ElementToolbarLayout()) {
        if (id == 0)
            continue;
        bool editingCommand = id == ID_TOGGLE_WARNINGS || id == ID_TASK_BASE_DATA || id == ID_SAVE_INTERMEDIATE ||
                              id == ID_FINISH_EDIT || id == ID_CANCEL_EDIT;
        s.editing = true;
        EXPECT_EQ(GetCommandState(id, s).enabled, editingCommand) << id;
        s.editing = false;
    }
    for (int id : {ID_FILE_PRINT_SETUP, ID_APP_ABOUT, ID_APP_EXIT, ID_FILE_IMPORT})
        EXPECT_TRUE(GetCommandState(id, s).enabled) << id;
}

TEST(CommandState, ViewModesPrintingAndClipboard)
{
    // Each row: a state and the commands enabled in it among those listed.
    const std::vector<int> ids = {ID_VIEW_TEXT,       ID_VIEW_TASK_BASE, ID_VIEW_CURRENT_BASE, ID_FONT,
                                  ID_EDIT_SELECT_ALL, ID_EDIT_COPY,      ID_FILE_PRINT,        ID_FILE_PRINT_PREVIEW};
    struct Row {
        bool editing, baseLoaded;
        int elements, viewMode;
        bool selection;
        std::set<int> enabled;
    };
    const Row rows[] = {
        {false, true, 3, 0, false,
         {ID_VIEW_TEXT, ID_VIEW_TASK_BASE, ID_VIEW_CURRENT_BASE, ID_EDIT_COPY, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW}},
        {false, false, 0, 0, false, {ID_EDIT_COPY, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW}},
        {false, true, 3, 1, false,
         {ID_VIEW_TEXT, ID_VIEW_TASK_BASE, ID_VIEW_CURRENT_BASE, ID_FONT, ID_EDIT_SELECT_ALL, ID_FILE_PRINT,
          ID_FILE_PRINT_PREVIEW}},
        {false, true, 0, 3, true,
         {ID_VIEW_CURRENT_BASE, ID_FONT, ID_EDIT_SELECT_ALL, ID_EDIT_COPY, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW}},
        {true, true, 3, 0, false, {ID_EDIT_COPY}},
    };
    for (const Row& r : rows) {
        ShellState s;
        s.editing = r.editing;
        s.baseLoaded = r.baseLoaded;
        s.elementCount = r.elements;
        s.viewMode = r.viewMode;
        s.textSelection = r.selection;
        for (int id : ids)
            EXPECT_EQ(GetCommandState(id, s).enabled, r.enabled.count(id) == 1)
                << id << " in mode " << r.viewMode << (r.editing ? " editing" : "");
        EXPECT_TRUE(GetCommandState(ID_FILE_PRINT_DIRECT, s).enabled);
    }
}

TEST(Commands, EveryPlacedCommandHasTextsAndAppearsOnce)
{
    std::set<int> seen;
    std::function<void(const std::vector<MenuItem>&)> walk = [&](const std::vector<MenuItem>& items) {
        for (const MenuItem& m : items) {
            if (m.kind == MenuItem::Submenu)
                walk(m.items);
            if (m.kind != MenuItem::Command)
                continue;
            const CommandInfo* info = FindCommand(m.id);
            ASSERT_NE(info, nullptr) << m.id;
            EXPECT_STRNE(info->menuText, "") << m.id;
            EXPECT_TRUE(seen.insert(m.id).second) << "twice in the menus: " << m.id;
        }
    };
    walk(MainMenuLayout());
    for (const auto* bar : {&StandardToolbarLayout(), &ElementToolbarLayout()})
        for (int id : *bar)
            if (id != 0) {
                const CommandInfo* info = FindCommand(id);
                ASSERT_NE(info, nullptr) << id;
                EXPECT_STRNE(info->prompt, "") << id;
            }
    EXPECT_STREQ(FindCommand(ID_FILE_NEW)->menuText, "&Новый\tCtrl+N");
    EXPECT_STREQ(FindCommand(ID_FILE_OPEN)->menuText, "&Открыть...\tCtrl+O");
    EXPECT_STREQ(FindCommand(ID_FILE_SAVE)->menuText, "&Сохранить\tCtrl+S");
    // A prompt of two lines is the status-bar text and then the tooltip.
    const CommandInfo& toBuffer = *FindCommand(ID_ADD_TO_BUFFER);
    EXPECT_EQ(CommandStatusText(toBuffer), "Поместить результаты расчета в буфер сравнения");
    EXPECT_EQ(CommandToolTip(toBuffer), "Поместить результаты в буфер сравнения");
    EXPECT_EQ(CommandToolTip(*FindCommand(ID_FILE_NEW)), CommandStatusText(*FindCommand(ID_FILE_NEW)));
    const CommandInfo& viewBuffer = *FindCommand(ID_VIEW_COMPARE_BUFFER);
    EXPECT_EQ(CommandStatusText(viewBuffer), "Просмотр буфера сравнения результатов расчетов разных задач");
    EXPECT_EQ(CommandToolTip(viewBuffer), "Сравнение результатов расчетов");
    // The edit menu holds the buffer command, the view menu the buffer window.
    EXPECT_EQ(MainMenuLayout()[1].text, "&Редактирование");
    EXPECT_EQ(MainMenuLayout()[1].items.back().id, ID_ADD_TO_BUFFER);
    EXPECT_EQ(MainMenuLayout()[4].text, "&Просмотр");
    EXPECT_EQ(MainMenuLayout()[4].items.back().id, ID_VIEW_COMPARE_BUFFER);
    EXPECT_EQ(ElementToolbarLayout().size(), 26u);
    EXPECT_EQ(StandardToolbarLayout().size(), 10u);
}

} // namespace

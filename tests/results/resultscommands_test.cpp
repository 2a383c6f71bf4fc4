// The results window's enable and tick rules over text and graph modes,
// selections, lines and chosen results.
#include "results/graphmodel.h"
#include "results/resultscommands.h"
#include "resultstest.h"

namespace {

namespace gc = GraphCommand;

struct Case {
    const char* what;
    int id;
    ResultsUiState state;
    bool enabled;
    bool checked;
};

ResultsUiState Text(int mode, bool selection = false, int lines = 10, bool chosen = true)
{
    ResultsUiState s;
    s.viewMode = mode;
    s.selectionShown = selection;
    s.lineCount = lines;
    s.chosenResult = chosen;
    s.tractChosen = chosen && mode != 0;
    return s;
}

ResultsUiState Graph(int mode, const GraphModel* graph, bool chosen = true)
{
    ResultsUiState s;
    s.viewMode = mode;
    s.graph = graph;
    s.chosenResult = s.tractChosen = chosen;
    return s;
}

TEST(ResultsCommands, RulesOverModesSelectionsAndChoices)
{
    GraphModel none;
    CRezGra r1 = AttenuationResult(1000, 5000, {1, 2, 3});
    CRezGra r2 = AttenuationResult(1000, 5000, {2, 3, 4});
    GraphModel single, two;
    single.BuildCurves(0, {{"a", &r1}});
    two.BuildCurves(0, {{"a", &r1}, {"b", &r2}});
    ResultsUiState blank;
    blank.viewMode = 7;
    blank.showTaskTitle = false;
    blank.toolbarShown = false;

    const Case cases[] = {
        {"copy needs a selection in text", rescmd::Copy, Text(7), false, false},
        {"copy of a selection", rescmd::Copy, Text(7, true), true, false},
        {"copy of a graph", rescmd::Copy, Graph(8, &single), true, false},
        {"no copy of a graph without curves", rescmd::Copy, Graph(8, &none), false, false},
        {"no copy while graphs are not drawn", rescmd::Copy, Graph(8, nullptr), false, false},
        {"Excel copy of a selection", rescmd::CopyExcel, Text(3, true), true, false},
        {"no Excel copy in graph mode", rescmd::CopyExcel, Graph(9, &single), false, false},
        {"Word copy needs a selection", rescmd::CopyWord, Text(0), false, false},
        {"select all with lines", rescmd::SelectAll, Text(0), true, false},
        {"select all without lines", rescmd::SelectAll, Text(7, false, 0), false, false},
        {"tables ticked in text mode", rescmd::Tables, Text(5), true, true},
        {"no tables of a modal result", rescmd::Tables, Text(0), false, false},
        {"tables of one curve", rescmd::Tables, Graph(8, &single), true, false},
        {"no tables of two curves", rescmd::Tables, Graph(8, &two), false, false},
        {"no tables once the shown result is gone", rescmd::Tables, Text(7, false, 0, false), false, true},
        {"templates need a chosen tract result", rescmd::SaveTemplates, Text(0), false, false},
        {"templates of a tract result", rescmd::SaveTemplates, Text(7), true, false},
        {"quantity ticked in its mode", gc::GroupDelay, Graph(9, &single), true, true},
        {"quantities wait for the graphs", gc::GroupDelay, Graph(9, nullptr), false, true},
        {"no quantity of a modal result", gc::Attenuation, Text(0), false, false},
        {"font in text mode", rescmd::Font, Text(7), true, false},
        {"no font in graph mode", rescmd::Font, Graph(8, &single), false, false},
        {"legend ticked in graph mode", rescmd::Legend, Graph(8, &single), true, true},
        {"task title always, ticked by its flag", rescmd::TaskTitle, blank, true, false},
        {"toolbar toggle follows the bar", rescmd::ToggleToolbar, blank, true, false},
        {"range choice from the graph", gc::XChoose, Graph(8, &single), true, false},
        {"no range choice in text", gc::XChoose, Text(7), false, false},
        {"black set ticked by the line set", rescmd::BlackSet,
         [&] { auto s = Graph(8, &single); s.blackSet = true; return s; }(), true, true},
        {"buffer commands follow the main window", rescmd::AddToBuffer, Text(7), false, false},
        {"choice always", rescmd::ChooseResults, blank, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ResultsCommandState st = GetResultsCommandState(c.id, c.state);
        EXPECT_EQ(st.enabled, c.enabled);
        EXPECT_EQ(st.checked, c.checked);
    }
}

TEST(ResultsCommands, EveryCommandOfTheMenusAndToolbarHasItsText)
{
    for (const ResultsMenu& menu : ResultsMenuLayout()) {
        for (int id : menu.items) {
            if (id > 0) {
                EXPECT_NE(FindResultsCommand(id), nullptr) << id;
            }
        }
    }
    for (int id : ResultsToolbarLayout()) {
        if (id > 0) {
            EXPECT_NE(FindResultsCommand(id), nullptr) << id;
        }
    }
    EXPECT_STREQ(FindResultsCommand(rescmd::SaveTemplates)->prompt, "сохранение шаблонов для прибора AnCom A-7");
}

} // namespace

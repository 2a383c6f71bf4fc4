// The commands of the results window: their ids, menu texts, prompts,
// accelerators, the menu and toolbar layout, and the enable and tick rules as
// one function of the window's state.  The window applies the rules to its
// menu items and buttons; tests check them as a table.
#pragma once

#include "results/graphview.h"

#include <string>
#include <vector>

class GraphModel;

namespace rescmd {
inline constexpr int Print = 57607;
inline constexpr int PrintPreview = 57609;
inline constexpr int PrintSetup = 57606;
inline constexpr int SaveTemplates = 32902;
inline constexpr int CloseWindow = 32849;
inline constexpr int Copy = 57634;
inline constexpr int CopyExcel = 32882;
inline constexpr int CopyWord = 32885;
inline constexpr int AddToBuffer = 32868;
inline constexpr int SelectAll = 57642;
inline constexpr int ChooseResults = 32848;
inline constexpr int Tables = 32853;
inline constexpr int ViewCompareBuffer = 32872;
inline constexpr int ColourSet = 32875;
inline constexpr int BlackSet = 32876;
inline constexpr int LineStyle = 32874;
inline constexpr int Font = 32832;
inline constexpr int TaskTitle = 32899;
inline constexpr int Legend = 32877;
inline constexpr int ToggleToolbar = 59392;
inline constexpr int ToggleStatusBar = 59393;
inline constexpr int HelpContents = 57667;
} // namespace rescmd

struct ResultsCommandInfo {
    int id;
    const char* menuText;  // with its mnemonic, and the accelerator after a tab
    const char* prompt;    // status-bar prompt, or "prompt\ntooltip"
    const char* shortcut;  // "Ctrl+C" or ""
};

const std::vector<ResultsCommandInfo>& ResultsCommands();
const ResultsCommandInfo* FindResultsCommand(int id);

// The menu bar: top-level menus, each a title and its items (0 a separator,
// a negative number opens a submenu of that many following items titled by
// the next entry of `submenus`).
struct ResultsMenu {
    const char* title;
    std::vector<int> items;
    std::vector<const char*> submenus;
};
const std::vector<ResultsMenu>& ResultsMenuLayout();
// The toolbar in order; 0 is a separator.
const std::vector<int>& ResultsToolbarLayout();

// What the rules read of the results window and of the program.
struct ResultsUiState {
    int viewMode = 0;               // 0 modal report, 1-7 tract tables, 8-13 graphs
    bool chosenResult = false;      // a chosen result of the view mode's kind exists
    bool tractChosen = false;       // some tract result is chosen
    bool selectionShown = false;
    int lineCount = 0;              // screen lines
    const GraphModel* graph = nullptr;  // the graph view's model (null: no graph)
    bool blackSet = false;          // the black line set is in use
    bool showTaskTitle = true;
    bool showLegend = true;
    bool toolbarShown = true;
    bool statusBarShown = true;
    bool addToBufferEnabled = false;     // the main window's rules for 32868
    bool compareBufferEnabled = false;   // and for 32872
};

struct ResultsCommandState {
    bool enabled = false;
    bool checked = false;
};

inline bool IsGraphMode(int viewMode) { return viewMode >= 8; }

// The quantity (0 to 5) a quantity command shows, or -1 for another command.
int GraphQuantityOfCommand(int id);

// True for the commands that carry a tick.
bool IsResultsCheckable(int id);
ResultsCommandState GetResultsCommandState(int id, const ResultsUiState& s);

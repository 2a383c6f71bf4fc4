// The enable, check and text rules of the main window's commands as one
// function of the program state.  The main window applies it to its menu
// items and toolbar buttons when a menu opens, after each command and when
// idle; tests check it as a table.
#pragma once

#include "app/elementrules.h"

#include <string>

// What the rules read of the program.
struct ShellState {
    bool editing = false;        // the main frame is in editing mode
    bool baseLoaded = false;     // a current catalog is loaded
    int taskCompletion = 0;      // 0 complete, 1 awaiting completion, 2 completing
    int elementCount = 0;        // elements of the task
    int viewMode = 0;            // 0 scheme, 1 task listing, 2 task catalog, 3 current catalog
    bool elementBarShown = false;
    bool warnings = true;
    bool viewFitted = false;     // the scheme view was fitted to the window
    bool viewLarger = false;     // the scheme is larger than the window
    bool textSelection = false;  // lines of the text face are selected
    int recentTasks = 0;         // entries shown in the recent task list
    int recentBases = 0;         // entries shown in the recent catalog list
    bool hasResults = false;     // the task holds a modal or tract result
    bool calcTractEnabled = false; // the task may be calculated (CalcTractEnabled)
    bool canPutTask = false;     // some result of the task has more than 2 points
    bool modalCalcEnabled = false; // not editing, the element template an entered line
    ElementRuleContext elements; // what the element commands' rules read
};

struct CommandState {
    bool enabled = false;
    bool checked = false;
    // A text that replaces the menu item's own; empty keeps it.
    std::string text;
};

CommandState GetCommandState(int id, const ShellState& s);

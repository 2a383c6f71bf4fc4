// The menu bar, toolbar and status bar both results windows build from their
// command tables, and the actions behind them.
#pragma once

#include "results/resultscommands.h"

#include <functional>
#include <map>
#include <vector>

class QAction;
class QMainWindow;
class QToolBar;

using CommandActions = std::map<int, QAction*>;

// The action of the command, or null when the window has none.
QAction* FindCommandAction(const CommandActions& actions, int id);
// A disabled action of the window for the command: its menu text, prompt as
// status tip and tooltip (when the table gives one), accelerator and toolbar
// icon (hidden in menus); `run` is called when it triggers.
QAction* MakeCommandAction(QMainWindow& window, const ResultsCommandInfo& info, bool checkable,
                           std::function<void()> run);
// The layout's menus on the window's menu bar; each calls `beforeShow` as it
// opens, so that its items follow the rules of the moment.
void BuildCommandMenus(QMainWindow& window, const std::vector<ResultsMenu>& layout, const CommandActions& actions,
                       const std::function<void()>& beforeShow);
// The top toolbar "Стандартная" of the layout (0 a separator).
QToolBar* BuildCommandToolBar(QMainWindow& window, const char* objectName, const std::vector<int>& layout,
                              const CommandActions& actions);
// The status bar shows the idle prompt whenever no other prompt is shown.
void KeepIdlePrompt(QMainWindow& window);
// Enables each action, and ticks the checkable ones, as `state` says.
void ApplyCommandStates(const CommandActions& actions, const std::function<ResultsCommandState(int)>& state);

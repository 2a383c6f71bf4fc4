// Texts and places of the main window's commands: the menu text (with its
// mnemonic and accelerator after a tab), the tooltip and status-bar prompt,
// the menu bar layout and the two toolbars.  Plain data, so that the texts
// live in one place and the layout can be checked without a window.
#pragma once

#include <string>
#include <vector>

struct CommandInfo {
    int id;
    const char* menuText; // "" for commands that are only on a toolbar
    const char* prompt;   // status-bar prompt, or "prompt\ntooltip" where they differ
    const char* shortcut; // "Ctrl+N", ... or ""
};

// The status-bar prompt and the tooltip of a command: the parts of its prompt
// before and after a line break, or the whole prompt for both.
std::string CommandStatusText(const CommandInfo& info);
std::string CommandToolTip(const CommandInfo& info);

// The command's texts, or nullptr for an unknown id.
const CommandInfo* FindCommand(int id);
const std::vector<CommandInfo>& AllCommands();

struct MenuItem {
    enum Kind { Command, Separator, Submenu, RecentTasks, RecentBases };
    Kind kind = Command;
    int id = 0;
    std::string text;            // submenu title
    std::vector<MenuItem> items; // submenu items
};

// The menu bar: one Submenu item per top-level menu.
const std::vector<MenuItem>& MainMenuLayout();

// The standard toolbar and the element toolbar, in order; 0 is a separator.
const std::vector<int>& StandardToolbarLayout();
const std::vector<int>& ElementToolbarLayout();

// Second accelerators of a command (Ctrl+Insert for copying).
std::vector<std::string> ExtraShortcuts(int id);

// The status bar's text when no prompt is shown.
inline constexpr const char* kIdleMessage = "Готово";
// The menu text of an empty recent-catalog list and of an empty recent-task list.
inline constexpr const char* kRecentBasesPlaceholder = "Базы 1, 2, 3...";
inline constexpr const char* kRecentTasksPlaceholder = "Последние задачи";

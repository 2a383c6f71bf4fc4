// Command identifiers of the main window: menus, toolbars and accelerators
// route these numbers to the application object and the main frame.  The
// values are fixed; the two ranges below are the recent tasks and the recent
// catalogs.
#pragma once

namespace cmd {

// File commands of the application and the document.
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_FILE_SAVE_AS = 57604;
inline constexpr int ID_FILE_PRINT_SETUP = 57606;
inline constexpr int ID_FILE_PRINT = 57607;
inline constexpr int ID_FILE_PRINT_DIRECT = 57608;
inline constexpr int ID_FILE_PRINT_PREVIEW = 57609;
inline constexpr int ID_FILE_MRU_FIRST = 57616; // recent tasks 1..16
inline constexpr int ID_FILE_MRU_LAST = 57631;
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_SELECT_ALL = 57642;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;

// Catalog file commands.
inline constexpr int ID_BASE_SELECT = 32771;
inline constexpr int ID_BASE_EDIT = 32772;
inline constexpr int ID_BASE_SAVE_AS = 32774;
inline constexpr int ID_BASE_MRU_FIRST = 32775; // recent catalogs 1..16
inline constexpr int ID_BASE_MRU_LAST = 32790;

// Element commands of the element toolbar (the element type in brackets).
inline constexpr int ID_ELEM_COUPLING = 32810;   // coupling device (6)
inline constexpr int ID_ELEM_END_LOAD = 32812;   // end load (14)
inline constexpr int ID_ELEM_VLINE = 32813;      // overhead line (0)
inline constexpr int ID_ELEM_KLINE = 32814;      // cable line (1)
inline constexpr int ID_ELEM_TRANSP = 32815;     // transposition (5)
inline constexpr int ID_ELEM_SHUNT = 32817;      // shunt impedance (2)
inline constexpr int ID_ELEM_SERIES_Z = 32818;   // series impedance (3)
inline constexpr int ID_ELEM_TAP_LOAD = 32819;   // load at the end of a tap (4)
inline constexpr int ID_ELEM_BYPASS = 32820;     // bypass (7)
inline constexpr int ID_ELEM_TAP = 32821;        // tap (8)
inline constexpr int ID_ELEM_WIRE_CHANGE = 32822; // change of the number of wires (9)
inline constexpr int ID_ELEM_DOUBLING = 32823;   // doubling of the number of wires (10)
inline constexpr int ID_ELEM_CIRCUIT_END = 32825; // end of an attached circuit (11)
inline constexpr int ID_ELEM_BRANCH_START = 32891; // start of a branching (12)
inline constexpr int ID_ELEM_BRANCH_END = 32892;   // end of a branching (13)

// Editing mode.
inline constexpr int ID_TOGGLE_ELEMENT_BAR = 32826;
inline constexpr int ID_TASK_BASE_DATA = 32827;
inline constexpr int ID_CANCEL_EDIT = 32828;
inline constexpr int ID_TASK_EDIT = 32829;
inline constexpr int ID_SAVE_INTERMEDIATE = 32830;
inline constexpr int ID_FINISH_EDIT = 32831;
inline constexpr int ID_TOGGLE_WARNINGS = 32833;

// Scheme view commands (element context menu).
inline constexpr int ID_ELEM_PARAMS = 32834;
inline constexpr int ID_ELEM_DELETE = 32835;
inline constexpr int ID_ELEM_INSERT = 32836;
inline constexpr int ID_ELEM_CANCEL_INSERT = 32837;
inline constexpr int ID_ELEM_SHIFT = 32838;
inline constexpr int ID_ELEM_ROTATE = 32839;
inline constexpr int ID_CALC_MODAL = 32847;
inline constexpr int ID_REPLACE_BY_COUPLING = 32900;
inline constexpr int ID_REPLACE_BY_END_LOAD = 32901;

// View modes, zoom, font.
inline constexpr int ID_FONT = 32832;
inline constexpr int ID_VIEW_SCHEME = 32841;
inline constexpr int ID_VIEW_TEXT = 32842;
inline constexpr int ID_VIEW_TASK_BASE = 32843;
inline constexpr int ID_VIEW_CURRENT_BASE = 32844;
inline constexpr int ID_ZOOM_NORMAL = 32845;
inline constexpr int ID_ZOOM_FIT = 32846;
inline constexpr int ID_VIEW_TASK_BASE_DATA = 32890;

// Calculation, results, comparison buffer, completion and import.
inline constexpr int ID_VIEW_RESULTS = 32848;
inline constexpr int ID_CALC_TRACT = 32850;
inline constexpr int ID_ADD_TO_BUFFER = 32868;
inline constexpr int ID_VIEW_COMPARE_BUFFER = 32872;
inline constexpr int ID_COMPLETE_DATA = 32888;
inline constexpr int ID_FILE_IMPORT = 32889;

// Sent by the catalog editor to have the current catalog stored.
inline constexpr int WM_SAVE_BASE = 0x0400 + 20; // WM_USER + 20

inline constexpr bool IsRecentTask(int id) { return id >= ID_FILE_MRU_FIRST && id <= ID_FILE_MRU_LAST; }
inline constexpr bool IsRecentBase(int id) { return id >= ID_BASE_MRU_FIRST && id <= ID_BASE_MRU_LAST; }

} // namespace cmd

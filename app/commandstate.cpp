#include "app/commandstate.h"

#include "app/commandids.h"

using namespace cmd;

CommandState GetCommandState(int id, const ShellState& s)
{
    CommandState st;
    const bool hasElements = s.elementCount > 0;
    const bool complete = s.taskCompletion == 0;

    if (ElementCommandType(id) >= 0)
        return ElementCommandState(id, s.elements);
    if (IsRecentTask(id)) {
        // Always offered; the command itself refuses while editing.
        st.enabled = id - ID_FILE_MRU_FIRST < s.recentTasks;
        return st;
    }
    if (IsRecentBase(id)) {
        st.enabled = id - ID_BASE_MRU_FIRST < s.recentBases;
        return st;
    }

    switch (id) {
    case ID_FILE_NEW:
    case ID_FILE_OPEN:
    case ID_FILE_IMPORT:
    case ID_BASE_SELECT:
        st.enabled = !s.editing;
        break;
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
        st.enabled = !s.editing && hasElements && complete;
        break;
    case ID_BASE_SAVE_AS:
    case ID_BASE_EDIT:
        st.enabled = s.baseLoaded && !s.editing;
        break;
    case ID_TASK_EDIT:
        st.enabled = s.baseLoaded && !s.editing && complete;
        st.text = hasElements ? "Редактирование" : "Формирование";
        break;
    case ID_TASK_BASE_DATA:
    case ID_CANCEL_EDIT:
    case ID_SAVE_INTERMEDIATE:
    case ID_FINISH_EDIT:
        st.enabled = s.editing;
        break;
    case ID_TOGGLE_ELEMENT_BAR:
        st.enabled = s.editing;
        st.checked = s.elementBarShown;
        break;
    case ID_TOGGLE_WARNINGS:
        st.enabled = s.editing;
        st.checked = s.warnings;
        break;
    case ID_VIEW_SCHEME:
        st.enabled = hasElements && !s.editing;
        st.checked = s.viewMode == 0;
        break;
    case ID_ZOOM_NORMAL:
        st.enabled = !s.editing && s.viewMode == 0 && s.viewFitted;
        break;
    case ID_ZOOM_FIT:
        st.enabled = !s.editing && s.viewMode == 0 && s.viewLarger;
        break;
    case ID_VIEW_TASK_BASE_DATA:
        st.enabled = hasElements && !s.editing && complete;
        break;
    case ID_CALC_TRACT:
        st.enabled = s.calcTractEnabled;
        break;
    case ID_ADD_TO_BUFFER:
        st.enabled = s.canPutTask;
        break;
    case ID_CALC_MODAL:
        st.enabled = s.modalCalcEnabled;
        break;
    case ID_COMPLETE_DATA:
        st.enabled = hasElements && !s.editing && s.taskCompletion == 1;
        break;
    case ID_FILE_PRINT_SETUP:
    case ID_APP_ABOUT:
    case ID_APP_EXIT:
        st.enabled = true;
        break;

    case ID_VIEW_TEXT:
    case ID_VIEW_TASK_BASE:
        st.enabled = hasElements && !s.editing;
        st.checked = s.viewMode == (id == ID_VIEW_TEXT ? 1 : 2);
        break;
    case ID_VIEW_CURRENT_BASE:
        st.enabled = s.baseLoaded && !s.editing;
        st.checked = s.viewMode == 3;
        break;
    case ID_FONT:
    case ID_EDIT_SELECT_ALL:
        st.enabled = s.viewMode >= 1 && s.viewMode <= 3;
        break;
    case ID_EDIT_COPY:
        st.enabled = s.textSelection || s.viewMode == 0;
        break;
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_PREVIEW:
        // Not while editing: the frame's rule holds over the view's "always".
        st.enabled = !s.editing;
        break;
    case ID_FILE_PRINT_DIRECT:
        st.enabled = true;
        break;
    case ID_VIEW_RESULTS:
        st.enabled = s.hasResults;
        break;
    case ID_VIEW_COMPARE_BUFFER:
        st.enabled = true;
        break;

    // Not built yet: the catalog editor.
    default:
        break;
    }
    return st;
}

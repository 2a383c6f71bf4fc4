// The commands of the comparison-buffer window: texts, prompts, the menu and
// toolbar layout, and the enable and tick rules as one function of the
// window's state.  Also the walk that turns the buffer's marked curves into
// the graph's curve sources.
#pragma once

#include "results/graphmodel.h"
#include "results/resultscommands.h"

#include <vector>

class CompareBuffer;

const std::vector<ResultsCommandInfo>& BufferCommands();
const std::vector<ResultsMenu>& BufferMenuLayout();
const std::vector<int>& BufferToolbarLayout();

struct BufferUiState {
    const GraphModel* graph = nullptr;  // the buffer view's graph
    bool blackSet = false;
    bool showLegend = true;
    bool toolbarShown = true;
    bool statusBarShown = true;
};

bool IsBufferCheckable(int id);
ResultsCommandState GetBufferCommandState(int id, const BufferUiState& s);

// The curves the buffer window shows: the groups in buffer order and in each
// its marked curves, labelled "%s,%s" of the group's title and the curve's
// connection label.  The pointers are valid only until the buffer changes:
// the graph copies the curves at once.
std::vector<CurveSource> BufferCurveSources(const CompareBuffer& buffer);

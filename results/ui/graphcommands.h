// The graph commands both graph windows share: range choice, full ranges,
// not from zero, shifts, numeric scales, the line sets and the line-style
// dialog.  The quantities, the legend and the per-frequency view stay with
// each window.
#pragma once

class GraphModel;

// Runs the command on the graph; false when it is not one of these.
bool RunGraphCommand(int id, GraphModel& model);

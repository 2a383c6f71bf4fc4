// What the main window needs of the results windows: the dialogs' runners,
// the results window opened, rebuilt and closed, and the relayout after the
// display font changed.
#pragma once

class SecFrameState;

// Registers the result-choice and separator dialogs as their models' runners.
void RegisterResultsDialogs();

// The open results window's choice, or null.
SecFrameState* ResultsFrameState();
// Opens the results window (shown, titled "Результаты расчета") when none
// is open; returns its choice.
SecFrameState* CreateResultsFrame();
// The results window rebuilds its view from its choice.
void RebuildResultsFrame(bool focus);
// The display font changed: a results window that shows text lays it out again.
void RelayoutResultsText();
// The comparison-buffer window: given the focus when open (false when none
// is), or opened with the choice of its dialog.
bool FocusBufferFrame();
void CreateBufferFrame(int quantity, int selectedCount);
// The comparison buffer changed: an open comparison window loads its curves
// again.
void ReloadBufferFrame();

// The line styles changed: the graph views make their pens again.
void ReloadGraphPens();
// Closes the results windows that are open.
void DestroyResultsWindows();

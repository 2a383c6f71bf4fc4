// "Содержание" of the results windows: a short page saying which results can
// be shown as tables, which as graphs, and how lines are selected and copied.
#pragma once

class QWidget;

void ShowResultsHelp(QWidget* parent);
// The resource path of the page.
const char* ResultsHelpResource();

// Toolbar icons of the results window, drawn in code: the shell's icons for
// the commands the main window also has, our own for the graph commands.
#pragma once

#include <QIcon>

QIcon ResultsCommandIcon(int id);

// Registers the Qt windows of the element parameter dialogs as the runners
// of their models (one line per dialog in elementdialogs.cpp).  Called once at
// start-up, before the program's wire-choice dialogs are installed.
#pragma once

void RegisterElementDialogs();

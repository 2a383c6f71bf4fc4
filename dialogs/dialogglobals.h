// Globals of the element dialogs, with their reset for tests.
#pragma once

#include <cstdint>

// Which page of the bypass sheet validates the sheet: 0 none, 1 the
// circuit-choice page, 2 the line-trap page.  Set by the pages' constructors.
extern std::uint8_t g_nBypassPageToken;

void ResetDialogGlobals();

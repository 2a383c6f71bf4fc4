#include "dialogs/dialogglobals.h"

std::uint8_t g_nBypassPageToken = 0;

void ResetDialogGlobals()
{
    g_nBypassPageToken = 0;
}

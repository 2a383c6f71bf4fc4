// Registers the Qt dialogs of the shell (file choice, font choice) as the
// runners of their models.
#pragma once

void RegisterShellDialogs();

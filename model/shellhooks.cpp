#include "model/shellhooks.h"

namespace {
DocumentShellHooks* g_hooks = nullptr;
}

DocumentShellHooks* SetDocumentShellHooks(DocumentShellHooks* hooks)
{
    DocumentShellHooks* previous = g_hooks;
    g_hooks = hooks;
    return previous;
}

DocumentShellHooks* GetDocumentShellHooks()
{
    return g_hooks;
}

void ShellResetEditState()
{
    if (g_hooks)
        g_hooks->ResetEditState();
}

void ShellUpdateTitle()
{
    if (g_hooks)
        g_hooks->UpdateTitle();
}

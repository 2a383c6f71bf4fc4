#include "model/shellhooks.h"

#include <utility>

namespace {
DocumentShellHooks* g_hooks = nullptr;
}

DocumentShellHooks* SetDocumentShellHooks(DocumentShellHooks* hooks)
{
    return std::exchange(g_hooks, hooks);
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

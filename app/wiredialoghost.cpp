#include "app/wiredialoghost.h"

namespace {
WireDialogHost* g_wireDialogHost = nullptr;
}

WireDialogHost* SetWireDialogHost(WireDialogHost* host)
{
    WireDialogHost* previous = g_wireDialogHost;
    g_wireDialogHost = host;
    return previous;
}

WireDialogHost* GetWireDialogHost()
{
    return g_wireDialogHost;
}

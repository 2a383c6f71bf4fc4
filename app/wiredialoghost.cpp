#include "app/wiredialoghost.h"

#include <utility>

namespace {
WireDialogHost* g_wireDialogHost = nullptr;
}

WireDialogHost* SetWireDialogHost(WireDialogHost* host)
{
    return std::exchange(g_wireDialogHost, host);
}

WireDialogHost* GetWireDialogHost()
{
    return g_wireDialogHost;
}

#include "app/catalogservices.h"

#include "platform/modal.h"

#include <utility>

namespace {

ReconcileService& Reconcile()
{
    static ReconcileService service;
    return service;
}

CatalogEditorService& Editor()
{
    static CatalogEditorService service;
    return service;
}

} // namespace

ReconcileService SetReconcileService(ReconcileService service)
{
    ReconcileService previous = std::move(Reconcile());
    Reconcile() = std::move(service);
    return previous;
}

void ReconcileDatabase(CMainFrame* frame, const std::string& taskFile)
{
    if (Reconcile())
        Reconcile()(frame, taskFile);
}

CatalogEditorService SetCatalogEditorService(CatalogEditorService service)
{
    CatalogEditorService previous = std::move(Editor());
    Editor() = std::move(service);
    return previous;
}

bool HasCatalogEditor() { return static_cast<bool>(Editor()); }

int RunCatalogEditor(CBase& working, bool& applied)
{
    applied = false;
    return Editor() ? Editor()(working, applied) : IDCANCEL;
}

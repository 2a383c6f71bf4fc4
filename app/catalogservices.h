// What the shell calls of the catalog management: the reconciliation of an
// opened or imported task's catalog items with the catalog files, and the
// catalog editor on a working copy of the current catalog.  The catalog
// management builds on the shell's core, so it registers these services at
// start-up rather than being linked in here; with none registered the task
// is taken as it is and no editor opens.
#pragma once

#include <functional>

class CBase;
class CMainFrame;

#include <string>

// The frame, and the file the task was read from (its folder is where a
// relative catalog path of the task starts).
using ReconcileService = std::function<void(CMainFrame*, const std::string&)>;
// Installs the service and returns the previous one.
ReconcileService SetReconcileService(ReconcileService service);

// Settles which catalog file the open task, read from taskFile, uses and the
// items that differ from the current catalog.
void ReconcileDatabase(CMainFrame* frame, const std::string& taskFile);

// Runs the catalog editor in edit mode on working; answers IDOK or IDCANCEL
// and sets applied when "Применить" copied the working catalog into the
// current one meanwhile.
using CatalogEditorService = std::function<int(CBase& working, bool& applied)>;
CatalogEditorService SetCatalogEditorService(CatalogEditorService service);
bool HasCatalogEditor();
int RunCatalogEditor(CBase& working, bool& applied);

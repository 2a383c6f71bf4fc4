// What the shell calls of the catalog management: the reconciliation of an
// opened or imported task's catalog items with the catalog files.
#pragma once

class CMainFrame;

// Settles which catalog file the open task uses and the items that differ
// from the current catalog.  The catalog management provides it; until then
// the task is taken as it is.
void ReconcileDatabase(CMainFrame* frame);

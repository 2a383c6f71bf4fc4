#include "app/catalogservices.h"

// Stands in for the catalog management's reconciliation, which replaces this
// definition.
void ReconcileDatabase(CMainFrame*)
{
}

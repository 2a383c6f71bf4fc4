// Registers the Qt dialogs of the catalog as the runners of their models,
// the item editors behind the element dialogs' item requests, and the
// catalog management's services of the shell (the check of an opened task
// against its catalog, the catalog editor, the other-catalog road).
#pragma once

void RegisterCatalogDialogs();

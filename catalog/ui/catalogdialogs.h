// Registers the Qt dialogs of the catalog as the runners of their models,
// and the item editors behind the element dialogs' item requests.
#pragma once

void RegisterCatalogDialogs();

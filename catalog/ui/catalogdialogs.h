// Registers the Qt dialogs of the catalog as the runners of their models.
#pragma once

void RegisterCatalogDialogs();

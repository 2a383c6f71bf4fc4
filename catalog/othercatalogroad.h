// The road of "Выбрать из другой базы" up to the pick: the file choice, the
// file read into the element dialog's own catalog, and the catalog editor's
// choose mode.  Storing and spreading the pick is the element dialog's.
#pragma once

class COtherCatalogRequest;

int RunOtherCatalogRoad(COtherCatalogRequest& request);
// Installs it as the runner of the element dialogs' request.
void RegisterOtherCatalogRoad();

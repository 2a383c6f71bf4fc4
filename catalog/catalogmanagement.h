// Connects the catalog management to the shell and the element dialogs: the
// check of an opened task against its catalog, the catalog editor of the
// main frame's catalog command and the road of "Выбрать из другой базы".
#pragma once

void RegisterCatalogManagement();

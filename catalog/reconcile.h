// The check of an opened or imported task against its catalog file: the file
// the task names becomes the current catalog (or, when it is missing, the
// user keeps the current one, restores it from the task or finds it), then
// every catalog item of the task is compared with the catalog's item of the
// same key and each difference is settled by the user.
#pragma once

#include <string>

class CMainFrame;

// Runs for the open task (g_pDoc), read from taskFile (empty: a task without
// a file).  frame loads catalog files and updates the title; it may be null
// (files are then read directly).
void ReconcileTaskWithCatalog(CMainFrame* frame, const std::string& taskFile = {});

// Told when a catalog file cannot be made at the path the task names.
inline constexpr const char* kRestoreFailedText = "Не могу восстановить базу -\n- ошибочный путь";

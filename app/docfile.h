// The open task as a file: what is kept beside the document (the file's
// path, the title shown for the task, whether it changed since it was read or
// written) and the file commands on it: new, open, save, save as, and the
// question before a modified task is replaced.
#pragma once

#include "app/currentbase.h"

#include <string>

struct DocFileState {
    std::string pathName;               // full path of the task file (FullPathOf); empty for a new task
    std::string title = kUntitledTask;  // the file's name, or the untitled text
    bool modified = false;
};

extern DocFileState g_DocFile;

// The file choice of the task commands.
inline constexpr const char* kTaskFileFilter = "Файлы данных Kestrin (*.KTF)|*.KTF|Все файлы (*)|*||";

void SetModifiedFlag(bool modified = true);
// The document's title shown in the window ("task.ktf", or "Задача безымянная.").
const std::string& GetDocTitle();

// Whether the task may be written: it has elements and is not awaiting completion.
bool TaskCanBeSaved();

// Asks whether to save a modified task before it is replaced or closed.
// Returns false when the user cancels or the save failed.  A task that cannot
// be saved (empty, or awaiting completion) is not asked about.
bool SaveModified();

// The new-task step of the document: the task emptied, untitled and unmodified.
bool NewTaskDocument();
// Reads a task file as the open task.  A failure is reported and leaves the
// task as it was.  On success the file becomes the most recent task.
bool ReadTaskDocument(const std::string& path);

// The save commands of the document (57603, 57604); then the window title.
bool OnFileSave();
bool OnFileSaveAs();
// Writes the task to path; on success it is the task's file from then on.
bool DoSave(const std::string& path);

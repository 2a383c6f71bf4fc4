// The current catalog: the global catalog g_CurBase (model/base.h), the full
// path of its file (FullPathOf) and whether one is loaded.
#pragma once

#include <string>

extern std::string g_strBasePath;
extern int g_bBaseLoaded;

// The catalog file at path is the current catalog's file from now on: kept by
// its full path, loaded, and the most recent catalog (one entry per file,
// however its name was spelled on the road that chose it).
void TakeCurrentBasePath(const std::string& path);

// Stores g_CurBase into g_strBasePath (atomically; a failure is reported and
// the old file stays).  When the path is still the DOS-era "basek" file of a
// start-up import, the user first chooses a kdb file to save it as, so the
// DOS file is never overwritten with catalog bytes.  Returns whether the
// catalog was stored.
bool SaveCurrentBase();

// The title of the main window: "Morvel", the task (its document
// title up to and including its last ".", or the untitled text) and the
// catalog file's name up to its first ".".  docTitle is null without a document.
std::string BuildFrameTitle(const std::string* docTitle, bool baseLoaded, const std::string& basePath);

// The document title of a task that has no file yet.
inline constexpr const char* kUntitledTask = "Задача безымянная.";
inline constexpr const char* kFrameTitle = "Morvel";

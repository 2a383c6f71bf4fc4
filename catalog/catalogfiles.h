// Reading a catalog file for the catalog windows: through the main frame's
// loader (which reads a file named "basek" as the DOS-era catalog and
// reports a missing or damaged file), or directly when there is no frame.
#pragma once

#include <string>

class CBase;
class CMainFrame;

// The file choice of another catalog file and of a supplement.
inline constexpr const char* kOtherBaseFilter =
    "Базы данных Kestrin (*.kdb)|*.kdb|Базы данных MORVEL for DOS (basek.)|basek||";
inline constexpr const char* kOtherBaseTitle = "Выбор дополнительной базы данных";

// The catalog file a task names, as its full path (FullPathOf): a relative
// path is taken from the real folder of the task's file (so a task and its
// catalog moved together still find each other), an absolute one as it is.  A path of another system (with a
// drive letter or a leading backslash) and a task without a file leave the
// path as it is.
std::string TaskCatalogPath(const std::string& basePath, const std::string& taskFile);

// frame null: the program's main frame, if any.  On failure the message is
// shown and base is unchanged.
bool LoadCatalogFile(CMainFrame* frame, CBase& base, std::string& path, const std::string& name);

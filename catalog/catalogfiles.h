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

// frame null: the program's main frame, if any.  On failure the message is
// shown and base is unchanged.
bool LoadCatalogFile(CMainFrame* frame, CBase& base, std::string& path, const std::string& name);

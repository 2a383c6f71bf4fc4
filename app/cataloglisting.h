// The text listing of a catalog (view modes 2 and 3): a heading, then every
// item list by list, each item after an empty line, as UTF-8 lines.
#pragma once

#include <string>
#include <vector>

class CBase;

class CatalogListing {
public:
    static std::vector<std::string> Build(const CBase& base, const std::string& heading);

    // Mode 2: "База данных задачи " and the task title up to its last "." in
    // double quotation marks (the whole title when it has none).
    static std::string TaskBaseHeading(const std::string& title);
    // Mode 3: "База данных " and the catalog file's name in double quotation
    // marks, less ".kdb" (any letter case) when it ends with it.
    static std::string CurrentBaseHeading(const std::string& path);
};

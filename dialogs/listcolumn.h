// A column of a dialog's report list: its heading and width in pixels.
#pragma once

#include <string>

struct ListColumn {
    std::string title;
    int width = 0;
};

#include "catalog/itemeditor.h"

#include "platform/format.h"

#include <charconv>
#include <cmath>

float TextAsNumber(const std::string& text)
{
    // Temporary reader until the dialogs' numeric fields are in.
    std::size_t b = text.find_first_not_of(" \t");
    if (b == std::string::npos)
        return 0.0f;
    std::string s = text.substr(b);
    for (char& c : s)
        if (c == ',')
            c = '.';
    float v = 0.0f;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || !std::isfinite(v))
        return 0.0f;
    (void)p;
    return v;
}

std::string FormatG(float value)
{
    return StrFormat("%g", double(value));
}

#include "app/scanfields.h"

#include <cstdlib>
#include <string>

bool ScanDecimal(std::string_view s, std::size_t& pos, long& value)
{
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t'))
        ++pos;
    std::size_t start = pos;
    if (pos < s.size() && (s[pos] == '-' || s[pos] == '+'))
        ++pos;
    std::size_t digits = pos;
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9')
        ++pos;
    if (pos == digits || pos - digits > 9)
        return false;
    value = std::strtol(std::string(s.substr(start, pos - start)).c_str(), nullptr, 10);
    return true;
}

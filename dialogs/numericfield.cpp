#include "dialogs/numericfield.h"

#include "platform/format.h"
#include "platform/messages.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::optional<float> ParseNumericField(const std::string& text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    std::string s = text.substr(begin, end - begin);
    for (char& c : s)
        if (c == ',')
            c = '.';
    const char* first = s.data();
    const char* last = s.data() + s.size();
    if (first != last && *first == '+')
        ++first;  // from_chars takes no plus sign
    if (first == last || *first == '+')
        return std::nullopt;
    // Only digits, a point, a sign and an exponent make a number here, so
    // "inf", "nan" and hexadecimal forms are refused before conversion.
    for (const char* p = first; p != last; ++p)
        if (!((*p >= '0' && *p <= '9') || *p == '.' || *p == '-' || *p == '+' || *p == 'e' || *p == 'E'))
            return std::nullopt;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc() || ptr != last || !std::isfinite(value))
        return std::nullopt;
    if (std::fabs(value) > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    return float(value);
}

std::string FormatNumericField(float value)
{
    return StrFormat("%g", double(value));
}

bool ReadNumericField(const std::string& text, float& value)
{
    const std::optional<float> parsed = ParseNumericField(text);
    if (!parsed) {
        ShowMessage(kEnterNumberText, kAppName, MsgIcon::Stop);
        return false;
    }
    value = *parsed;
    return true;
}

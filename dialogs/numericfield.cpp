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

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The decimal number at the start of text, blanks before it skipped: one
// sign, digits with a decimal point or comma, an exponent.  Answers the
// characters it took (blanks included), 0 when the text starts with no
// number or with one no double holds.  No locale takes part, and "inf",
// "nan" and hexadecimal forms are no numbers.
std::size_t ReadLeadingNumber(const std::string& text, double& value)
{
    std::size_t begin = 0;
    while (begin < text.size() && IsBlank(text[begin]))
        ++begin;
    std::string s = text.substr(begin);
    for (char& c : s)
        if (c == ',')
            c = '.';
    const char* first = s.data();
    const char* last = s.data() + s.size();
    const char* digits = first;
    if (first != last && *first == '+')
        digits = ++first;  // from_chars takes no plus sign
    else if (first != last && *first == '-')
        digits = first + 1;
    if (digits == last || !(IsDigit(*digits) || *digits == '.'))
        return 0;
    double v = 0.0;
    const auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::general);
    if (ec != std::errc() || !std::isfinite(v))
        return 0;
    value = v;
    return begin + std::size_t(ptr - s.data());
}

bool FitsFloat(double value)
{
    return std::fabs(value) <= double(std::numeric_limits<float>::max());
}

} // namespace

std::optional<double> ParseDecimalNumber(const std::string& text)
{
    std::size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1]))
        --end;
    double value = 0.0;
    const std::size_t used = ReadLeadingNumber(text, value);
    if (used == 0 || used != end)
        return std::nullopt;
    return value;
}

std::optional<float> ParseNumericField(const std::string& text)
{
    const std::optional<double> value = ParseDecimalNumber(text);
    if (!value || !FitsFloat(*value))
        return std::nullopt;
    return float(*value);
}

std::optional<float> LeadingNumericField(const std::string& text)
{
    double value = 0.0;
    if (ReadLeadingNumber(text, value) == 0 || !FitsFloat(value))
        return std::nullopt;
    return float(value);
}

std::string FormatNumericField(float value)
{
    return StrFormat("%g", double(value));
}

namespace {

bool FloatHolds(double scaled)
{
    return std::isfinite(static_cast<float>(scaled));
}

} // namespace

std::string FormatStoredField(double stored, double scale)
{
    const double scaled = stored * scale;
    return FloatHolds(scaled) ? FormatNumericField(static_cast<float>(scaled)) : StrFormat("%g", scaled);
}

bool KeepsUnshowableValue(const std::string& text, double stored, double scale)
{
    return !FloatHolds(stored * scale) && text == FormatStoredField(stored, scale);
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

#include "app/dialognumber.h"

#include "platform/format.h"
#include "platform/messages.h"

#include <charconv>
#include <cmath>

bool ParseDialogNumber(const std::string& text, double& value)
{
    std::size_t b = text.find_first_not_of(" \t");
    std::size_t e = text.find_last_not_of(" \t");
    if (b == std::string::npos)
        return false;
    const char* first = text.data() + b;
    const char* last = text.data() + e + 1;
    if (*first == '+' && first + 1 < last && first[1] != '-')
        ++first;
    double v = 0.0;
    auto [ptr, ec] = std::from_chars(first, last, v);
    if (ec != std::errc() || ptr != last || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool TakeDialogNumber(const std::string& text, double& value)
{
    if (ParseDialogNumber(text, value))
        return true;
    ShowMessage(kEnterNumber, kAppName, MsgIcon::Stop, MsgButtons::Ok);
    return false;
}

std::string FormatDialogNumber(double value)
{
    return StrFormat("%g", value);
}

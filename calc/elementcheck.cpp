#include "calc/elementcheck.h"

#include "platform/format.h"
#include "platform/messages.h"

#include <algorithm>
#include <cmath>

std::string FormatElementDataError(int number, const std::string& reason)
{
    return StrFormat("Ошибка в данных элемента N %d:\n%s.\nРасчет невозможен.", number, reason.c_str());
}

std::string NotFiniteReason(const std::string& what)
{
    return what + ": значение не является конечным числом";
}

std::string FirstNotFinite(const std::string& prefix, std::initializer_list<std::pair<const char*, double>> values)
{
    for (const auto& [name, value] : values)
        if (!std::isfinite(value))
            return NotFiniteReason(prefix + name);
    return {};
}

bool AllFinite(const double* first, std::size_t count)
{
    return std::all_of(first, first + count, [](double v) { return std::isfinite(v); });
}

namespace {
thread_local bool s_quiet = false;
} // namespace

QuietCalcMessages::QuietCalcMessages() : m_previous(s_quiet)
{
    s_quiet = true;
}

QuietCalcMessages::~QuietCalcMessages()
{
    s_quiet = m_previous;
}

bool QuietCalcMessages::Active()
{
    return s_quiet;
}

void ShowElementDataError(const std::string& message)
{
    if (!s_quiet)
        ShowMessage(message, kAppName, MsgIcon::Stop, MsgButtons::Ok);
}

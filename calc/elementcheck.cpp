#include "calc/elementcheck.h"

#include "platform/format.h"
#include "platform/messages.h"

std::string FormatElementDataError(int number, const std::string& reason)
{
    return StrFormat("Ошибка в данных элемента N %d:\n%s.\nРасчет невозможен.", number, reason.c_str());
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

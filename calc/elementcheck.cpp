#include "calc/elementcheck.h"

#include "platform/format.h"
#include "platform/messages.h"

std::string FormatElementDataError(int number, const std::string& reason)
{
    return StrFormat("Ошибка в данных элемента N %d:\n%s.\nРасчет невозможен.", number, reason.c_str());
}

void ShowElementDataError(const std::string& message)
{
    ShowMessage(message, kAppName, MsgIcon::Stop, MsgButtons::Ok);
}

#include "results/graphview.h"

#include "platform/format.h"

const char* GraphYCaption(const GraphViewKind& kind, int quantity)
{
    switch (quantity) {
    case kQuantityAttenuation:
        return kind.attenuationCaption;
    case kQuantityGroupDelay:
        return "dT,мсек";
    case kQuantityInputLeft:
        return "abs(Zлев),Ом";
    case kQuantityInputRight:
        return "abs(Zпр),Ом";
    case kQuantityMismatchLeft:
        return "Анс лев,дБ";
    case kQuantityMismatchRight:
        return "Анс пр,дБ";
    }
    return "";
}

const char* GraphTitle(int quantity)
{
    switch (quantity) {
    case kQuantityAttenuation:
        return "Затухание";
    case kQuantityGroupDelay:
        return "Искажение группового времени запаздывания";
    case kQuantityInputLeft:
        return "Входное сопротивление с левой стороны";
    case kQuantityInputRight:
        return "Входное сопротивление с правой стороны";
    case kQuantityMismatchLeft:
        return "Затухание несогласованности с левой стороны";
    case kQuantityMismatchRight:
        return "Затухание несогласованности с правой стороны";
    }
    return "";
}

std::string GraphTaskTitleText(const std::string& taskTitle)
{
    if (taskTitle.empty())
        return std::string();
    return StrFormat("Задача: \"%s\"", taskTitle.c_str());
}

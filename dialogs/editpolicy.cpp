#include "dialogs/editpolicy.h"

#include "model/element.h"

void AcceptElement(CElement& element, const std::string& name, bool complete)
{
    element.name = name;
    element.entered = complete ? 1 : 0;
}

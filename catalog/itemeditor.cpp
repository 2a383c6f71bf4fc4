#include "catalog/itemeditor.h"

#include "dialogs/numericfield.h"

float TextAsNumber(const std::string& text)
{
    return ParseNumericField(text).value_or(0.0f);
}

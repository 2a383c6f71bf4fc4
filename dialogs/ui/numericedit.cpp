#include "dialogs/ui/numericedit.h"

#include "dialogs/numericfield.h"

NumericEdit::NumericEdit(QWidget* parent) : QLineEdit(parent)
{
}

void NumericEdit::SetValue(float value)
{
    setText(QString::fromStdString(FormatNumericField(value)));
}

bool NumericEdit::ReadValue(float& value)
{
    if (ReadNumericField(text().toStdString(), value))
        return true;
    setFocus();
    selectAll();
    return false;
}

// Numeric edits of the element and catalog dialogs: a QLineEdit that shows a
// float with "%g" and reads it back through the GUI-free field rules (locale
// free, a comma taken as the decimal point).  A non-number is refused with
// "Введите число." and the edit keeps its text and takes the focus.
#pragma once

#include <QLineEdit>

class NumericEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit NumericEdit(QWidget* parent = nullptr);

    void SetValue(float value);
    // True and the number in value; false after the refusal (value unchanged).
    bool ReadValue(float& value);
};

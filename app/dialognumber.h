// Numbers typed into a dialog's edit fields: the text is read as a whole
// decimal number (blanks around it allowed, a decimal point, an exponent);
// anything else is refused with "Введите число." and the dialog stays open.
#pragma once

#include <string>

inline constexpr const char* kEnterNumber = "Введите число.";

// Reads text as a number; false when it is not one.
bool ParseDialogNumber(const std::string& text, double& value);
// The same, with the stop message on refusal.
bool TakeDialogNumber(const std::string& text, double& value);
// A value as the edit shows it ("%g").
std::string FormatDialogNumber(double value);

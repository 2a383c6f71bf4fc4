// Numeric edit fields of the element and catalog dialogs.  Values pass
// through float members, as the dialogs have always held them, so a value
// shown and taken back is the value the task file stores.  Text is read
// without regard to the locale, a comma being taken as the decimal point; a
// number is shown with "%g".
#pragma once

#include <optional>
#include <string>

// The number the text holds, or nothing: empty text, trailing characters,
// "inf", "nan" and values beyond the double range are not numbers.
std::optional<double> ParseDecimalNumber(const std::string& text);

// The same for a float field: values beyond the float range are not numbers
// either.
std::optional<float> ParseNumericField(const std::string& text);

// The number a field's text starts with, read as ParseNumericField reads a
// whole text (blanks before it skipped): "12.5 пФ" holds 12.5.  Nothing when
// the text starts with no number or with one beyond the float range.
std::optional<float> LeadingNumericField(const std::string& text);

// "%g" of the value.
std::string FormatNumericField(float value);

// A stored value shown in a float field at a scale (1e12: farads shown as
// pF): "%g" of the float as always or, for a value no float holds (a file of
// another program can bring one), "%g" of the scaled double itself.
std::string FormatStoredField(double stored, double scale);
// Whether a field still holds the text FormatStoredField gave for a value no
// float holds: that value then stays as stored, never read back from its
// text, so leaving the page neither refuses nor writes an infinity.
bool KeepsUnshowableValue(const std::string& text, double stored, double scale);

// Reads a field for a dialog's OK: on success stores the number into value
// and answers true; otherwise shows "Введите число." with the stop icon,
// leaves value as it was and answers false (the dialog stays with the text).
bool ReadNumericField(const std::string& text, float& value);

inline constexpr const char* kEnterNumberText = "Введите число.";

// The check of a whole bypass when its sheet is accepted: a cable-insert
// bypass needs a complete insert, every bypass needs at least one bypass
// line.  It never keeps the sheet open: the outcome is the element's
// parameters-entered flag, which keeps an incomplete task from calculating.
#pragma once

class CElement;

inline constexpr const char* kBadInsertText = "Некорректные или неполные данные\nдля высоковольной кабельной линии!";
inline constexpr const char* kNoBypassCaption = "Обход не сформирован";
inline constexpr const char* kNoBypassLinesText = "Не заданы линии обхода!";

// Outside editing mode nothing is checked, shown or written.
void ValidateBypassSheet(CElement& element, bool editing);

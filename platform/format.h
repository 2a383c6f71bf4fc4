// printf-style formatting to std::string under the "C" numeric locale, whatever
// locale the process runs in: the files, reports and profile always use a
// decimal point.  No length limit.
#pragma once

#include <cstdarg>
#include <string>

std::string StrFormat(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string StrFormatV(const char* fmt, va_list args);

// A reason quoted on a line of its own in a message ("это не обычный файл")
// as a sentence: the first letter, Latin or Cyrillic, in capitals and a full
// stop at the end unless it ends with one already ("Это не обычный файл.").
std::string AsSentence(std::string text);

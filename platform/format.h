// printf-style formatting to std::string under the "C" numeric locale, whatever
// locale the process runs in: the files, reports and profile always use a
// decimal point.  No length limit.
#pragma once

#include <cstdarg>
#include <string>

std::string StrFormat(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string StrFormatV(const char* fmt, va_list args);

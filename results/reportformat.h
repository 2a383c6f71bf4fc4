// Number formatting of the reports and analyser templates.  Everything goes
// through StrFormat (the "C" locale, no length limit); a value that is not a
// number prints as "nan" whatever its sign bit, so a damaged stored result reads
// "inf", "-inf" or "nan" and nothing else.
#pragma once

#include "platform/format.h"

#include <cmath>
#include <string>

template <class T>
inline T PrintableArg(T value)
{
    return value;
}

inline double PrintableArg(double value)
{
    return std::isnan(value) ? std::fabs(value) : value;
}

template <class... Args>
std::string ReportFormat(const char* fmt, Args... args)
{
    return StrFormat(fmt, PrintableArg(args)...);
}

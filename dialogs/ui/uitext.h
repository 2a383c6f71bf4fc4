// UTF-8 texts of the models as Qt strings and back.
#pragma once

#include <QString>
#include <string>

inline QString U(const char* s)
{
    return QString::fromUtf8(s);
}

inline QString U(const std::string& s)
{
    return QString::fromStdString(s);
}

inline std::string S(const QString& s)
{
    return s.toStdString();
}

// The C library's numeric locale switched to ru_RU.UTF-8, the decimal-comma
// locale of the program's users (Qt takes it from the environment), for the
// life of the object.  A test that reads or writes numbers under it asserts
// Active(): where the locale is not installed (scripts/setup-deps makes it)
// the test fails rather than silently running in "C".
#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <string>

class DecimalCommaLocale {
public:
    DecimalCommaLocale() : m_saved(std::setlocale(LC_NUMERIC, nullptr))
    {
        m_active = std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") != nullptr &&
                   std::string(std::localeconv()->decimal_point) == ",";
    }
    ~DecimalCommaLocale() { std::setlocale(LC_NUMERIC, m_saved.c_str()); }
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;

    ::testing::AssertionResult Active() const
    {
        if (m_active)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the locale ru_RU.UTF-8 is not installed (scripts/setup-deps makes it)";
    }

private:
    std::string m_saved;
    bool m_active = false;
};

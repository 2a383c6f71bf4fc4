#include "platform/format.h"

#include <clocale>
#include <cstdio>
#include <locale.h>
#include <vector>

namespace {

locale_t CLocale()
{
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

// Switches the calling thread to the "C" locale for its lifetime.
class CLocaleScope {
public:
    CLocaleScope() : m_previous(uselocale(CLocale())) {}
    ~CLocaleScope() { uselocale(m_previous); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t m_previous;
};

} // namespace

std::string StrFormatV(const char* fmt, va_list args)
{
    CLocaleScope scope;
    char buf[256];
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(buf, sizeof buf, fmt, copy);
    va_end(copy);
    if (n < 0)
        return std::string();
    if (static_cast<std::size_t>(n) < sizeof buf)
        return std::string(buf, static_cast<std::size_t>(n));
    std::vector<char> big(static_cast<std::size_t>(n) + 1);
    std::vsnprintf(big.data(), big.size(), fmt, args);
    return std::string(big.data(), static_cast<std::size_t>(n));
}

std::string StrFormat(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    std::string s = StrFormatV(fmt, args);
    va_end(args);
    return s;
}

std::string AsSentence(std::string text)
{
    if (text.empty())
        return text;
    const unsigned char c0 = static_cast<unsigned char>(text[0]);
    if (c0 >= 'a' && c0 <= 'z') {
        text[0] = static_cast<char>(c0 - 'a' + 'A');
    } else if (text.size() >= 2 && (c0 == 0xD0 || c0 == 0xD1)) {
        // UTF-8 of а-п is D0 B0-BF, of р-я D1 80-8F, of ё D1 91; the capitals
        // А-П are D0 90-9F, Р-Я D0 A0-AF and Ё D0 81.
        const unsigned char c1 = static_cast<unsigned char>(text[1]);
        if (c0 == 0xD0 && c1 >= 0xB0 && c1 <= 0xBF) {
            text[1] = static_cast<char>(c1 - 0x20);
        } else if (c0 == 0xD1 && c1 >= 0x80 && c1 <= 0x8F) {
            text[0] = static_cast<char>(0xD0);
            text[1] = static_cast<char>(c1 + 0x20);
        } else if (c0 == 0xD1 && c1 == 0x91) {
            text[0] = static_cast<char>(0xD0);
            text[1] = static_cast<char>(0x81);
        }
    }
    const char last = text.back();
    if (last != '.' && last != '!' && last != '?')
        text += '.';
    return text;
}

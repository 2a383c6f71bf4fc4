#include "platform/namecollation.h"

#include <cstddef>

namespace {

// Decodes the code point at s[i] and advances i; a malformed byte stands for itself.
char32_t NextCodePoint(const std::string& s, std::size_t& i)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    int extra = 0;
    char32_t cp = b0;
    if (b0 >= 0xC0 && b0 < 0xE0) {
        extra = 1;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 < 0xF0) {
        extra = 2;
        cp = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 < 0xF8) {
        extra = 3;
        cp = b0 & 0x07;
    }
    if (extra == 0 || i + std::size_t(extra) >= s.size()) {
        ++i;
        return b0;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + std::size_t(k)]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return b0;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += std::size_t(extra) + 1;
    return cp;
}

// Upper-case Latin and Cyrillic letters to lower case; Ё and ё to е.
char32_t Fold(char32_t c)
{
    if (c >= U'A' && c <= U'Z')
        return c + 32;
    if (c == U'Ё' || c == U'ё')
        return U'е';
    if (c >= 0x0410 && c <= 0x042F)  // А..Я
        return c + 32;
    if (c >= 0x0400 && c <= 0x040F)  // Ѐ..Џ (Ukrainian and Belarusian letters)
        return c + 80;
    return c;
}

} // namespace

int CompareNamesFolded(const std::string& a, const std::string& b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t ca = Fold(NextCodePoint(a, i));
        const char32_t cb = Fold(NextCodePoint(b, j));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

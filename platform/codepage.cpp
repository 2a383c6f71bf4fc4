#include "platform/codepage.h"

#include <array>
#include <unordered_map>

namespace {

// Upper halves (0x80..0xFF) of the two code pages.  The lower half is ASCII.
// CP1251 leaves 0x98 undefined; it maps to U+0098 so that it survives a round trip.
constexpr char16_t kCp1251High[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

constexpr char16_t kCp866High[128] = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
    0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0,
};

struct CodePage {
    const char16_t* high;
    std::unordered_map<char32_t, unsigned char> reverse;

    explicit CodePage(const char16_t* table) : high(table)
    {
        for (int i = 0; i < 128; ++i)
            reverse.emplace(table[i], static_cast<unsigned char>(0x80 + i));
    }

    std::string decode(std::string_view bytes) const
    {
        std::string out;
        out.reserve(bytes.size() * 2);
        for (unsigned char c : bytes) {
            if (c < 0x80)
                out.push_back(static_cast<char>(c));
            else
                AppendUtf8(out, high[c - 0x80]);
        }
        return out;
    }

    std::string encode(std::string_view utf8) const
    {
        std::string out;
        out.reserve(utf8.size());
        std::size_t pos = 0;
        while (pos < utf8.size()) {
            char32_t cp = NextUtf8(utf8, pos);
            if (cp < 0x80) {
                out.push_back(static_cast<char>(cp));
                continue;
            }
            auto it = reverse.find(cp);
            out.push_back(it != reverse.end() ? static_cast<char>(it->second) : '?');
        }
        return out;
    }
};

const CodePage& Cp1251()
{
    static const CodePage page(kCp1251High);
    return page;
}

const CodePage& Cp866()
{
    static const CodePage page(kCp866High);
    return page;
}

} // namespace

std::u32string CharsOutsideCp1251(std::string_view utf8)
{
    std::u32string out;
    const auto& reverse = Cp1251().reverse;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = NextUtf8(utf8, pos);
        if (cp >= 0x80 && !reverse.count(cp) && out.find(cp) == std::u32string::npos)
            out.push_back(cp);
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

char32_t NextUtf8(std::string_view s, std::size_t& pos)
{
    unsigned char c = static_cast<unsigned char>(s[pos]);
    int extra = 0;
    char32_t cp = 0;
    if (c < 0x80) {
        ++pos;
        return c;
    } else if ((c & 0xE0) == 0xC0) {
        extra = 1;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3;
        cp = c & 0x07;
    } else {
        ++pos;
        return 0xFFFD;
    }
    if (pos + static_cast<std::size_t>(extra) >= s.size()) {
        ++pos;
        return 0xFFFD;
    }
    for (int i = 1; i <= extra; ++i) {
        unsigned char t = static_cast<unsigned char>(s[pos + i]);
        if ((t & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (t & 0x3F);
    }
    pos += static_cast<std::size_t>(extra) + 1;
    return cp;
}

std::string Cp1251ToUtf8(std::string_view bytes) { return Cp1251().decode(bytes); }
std::string Utf8ToCp1251(std::string_view utf8) { return Cp1251().encode(utf8); }
std::string Cp866ToUtf8(std::string_view bytes) { return Cp866().decode(bytes); }
std::string Utf8ToCp866(std::string_view utf8) { return Cp866().encode(utf8); }

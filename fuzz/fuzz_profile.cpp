// Feeds arbitrary text to the profile reader and the settings parsers: no
// fault, and a profile written back reads back to the same text.
#include "app/displayfont.h"
#include "app/linestyles.h"
#include "platform/profile.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    ProfileFile p;
    p.LoadFromText(text);
    std::string entry = p.GetProfileString("Lines List", "Line1");
    std::uint32_t colour;
    int width, marker;
    if (ParseLineStyleEntry(entry, colour, width, marker) && (width < 1 || width > 10 || marker < 8))
        std::abort();
    LogFont font;
    ParseFontEntry(p.GetProfileString("Fonts List", "Font1"), font);
    ParseLineStyleEntry(text, colour, width, marker);
    ParseFontEntry(text, font);
    p.GetProfileInt("Settings", "PreviewPages", 0);
    p.WriteProfileString("Recent File List", "File1", "/x.ktf");
    std::string once = p.Text();
    ProfileFile q;
    q.LoadFromText(once);
    if (q.Text() != once || q.GetProfileString("Recent File List", "File1") != "/x.ktf")
        std::abort();
    return 0;
}

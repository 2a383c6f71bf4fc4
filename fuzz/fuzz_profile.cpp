// Feeds arbitrary text to the profile reader and the settings parsers: no
// fault, and a profile written back reads back to the same text.  The text
// also goes through the program's settings lists as at start-up and exit.
#include "app/displayfont.h"
#include "app/linestyles.h"
#include "app/profilelists.h"
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

    // Start-up reads the lists and applies styles and font; exit writes them
    // back.  Written once, the lists must read and write to the same text.
    ProfileLists lists;
    lists.m_profile.LoadFromText(text);
    lists.LoadProfileLists(4);
    lists.ApplyLineStyles();
    lists.ApplyDisplayFont();
    lists.SaveProfileLists();
    const std::string saved = lists.m_profile.Text();
    ProfileLists again;
    again.m_profile.LoadFromText(saved);
    again.LoadProfileLists(4);
    again.ApplyLineStyles();
    again.ApplyDisplayFont();
    again.SaveProfileLists();
    if (again.m_profile.Text() != saved)
        std::abort();
    return 0;
}

#include "app/displayfont.h"

#include "app/scanfields.h"
#include "platform/format.h"
#include "platform/profile.h"

LogFont g_LogFont = DefaultDisplayFont();

LogFont DefaultDisplayFont()
{
    LogFont f;
    // The system fixed font's precision and quality: string precision, stroke
    // clipping, draft quality.
    f.lfOutPrecision = 1;
    f.lfClipPrecision = 2;
    f.lfQuality = 1;
    f.lfFaceName = "Courier New Cyr";
    f.lfHeight = 12;
    f.lfWidth = 0;
    f.lfEscapement = 0;
    f.lfOrientation = 0;
    f.lfWeight = 400;
    f.lfItalic = 0;
    f.lfUnderline = 0;
    f.lfStrikeOut = 0;
    f.lfCharSet = 204;
    f.lfPitchAndFamily = 17;
    return f;
}

bool ParseFontEntry(std::string_view entry, LogFont& font)
{
    long v[13];
    std::size_t pos = 0;
    for (int i = 0; i < 13; ++i) {
        if (!ScanDecimal(entry, pos, v[i]) || pos >= entry.size())
            return false;
        ++pos; // the separator after each number
    }
    for (int i = 5; i < 13; ++i)
        if (v[i] < 0 || v[i] > 255)
            return false;
    // The face name is a C string: it ends at a NUL byte, as it is written.
    // Blanks at its end would not survive the profile (a value loses them
    // when read), so they are no part of the name.
    std::string_view face = entry.substr(pos);
    face = face.substr(0, face.find('\0'));
    while (!face.empty() && IsProfileBlank(face.back()))
        face.remove_suffix(1);
    // A line break cannot stand in a profile value: such a font would not be
    // written back, and the next start would take another.
    if (face.empty() || face.find_first_of("\r\n") != std::string_view::npos)
        return false;
    LogFont f;
    f.lfHeight = v[0];
    f.lfWidth = v[1];
    f.lfEscapement = v[2];
    f.lfOrientation = v[3];
    f.lfWeight = v[4];
    f.lfItalic = static_cast<int>(v[5]);
    f.lfUnderline = static_cast<int>(v[6]);
    f.lfStrikeOut = static_cast<int>(v[7]);
    f.lfCharSet = static_cast<int>(v[8]);
    f.lfOutPrecision = static_cast<int>(v[9]);
    f.lfClipPrecision = static_cast<int>(v[10]);
    f.lfQuality = static_cast<int>(v[11]);
    f.lfPitchAndFamily = static_cast<int>(v[12]);
    f.lfFaceName = std::string(face);
    font = std::move(f);
    return true;
}

std::string FormatFontEntry(const LogFont& f)
{
    return StrFormat("%ld,%ld,%ld,%ld,%ld,%d,%d,%d,%d,%d,%d,%d,%d,%s", f.lfHeight, f.lfWidth, f.lfEscapement,
                     f.lfOrientation, f.lfWeight, f.lfItalic, f.lfUnderline, f.lfStrikeOut, f.lfCharSet,
                     f.lfOutPrecision, f.lfClipPrecision, f.lfQuality, f.lfPitchAndFamily, f.lfFaceName.c_str());
}

// The display font of the text views (task and catalog listings, result
// reports), described by the fields of a logical font (height, width, weight,
// ..., face name) as the profile stores them.  The Qt side turns it into a QFont.
#pragma once

#include <string>
#include <string_view>

struct LogFont {
    long lfHeight = 0;
    long lfWidth = 0;
    long lfEscapement = 0;
    long lfOrientation = 0;
    long lfWeight = 0;
    int lfItalic = 0;
    int lfUnderline = 0;
    int lfStrikeOut = 0;
    int lfCharSet = 0;
    int lfOutPrecision = 0;
    int lfClipPrecision = 0;
    int lfQuality = 0;
    int lfPitchAndFamily = 0;
    std::string lfFaceName;

    bool operator==(const LogFont&) const = default;
};

extern LogFont g_LogFont;

// Pitch bits of lfPitchAndFamily.
inline constexpr int kFixedPitch = 1;
inline constexpr int kVariablePitch = 2;

// The font used when the profile holds none: "Courier New Cyr", height 12,
// weight 400, Cyrillic character set 204, fixed pitch and roman family (17);
// the precision and quality fields of the system's fixed font.
LogFont DefaultDisplayFont();

// One "Fonts List" entry: height, width, escapement, orientation, weight,
// italic, underline, strike-out, character set, output precision, clip
// precision, quality, pitch and family, each followed by one separator
// character, then the face name as the rest of the entry up to a NUL byte
// (inner blanks included, blanks at its end dropped).  Returns false for an
// entry that does not hold all of them, a byte field outside 0..255 or an
// empty face name.
bool ParseFontEntry(std::string_view entry, LogFont& font);
std::string FormatFontEntry(const LogFont& font);

// The model of the font choice dialog: the font to start from, and the choice after IDOK.
struct FontDialogModel {
    LogFont font;
};

// The 20 line styles of the result graphs (10 coloured, 10 black) and the
// curve-point markers drawn with them.  The application loads the styles from
// the profile at start-up and writes them back at exit; the graph views and
// the line-style dialog read and edit them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr int kLineStyleCount = 20;

struct LineStyleSet {
    int colourMode = 0;                      // 0 the coloured set (styles 1-10), 1 the black set (11-20)
    std::uint32_t colours[kLineStyleCount]{}; // 0x00BBGGRR
    int widths[kLineStyleCount]{};            // pen width, pixels
    int markers[kLineStyleCount]{};           // size * 8 + shape
};

extern LineStyleSet LineStyleTables;

// Default of one style: the ten colours of the coloured set, black for the
// black set, width 2, marker 16 (a circle of size 2).
std::uint32_t DefaultLineColour(int style);
inline constexpr int kDefaultLineWidth = 2;
inline constexpr int kDefaultMarker = 16;
void SetDefaultLineStyles(LineStyleSet& set);

inline constexpr std::uint32_t MakeColour(int red, int green, int blue)
{
    return static_cast<std::uint32_t>(red) | (static_cast<std::uint32_t>(green) << 8) |
           (static_cast<std::uint32_t>(blue) << 16);
}
inline constexpr int RedOf(std::uint32_t c) { return static_cast<int>(c & 0xFF); }
inline constexpr int GreenOf(std::uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); }
inline constexpr int BlueOf(std::uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }

// One "Lines List" entry: "red,green,blue,width,marker" (any one character
// separates the numbers).  Returns false for an entry that is not five whole
// numbers, a colour component outside 0..255, a width outside 1..10 or a
// marker of a size above 10; a marker code below 8 reads as 16.
bool ParseLineStyleEntry(std::string_view entry, std::uint32_t& colour, int& width, int& marker);
std::string FormatLineStyleEntry(std::uint32_t colour, int width, int marker);

// Marker shapes of a code's low three bits.
enum class MarkerShape { None = 0, Circle, Square, DiagonalCross, UprightCross, Triangle, InvertedTriangle };

// Swaps the two triangles when non-zero (the graph painters set and clear it).
extern int g_bMarkerSwap;

struct MarkerGeometry {
    MarkerShape shape = MarkerShape::None;
    int halfSize = 0; // h: the marker spans the centre +- h
};
// The shape and half-size of a marker code at a drawing scale: size = code / 8,
// at least 1; h = size * scale truncated; shape 7 draws nothing.
MarkerGeometry GetMarkerGeometry(int code, double scale);

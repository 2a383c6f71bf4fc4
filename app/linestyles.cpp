#include "app/linestyles.h"

#include "app/scanfields.h"
#include "platform/format.h"

LineStyleSet LineStyleTables;
int g_bMarkerSwap = 0;

namespace {

constexpr std::uint32_t kColouredSet[10] = {0xFF,     0xC800, 0xFF0000, 0xC3C3, 0xFF00FF,
                                            0xC3C300, 0x7F,   0x6400,   0x7F0000, 0x6464};

} // namespace

std::uint32_t DefaultLineColour(int style)
{
    return (style >= 0 && style < 10) ? kColouredSet[style] : 0;
}

void SetDefaultLineStyles(LineStyleSet& set)
{
    for (int i = 0; i < kLineStyleCount; ++i) {
        set.colours[i] = DefaultLineColour(i);
        set.widths[i] = kDefaultLineWidth;
        set.markers[i] = kDefaultMarker;
    }
}

bool ParseLineStyleEntry(std::string_view entry, std::uint32_t& colour, int& width, int& marker)
{
    long v[5];
    std::size_t pos = 0;
    for (int i = 0; i < 5; ++i) {
        if (i > 0) {
            if (pos >= entry.size())
                return false;
            ++pos; // the one separator character
        }
        if (!ScanDecimal(entry, pos, v[i]))
            return false;
    }
    for (int i = 0; i < 3; ++i)
        if (v[i] < 0 || v[i] > 255)
            return false;
    if (v[3] < 1 || v[3] > 10)
        return false;
    long m = v[4] < 8 ? kDefaultMarker : v[4];
    if (m / 8 > 10)
        return false;
    colour = MakeColour(static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]));
    width = static_cast<int>(v[3]);
    marker = static_cast<int>(m);
    return true;
}

std::string FormatLineStyleEntry(std::uint32_t colour, int width, int marker)
{
    return StrFormat("%d,%d,%d,%d,%d", RedOf(colour), GreenOf(colour), BlueOf(colour), width, marker);
}

MarkerGeometry GetMarkerGeometry(int code, double scale)
{
    MarkerGeometry g;
    int shape = code & 7;
    if (shape == 0 || shape == 7)
        return g;
    if (g_bMarkerSwap && (shape == 5 || shape == 6))
        shape = 11 - shape;
    int size = code / 8;
    if (size < 1)
        size = 1;
    g.shape = static_cast<MarkerShape>(shape);
    g.halfSize = static_cast<int>(size * scale);
    return g;
}

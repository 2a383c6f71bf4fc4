#include "results/linestyles.h"

#include "platform/format.h"

LineStyleTables g_LineStyles;

void SetDefaultLineStyles(LineStyleTables& styles)
{
    static const ColourRef kColoured[kLinesPerSet] = {0xFF,   0xC800, 0xFF0000, 0xC3C3,   0xFF00FF,
                                                      0xC3C300, 0x7F, 0x6400,   0x7F0000, 0x6464};
    for (int i = 0; i < kLineStyleCount; ++i) {
        styles.colours[static_cast<std::size_t>(i)] = i < kLinesPerSet ? kColoured[i] : 0;
        styles.widths[static_cast<std::size_t>(i)] = 2;
        styles.markers[static_cast<std::size_t>(i)] = 16;
    }
}

LineStyleEditModel::LineStyleEditModel(const LineStyleTables& styles)
    : colours(styles.colours), widths(styles.widths), markers(styles.markers)
{
}

void LineStyleEditModel::Open(int usedColourMode)
{
    colourMode = usedColourMode != 0 ? 1 : 0;
    lineNumber = 1;
    LoadSetControls();
    LoadLineControls();
    suppressChange = false;
}

void LineStyleEditModel::LoadSetControls()
{
    styleBase = colourMode * kLinesPerSet;
    redCaption = colourMode != 0 ? "Яркость" : "Красный";
}

void LineStyleEditModel::SwitchColourMode(int mode)
{
    mode = mode != 0 ? 1 : 0;
    if (mode == colourMode)
        return;
    colourMode = mode;
    LoadSetControls();
    LoadLineControls();
}

void LineStyleEditModel::LoadLineControls()
{
    const std::size_t k = static_cast<std::size_t>(EditedEntry());
    const ColourRef c = colours[k];
    if (colourMode != 0) {
        sliders[0] = 255 - RedOf(c);
        redText = StrFormat("%d", sliders[0]);
    } else {
        sliders = {RedOf(c), GreenOf(c), BlueOf(c)};
        redText = StrFormat("%3d", sliders[0]);
        greenText = StrFormat("%3d", sliders[1]);
        blueText = StrFormat("%3d", sliders[2]);
    }
    penWidth = widths[k];
    markerKind = MarkerKind(markers[k]);
    markerSize = MarkerSize(markers[k]);
}

void LineStyleEditModel::StoreLineValues()
{
    const std::size_t k = static_cast<std::size_t>(EditedEntry());
    if (colourMode != 0) {
        // The slider is a brightness: 0 is white, 255 black.
        int grey = 255 - sliders[0];
        colours[k] = MakeColour(grey, grey, grey);
    } else {
        colours[k] = MakeColour(sliders[0], sliders[1], sliders[2]);
    }
    widths[k] = penWidth;
    markers[k] = MarkerCode(markerSize, markerKind);
}

bool LineStyleEditModel::SetLineNumber(int line)
{
    if (suppressChange || line < 1 || line > kLinesPerSet)
        return false;
    lineNumber = line;
    LoadLineControls();
    return true;
}

bool LineStyleEditModel::MoveSlider(int slider, int position)
{
    if (slider < 0 || slider > 2 || position < 0 || position > 255)
        return false;
    sliders[static_cast<std::size_t>(slider)] = position;
    std::string text = StrFormat("%3d", position);
    (slider == 0 ? redText : slider == 1 ? greenText : blueText) = text;
    StoreLineValues();
    return true;
}

bool LineStyleEditModel::SetPenWidth(int width)
{
    if (suppressChange || width < 1 || width > 10)
        return false;
    penWidth = width;
    StoreLineValues();
    return true;
}

bool LineStyleEditModel::SetMarkerSize(int size)
{
    if (suppressChange || size < 1 || size > 10)
        return false;
    markerSize = size;
    StoreLineValues();
    return true;
}

bool LineStyleEditModel::SetMarkerKind(int kind)
{
    if (kind == markerKind || kind < 0 || kind > 6)
        return false;
    markerKind = kind;
    StoreLineValues();
    return true;
}

void LineStyleEditModel::Save(LineStyleTables& styles) const
{
    styles.colours = colours;
    styles.widths = widths;
    styles.markers = markers;
}

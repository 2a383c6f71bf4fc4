#include "results/linestyleedit.h"

#include "platform/format.h"

namespace {

int Component(std::uint32_t colour, int shift)
{
    return static_cast<int>(colour >> shift & 0xFF);
}

std::uint32_t Colour(int red, int green, int blue)
{
    return static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
           static_cast<std::uint32_t>(blue) << 16;
}

} // namespace

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
    const std::uint32_t c = colours[k];
    if (colourMode != 0) {
        sliders[0] = 255 - Component(c, 0);
        redText = StrFormat("%d", sliders[0]);
    } else {
        sliders = {Component(c, 0), Component(c, 8), Component(c, 16)};
        redText = StrFormat("%3d", sliders[0]);
        greenText = StrFormat("%3d", sliders[1]);
        blueText = StrFormat("%3d", sliders[2]);
    }
    penWidth = widths[k];
    markerKind = markers[k] & 7;
    markerSize = markers[k] / 8;
}

void LineStyleEditModel::StoreLineValues()
{
    const std::size_t k = static_cast<std::size_t>(EditedEntry());
    if (colourMode != 0) {
        // The slider is a brightness: 0 is white, 255 black.
        int grey = 255 - sliders[0];
        colours[k] = Colour(grey, grey, grey);
    } else {
        colours[k] = Colour(sliders[0], sliders[1], sliders[2]);
    }
    widths[k] = penWidth;
    markers[k] = markerSize * 8 + markerKind;
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
    (slider == 0 ? redText : slider == 1 ? greenText : blueText) = StrFormat("%3d", position);
    StoreLineValues();
    return true;
}

bool LineStyleEditModel::SetSpinValue(int& field, int value)
{
    if (suppressChange || value < 1 || value > 10)
        return false;
    field = value;
    StoreLineValues();
    return true;
}

bool LineStyleEditModel::SetPenWidth(int width)
{
    return SetSpinValue(penWidth, width);
}

bool LineStyleEditModel::SetMarkerSize(int size)
{
    return SetSpinValue(markerSize, size);
}

bool LineStyleEditModel::SetMarkerKind(int kind)
{
    if (kind == markerKind || kind < 0 || kind > 6)
        return false;
    markerKind = kind;
    StoreLineValues();
    return true;
}

// The 20 line styles of the graph curves (a coloured set and a black set of
// ten) and the editing model of the line-style dialog.
#pragma once

#include <array>
#include <cstdint>
#include <string>

inline constexpr int kLineStyleCount = 20;
inline constexpr int kLinesPerSet = 10;

using ColourRef = std::uint32_t; // red in the low byte, then green, then blue

inline constexpr ColourRef MakeColour(int red, int green, int blue)
{
    return static_cast<ColourRef>(red & 0xFF) | static_cast<ColourRef>(green & 0xFF) << 8 |
           static_cast<ColourRef>(blue & 0xFF) << 16;
}
inline constexpr int RedOf(ColourRef c) { return static_cast<int>(c & 0xFF); }
inline constexpr int GreenOf(ColourRef c) { return static_cast<int>(c >> 8 & 0xFF); }
inline constexpr int BlueOf(ColourRef c) { return static_cast<int>(c >> 16 & 0xFF); }

// Marker code = size * 8 + kind; kind 0 none, 1 circle, 2 square, 3 diagonal
// cross, 4 upright cross, 5 triangle, 6 inverted triangle.
inline constexpr int MarkerCode(int size, int kind) { return size * 8 + kind; }
inline constexpr int MarkerKind(int code) { return code & 7; }
inline constexpr int MarkerSize(int code) { return code / 8; }

struct LineStyleTables {
    int colourMode = 0; // 0 coloured set (entries 0-9) in use, 1 black set (10-19)
    std::array<ColourRef, kLineStyleCount> colours{};
    std::array<int, kLineStyleCount> widths{};
    std::array<int, kLineStyleCount> markers{};

    // First entry of the set in use: curve i of a graph uses entry styleBase + i.
    int StyleBase() const { return colourMode * kLinesPerSet; }
};

// The program's line styles, loaded from the profile at start-up.
extern LineStyleTables g_LineStyles;

// The styles of a fresh installation: ten distinct colours, then ten black
// lines, all 2 pixels wide, marker code 16 (size 2, no marker shape).
void SetDefaultLineStyles(LineStyleTables& styles);

// The line-style dialog's model: it edits working copies of the 20 styles, one
// line of one set at a time, and hands them back only on "Сохранить".
class LineStyleEditModel {
public:
    explicit LineStyleEditModel(const LineStyleTables& styles);

    int lineNumber = 1; // edited line, 1 to 10
    int markerKind = 0; // 0 to 6
    int penWidth = 1;   // 1 to 10
    int colourMode = 0; // 0 coloured set edited, 1 black set
    int markerSize = 1; // 1 to 10
    // Slider positions 0 to 255: red, green, blue; in the black set the first
    // is the brightness (255 - grey level).
    std::array<int, 3> sliders{};
    std::string redText, greenText, blueText; // value texts beside the sliders
    std::string redCaption;                   // "Красный" or "Яркость"
    std::array<ColourRef, kLineStyleCount> colours;
    std::array<int, kLineStyleCount> widths;
    std::array<int, kLineStyleCount> markers;
    int styleBase = 0;
    bool suppressChange = true;

    // Opening with the set in use.
    void Open(int usedColourMode);
    // The "Цветное" / "Черно-белое" radios: another set to edit.
    void SwitchColourMode(int mode);
    // Only the coloured set has green and blue sliders.
    bool GreenBlueShown() const { return colourMode == 0; }
    // Entry of the edited line.
    int EditedEntry() const { return styleBase + lineNumber - 1; }

    void LoadLineControls();
    void StoreLineValues();

    // Control changes; each returns false when the value is refused (outside
    // the control's range) or ignored while the dialog is set up.
    bool SetLineNumber(int line);
    bool MoveSlider(int slider, int position);
    bool SetPenWidth(int width);
    bool SetMarkerSize(int size);
    bool SetMarkerKind(int kind);

    // "Сохранить": the 20 colours, widths and markers; the set in use stays.
    void Save(LineStyleTables& styles) const;

private:
    void LoadSetControls();
};

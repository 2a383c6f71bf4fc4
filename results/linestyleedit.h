// The line-style dialog's model ("Линии на графиках"): it edits working copies
// of the 20 line styles of the graphs (entries 0-9 the coloured set, 10-19 the
// black set), one line of one set at a time, and hands them back only on
// "Сохранить".  Colours are 0x00BBGGRR; a marker code is size * 8 + kind.
#pragma once

#include <array>
#include <cstdint>
#include <string>

class LineStyleEditModel {
public:
    static constexpr int kStyles = 20;
    static constexpr int kLinesPerSet = 10;

    // Copies the colours, widths and markers of the line-style tables (any
    // record with those three arrays of 20 entries).
    template <class Tables>
    explicit LineStyleEditModel(const Tables& styles)
    {
        for (int i = 0; i < kStyles; ++i) {
            colours[static_cast<std::size_t>(i)] = styles.colours[i];
            widths[static_cast<std::size_t>(i)] = styles.widths[i];
            markers[static_cast<std::size_t>(i)] = styles.markers[i];
        }
    }

    int lineNumber = 1; // edited line, 1 to 10
    int markerKind = 0; // 0 none, 1 circle, 2 square, 3 and 4 crosses, 5 and 6 triangles
    int penWidth = 1;   // 1 to 10
    int colourMode = 0; // 0 coloured set edited, 1 black set
    int markerSize = 1; // 1 to 10
    // Slider positions 0 to 255: red, green, blue; in the black set the first
    // is the brightness (255 - grey level).
    std::array<int, 3> sliders{};
    std::string redText, greenText, blueText; // value texts beside the sliders
    std::string redCaption;                   // "Красный" or "Яркость"
    std::array<std::uint32_t, kStyles> colours{};
    std::array<int, kStyles> widths{};
    std::array<int, kStyles> markers{};
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

    // "Сохранить": the 20 colours, widths and markers go back; the set in use
    // is not the dialog's to change.
    template <class Tables>
    void Save(Tables& styles) const
    {
        for (int i = 0; i < kStyles; ++i) {
            styles.colours[i] = colours[static_cast<std::size_t>(i)];
            styles.widths[i] = widths[static_cast<std::size_t>(i)];
            styles.markers[i] = markers[static_cast<std::size_t>(i)];
        }
    }

private:
    void LoadSetControls();
    // The width and marker-size edits: 1 to 10, stored at once.
    bool SetSpinValue(int& field, int value);
};

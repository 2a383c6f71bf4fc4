// The per-frequency view: the value of every curve of a graph at one frequency,
// stepped up and down by the user, with the graph's cursor following it.
#pragma once

#include "results/graphmodel.h"

#include <array>
#include <string>

// Caption of the values of a quantity, e.g. "Затухание, дБ".
const char* FrequencyViewCaption(int quantity);

class FrequencyViewModel {
public:
    // Given by the caller before Open(): the graph's curves (not copied), how
    // many are used, the quantity (0 to 5) and the graph's cursor frequency.
    const CRez* rows = nullptr;
    unsigned char rowCount = 0;
    unsigned char quantity = 0;
    float cursorFreq = 0.0f; // kHz; after every change the frequency the graph's cursor takes

    float step = 0.0f; // kHz, the smallest step of the rows; the user may type another
    std::array<std::string, kMaxCurves> valueTexts;
    float freq = 0.0f; // kHz, the frequency shown
    std::string caption;
    std::array<std::string, kMaxCurves> labelTexts;
    float lowFreq = 0.0f, highFreq = 0.0f; // range of the rows, kHz
    bool suppressChange = true;            // set while the dialog is being set up
    int styleBase = 0;                     // 0 coloured set, 10 black set of the line styles

    // Opening: step and range of the rows, line-style set, start frequency (the
    // cursor's when it is at least 0.001 kHz, else the lowest), values, labels
    // and caption.
    void Open(int colourMode);

    // Value of one row at the shown frequency, "%g", or "Нет" outside the row's
    // range.  The row's own step gives the delay's half-step offset and the
    // interpolation; the dialog's step only moves the frequency.
    std::string GetValueText(int row) const;
    void UpdateValues();

    // The up-down control: a change of 0 or less steps up, a positive one down.
    // There is no bound: beyond a row's range its value reads "Нет".
    void StepFrequency(int delta);
    // A frequency typed by the user (ignored while the dialog is set up);
    // false when ignored.
    bool TypeFrequency(float kHz);
    void TypeStep(float kHz);

    bool RowShown(int row) const { return row < rowCount; }

private:
    void FrequencyChanged();
};

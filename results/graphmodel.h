// The state behind one graph window: up to ten curves of one quantity over
// frequency, their data ranges, the shown ranges (zoom, shifts, manual scale)
// and the nice-step axes.  The results view and the comparison-buffer view each
// own one; they differ only in their GraphViewKind.
#pragma once

#include "results/graphview.h"
#include "results/rez.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

class CRezGra;

inline constexpr int kMaxCurves = 10;

// One curve to build: the legend label and the stored result it shows.
struct CurveSource {
    std::string label;
    const CRezGra* result = nullptr;
};

struct GraphCommandState {
    bool enabled = false;
    bool ticked = false;
};

class GraphModel {
public:
    // kind: kResultsGraph or kBufferGraph (kept by pointer).
    explicit GraphModel(const GraphViewKind& kind = kResultsGraph) : kind(&kind) {}

    const GraphViewKind* kind;
    int quantity = kQuantityAttenuation;

    std::array<CRez, kMaxCurves> curves;
    unsigned char curveCount = 0;

    bool xFull = true;          // shown X range is the data range
    bool yFull = true;          // shown Y range is the data range
    bool xChoose = false;       // mouse choice of the frequency range armed
    bool yChoose = false;       // mouse choice of the value range armed
    bool bandActive = false;    // a range choice is being dragged
    bool straddlesZero = false; // data minimum * data maximum < 0
    bool notFromZero = false;   // Y range need not include zero
    bool manualScale = false;   // axes set by the scale dialog

    double dataYMin = 1e20, dataYMax = -1e20; // exact data range of the values
    double dataFMin = 0.0, dataFMax = 0.0;    // frequency range of the curves, kHz
    double shownFMin = 0.0, shownFMax = 0.0;
    double shownYMin = 0.0, shownYMax = 0.0;
    double zeroYMin = 0.0, zeroYMax = 0.0; // data range widened to include zero
    double yBase = 0.0;                    // value at the X axis
    double xBase = 0.0;                    // first grid frequency
    double yStep = 1.0, xStep = 1.0;

    bool cursorShown = false;
    float cursorFreq = 0.0f; // kHz

    bool HasCurves() const { return curveCount > 0; }
    bool IsDelay() const { return quantity == kQuantityGroupDelay; }

    // Fills the curves of the quantity (0 to 5) from the given results, in
    // order, and resets zoom, choice, cursor and manual scale.  A result of
    // fewer than two points, or whose end frequency is not above its start,
    // gives no curve and takes no slot; at most ten curves are filled.
    void BuildCurves(int quantity, const std::vector<CurveSource>& sources);
    // The same for curves already filled into the first `count` slots.
    void LoadCurves(int quantity, int count);

    // Recomputes the data Y ranges and straddlesZero over the points inside the
    // shown frequency range.  When the window holds no point, nothing changes
    // and the result is false.
    bool CalcYRange();

    // The nice steps and grid bases of both axes for the shown ranges (or the
    // manual ones).  False, with nothing computed, when there is no curve.
    bool ComputeAxes();

    // Abscissa (kHz) of value j of curve k: its frequency, or in the delay the
    // midpoint of its interval.
    double Abscissa(int k, std::size_t j) const;
    // Number of values of curve k that have an abscissa.
    std::size_t ValueCount(int k) const;

    // Commands.
    void ToggleXChoose();
    void ToggleYChoose();
    // Mouse press: starts dragging when a choice is armed.
    void PressChoice();
    // The range chosen with the mouse (ReleaseGraphChoice converts the points).
    void ChooseXRange(double f1, double f2);
    void ChooseYRange(double v1, double v2);
    // Every release ends the choice: one drag per command.
    void EndChoice();
    void XFullRange();
    void YFullRange();
    void ToggleNotFromZero();
    void ShiftLeft();
    void ShiftRight();
    // The scale dialog's accepted values (checked by ScaleDialogModel).
    void ApplyScale(float yLower, float yUpper, float yStepValue, float xLower, float xUpper,
                    float xStepValue);

    // Per-frequency view: disarms the choice and returns the start frequency
    // (the shown minimum; in the delay raised to the smallest first-interval
    // midpoint), which becomes the shown cursor.
    float StartFrequencyView();
    void MoveCursor(float freq);
    void EndFrequencyView();
    // The cursor is drawn while shown and inside the data frequency range.
    bool CursorVisible() const;

    // Enable and tick state of a graph command, or nothing for a command the
    // graph does not decide.
    std::optional<GraphCommandState> CommandState(int command) const;

private:
    // Value ranges over every finite value, or over those inside the shown
    // frequency window; the exact range starts at 1e20 / -1e20, the one that
    // includes zero at 0 / 0.
    struct ValueRanges {
        double lo = 1e20, hi = -1e20, zeroLo = 0.0, zeroHi = 0.0;
        bool found = false;
    };
    ValueRanges CollectValueRanges(bool shownWindowOnly) const;
    void ResetZoomState();
    void ClampShownYToData();
};

// Fills one curve of a quantity from a stored result; false (curve cleared)
// when the result cannot give a curve.
bool FillCurve(CRez& curve, int quantity, const std::string& label, const CRezGra& result);

// The calculation of the open task over one frequency or a frequency range,
// without its window: what the calculation dialog shows (the wires of both
// ends with their texts, the connection modes both ends allow, the check box
// of random spans, the frequencies of the last run), the validation of the
// frequencies with their messages, the frequency grid, and the run that
// cascades, terminates and reduces the channel at every frequency and keeps
// one frequency-response result in the task.
//
// A CalcSession lives as long as the dialog: it builds the table of identical
// line sections when it opens, keeps it across its runs and frees it when it
// closes.  One session at a time.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

class CKestrinDoc;
class CElement;

// ---- Frequency settings of the last validated run ---------------------------
// kHz; they outlive the dialog (not the program) and the next dialog starts
// from them.
extern float g_fCalcStart;
extern float g_fCalcEnd;
extern float g_fCalcStep;
extern int g_nCalcMode;  // 0 one frequency, 1 a range

// The program's start values: 0, 0, 0 and a range.
void ResetCalcSettings();

inline constexpr const char* kRangeRefusal = "Некорректно задан расчетный диапазон частот!";
inline constexpr const char* kFrequencyRefusal = "Некорректно задана расчетная частота!";
// Mode 3's resistance between the midpoints and the ground: a negative one
// would put gain into a passive channel, and one that is no number gives no
// value at any point.
inline constexpr const char* kResistanceRefusal = "Некорректно задано сопротивление!";
// The status line after a run (and before the first one).
inline constexpr const char* kCalcDoneText = "Расчет завершен";
inline constexpr const char* kCalcNotDoneText = "Расчет не завершен";

// The largest number of points a result can hold (a 16-bit count).
inline constexpr int kMaxCalcPoints = 65535;

// The frequencies as the dialog holds them, kHz.
struct FrequencyInput {
    int mode = 1;         // 0 one frequency, 1 a range
    float single = 0.0f;  // "Расчетная частота, кГц"
    float start = 0.0f;   // "Начальная"
    float end = 0.0f;     // "Конечная"
    float step = 0.0f;
};

struct FrequencyGrid {
    int points = 0;
    double startHz = 0.0;  // first point
    double endHz = 0.0;    // last point (the snapped end)
    double stepHz = 0.0;   // 0 for one frequency
    float snappedEnd = 0.0f;  // kHz: the end as the dialog shows it after the run
};

// Checks the frequencies (a range: step, a finite end above start and start
// above 0, else kRangeRefusal, and no more points than a result holds, else a
// refusal that names the count and the limit; one frequency: above 0; every
// frequency and the step finite in hertz too, else the range's or the
// frequency's refusal) and makes the grid: a whole number of steps, the end
// moved onto the last step.
// Returns the refusal message, empty when the input is valid.
std::string MakeFrequencyGrid(const FrequencyInput& in, FrequencyGrid& grid);

// The name of a result: the date and time of the run, "%d.%m.%y %H:%M".
std::string FormatRunName(std::time_t when);

// ---- Wires of the channel ends ----------------------------------------------

// One wire the transmitter or receiver can be connected to.
struct WireEntry {
    std::string text;        // "%d (%s)": wire number from 1 and conductor name
    int wire = 0;            // wire position 0..39
    bool splitHalf = false;  // one of the two halves of the split conductor
};

enum CalcSide { kTransmitSide = 0, kReceiveSide = 1 };

// Connection modes of the transmitter and the receiver to the wires.
enum ConnectionMode {
    kWireToGround = 0,       // "Провод - земля"
    kWireToWire = 1,         // "Провод - провод"
    kTwoWiresToGround = 2,   // "2 провода - земля"
    kWireToWireGrounded = 3  // "Провод - провод с сопротивлением, Ом"
};

// What a run asks for.
struct CalcRequest {
    FrequencyInput frequencies;
    int mode = kWireToGround;
    int txWire1 = 0;  // wire positions, from the side's wire list
    int txWire2 = 0;  // two-wire modes only
    int rxWire1 = 0;
    int rxWire2 = 0;
    double resistance = 0.0;  // ohm, mode 3: finite and not negative (0 grounds the midpoints directly)
    bool regenerateSpans = false;
    // Threads that calculate the points: 0 the default (the environment
    // variable KESTRIN_THREADS, else the hardware's count), 1 one point after
    // the other on the calling thread.  The results are the same bit for bit.
    int threads = 0;
};

enum class CalcStatus {
    Refused,  // the input was refused (message shown); nothing changed
    Failed,   // the run stopped (message shown); no result kept
    Done,     // one more result in the document
};

struct CalcOutcome {
    CalcStatus status = CalcStatus::Refused;
    // The status line after a run that was made ("Расчет %sзавершен"); a
    // refused request leaves the dialog's status as it was.
    std::string statusText = kCalcNotDoneText;
    float snappedEnd = 0.0f;  // kHz, the end to show after a validated range
};

// Why the task cannot be calculated: the first element whose data the models
// refuse, or channel ends that do not fit each other, as the refusal message;
// empty when it can.
std::string CheckCalcElements(const std::vector<CElement*>& elements);
// The refusal of one element's data at the 1-based position number of the
// chain, as that check makes it; empty when its models can calculate it.
std::string CheckCalcElement(const CElement& element, int number);

class CalcSession {
public:
    // Opens the session on the document: the identical-line table, the wire
    // lists of both ends and the modes they allow.
    explicit CalcSession(CKestrinDoc& doc);
    ~CalcSession();
    CalcSession(const CalcSession&) = delete;
    CalcSession& operator=(const CalcSession&) = delete;

    const std::vector<WireEntry>& Wires(int side) const { return m_wires[side]; }
    bool ModeEnabled(int mode) const;
    // The check box "Перегенерировать случайные длины пролетов" is shown only
    // for a channel with a tower-influence line.
    bool RegenerateSpansShown() const { return m_regenerateShown; }
    // The frequencies the dialog opens with (those of the last run).
    FrequencyInput RestoredFrequencies() const;

    // The entries of a wire choice: which 0 the first wire, 1 the second
    // (given the text of the chosen first wire), under a connection mode.
    std::vector<WireEntry> WireChoices(int side, int which, int mode, const std::string& firstText) const;

    // The clock that names the results (tests inject a fixed one).
    void SetClock(std::function<std::time_t()> clock) { m_clock = std::move(clock); }

    // One run.  progress(0, total) is called before the first point, so that
    // the bar shows while the first point runs, then progress(done, total)
    // at most about 30 times a second, and (total, total) at the end of a
    // complete run.  Messages go
    // through the message sink.  A request whose wires are not among the
    // choices of its mode is refused without a message.
    CalcOutcome Run(const CalcRequest& request, const std::function<void(int, int)>& progress = {});

private:
    bool RequestWiresValid(const CalcRequest& r) const;
    int SplitCount(int side) const;
    int OtherCount(int side) const { return int(m_wires[side].size()) - SplitCount(side); }

    CKestrinDoc& m_doc;
    std::vector<WireEntry> m_wires[2];
    bool m_regenerateShown = false;
    std::function<std::time_t()> m_clock;
};

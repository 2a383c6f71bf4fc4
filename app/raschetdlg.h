// The calculation dialog "Расчет параметров тракта": how the transmitter and
// the receiver are connected to the wires of the channel's two ends, one
// frequency or a range, and "Рассчитать", which adds one frequency-response
// result to the task per run.  The dialog stays open for further runs until
// "Возврат".
//
// This is the dialog without its window: the control values, the wire
// choices of the four combos, which controls are shown, and the handlers.
// The dialog owns one calculation session from opening to closing, so the
// table of identical line sections lives exactly as long as the dialog.
#pragma once

#include "calc/calcrun.h"
#include "platform/modal.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CKestrinDoc;

class CRaschetDlg {
public:
    explicit CRaschetDlg(CKestrinDoc& doc);
    ~CRaschetDlg();
    CRaschetDlg(const CRaschetDlg&) = delete;
    CRaschetDlg& operator=(const CRaschetDlg&) = delete;

    // ---- control values ----
    int m_nMode = kWireToGround;  // connection mode, 0..3; each dialog starts at 0
    int m_nFreqMode = 0;          // 0 "Расчет на 1 частоте", 1 "Расчет в диапазоне"
    std::string m_strFreq;        // "Расчетная частота, кГц"
    std::string m_strStart;       // "Начальная", kHz
    std::string m_strEnd;         // "Конечная", kHz
    std::string m_strStep;        // kHz
    std::string m_strResistance;  // ohm, mode 3
    int m_bRegenSpans = 0;        // "Перегенерировать случайные длины пролетов"
    std::string m_strStatus = kCalcNotDoneText;
    bool m_bStatusShown = false;
    // The four combos: [side][which], side 0 transmitter, 1 receiver; which 0
    // the first wire, 1 the second.  Each entry keeps its wire position.
    std::vector<WireEntry> m_Combo[2][2];
    int m_nSel[2][2] = {{-1, -1}, {-1, -1}};  // selected item, -1 none

    // ---- control states ----
    bool ModeEnabled(int mode) const;
    bool RegenerateShown() const;
    bool SecondWiresShown() const { return m_nMode != kWireToGround; }
    bool ResistanceShown() const { return m_nMode == kWireToWireGrounded; }
    // The single-frequency edit, or else the three range edits, are enabled.
    bool SingleFrequencyEnabled() const { return m_nFreqMode == 0; }
    // "Рассчитать" needs a wire in every combo the mode uses: an end whose
    // loads are all 0, or a coupling device without devices, offers none.
    bool CanCalculate() const;
    // Why "Рассчитать" stays disabled, in one line: the end that offers no
    // wire (its coupling devices or loads not entered); empty when both
    // ends offer wires.
    std::string MissingWiresText() const;
    // The text of a combo's selection, empty when nothing is selected.
    std::string SelectedText(int side, int which) const;

    // ---- handlers ----
    // Opens the session: wire lists, modes, the check box and the
    // frequencies of the last run.
    void OnInitDialog();
    // A connection-mode radio.
    void SetMode(int mode);
    // A combo's selection changed.
    void SelectWire(int side, int which, int index);
    // The arrow buttons beside a combo: up selects the previous entry, down
    // the next; nothing at either end of the list.
    void SpinWire(int side, int which, bool up);
    // A frequency-mode radio.
    void SetFrequencyMode(int mode);
    // A frequency edit changed: the status of the last run no longer applies.
    void OnFrequencyEdited() { m_bStatusShown = false; }
    // "Рассчитать": reads the numbers (a refused one shows "Введите число."),
    // runs the calculation with progress(0, total) before the first point
    // and progress(done, total) after every point, and
    // shows its status; a run that adds a result marks the task modified.
    CalcOutcome OnCalc(const std::function<void(int, int)>& progress = {});
    // "Возврат": the session and its line table are freed.
    void OnClose();

    int DoModal() { return RunModal(*this); }

private:
    // Refills a combo under the current mode, selecting keepText when it is
    // among the choices (else the first entry when firstIfNone).
    void Fill(int side, int which, const std::string& keepText, bool firstIfNone);
    // The side's wire-change handler: the first combo refilled keeping its
    // text, then, in a two-wire mode, the second.
    void WireChanged(int side);
    bool ReadRequest(CalcRequest& r) const;

    CKestrinDoc& m_doc;
    std::unique_ptr<CalcSession> m_session;
};

// The modal-parameter dialog "Расчет модальных параметров": the modes of one
// overhead or cable line at one frequency, stored in the task as a modal
// result per press of "Рассчитать".  The dialog without its window: control
// values and states and the handlers.
#pragma once

#include "platform/modal.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

class CElement;
class CKestrinDoc;

class CModRaschDlg {
public:
    CModRaschDlg(CKestrinDoc& doc, CElement& element, std::uint16_t position);

    // ---- control values ----
    std::string m_strFreq = "0";  // kHz
    std::string m_strCaption;     // "ВЛ %d" or "КЛ %d", the position from 1
    std::string m_strName;        // the element's name
    std::string m_strKind;        // "Воздушная ..." or "Кабельная линия электропередачи"
    int m_bRegenSpans = 0;        // "Перегенерировать случайные длины пролетов"

    // ---- control states ----
    bool m_bCalcEnabled = false;  // "Рассчитать"
    bool m_bDoneShown = false;    // "Расчет выполнен!"
    bool m_bRegenShown = false;

    void OnInitDialog();
    // The frequency edit changed: "Рассчитать" is offered for a frequency
    // other than the one last calculated in this dialog.
    void OnFreqChange();
    // "Рассчитать": one modal result more, or the refusal's stop message.
    void OnCalc();

    // The clock that names the results (tests inject a fixed one).
    void SetClock(std::function<std::time_t()> clock) { m_clock = std::move(clock); }

    int DoModal() { return RunModal(*this); }

private:
    CKestrinDoc& m_doc;
    CElement& m_element;
    std::uint16_t m_nPosition;
    double m_dLastFreq = 0.0;  // kHz
    bool m_bCalculated = false;
    std::function<std::time_t()> m_clock;
};

// The modal parameters of one overhead or cable line element at one
// frequency: its voltage and current mode matrices (columns normalised), the
// propagation constant and the modal characteristic admittance of every mode,
// as a CRezMod for the task's list of modal results.
#pragma once

#include "model/results.h"

#include <cstdint>
#include <memory>
#include <string>

class CElement;

// The smallest frequency the calculation accepts, kHz.
inline constexpr double kModalMinFreqKHz = 0.001;

enum class ModalCalcStatus {
    Done,
    NoFrequency,  // below kModalMinFreqKHz or beyond a double in rad/s: "Задайте расчетную частоту!"
    BadData,      // the element's data cannot be calculated
    MatrixError,  // a singular matrix (or values that are not finite)
};

struct ModalCalcOutcome {
    ModalCalcStatus status = ModalCalcStatus::Done;
    // The text to show when the status is not Done.
    std::string message;
    // The result, only when the status is Done.
    std::unique_ptr<CRezMod> result;
};

// Number of modes of a line element: the wire positions of an overhead line,
// 3 * circuits * (2 - pipe flag) of a cable line; 0 for any other element.
int ModalOrder(const CElement& element);

// Calculates the element (type 0 or 1) at freqKHz.  position is the element's
// 0-based place in the chain (stored in the result, shown + 1 in messages);
// name the result's name (the date and time of the calculation); regenerate
// asks a tower-influence line for new random span values.  Sets g_dCalcFreq,
// g_jOmega and g_bModalMode (which stays set until the next calculation run),
// clears g_MatError before it starts and tests it after the line model: after
// a singular matrix nothing is stored.
ModalCalcOutcome CalcModalParameters(CElement& element, std::uint16_t position, double freqKHz,
                                     bool regenerate, const std::string& name);

#include "calc/modalcalc.h"

#include "calc/cableline.h"
#include "calc/calcglobals.h"
#include "calc/elementcheck.h"
#include "calc/vline.h"
#include "math/linecalc.h"
#include "math/matrix.h"
#include "model/element.h"
#include "model/lines.h"
#include "platform/format.h"

#include <cmath>
#include <cstddef>
#include <vector>

namespace {

bool AllFinite(const std::vector<CComplex>& values)
{
    for (const CComplex& z : values)
        if (!std::isfinite(z.re) || !std::isfinite(z.im))
            return false;
    return true;
}

// Why the element cannot be calculated, as the full message; empty when it can.
std::string CheckLineElement(const CElement& element, int number)
{
    if (element.type == kOverheadLine)
        return CheckVLineElement(element, number);
    if (element.type == kCableLine)
        return CheckKLineElement(element, number);
    return FormatElementDataError(number, "модальные параметры рассчитываются только для линий");
}

} // namespace

int ModalOrder(const CElement& element)
{
    if (element.type == kOverheadLine)
        return element.wirePositions;
    const CKLine* line = element.type == kCableLine ? element.Data<CKLine>() : nullptr;
    return line ? KLineModalOrder(*line) : 0;
}

ModalCalcOutcome CalcModalParameters(CElement& element, std::uint16_t position, double freqKHz,
                                     bool regenerate, const std::string& name)
{
    ModalCalcOutcome outcome;
    // A frequency whose angular frequency in rad/s no double holds (above
    // about 2.9e304 kHz) is no frequency either.
    if (!(freqKHz >= kModalMinFreqKHz) || !std::isfinite(freqKHz * 1000 * 6.2831853072)) {
        outcome.status = ModalCalcStatus::NoFrequency;
        outcome.message = "Задайте расчетную частоту!";
        return outcome;
    }
    const int number = position + 1;
    std::string refusal = CheckLineElement(element, number);
    if (!refusal.empty()) {
        outcome.status = ModalCalcStatus::BadData;
        outcome.message = refusal;
        return outcome;
    }

    g_dCalcFreq = freqKHz * 1000;
    g_jOmega = CComplex(0.0, g_dCalcFreq * 6.2831853072);
    g_bModalMode = 1;
    g_MatError = 0;

    // The third matrix takes the propagation constants in row 0 and the modal
    // admittances in row 1: it has two rows even for a single mode.
    const int m = ModalOrder(element);
    const std::size_t mm = static_cast<std::size_t>(m) * m;
    std::vector<CComplex> V(mm), U(mm), rows(static_cast<std::size_t>(m) * (m < 2 ? 2 : m));
    const TwoPortBlocks out{V.data(), U.data(), rows.data()};
    if (element.type == kCableLine) {
        CalcKLineElement(*element.Data<CKLine>(), out, m);
    } else {
        unsigned char regen = regenerate ? 1 : 0;
        CalcVLineElement(element, out, &regen);
    }

    if (g_MatError != 0 || !AllFinite(V) || !AllFinite(U) || !AllFinite(rows)) {
        outcome.status = ModalCalcStatus::MatrixError;
        outcome.message = StrFormat("Ошибка при расчетах матриц элемента N %d.\nРасчет прекращен.", number);
        return outcome;
    }

    auto result = std::make_unique<CRezMod>();
    result->name = name;
    result->freq = g_dCalcFreq;
    result->position = position;
    result->m = static_cast<std::uint8_t>(m);
    result->V = V;
    result->U = U;
    result->gamma.assign(rows.begin(), rows.begin() + m);
    result->y.assign(rows.begin() + m, rows.begin() + 2 * m);
    outcome.result = std::move(result);
    return outcome;
}

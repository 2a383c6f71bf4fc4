#include "results/frequencyview.h"

#include "platform/format.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* kNoValue = "Нет";

} // namespace

const char* FrequencyViewCaption(int quantity)
{
    switch (quantity) {
    case kQuantityAttenuation:
        return "Затухание, дБ";
    case kQuantityGroupDelay:
        return "Искажение группового времени запаздывания, мсек";
    case kQuantityInputLeft:
        return "Входное сопротивление с левой стороны, Ом";
    case kQuantityMismatchLeft:
        return "Затухание несогласованности с левой стороны, дБ";
    case kQuantityMismatchRight:
        return "Затухание несогласованности с правой стороны, дБ";
    }
    return "Входное сопротивление с правой стороны, Ом";
}

void FrequencyViewModel::Open(int colourMode)
{
    rowCount = std::min<unsigned char>(rowCount, kMaxCurves);
    if (!rows)
        rowCount = 0;
    const bool delay = quantity == kQuantityGroupDelay;
    step = 1000.0f;
    lowFreq = 1000.0f;
    highFreq = 0.0f;
    for (int i = 0; i < rowCount; ++i) {
        const CRez& r = rows[i];
        double h = delay ? r.step / 2 : 0.0;
        step = std::min(step, static_cast<float>(r.step));
        lowFreq = std::min(lowFreq, static_cast<float>(r.fMin + h));
        highFreq = std::max(highFreq, static_cast<float>(r.fMax - h));
    }
    styleBase = colourMode * 10;
    freq = cursorFreq >= 0.001f ? cursorFreq : lowFreq;
    UpdateValues();
    for (int i = 0; i < kMaxCurves; ++i)
        labelTexts[static_cast<std::size_t>(i)] = i < rowCount ? rows[i].label : std::string();
    caption = FrequencyViewCaption(quantity);
    suppressChange = false;
}

std::string FrequencyViewModel::GetValueText(int row) const
{
    const CRez& r = rows[row];
    const bool delay = quantity == kQuantityGroupDelay;
    std::size_t m = delay ? (r.x.empty() ? 0 : r.x.size() - 1) : r.x.size();
    m = std::min(m, r.y.size());
    if (m == 0 || !(r.step > 0.0) || !std::isfinite(freq))
        return kNoValue;
    const double h = delay ? r.step / 2 : 0.0;
    // The shown frequency is single precision: the row's ends are compared at
    // that precision, or its first and last frequency would read "Нет".
    if (static_cast<float>(r.fMin + h) > freq || freq > static_cast<float>(r.fMax - h))
        return kNoValue;
    if (m == 1) // one delay value, at the one frequency the range admits
        return StrFormat("%g", r.y[0]);
    const double f = freq;
    std::size_t i = 1;
    while (i < m - 1 && !(f < r.x[i] + h))
        ++i;
    // On a point (at the dialog's precision) the point's own value; between
    // points the straight line with the row's uniform step.
    double v;
    if (static_cast<float>(r.x[i - 1] + h) == freq)
        v = r.y[i - 1];
    else if (static_cast<float>(r.x[i] + h) == freq)
        v = r.y[i];
    else
        v = r.y[i - 1] + (f - r.x[i - 1] - h) * (r.y[i] - r.y[i - 1]) / r.step;
    return StrFormat("%g", v);
}

void FrequencyViewModel::UpdateValues()
{
    for (int i = 0; i < kMaxCurves; ++i)
        valueTexts[static_cast<std::size_t>(i)] = i < rowCount ? GetValueText(i) : std::string();
}

void FrequencyViewModel::FrequencyChanged()
{
    UpdateValues();
    cursorFreq = freq;
}

void FrequencyViewModel::StepFrequency(int delta)
{
    if (delta <= 0)
        freq += step;
    else
        freq -= step;
    FrequencyChanged();
}

bool FrequencyViewModel::TypeFrequency(float kHz)
{
    if (suppressChange)
        return false;
    freq = kHz;
    FrequencyChanged();
    return true;
}

void FrequencyViewModel::TypeStep(float kHz)
{
    step = kHz;
}

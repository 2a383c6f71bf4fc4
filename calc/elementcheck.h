// Refusal of element data that the models cannot calculate.  The run checks
// every element before its first frequency and, for the first element that
// fails, shows the message and calculates nothing.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>

// "Ошибка в данных элемента N <number>:\n<reason>.\nРасчет невозможен."
std::string FormatElementDataError(int number, const std::string& reason);

// The reason for refusing a value the models read that is NaN or infinite,
// naming the value: "<what>: значение не является конечным числом".  Such a
// value would pass the checks of sign (NaN is neither above nor below 0),
// read an R-L branch as absent, or come out as "no value" at every point.
std::string NotFiniteReason(const std::string& what);
// The first of the named values that is not finite, as the reason
// NotFiniteReason(prefix + name); empty when all are.
std::string FirstNotFinite(const std::string& prefix, std::initializer_list<std::pair<const char*, double>> values);
// Whether all count values from first are finite.
bool AllFinite(const double* first, std::size_t count);

// Shows a refusal (stop icon, the application's name as caption).
void ShowElementDataError(const std::string& message);

// While an instance lives, the calculation's messages on this thread are not
// shown: the threads that calculate the points of a range in parallel are
// quiet, and the run shows the message of the point that stopped it.
class QuietCalcMessages {
public:
    QuietCalcMessages();
    ~QuietCalcMessages();
    QuietCalcMessages(const QuietCalcMessages&) = delete;
    QuietCalcMessages& operator=(const QuietCalcMessages&) = delete;
    // True while the calling thread's messages are not shown.
    static bool Active();

private:
    bool m_previous;
};

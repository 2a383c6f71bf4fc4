// Refusal of element data that the models cannot calculate.  The run checks
// every element before its first frequency and, for the first element that
// fails, shows the message and calculates nothing.
#pragma once

#include <string>

// "Ошибка в данных элемента N <number>:\n<reason>.\nРасчет невозможен."
std::string FormatElementDataError(int number, const std::string& reason);

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

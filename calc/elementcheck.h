// Refusal of element data that the models cannot calculate.  The run checks
// every element before its first frequency and, for the first element that
// fails, shows the message and calculates nothing.
#pragma once

#include <string>

// "Ошибка в данных элемента N <number>:\n<reason>.\nРасчет невозможен."
std::string FormatElementDataError(int number, const std::string& reason);

// Shows a refusal (stop icon, the application's name as caption).
void ShowElementDataError(const std::string& message);

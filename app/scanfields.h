// Reading the numbers of a settings entry the way scanf's "%d" reads them:
// blanks, an optional sign, at least one digit.
#pragma once

#include <string_view>

// Reads a decimal number at pos (advancing it); false when there is none or
// it has more digits than a value of the settings can have.
bool ScanDecimal(std::string_view s, std::size_t& pos, long& value);

// The winding-polarity rule of coupling filters, shared by the coupling-device
// dialog and the bypass schemes page: a filter of the second scheme type
// (stored type 1, shown "тип 2") has no polarity to change, so its polarity
// box is hidden, its flag stored as 0 and its polarity column left empty.
#pragma once

#include <cstdint>

inline bool FilterHasPolarity(std::uint8_t storedType)
{
    return storedType != 1;
}

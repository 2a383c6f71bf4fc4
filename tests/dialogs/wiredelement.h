// An element as the element dialogs receive it: of the given type with fresh
// data, entered by `circuits` circuits (phases A, B, C on positions 4k to
// 4k+2) then `ground` ground wires (on positions 4k+3).
#pragma once

#include "model/element.h"

#include <cstdint>

inline CElement WiredElement(int type, int circuits, int ground)
{
    CElement e;
    e.SetType(type);
    e.data = CreateElementData(type);
    int j = 0;
    for (int k = 0; k < circuits; ++k)
        for (int p = 0; p < 3; ++p)
            e.inMap[j++] = 4 * k + p;
    for (int k = 0; k < ground; ++k)
        e.inMap[j++] = 4 * k + 3;
    e.wirePositions = std::uint8_t(j);
    e.circuits = std::uint8_t(circuits);
    e.groundWires = std::uint8_t(ground);
    return e;
}

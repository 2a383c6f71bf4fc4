// Checks, before a calculation, the data of the elements whose models take
// wire numbers, permutations, per-wire lists or coupling filters from the
// element: shunt and series impedances, transpositions, coupling devices,
// ends of attached circuits and the traps, filters and cables of bypass
// lines, the load at the end of a tap.  A negative resistance, trap R, HF
// cable length or attenuation is refused too: it would make a passive part
// give power.  A resistance is refused only where its model reads it, by the
// model's own condition: in a branch the model leaves out it may hold any
// finite value.  A value that is NaN or infinite is refused wherever the
// model reads it, also where it only decides whether a branch is there.
#pragma once

#include "model/element.h"

#include <string>

// Empty when the element can be calculated; otherwise the refusal message for
// the element of the given (1-based) number, as FormatElementDataError makes it.
std::string CheckSimpleElementData(const CElement& element, int number);

// Checks, before a calculation, the data of the elements whose models take
// wire numbers, permutations, per-wire lists or coupling filters from the
// element: shunt and series impedances, transpositions, coupling devices,
// ends of attached circuits and the filters and cables of bypass lines.
#pragma once

#include "model/element.h"

#include <string>

// Empty when the element can be calculated; otherwise the refusal message for
// the element of the given (1-based) number, as FormatElementDataError makes it.
std::string CheckSimpleElementData(const CElement& element, int number);

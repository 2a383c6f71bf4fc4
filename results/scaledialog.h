// The scale dialog ("Выбор масштаба"): lower limit, step and upper limit of
// both axes typed as numbers.
#pragma once

#include "results/graphmodel.h"

class ScaleDialogModel {
public:
    float yLower = 0.0f;
    float yStepValue = 0.0f;
    float xStepValue = 0.0f;
    float yUpper = 0.0f;
    float xLower = 0.0f;
    float xUpper = 0.0f;

    // Filled from the axes the user sees.
    static ScaleDialogModel FromGraph(const GraphModel& model);

    // OK: both ranges increasing and both steps positive (and every value a
    // finite number); otherwise "Некорректно заданы параметры!" and the dialog
    // stays open.
    bool Validate() const;

    // After OK: the graph takes the values as its shown ranges and steps.
    void ApplyTo(GraphModel& model) const;
};

#include "results/scaledialog.h"

#include "platform/messages.h"

#include <cmath>

ScaleDialogModel ScaleDialogModel::FromGraph(const GraphModel& m)
{
    ScaleDialogModel d;
    d.yLower = static_cast<float>(m.yBase);
    d.yStepValue = static_cast<float>(m.yStep);
    d.yUpper = static_cast<float>(m.shownYMax);
    d.xLower = static_cast<float>(m.xBase);
    d.xStepValue = static_cast<float>(m.xStep);
    d.xUpper = static_cast<float>(m.shownFMax);
    return d;
}

bool ScaleDialogModel::Validate() const
{
    // A value beyond single precision arrives as infinity; it cannot bound an
    // axis any more than a reversed range can.
    bool finite = std::isfinite(yLower) && std::isfinite(yUpper) && std::isfinite(yStepValue) &&
                  std::isfinite(xLower) && std::isfinite(xUpper) && std::isfinite(xStepValue);
    if (finite && yUpper > yLower && xUpper > xLower && yStepValue > 0 && xStepValue > 0)
        return true;
    ShowMessage("Некорректно заданы параметры!", "Ошибка", MsgIcon::Stop);
    return false;
}

void ScaleDialogModel::ApplyTo(GraphModel& model) const
{
    model.ApplyScale(yLower, yUpper, yStepValue, xLower, xUpper, xStepValue);
}

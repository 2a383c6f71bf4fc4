#include "dialogs/vlinevalidation.h"

#include "model/element.h"
#include "model/lines.h"
#include "platform/format.h"
#include "platform/messages.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr const char* kIncompleteCaption = "Незавершенное формирование";

// The wires of the section and the tower points that exist for them.
int SectionWires(const CVLine& line)
{
    return line.wireCount;
}

int TowerPoints(const COpora& tower)
{
    return static_cast<int>(std::min({static_cast<std::size_t>(tower.count), tower.x.size(), tower.y.size()}));
}

// Page 1: the tower (with a point for every wire), the earth and the length.
bool MainPageComplete(const CVLine& line)
{
    if (line.tower.name.empty() || TowerPoints(line.tower) < SectionWires(line))
        return false;
    if (!(line.earthRho1 > 0) || !(line.length > 0))
        return false;
    if (!(line.earthModel & 1)) {
        if (!(line.earthEps1 > 0))
            return false;
        if ((line.earthModel & 2) && !(line.layerDepth > 0 && line.earthRho2 > 0 && line.earthEps2 > 0))
            return false;
    }
    return true;
}

// Page 2: every wire of the section has a type, and a bundle its step.
bool WiresPageComplete(const CVLine& line)
{
    for (int i = 0; i < SectionWires(line); ++i) {
        const CVLProv* wire = line.Wire(i);
        if (!wire || wire->wireType.name.empty())
            return false;
        if (wire->bundleCount > 1 && !(wire->bundleStep > 0))
            return false;
    }
    return true;
}

// Page 3: an inhomogeneity needs its matrix, spans and (tower influence) spread.
bool InhomogeneityPageComplete(const CVLine& line)
{
    if (line.inhomogeneity == 0)
        return true;
    if (line.matrix.name.empty() || !(line.spanMean > 0) || line.pieces < 1)
        return false;
    return line.inhomogeneity != 1 || line.spanDeviation >= 0;
}

bool Incomplete(const char* page)
{
    ShowMessage(StrFormat("Неполные данные\nна странице \"%s\"", page), kIncompleteCaption, MsgIcon::Exclamation);
    return false;
}

bool CheckSheet(const CVLine& line)
{
    if (!MainPageComplete(line))
        return Incomplete("Основные параметры");
    if (!WiresPageComplete(line))
        return Incomplete("Провода");
    if (!InhomogeneityPageComplete(line))
        return Incomplete("Неоднородности");
    // A wire must hang above the ground: its sag below its suspension height.
    for (int i = 0; i < SectionWires(line); ++i) {
        if (!(line.Wire(i)->sag < line.tower.Y(i))) {
            ShowMessage(StrFormat("Высота подвеса %d провода\nменьше провиса", i + 1), "Ошибка данных",
                        MsgIcon::Exclamation);
            return false;
        }
    }
    return true;
}

} // namespace

bool ValidateVLineSheet(CElement& element, const CVLine& line)
{
    const bool complete = CheckSheet(line);
    element.entered = complete ? 1 : 0;
    return complete;
}

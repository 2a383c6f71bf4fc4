#include "dialogs/cablelayout.h"

#include "calc/cableline.h"
#include "dialogs/catalogrequests.h"
#include "model/catalogstore.h"
#include "model/conductors.h"
#include "model/coupling.h"
#include "platform/format.h"
#include "platform/modal.h"

#include <algorithm>
#include <cmath>

namespace {

// Degrees to radians as the layout drawing has always converted the angles
// of the cables in a pipe (the checks take them as the calculation does).
constexpr double kDrawingDegree = 0.01745327777777778;

bool SolidLayoutClear(const CKLine& k, int n)
{
    const double outer = k.solidCable.outerRadius;
    for (int i = 0; i < n; ++i) {
        if (!(k.y[i] > 0))
            return false;  // on or above the ground surface
        for (int j = 0; j < i; ++j)
            if (!(std::hypot(k.x[i] - k.x[j], k.y[i] - k.y[j]) > 2 * outer))
                return false;  // the cables touch or overlap
    }
    return true;
}

// fault, when given: the line naming the cable whose core reaches the wall,
// or the two cables whose cores touch.
bool PipeLayoutClear(const CKLine& k, std::string* fault)
{
    // A cable in a pipe has only its core's radius: a core on the wall is
    // shorted to the pipe through no insulation, so it must stay inside and
    // clear of the other cores, as typed.
    for (int i = 0; i < 3; ++i)
        if (!(k.x[i] > k.pipeCable.coreRadius))
            return false;  // across the pipe axis
    const PipeCoreContact contact = FindPipeCoreContact(k);
    if (fault) {
        switch (contact.kind) {
        case PipeCoreContact::kClear:
            break;
        case PipeCoreContact::kOutside:
            *fault = StrFormat(kCableOutsidePipeText, contact.cable + 1);
            break;
        case PipeCoreContact::kOnWall:
            *fault = StrFormat(kCoreOnPipeWallText, contact.cable + 1);
            break;
        case PipeCoreContact::kCoresTouch:
            *fault = StrFormat(kPipeCoresTouchText, contact.other + 1, contact.cable + 1);
            break;
        }
    }
    return contact.kind == PipeCoreContact::kClear;
}

} // namespace

bool CheckCableLayout(CKLine& k, std::string* fault)
{
    const bool pipe = k.pipe == 1;
    if (k.circuits == 0)
        return false;
    if (!(k.length > 0) || !(k.rho > 0))
        return false;
    if (pipe && (!(k.pipeRadius > 0) || !(k.pipeMu > 0)))
        return false;
    if (pipe) {
        if (k.pipeCable.name.empty() || !PipeLayoutClear(k, fault))
            return false;
        k.symmetry = -1;
        return true;
    }
    const int n = std::min(3 * int(k.circuits), kMaxWires);
    if (k.solidCable.name.empty() || !SolidLayoutClear(k, n))
        return false;
    k.symmetry = FindSymmetricWires(k.x, k.y, std::uint8_t(n));
    return true;
}

bool CheckCableInsert(CEObhod& bypass, std::string* fault)
{
    return bypass.cableInsert && CheckCableLayout(*bypass.cableInsert, fault);
}

std::string CableLayoutRefusal(const std::string& message, const std::string& fault)
{
    return fault.empty() ? message : message + "\n" + fault;
}

void CableLayout::LoadValues(int forcedLayout)
{
    layout = forcedLayout >= 0 ? forcedLayout : line->pipe == 1 ? 1 : 0;
    resistivity = float(layout == 1 ? line->rho * 1e8 : line->rho);
    pipeDiameter = float(line->pipeRadius * 2000);
    permeability = float(line->pipeMu);
    length = float(line->length * 0.001);
}

void CableLayout::StoreValues()
{
    line->pipe = std::uint8_t(layout);
    line->circuits = std::uint8_t(circuits);
    line->elementWires = std::uint8_t(std::min(3 * circuits, kMaxWires));
    line->rho = layout == 1 ? double(resistivity) * 1e-8 : double(resistivity);
    line->pipeRadius = double(pipeDiameter) * 0.0005;
    line->pipeMu = permeability;
    line->length = double(length) * 1000;
}

int CableLayout::CableCount() const
{
    return layout == 1 ? 3 : std::min(3 * circuits, kMaxWires);
}

std::string CableLayout::RowLabel(int i) const
{
    if (layout == 1 || !solidLabel)
        return StrFormat("%d", i + 1);
    return solidLabel(i);
}

std::vector<std::array<std::string, 3>> CableLayout::Rows()
{
    if (layout == 1)
        line->y[0] = 0;
    std::vector<std::array<std::string, 3>> rows;
    for (int i = 0; i < CableCount(); ++i)
        rows.push_back({RowLabel(i), StrFormat("%g", layout == 1 ? line->x[i] * 1000 : line->x[i]),
                        StrFormat("%g", line->y[i])});
    return rows;
}

std::array<std::string, 3> CableLayout::Columns() const
{
    if (layout == 1)
        return {"No", "R,мм", "Alf,град"};
    return {"No", "Y,м", "H,м"};
}

std::string CableLayout::ResistivityLabel() const
{
    return layout == 1 ? "Уд.сопротивление материала, Ом*м" : "Уд.сопротивление земли, Ом*м";
}

std::string CableLayout::GroupCaption() const
{
    return layout == 1 ? "Расположение кабелей в трубе" : "Координаты прокладки кабелей";
}

std::string CableLayout::CircuitsText() const
{
    return StrFormat("Число цепей - %d", circuits);
}

void CableLayout::ShowCable()
{
    if (current < 0 || current >= CableCount())
        return;
    if (layout == 1)
        line->y[0] = 0;
    const double x = line->x[current], y = line->y[current];
    if (x != 0 || y != 0) {
        coord1 = float(layout == 1 ? x * 1000 : x);
        coord2 = float(y);
    }
}

bool CableLayout::SecondCoordReadOnly() const
{
    return policy.EditsReadOnly() || (layout == 1 && current == 0);
}

void CableLayout::Enter()
{
    const int n = CableCount();
    if (n == 0)
        return;
    current = std::clamp(current, 0, n - 1);
    line->x[current] = layout == 1 ? double(coord1) * 0.001 : double(coord1);
    line->y[current] = coord2;
    if (current < n - 1) {
        ++current;
        ShowCable();
    }
}

bool CableLayout::Select(int i)
{
    if (i < 0 || i >= CableCount())
        return false;
    current = i;
    ShowCable();
    return true;
}

std::string CableLayout::TypeName() const
{
    return layout == 1 ? line->pipeCable.name : line->solidCable.name;
}

std::string CableLayout::DrawingRefusal() const
{
    if (TypeName().empty())
        return kNoCableText;
    if (layout == 1 && pipeDiameter < 1)
        return kNoPipeDiameterText;
    return {};
}

CableDrawing CableLayout::Drawing(const PixelRect& list, const CableDrawingStyle& style) const
{
    const PixelRect area{list.left + 10, list.top + 20, list.right - 50, list.bottom - 20};
    double minX, maxX, minY, maxY;  // y: depth, growing downwards
    const double R = double(pipeDiameter) * 0.0005;
    if (layout == 1) {
        minX = minY = -R;
        maxX = maxY = R;
    } else {
        minY = 0;
        minX = 1000, maxX = -1000, maxY = -1000;
        for (int i = 0; i < CableCount(); ++i) {
            minX = std::min(minX, line->x[i]);
            maxX = std::max(maxX, line->x[i]);
            maxY = std::max(maxY, line->y[i]);
        }
    }
    if (maxX < minX + style.minExtent)
        maxX = minX + style.minExtent;
    if (maxY < minY + style.minExtent)
        minY = maxY - style.minExtent;
    // The mapping has y growing upwards: depth goes in negated.
    const DrawingMap map(area, minX, -maxY, maxX, -minY, 0);
    CableDrawing d;
    d.labelOffset = style.labelOffset;
    d.dashedSurface = style.dashedSurface;
    if (layout == 1) {
        d.circles.push_back({map.X(0), map.Y(0), map.Length(R), {}});
        const int r = map.Length(line->pipeCable.coreRadius);
        for (int i = 0; i < 3; ++i) {
            const double a = line->y[i] * kDrawingDegree;
            d.circles.push_back({map.X(line->x[i] * std::sin(a)), map.Y(-line->x[i] * std::cos(a)), r, {}});
        }
        return d;
    }
    const int r = std::max(2, map.Length(line->solidCable.outerRadius));
    for (int i = 0; i < CableCount(); ++i) {
        std::string label = solidLabel ? solidLabel(i) : std::string();
        // The drawing names the core only: the text in brackets of "%d (%s)".
        const std::size_t open = label.find('(');
        if (open != std::string::npos && label.back() == ')')
            label = label.substr(open + 1, label.size() - open - 2);
        d.circles.push_back({map.X(line->x[i]), map.Y(-line->y[i]), r, label});
    }
    d.surface = true;
    d.surfaceX1 = area.left;
    d.surfaceX2 = area.right;
    d.surfaceY = map.Y(0);
    return d;
}

CatalogCombo CableLayout::FillTypeCombo(int& selected) const
{
    CatalogCombo combo;
    if (layout == 1)
        combo.Fill<CKabTr>(g_TaskBase.pipeCables, g_CurBase.pipeCables);
    else
        combo.Fill<CKabTv>(g_TaskBase.solidCables, g_CurBase.solidCables);
    combo.Sort();
    const std::string name = TypeName();
    selected = name.empty() ? -1 : combo.Find(name);
    return combo;
}

void CableLayout::TakeType(const CKabTv* solid, const CKabTr* pipe)
{
    if (solid)
        line->solidCable = *solid;
    if (pipe)
        line->pipeCable = *pipe;
}

void CableLayout::StoreAndSpread(ElementChain* chain, int skipIndex)
{
    if (layout == 1) {
        StoreCatalogItem(line->pipeCable);
        if (chain)
            SpreadCable(*chain, line->pipeCable, skipIndex);
    } else {
        StoreCatalogItem(line->solidCable);
        if (chain)
            SpreadCable(*chain, line->solidCable, skipIndex);
    }
}

void CableLayout::ChooseType(int data, ElementChain* chain, int skipIndex, CBase& otherBase, std::string& otherPath)
{
    if (data < 0) {
        if (layout == 1)
            line->pipeCable = CKabTr{};
        else
            line->solidCable = CKabTv{};
        return;
    }
    if (DecodeItemData(data).source != ComboChoice::OtherBase) {
        if (layout == 1)
            TakeType(nullptr, ChosenItem(g_TaskBase.pipeCables, g_CurBase.pipeCables, data));
        else
            TakeType(ChosenItem(g_TaskBase.solidCables, g_CurBase.solidCables, data), nullptr);
        return;
    }
    COtherCatalogRequest road(layout == 1 ? kCatPipeCables : kCatSolidCables, otherBase, otherPath);
    road.DoModal();
    const CKabTv* solid = layout == 1 ? nullptr : road.PickedSolidCable();
    const CKabTr* pipe = layout == 1 ? road.PickedPipeCable() : nullptr;
    if (!solid && !pipe)
        return;  // cancelled or failed: the line keeps its type
    TakeType(solid, pipe);
    StoreAndSpread(chain, skipIndex);
}

bool CableLayout::TypeEditorAvailable() const
{
    return HasItemEditor(layout == 1 ? kCatPipeCables : kCatSolidCables);
}

bool CableLayout::EditType(bool newType, ElementChain* chain, int skipIndex)
{
    CKabTv solid = newType ? CKabTv{} : line->solidCable;
    CKabTr pipe = newType ? CKabTr{} : line->pipeCable;
    CItemEditRequest editor;
    editor.category = layout == 1 ? kCatPipeCables : kCatSolidCables;
    if (layout == 1)
        editor.item = &pipe;
    else
        editor.item = &solid;
    editor.mode = std::uint8_t(policy.ItemEditorMode(2, 1));
    if (editor.DoModal() != IDOK)
        return false;
    if (layout == 1)
        TakeType(nullptr, &pipe);
    else
        TakeType(&solid, nullptr);
    StoreAndSpread(chain, skipIndex);
    return true;
}

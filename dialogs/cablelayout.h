// The cable layout of a cable line section or of a bypass's HV cable insert,
// as both cable dialogs edit it: the kind of laying (cables in solid insulation
// in the ground, or three cables in a conducting pipe), the cable type of that
// kind, the soil or pipe data, the length and the position of every cable, the
// table of cables and the layout drawing, and the one completeness check.
//
// Units in the dialogs: resistivity in ohm*m in the ground, in 1e-8 ohm*m for
// the pipe material; pipe diameter in mm; length in km; in a pipe the cable's
// distance from the pipe axis in mm and its angle in degrees, in the ground
// its horizontal position and depth in m.
#pragma once

#include "dialogs/catalogcombo.h"
#include "dialogs/catalogitemstore.h"
#include "dialogs/drawingmap.h"
#include "dialogs/editpolicy.h"
#include "model/lines.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

class CEObhod;

// Whether the layout is complete enough to be calculated and to be laid at
// all: length and resistivity positive (in a pipe also its radius and
// permeability), the cable type of the kind named, every cable below the
// surface and clear of the others (in a pipe: clear of the pipe axis, inside
// the wall and clear of each other).  A section of no circuit is incomplete.
// On success the symmetry code is set: -1 in a pipe, else the mirror pairs of
// the 3 x circuits cables.  A pipe cable whose core reaches the wall (a short
// to the pipe), or two cores that touch, are refused with the line naming them
// in fault, when given; the other refusals leave fault as it was.
bool CheckCableLayout(CKLine& line, std::string* fault = nullptr);
// The bypass's cable insert: missing is incomplete, else as above.
bool CheckCableInsert(CEObhod& bypass, std::string* fault = nullptr);
// A dialog's refusal of a layout: its one message, then the line naming the
// faulty cable when the check gave one.
std::string CableLayoutRefusal(const std::string& message, const std::string& fault);

inline constexpr const char* kCoreOnPipeWallText = "Жила кабеля %d касается стенки трубы";
inline constexpr const char* kCableOutsidePipeText = "Кабель %d не помещается в трубе";
inline constexpr const char* kPipeCoresTouchText = "Жилы кабелей %d и %d касаются друг друга";

// The drawing differs slightly between the two dialogs.
struct CableDrawingStyle {
    double minExtent;  // m: a shorter world extent is widened to this
    int labelOffset;   // pixels right of a cable's circle
    bool dashedSurface;  // the ground surface in a thin dash-dot-dot line
};
inline constexpr CableDrawingStyle kCableLineDrawing{0.1, 10, true};
inline constexpr CableDrawingStyle kCableInsertDrawing{1.0, 6, false};

struct CableCircle {
    int x = 0, y = 0, radius = 0;
    std::string label;  // solid insulation: the core's conductor name
};
struct CableDrawing {
    std::vector<CableCircle> circles;  // in a pipe the pipe first
    bool surface = false;              // the ground surface line from surfaceX1 to surfaceX2 at surfaceY
    int surfaceX1 = 0, surfaceX2 = 0, surfaceY = 0;
    int labelOffset = 0;
    bool dashedSurface = false;
};

inline constexpr const char* kLayoutDataCaption = "Исходные данные";
inline constexpr const char* kNoCableText = "Не выбран кабель";
inline constexpr const char* kNoPipeDiameterText = "Не задан диаметр трубы";

class CableLayout {
public:
    // Set by the dialog.
    CKLine* line = nullptr;
    EditPolicy policy;
    int circuits = 0;
    // The label of solid-insulation cable i (0-based): "%d (%s)" by the dialog's rule.
    std::function<std::string(int)> solidLabel;

    // The values of the edits.
    int layout = 0;  // 0 solid insulation, 1 pipe
    float resistivity = 0, pipeDiameter = 0, permeability = 0, length = 0;
    float coord1 = 0, coord2 = 0;
    int current = 0;  // 0-based

    // Values from the line: layout (the line's unless forced), resistivity (x 1e8 in a pipe),
    // diameter, permeability, length.
    void LoadValues(int forcedLayout = -1);
    // Values into the line: pipe flag, circuits, resistivity (x 1e-8 in a pipe), pipe radius, permeability, length.
    void StoreValues();

    // 3 in a pipe, else 3 x circuits (at most 40).
    int CableCount() const;
    // The list: one row per cable ("No", then the two coordinates); in a pipe
    // the first cable's angle is set to 0 first.
    std::vector<std::array<std::string, 3>> Rows();
    std::string RowLabel(int i) const;
    std::array<std::string, 3> Columns() const;
    std::string ResistivityLabel() const;
    std::string GroupCaption() const;
    std::string CircuitsText() const;

    // Shows the current cable in the edits; a cable never entered (both
    // coordinates 0) keeps the edits' values, the way to enter new cables.
    void ShowCable();
    // Whether the second coordinate's edit is read-only: outside editing
    // mode, and always for the first cable in a pipe (its angle is 0).
    bool SecondCoordReadOnly() const;
    // "Ввести": the current cable (clamped) takes the edits' coordinates;
    // unless it was the last one the next cable becomes current and is shown.
    void Enter();
    // Makes cable i current (a list pick, the cable combo or number, the
    // up-down) and shows it; false when i is outside the cables.
    bool Select(int i);

    // The cable type of the current layout.
    std::string TypeName() const;
    // The text that refuses the drawing, empty when it may be shown.
    std::string DrawingRefusal() const;
    CableDrawing Drawing(const PixelRect& list, const CableDrawingStyle& style) const;

    // The cable-type combo of the current layout, with the entry of the
    // line's type (-1 when it has none).
    CatalogCombo FillTypeCombo(int& selected) const;
    // A combo pick (data of the entry, or -1 for no selection).  The
    // "Выбрать из другой базы" entry runs the other-catalog road, stores
    // the fetched type in both catalogs and spreads it over the chain.
    void ChooseType(int data, ElementChain* chain, int skipIndex, CBase& otherBase, std::string& otherPath);
    // "Новый" (newType) or "Параметры": the item editor of the layout's cable
    // type; on OK the line takes it, both catalogs store it and the chain's
    // other cable lines of the kind with that name take a copy.
    bool EditType(bool newType, ElementChain* chain, int skipIndex);
    bool TypeEditorAvailable() const;

private:
    void TakeType(const CKabTv* solid, const CKabTr* pipe);
    void StoreAndSpread(ElementChain* chain, int skipIndex);
};

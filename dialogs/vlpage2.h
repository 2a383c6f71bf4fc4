// Page "Провода" of the overhead line sheet: the wires of the line one at a
// time (type from the catalog, bundle, sag, ice wall), a list of all wires
// and, in its place on request, a drawing of the tower's suspension points.
//
// The model holds the control values and states; the page widget shows them,
// reads the edits back before calling a handler, and calls the handlers.
#pragma once

#include "dialogs/catalogcombo.h"
#include "dialogs/drawingmap.h"
#include "dialogs/vlpagebase.h"
#include "model/base.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CProvod;

// The tower drawing in pixels: the suspension point of every wire with its
// label, the tower axis and the ground line where they fall inside the area.
struct TowerDrawing {
    struct Point {
        int x = 0, y = 0;
        std::string label;
    };
    std::vector<Point> points;
    bool axisShown = false;
    int axisX = 0, axisTop = 0, axisBottom = 0;
    bool groundShown = false;
    int groundY = 0, groundLeft = 0, groundRight = 0;
};

class CVLPage2 : public CVLPageBase {
public:
    static constexpr int kColumns = 6;
    static constexpr int kMaxBundle = 60;  // the bundle up-down's range is 1 to 60

    float m_fIceWall = 0;      // cm
    float m_fIceDensity = 0;
    int m_nBundle = 1;         // sub-conductors of the bundle
    float m_fSag = 0;          // m
    float m_fBundleStep = 0;   // cm
    std::string m_strHeight;   // "Высота подвеса %.1f м"
    int m_bGroundWire = 0;
    int m_bRefreshing = 0;     // bundle changes are ignored while the page refreshes itself
    int m_nCurWire = 0;
    std::string m_strOtherBasePath;
    CBase m_OtherBase;
    std::uint8_t m_nWires = 0;       // phase (pole) wires + ground wires
    std::uint8_t m_nPhaseWires = 0;  // circuits x (1 on DC, else 3)
    std::uint8_t m_bDrawing = 0;
    std::vector<std::string> m_strRowLabels;

    // Control states.
    std::string m_strGroupTitle;  // "Провод N %d - %s"
    std::vector<std::array<std::string, kColumns>> m_rows;
    CatalogCombo m_wireCombo;
    int m_nWireChoice = -1;
    bool m_bNewWireEnabled = false;
    bool m_bWireParamsEnabled = false;
    bool m_bBundleEnabled = true;  // false for the wires bound to the split conductor's bundle of 2
    bool m_bStepShown = false;
    bool m_bIceShown = false;

    std::string Caption() const override { return "Провода"; }
    void OnInitPage() override;
    void OnSetActive() override;
    // The page stores its wires on "Ввести" only; leaving it stores nothing.
    bool OnKillActive() override { return !m_bControlsInvalid; }

    // The list's column titles and widths for a list client width.
    static std::vector<std::pair<std::string, int>> Columns(int clientWidth);

    void FillWireCombo();
    void ShowWire();
    void UpdateRow(int row);
    // Whether wire c is bound to a bundle of 2 by the split conductor.
    bool SplitBound(int c) const;

    void OnSelchangeWireType(int entry);
    void OnNewWire();
    void OnWireParams();
    void EditWire(CProvod wire);
    // "Ввести": false (and a message) when the wire is incomplete.
    bool OnEnter();
    void OnBundleChanged();
    void OnListClick(int row);
    void OnStep(int delta);
    void OnToggleDrawing();

    bool ListShown() const { return !m_bDrawing; }
    bool EnterShown() const { return m_policy.EntryButtonsShown(); }
    bool EnterEnabled() const { return !m_bDrawing; }
    std::string DrawingButtonText() const { return m_bDrawing ? "Таблица" : "Подвеска на опоре"; }

    // The tower drawing inside area (the rectangle the list occupies).
    TowerDrawing Drawing(const PixelRect& area) const;

private:
    int Category() const;
    bool IsGroundPosition(int c) const { return c >= m_nPhaseWires; }
    std::string KindName(int c) const;
    void SelectWireType();
    void ApplyWireChoice();
    void ClampBundle();
    // The current wire takes a wire type; spread: from an editor or another
    // catalog, stored in the catalogs and given to the same wires elsewhere.
    void TakeWireType(const CProvod& type, bool spread, int skipIndex);
    void MoveTo(int wire);
};

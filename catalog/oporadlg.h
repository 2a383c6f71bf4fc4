// The tower editor ("Опора"): the tower's name and the horizontal position X
// and the height H (m) of each wire's suspension point.  Points are edited in
// working arrays of 256 entries, so that points beyond the number of wires
// keep their values while the number is lowered and raised again.
#pragma once

#include "catalog/itemeditor.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class COpora;

class COporaDlg : public CItemEditor {
public:
    static constexpr int kSlots = 256;
    static constexpr int kMaxPoints = 255; // the point count is one byte

    // Set by the caller.  Mode 0: new or editable tower; 2: view only; any
    // other value: editable with the number of points fixed.  A successful
    // OK leaves 1.
    std::uint8_t m_nMode = 0;
    COpora* m_pOpora = nullptr;

    // Control values.
    std::string m_strName;
    int m_nPoints = 1;   // "Число проводов"
    int m_nCurPoint = 1; // the current point, from 1
    std::string m_strX;
    std::string m_strH;

    // Working state.
    std::array<float, kSlots> m_X{};
    std::array<float, kSlots> m_H{};
    int m_bInitialising = 1;
    int m_bSettingPoint = 1;

    // The list: one row per point ("No", "Х,м", "Н,м").
    struct Row {
        std::string no, x, h;
    };
    std::vector<Row> m_rows;
    bool m_bOkEnabled = false;

    bool IsViewOnly() const override { return m_nMode == 2; }
    bool CountEditable() const { return m_nMode == 0; }
    // A point counts as entered when its height is above 0.00001 m.
    bool IsEntered(int point) const;

    void OnInitDialog();
    void FillList();
    void EnableControls();
    void OnChangeWireCount();
    void OnChangeWireNumber();
    void OnClickList(int row);
    void OnChangeX();
    void OnChangeH();
    void OnEnterWire();
    void OnDeleteWire();
    void OnInsertBefore();
    // IDOK (tower written), IDCANCEL (view only) or kStayOpen.
    int OnOK();

    int DoModal() { return RunModal(*this); }

private:
    int CurrentIndex();
    void ShowPoint(int index);
};

// True when the first point lies on the tower's axis of symmetry (within
// 0.00001 m of the mean X) while the other points form mirror pairs about it,
// at least one pair: the symmetric calculation would then be lost silently.
bool FirstPointOnSymmetryAxis(const float* x, const float* y, int n);

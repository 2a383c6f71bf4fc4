// CObhMat ("Емкости сборных шин"): the equivalent busbar capacitance of an
// intermediate substation and, optionally, the mutual capacitances between
// the busbars of the bypassed phase wires (ground wires take no part but keep
// their places in the stored triangle).
#pragma once

#include "dialogs/propertysheet.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CElement;
class CEObhod;

inline constexpr const char* kBadCapacitanceText = "Недопустимое значение емкости!";

class CObhMat : public PropertyPageModel {
public:
    // Set by the sheet's owner.
    CElement* m_pElement = nullptr;
    CEObhod* m_pEObhod = nullptr;
    bool editing = true;

    // Control values.
    std::string cequivText;
    int m_bMutual = 0;
    std::string m_strC;
    int m_nRowI = 0;
    int m_nColJ = 1;

    // Working state.
    int m_nWires = 0;
    int m_nPhaseWires = 0;
    std::vector<int> m_bGroundAt;  // per bypassed position; a position with no wire counts as ground
    std::vector<int> m_PhaseIndex;  // per bypassed position: its phase-wire index, -1 for none
    std::vector<float> m_Matrix;    // m x m, pF
    // m x m: a stored mutual capacitance (F) no float field holds in pF,
    // kept as stored until a value is entered for its pair.
    std::vector<std::optional<double>> m_Unshown;
    std::vector<std::string> m_strLabels;

    std::string Caption() const override { return "Емкости сборных шин"; }
    void OnInitPage() override;
    void OnSetActive() override;
    bool OnKillActive() override;

    // Fewer than two phase wires: no matrix to enter.
    bool MatrixPossible() const { return m_nPhaseWires >= 2; }
    bool MatrixShown() const { return m_bMutual && MatrixPossible(); }
    bool EnterEnabled() const { return m_nRowI != m_nColJ; }
    float Entry(int i, int j) const;
    // "%g" of the entry in pF, or of the stored value no float holds.
    std::string EntryText(int i, int j) const;
    // The list's cell (row, column): column 0 the label, "-" on the diagonal.
    std::string Cell(int row, int column) const;

    void OnSelchangeRowI(int i);
    void OnSelchangeColJ(int j);
    // The up-downs: a negative step the next wire, a positive one the previous.
    void OnDeltaposRowI(int delta);
    void OnDeltaposColJ(int delta);
    void OnChangeC(const std::string& text);
    // "Ввести": false when refused (a message was shown).
    bool OnEnterC();
    void OnClickMatrix(int row);
    void OnColumnClickMatrix(int column);

private:
    void CountPhaseWires();
    void SetEntry(int i, int j, float value);
    void LoadEntry(int i, int j, double farads);
    std::optional<double> UnshownEntry(int i, int j) const;
    void ShowEntry(int i, int j);
};

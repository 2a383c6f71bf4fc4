// The tower influence matrix editors: CNewMatrixDlg asks for the order of a
// new matrix ("Формирование новой матрицы"); CMatrixDlg ("Матрицы влияния
// опоры") edits the name, the symmetric matrix of capacitance corrections
// (pF) and the vector of resistances (MOhm) cell by cell.
#pragma once

#include "catalog/itemeditor.h"

#include <cstdint>
#include <string>
#include <vector>

class CMatrix;

class CNewMatrixDlg {
public:
    static constexpr int kMaxOrder = 250;

    int m_nResult = 0; // the order entered, read by the caller after OK
    int m_nOrder = 1;

    void OnInitDialog() { m_nOrder = 1; }
    // The order always lies in 1..250: a matrix order is one byte, and the
    // caller takes the result as it is.
    int OnOK();
    int DoModal() { return RunModal(*this); }
};

class CMatrixDlg : public CItemEditor {
public:
    // Set by the caller: the matrix (its order set for a new one) and the
    // mode byte, 1 = view only; a successful OK leaves 1.
    CMatrix* m_pItem = nullptr;
    std::uint8_t m_bViewOnly = 0;

    // Control values: the C cell (row i, column j), the R row, from 1.
    int m_nRowC = 1;
    int m_nRowR = 1;
    int m_nColC = 1;
    std::string m_strName;
    int m_nOrder = 0;
    std::string m_strCValue;
    std::string m_strRValue;

    // Working values: n x n capacitances (pF) and n resistances (MOhm).
    std::vector<float> m_pC;
    std::vector<float> m_pR;
    int m_bInit = 1;
    int m_bBusy = 1;

    // The two lists: resistances ("No", "R") and capacitances ("No", 1..n).
    std::vector<std::vector<std::string>> m_rowsR;
    std::vector<std::vector<std::string>> m_rowsC;

    bool IsViewOnly() const override { return m_bViewOnly == 1; }
    float& C(int i, int j) { return m_pC[std::size_t(i) * std::size_t(m_nOrder) + std::size_t(j)]; }
    // A diagonal correction is positive, an off-diagonal one negative.
    static bool IsValidCell(int i, int j, float value) { return i == j ? value > 0.0f : value < 0.0f; }
    // "%g" of a valid cell, else an empty text on the diagonal and "-" off it.
    std::string CellText(int i, int j);

    void OnInitDialog();
    void ShowCell();
    void ShowR();
    void OnEnterCapacitance();
    void OnEnterResistance();
    void OnChangeCValue();
    void OnChangeRValue();
    void OnColumnClick(int column);
    void OnClickC(int row);
    void OnClickR(int row);
    // IDOK (matrix written), IDCANCEL (view only) or kStayOpen.
    int OnOK();
    int DoModal() { return RunModal(*this); }

private:
    void ClampIndices();
    void SetCell(int i, int j, float value);
};

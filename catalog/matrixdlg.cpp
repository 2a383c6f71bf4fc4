#include "catalog/matrixdlg.h"

#include "dialogs/numericfield.h"
#include "model/catalogitems.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "platform/storedtext.h"

#include <algorithm>

int CNewMatrixDlg::OnOK()
{
    m_nOrder = std::clamp(m_nOrder, 1, kMaxOrder);
    m_nResult = m_nOrder;
    return IDOK;
}

std::string CMatrixDlg::CellText(int i, int j)
{
    const float v = C(i, j);
    if (IsValidCell(i, j, v))
        return FormatNumericField(v);
    return i == j ? std::string() : std::string("-");
}

void CMatrixDlg::ClampIndices()
{
    // Typed indices are brought into the matrix before any cell is touched.
    const int n = std::max(m_nOrder, 1);
    m_nRowC = std::clamp(m_nRowC, 1, n);
    m_nColC = std::clamp(m_nColC, 1, n);
    m_nRowR = std::clamp(m_nRowR, 1, n);
}

void CMatrixDlg::OnInitDialog()
{
    m_bInit = 1;
    m_bBusy = 1;
    const CMatrix& item = *m_pItem;
    m_strName = item.name;
    m_nOrder = item.n;
    const int n = m_nOrder;
    m_pC.assign(std::size_t(n) * std::size_t(n), 0.0f);
    m_pR.assign(std::size_t(n), 0.0f);
    // Arrays of another order mean nothing here: such a matrix opens as a new one.
    if (item.res.size() == std::size_t(n) && item.cap.size() == CMatrix::PackedSize(n) && n > 0) {
        for (int k = 0; k < n; ++k)
            m_pR[std::size_t(k)] = float(item.res[std::size_t(k)] * 1e-6);
        std::size_t packed = 0;
        for (int i = 0; i < n; ++i)
            for (int j = i; j < n; ++j) {
                const float v = float(item.cap[packed++] * 1e12);
                C(i, j) = v;
                C(j, i) = v;
            }
    }
    m_nRowC = m_nRowR = m_nColC = 1;
    m_strCValue = n > 0 ? FormatNumericField(C(0, 0)) : std::string();
    m_strRValue = n > 0 ? FormatNumericField(m_pR[0]) : std::string();
    m_rowsR.clear();
    m_rowsC.clear();
    for (int k = 0; k < n; ++k) {
        m_rowsR.push_back({StrFormat("%d", k + 1), FormatNumericField(m_pR[std::size_t(k)])});
        std::vector<std::string> row{StrFormat("%d", k + 1)};
        for (int col = 0; col < n; ++col)
            row.push_back(CellText(k, col));
        m_rowsC.push_back(std::move(row));
    }
    m_bInit = 0;
    m_bBusy = 0;
}

void CMatrixDlg::ShowCell()
{
    if (m_bInit || m_nOrder < 1)
        return;
    m_bBusy = 1;
    ClampIndices();
    m_strCValue = CellText(m_nRowC - 1, m_nColC - 1);
    m_bBusy = 0;
}

void CMatrixDlg::ShowR()
{
    if (m_bInit || m_nOrder < 1)
        return;
    ClampIndices();
    const float r = m_pR[std::size_t(m_nRowR - 1)];
    if (r > 0.0f) {
        m_bBusy = 1;
        m_strRValue = FormatNumericField(r);
        m_bBusy = 0;
    }
}

void CMatrixDlg::SetCell(int i, int j, float value)
{
    C(i, j) = value;
    C(j, i) = value;
    m_rowsC[std::size_t(i)][std::size_t(j + 1)] = CellText(i, j);
    m_rowsC[std::size_t(j)][std::size_t(i + 1)] = CellText(j, i);
}

void CMatrixDlg::OnEnterCapacitance()
{
    if (m_nOrder < 1)
        return;
    ClampIndices();
    const int i = m_nRowC - 1;
    const int j = m_nColC - 1;
    const float v = TextAsNumber(m_strCValue);
    if (!IsValidCell(i, j, v)) {
        ShowMessage("Недопустимое значение емкости!", kAppName, MsgIcon::Stop);
        return;
    }
    SetCell(i, j, v);
    // On along the upper triangle: the next column, else the next diagonal
    // cell; the last cell stays.
    if (m_nColC < m_nOrder) {
        ++m_nColC;
    } else if (m_nRowC < m_nOrder) {
        ++m_nRowC;
        m_nColC = m_nRowC;
    }
    ShowCell();
}

void CMatrixDlg::OnEnterResistance()
{
    if (m_nOrder < 1)
        return;
    ClampIndices();
    const float v = TextAsNumber(m_strRValue);
    if (!(v > 0.0f)) {
        ShowMessage("Недопустимое значение сопротивления!", kAppName, MsgIcon::Stop);
        return;
    }
    m_pR[std::size_t(m_nRowR - 1)] = v;
    m_rowsR[std::size_t(m_nRowR - 1)][1] = FormatNumericField(v);
    if (m_nRowR < m_nOrder)
        ++m_nRowR;
    ShowR();
}

void CMatrixDlg::OnChangeCValue()
{
    if (m_bInit || m_bBusy || m_nOrder < 1)
        return;
    ClampIndices();
    const int i = m_nRowC - 1;
    const int j = m_nColC - 1;
    const float v = TextAsNumber(m_strCValue);
    SetCell(i, j, IsValidCell(i, j, v) ? v : 0.0f);
}

void CMatrixDlg::OnChangeRValue()
{
    if (m_bInit || m_bBusy || m_nOrder < 1)
        return;
    ClampIndices();
    const float v = std::max(TextAsNumber(m_strRValue), 0.0f);
    m_pR[std::size_t(m_nRowR - 1)] = v;
    m_rowsR[std::size_t(m_nRowR - 1)][1] = FormatNumericField(v);
}

void CMatrixDlg::OnColumnClick(int column)
{
    if (column < 1)
        return;
    m_nColC = column;
    ShowCell();
}

void CMatrixDlg::OnClickC(int row)
{
    if (row < 0)
        return;
    m_nRowC = row + 1;
    ShowCell();
}

void CMatrixDlg::OnClickR(int row)
{
    if (row < 0)
        return;
    m_nRowR = row + 1;
    ShowR();
}

int CMatrixDlg::OnOK()
{
    if (IsViewOnly())
        return IDCANCEL;
    if (m_strName.empty()) {
        ShowMessage("Введите название матрицы!", "Не торопитесь", MsgIcon::Stop);
        return kStayOpen;
    }
    if (!CheckStoredText(m_strName, "Тип", kAppName))
        return kStayOpen;
    CMatrix& item = *m_pItem;
    const int n = m_nOrder;
    item.name = m_strName;
    item.n = std::uint8_t(n);
    item.res.assign(std::size_t(n), 0.0);
    item.cap.assign(CMatrix::PackedSize(n), 0.0);
    for (int k = 0; k < n; ++k)
        item.res[std::size_t(k)] = double(m_pR[std::size_t(k)]) * 1e6;
    std::size_t packed = 0;
    for (int i = 0; i < n; ++i)
        for (int j = i; j < n; ++j)
            item.cap[packed++] = double(C(i, j)) * 1e-12;
    m_bViewOnly = 1;
    return IDOK;
}

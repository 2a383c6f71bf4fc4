#include "catalog/zagraddlg.h"

#include "model/catalogitems.h"
#include "platform/messages.h"
#include "platform/storedtext.h"

void CZagradDlg::OnInitDialog()
{
    const CZagrad& t = *m_pZagrad;
    m_strName = t.name;
    m_fC1 = float(t.C1 * 1e12);
    m_fC2 = float(t.C2 * 1e12);
    m_fC3 = float(t.C3 * 1e12);
    m_fL1 = float(t.L1 * 1e3);
    m_fL2 = float(t.L2 * 1e3);
    m_fL3 = float(t.L3 * 1e3);
    m_fR = float(t.R);
    m_nScheme = t.scheme <= 2 ? t.scheme : 0;
    m_fL4 = 0;
    m_bHasL4 = 0;
    if (m_nScheme == 2) {
        m_fL4 = float(t.L4 * 1e3);
        m_bHasL4 = m_fL4 > 0 ? 1 : 0;
    }
    m_bHasC1 = m_bHasL1 = 1;
    m_bHasL2 = m_fL2 > 0;
    m_bHasL3 = m_fL3 > 0;
    m_bHasC2 = m_fC2 > 0 || m_bHasL2;
    m_bHasC3 = m_fC3 > 0;
    m_bC2BoxEnabled = true;
    m_bRBoxEnabled = true;
    if (m_nScheme == 0) {
        // The series contour always comes with R.
        m_bHasR = m_fR > 0 || m_bHasC2;
        m_bC2BoxEnabled = !m_bHasL2;
        m_bRBoxEnabled = !m_bHasC2;
    } else if (m_nScheme == 1) {
        m_bHasR = 1;
        m_bRBoxEnabled = false;
    } else {
        m_bHasR = m_fR > 0;
    }
    ShowTrapControls();
}

void CZagradDlg::ShowTrapControls()
{
    m_bShowL2 = m_bHasL2;
    m_bShowL3 = m_bHasL3;
    m_bShowC2 = m_bHasC2;
    m_bShowC3 = m_bHasC3;
    m_bShowR = m_bHasR;
    m_bShowL4Edit = m_nScheme == 2 && m_bHasL4;
    m_bShowL4Box = m_nScheme == 2;
}

void CZagradDlg::OnHasC2()
{
    m_bShowC2 = m_bHasC2;
    if (m_nScheme != 0)
        return;
    if (m_bHasC2) {
        m_bHasR = 1;
        m_bRBoxEnabled = false;
        m_bShowR = true;
    } else {
        m_bRBoxEnabled = true;
    }
}

void CZagradDlg::OnHasL2()
{
    m_bShowL2 = m_bHasL2;
    if (m_nScheme != 0)
        return;
    if (m_bHasL2) {
        m_bHasC2 = 1;
        m_bHasR = 1;
        m_bC2BoxEnabled = false;
        m_bRBoxEnabled = false;
        m_bShowC2 = true;
        m_bShowR = true;
    } else {
        m_bC2BoxEnabled = true;
    }
}

void CZagradDlg::OnHasC3()
{
    m_bShowC3 = m_bHasC3;
}

void CZagradDlg::OnHasL3()
{
    m_bShowL3 = m_bHasL3;
}

void CZagradDlg::OnHasR()
{
    m_bShowR = m_bHasR;
}

void CZagradDlg::OnHasL4()
{
    ShowTrapControls();
}

bool CZagradDlg::ChangeScheme(int scheme)
{
    if (m_nScheme == scheme)
        return false;
    m_nScheme = scheme;
    return true;
}

bool CZagradDlg::OnScheme1()
{
    if (!ChangeScheme(0))
        return false;
    // L2 brings C2, and C2 brings R.
    m_bRBoxEnabled = !m_bHasL2 && !m_bHasC2;
    m_bC2BoxEnabled = !m_bHasL2;
    if (m_bHasL2)
        m_bHasC2 = 1;
    if (m_bHasC2)
        m_bHasR = 1;
    ShowTrapControls();
    return true;
}

bool CZagradDlg::OnScheme2()
{
    if (!ChangeScheme(1))
        return false;
    m_bC2BoxEnabled = true;
    m_bHasR = 1;
    m_bRBoxEnabled = false;
    ShowTrapControls();
    return true;
}

bool CZagradDlg::OnScheme3()
{
    if (!ChangeScheme(2))
        return false;
    ShowTrapControls();
    return true;
}

int CZagradDlg::OnOK()
{
    if (IsViewOnly())
        return IDCANCEL;
    if (m_fC1 < 0 || m_fC2 < 0 || m_fC3 < 0 || m_fL1 < 0 || m_fL2 < 0 || m_fL3 < 0 || m_fR < 0 ||
        m_strName.empty()) {
        ShowMessage("Некорректные данные!", kAppName, MsgIcon::None);
        return kStayOpen;
    }
    if (!CheckStoredText(m_strName, "Тип", kAppName))
        return kStayOpen;
    constexpr float kLeast = 0.001f;
    const bool missing = m_fC1 < kLeast || m_fL1 < kLeast || (m_bHasC2 && m_fC2 < kLeast) ||
                         (m_bHasC3 && m_fC3 < kLeast) || (m_bHasL2 && m_fL2 < kLeast) ||
                         (m_bHasL3 && m_fL3 < kLeast) || (m_bHasR && m_fR < kLeast) ||
                         (m_nScheme == 2 && m_bHasL4 && m_fL4 < kLeast);
    if (missing) {
        ShowMessage("Введены параметры не всех имеющихся в схеме элементов!", "Ошибка", MsgIcon::Stop);
        return kStayOpen;
    }
    CZagrad& t = *m_pZagrad;
    t.name = m_strName;
    t.C1 = double(m_fC1) * 1e-12;
    t.C2 = m_bHasC2 ? double(m_fC2) * 1e-12 : 0.0;
    t.C3 = m_bHasC3 ? double(m_fC3) * 1e-12 : 0.0;
    t.L1 = double(m_fL1) * 1e-3;
    t.L2 = m_bHasL2 ? double(m_fL2) * 1e-3 : 0.0;
    t.L3 = m_bHasL3 ? double(m_fL3) * 1e-3 : 0.0;
    t.R = m_bHasR ? double(m_fR) : 0.0;
    t.L4 = m_nScheme == 2 && m_bHasL4 ? double(m_fL4) * 1e-3 : 0.0;
    t.scheme = std::uint8_t(m_nScheme);
    m_nMode = 1;
    return IDOK;
}

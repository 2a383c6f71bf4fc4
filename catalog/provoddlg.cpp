#include "catalog/provoddlg.h"

#include "model/catalogitems.h"
#include "platform/messages.h"
#include "platform/storedtext.h"

void CProvodDlg::OnInitDialog()
{
    const CProvod& wire = *m_pItem;
    m_strName = wire.name;
    // A wire without a radius is new: everything shows 0.
    const bool stored = wire.radius > 1e-6;
    m_fDiameter = stored ? float(wire.radius * 2000.0) : 0.0f;
    m_fTwist = stored ? float(wire.twist) : 0.0f;
    m_fResistivity = stored ? float(wire.resistivity * 1e8) : 0.0f;
}

int CProvodDlg::OnOK()
{
    if (IsViewOnly())
        return IDCANCEL;
    if (m_strName.empty()) {
        ShowMessage("Вы забыли ввести название!", "Ошибка данных", MsgIcon::Stop);
        return kStayOpen;
    }
    if (!CheckStoredText(m_strName, "Тип", "Ошибка данных"))
        return kStayOpen;
    if (m_fDiameter < 1e-9 || m_fTwist < 1e-9 || m_fResistivity < 1e-9) {
        ShowMessage("Некорректные данные!", kAppName, MsgIcon::Stop);
        return kStayOpen;
    }
    CProvod& wire = *m_pItem;
    wire.name = m_strName;
    wire.radius = double(m_fDiameter) * 0.0005;
    wire.twist = double(m_fTwist);
    wire.resistivity = double(m_fResistivity) * 1e-8;
    m_bViewOnly = 1;
    return IDOK;
}

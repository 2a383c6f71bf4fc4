#include "catalog/vchkabdlg.h"

#include "model/catalogitems.h"
#include "platform/messages.h"
#include "platform/storedtext.h"

void CVchKabDlg::OnInitDialog()
{
    const CProvod& cable = *m_pItem;
    m_strName = cable.name;
    // A cable without attenuation is new: everything shows 0.
    const bool stored = cable.attenuation() > 1e-6;
    m_fAttenuation = stored ? float(cable.attenuation()) : 0.0f;
    m_fSpeed = stored ? float(cable.speed() * 1e-8) : 0.0f;
    m_fImpedance = stored ? float(cable.waveImpedance()) : 0.0f;
}

int CVchKabDlg::OnOK()
{
    if (IsViewOnly())
        return IDCANCEL;
    if (m_strName.empty()) {
        ShowMessage("Вы забыли ввести название!", "Ошибка данных", MsgIcon::Stop);
        return kStayOpen;
    }
    if (!CheckStoredText(m_strName, "Тип", "Ошибка данных"))
        return kStayOpen;
    if (double(m_fAttenuation) < 1e-9 || double(m_fSpeed) < 1e-9 || double(m_fImpedance) < 1e-9) {
        ShowMessage("Некорректные данные!", kAppName, MsgIcon::Stop);
        return kStayOpen;
    }
    CProvod& cable = *m_pItem;
    cable.name = m_strName;
    cable.radius = double(m_fAttenuation);
    cable.twist = double(m_fSpeed) * 1e8;
    cable.resistivity = double(m_fImpedance);
    m_bViewOnly = 1;
    return IDOK;
}

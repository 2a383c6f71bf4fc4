#include "catalog/povtordlg.h"

#include "platform/format.h"
#include "platform/storedtext.h"

void CPovtorDlg::OnInitDialog()
{
    static constexpr const char* kGroups[] = {
        "",
        "по опорам",
        "по проводам",
        "по тросам",
        "по кабелям в твердой изоляции",
        "по кабелям в трубе",
        "по заградителям",
        "по матрицам емкостей",
        "по ВЧ кабелям",
    };
    if (m_nCode >= 9)
        m_strGroupText = StrFormat("по фильтрам присоединения %d типа", int(m_nCode) - 8);
    else
        m_strGroupText = kGroups[m_nCode];
    m_strEditName = m_strName;
    m_bReplaceEnabled = true;
    m_bAddEnabled = false;
}

void CPovtorDlg::OnChangeName(const std::string& text)
{
    m_strEditName = text;
    m_bAddEnabled = !text.empty() && text != m_strName;
    m_bReplaceEnabled = text == m_strName;
}

void CPovtorDlg::OnOK()
{
    m_strName = m_strEditName;
    m_nCode = kReplace;
}

int CPovtorDlg::OnAdd()
{
    // The field stands under the heading "Повторение наименования элемента
    // базы данных", so the refusal names it by that word.
    if (!CheckStoredText(m_strEditName, "Наименование", kCaption))
        return kStayOpen;
    m_strName = m_strEditName;
    m_nCode = kAdd;
    return IDOK;
}

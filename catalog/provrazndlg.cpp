#include "catalog/provrazndlg.h"

#include "platform/format.h"

void CProvRaznDlg::OnInitDialog()
{
    const char* name = m_strName.c_str();
    switch (m_nKind) {
    case 0: m_strText = StrFormat("Опора %s (проводов - %d)", name, int(m_nCount)); break;
    case 1: m_strText = StrFormat("Провод %s", name); break;
    case 2: m_strText = StrFormat("Трос %s", name); break;
    case 3: m_strText = StrFormat("ВЧ кабель %s", name); break;
    case 4:
    case 5: m_strText = StrFormat("Кабель %s", name); break;
    case 6: m_strText = StrFormat("Заградитель %s", name); break;
    case 7: m_strText = StrFormat("Матрица %s (порядок - %d)", name, int(m_nCount)); break;
    case 8: m_strText = StrFormat("Фильтр %s (тип - %d)", name, int(m_nCount) + 1); break;
    default: m_strText.clear(); break;
    }
    m_nKind = kCancelCheck;
}

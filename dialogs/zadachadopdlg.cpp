#include "dialogs/zadachadopdlg.h"

#include "dialogs/zadachadlg.h"
#include "platform/messages.h"
#include "platform/storedtext.h"

#include <algorithm>

bool CZadachaDopDlg::TypeForbidsDC(int elementType)
{
    return elementType == 1 || elementType == 7 || elementType == 9 || elementType == 10;
}

void CZadachaDopDlg::OnInitDialog()
{
    m_bInitialising = 1;
    m_strTitleEdit = m_strTitle;
    m_bDcEnabled = m_nConductors >= 1 && m_nConductors < 5 && !m_bChainForbidsDC;
    // Fewer than 3 conductors make no three-phase circuit: such a task can only
    // be a DC task, so the dialog opens on DC when it may.
    m_bAcEnabled = AcPossible() || !m_bDcEnabled;
    if (!AcPossible() && m_bDcEnabled)
        m_nCurrentType = 1;
    m_nCircuitsEdit = m_nCircuits;
    m_nGroundEdit = m_nGroundWires;
    UpdateCounts();
    m_bInitialising = 0;
}

void CZadachaDopDlg::OnCurrentTypeChanged()
{
    UpdateCounts();
}

void CZadachaDopDlg::OnCountChanged()
{
    if (!m_bInitialising)
        UpdateCounts();
}

void CZadachaDopDlg::UpdateCounts()
{
    const int n = m_nConductors;
    if (m_nCurrentType == 1) {
        m_strCountLabel = "Число полюсов";
        m_nCircuitsMax = std::min(n, 2);
        if (m_nCircuitsMax < 1) {
            m_nCircuitsEdit = 0;
            m_nGroundEdit = 0;
            return;
        }
        m_nCircuitsEdit = std::clamp(m_nCircuitsEdit, 1, m_nCircuitsMax);
        m_nGroundEdit = n - m_nCircuitsEdit;
    } else {
        m_strCountLabel = "Число цепей";
        m_nCircuitsMax = n / 3;
        if (m_nCircuitsMax < 1) {
            // No circuit fits: nothing sensible to show until DC is chosen.
            m_nCircuitsEdit = 0;
            m_nGroundEdit = 0;
            return;
        }
        m_nCircuitsEdit = std::clamp(m_nCircuitsEdit, 1, m_nCircuitsMax);
        m_nGroundEdit = n - 3 * m_nCircuitsEdit;
    }
}

bool CZadachaDopDlg::OnOK()
{
    if (!CheckStoredText(m_strTitleEdit, kTaskTitleField, kAppName))
        return false;
    UpdateCounts();
    if (m_nConductors == 0) {
        ShowMessage("В задаче не задано ни одного провода.\nДополнение данных невозможно.", kAppName,
                    MsgIcon::Stop);
        return false;
    }
    if (m_nCurrentType == 0 && !AcPossible()) {
        ShowMessage(m_bDcEnabled ? "Провода задачи не образуют трехфазной цепи.\n"
                                   "Выберите линию постоянного тока."
                                 : "Провода задачи не образуют трехфазной цепи,\n"
                                   "а состав тракта не допускает линии постоянного тока.\n"
                                   "Дополнение данных невозможно.",
                    kAppName, MsgIcon::Stop);
        return false;
    }
    m_bDC = static_cast<std::uint8_t>(m_nCurrentType);
    m_nCircuits = static_cast<std::uint8_t>(m_nCircuitsEdit);
    m_nGroundWires = static_cast<std::uint8_t>(m_nGroundEdit);
    m_strTitle = m_strTitleEdit;
    return true;
}

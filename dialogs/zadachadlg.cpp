#include "dialogs/zadachadlg.h"

#include "platform/format.h"
#include "platform/messages.h"
#include "platform/storedtext.h"

#include <algorithm>

void CZadachaDlg::OnInitDialog()
{
    m_bInitialising = 1;
    m_strTitleEdit = m_strTitle;
    const bool structureFree = m_bEditable && m_nElements == 0;
    m_bTitleReadOnly = !m_bEditable;
    m_bAcEnabled = !m_bDC || structureFree;
    m_bDcEnabled = m_bDC || structureFree;
    m_bCountsEditable = structureFree;
    m_bPathEnabled = structureFree;
    m_nCurrentType = m_bDC ? 1 : 0;
    m_nCircuitsEdit = m_nCircuits;
    m_nGroundEdit = m_nGroundWires;
    FillConductorCombo();
    if (m_nSplit >= 0 && m_nSplit < m_nConductors && m_nSplit < static_cast<int>(m_pathItems.size()) - 1)
        m_nPathChoice = m_nSplit;
    m_bInitialising = 0;
}

void CZadachaDlg::OnCurrentTypeChanged()
{
    FillConductorCombo();
}

void CZadachaDlg::OnCountChanged()
{
    if (!m_bInitialising)
        FillConductorCombo();
}

void CZadachaDlg::ApplyRanges()
{
    if (m_nCurrentType == 1) {
        m_strCountLabel = "Число полюсов";
        m_nCircuitsMax = 2;
        m_nGroundMax = 2;
    } else {
        m_strCountLabel = "Число цепей";
        m_nCircuitsMax = 8;
        m_nGroundMax = 16;
    }
    // Typed counts are brought into the ranges the up-down controls offer.
    m_nCircuitsEdit = std::clamp(m_nCircuitsEdit, 1, m_nCircuitsMax);
    m_nGroundEdit = std::clamp(m_nGroundEdit, 0, m_nGroundMax);
    const int perCircuit = m_nCurrentType == 1 ? 1 : 3;
    m_nConductors = static_cast<std::uint8_t>(perCircuit * m_nCircuitsEdit + m_nGroundEdit);
}

void CZadachaDlg::FillConductorCombo()
{
    ApplyRanges();
    m_pathItems.clear();
    if (m_nCurrentType == 0) {
        for (int c = 1; c <= m_nCircuitsEdit; ++c)
            for (int p = 1; p <= 3; ++p)
                m_pathItems.push_back(m_nCircuitsEdit == 1 ? StrFormat("Провод %d", p)
                                                           : StrFormat("Цепь %d, провод %d", c, p));
        for (int g = 1; g <= m_nGroundEdit; ++g)
            m_pathItems.push_back(StrFormat("Трос %d", g));
    }
    m_pathItems.push_back("Нет");
    m_nPathChoice = static_cast<int>(m_pathItems.size()) - 1;
    m_bPathShown = m_nCurrentType == 0;
}

bool CZadachaDlg::OnOK()
{
    // A read-only title is the task's own and cannot be mended here.
    if (!m_bTitleReadOnly && !CheckStoredText(m_strTitleEdit, kTaskTitleField, kAppName))
        return false;
    ApplyRanges();
    const bool split = m_nCurrentType == 0 && m_nPathChoice >= 0 && m_nPathChoice < m_nConductors;
    if (split && m_nConductors + 1 > kMaxConductors) {
        ShowMessage(StrFormat("Задача не может содержать более %d проводов.\n"
                              "Расщепление провода при %d проводах невозможно.",
                              kMaxConductors, static_cast<int>(m_nConductors)),
                    kAppName, MsgIcon::Stop);
        return false;
    }
    m_bDC = static_cast<std::uint8_t>(m_nCurrentType);
    m_nCircuits = static_cast<std::uint8_t>(m_nCircuitsEdit);
    m_nGroundWires = static_cast<std::uint8_t>(m_nGroundEdit);
    m_nSplit = split ? m_nPathChoice : -1;
    if (split)
        ++m_nConductors; // the two halves of the split conductor count separately
    m_strTitle = m_strTitleEdit;
    return true;
}

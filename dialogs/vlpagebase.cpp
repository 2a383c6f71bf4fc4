#include "dialogs/vlpagebase.h"

#include "model/document.h"
#include "model/element.h"
#include "model/lines.h"

bool CVLPageBase::IsDC() const
{
    return m_pDoc && m_pDoc->dc;
}

int CVLPageBase::PhaseWires() const
{
    return m_pElement ? m_pElement->circuits * (IsDC() ? 1 : 3) : 0;
}

CVLProv* CVLPageBase::Wire(int i) const
{
    if (!m_pVLine || !m_pVLine->wireArray || i < 0 || i >= static_cast<int>(m_pVLine->wireArray->size()))
        return nullptr;
    return &(*m_pVLine->wireArray)[static_cast<std::size_t>(i)];
}

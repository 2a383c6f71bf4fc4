#include "dialogs/propertysheet.h"

void PropertySheetModel::AddPage(PropertyPageModel* page)
{
    m_pages.push_back(page);
    m_initialised.push_back(false);
}

void PropertySheetModel::Show(int index)
{
    m_active = index;
    PropertyPageModel& page = Page(index);
    if (!m_initialised[std::size_t(index)]) {
        m_initialised[std::size_t(index)] = true;
        page.OnInitPage();
    }
    page.OnSetActive();
}

void PropertySheetModel::Start(int page)
{
    if (page >= 0 && page < PageCount())
        Show(page);
}

bool PropertySheetModel::SetActivePage(int index)
{
    if (index < 0 || index >= PageCount())
        return false;
    if (index == m_active)
        return true;
    if (m_active >= 0 && !Page(m_active).OnKillActive())
        return false;
    Show(index);
    return true;
}

bool PropertySheetModel::OnOK()
{
    if (m_active >= 0 && !Page(m_active).OnKillActive())
        return false;
    for (int i = 0; i < PageCount(); ++i)
        if (m_initialised[std::size_t(i)])
            Page(i).OnOK();
    if (ownerCheck)
        ownerCheck();
    return true;
}

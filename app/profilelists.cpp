#include "app/profilelists.h"

#include "app/displayfont.h"
#include "app/linestyles.h"

bool ProfileLists::LoadFile(const std::string& path, std::string& error, std::string* reason)
{
    return m_profile.Load(path, error, reason);
}

bool ProfileLists::SaveFile(const std::string& path, std::string& error)
{
    if (!m_profile.IsModified())
        return true;
    return m_profile.Save(path, error);
}

void ProfileLists::LoadProfileLists(int n)
{
    m_pLinesList = std::make_unique<RecentFileList>("Lines List", "Line%d", kLineStyleCount, kDisplayLength);
    m_pLinesList->ReadList(m_profile);
    m_pFontsList = std::make_unique<RecentFileList>("Fonts List", "Font%d", 1, kDisplayLength);
    m_pFontsList->ReadList(m_profile);
    if (n != 0) {
        m_pBaseList = std::make_unique<RecentFileList>("Base File List", "File%d", n, kDisplayLength);
        m_pBaseList->ReadList(m_profile);
        m_pBaseDopList = std::make_unique<RecentFileList>("Base Dop List", "File%d", n, kDisplayLength);
        m_pBaseDopList->ReadList(m_profile);
    }
    m_nNumPreviewPages = m_profile.GetProfileInt("Settings", "PreviewPages", 0);
    m_pRecentFileList = std::make_unique<RecentFileList>("Recent File List", "File%d", n, kDisplayLength);
    m_pRecentFileList->ReadList(m_profile);
}

void ProfileLists::SaveProfileLists()
{
    if (m_pLinesList) {
        for (int i = 0; i < kLineStyleCount; ++i)
            (*m_pLinesList)[i] = FormatLineStyleEntry(LineStyleTables.colours[i], LineStyleTables.widths[i],
                                                      LineStyleTables.markers[i]);
        m_pLinesList->WriteList(m_profile);
    }
    if (m_pFontsList) {
        (*m_pFontsList)[0] = FormatFontEntry(g_LogFont);
        m_pFontsList->WriteList(m_profile);
    }
    if (m_pBaseList)
        m_pBaseList->WriteList(m_profile);
    if (m_pBaseDopList)
        m_pBaseDopList->WriteList(m_profile);
    if (m_nNumPreviewPages != 0)
        m_profile.WriteProfileInt("Settings", "PreviewPages", m_nNumPreviewPages);
    if (m_pRecentFileList)
        m_pRecentFileList->WriteList(m_profile);
}

void ProfileLists::ApplyLineStyles() const
{
    SetDefaultLineStyles(LineStyleTables);
    if (!m_pLinesList || (*m_pLinesList)[0].empty())
        return;
    for (int i = 0; i < kLineStyleCount; ++i) {
        std::uint32_t colour;
        int width, marker;
        if (ParseLineStyleEntry((*m_pLinesList)[i], colour, width, marker)) {
            LineStyleTables.colours[i] = colour;
            LineStyleTables.widths[i] = width;
            LineStyleTables.markers[i] = marker;
        }
    }
}

void ProfileLists::ApplyDisplayFont() const
{
    LogFont f = DefaultDisplayFont();
    if (m_pFontsList && !(*m_pFontsList)[0].empty())
        ParseFontEntry((*m_pFontsList)[0], f);
    g_LogFont = f;
}

// The application's settings lists in the profile: the line styles ("Lines
// List"), the display font ("Fonts List"), the recent catalogs ("Base File
// List"), the recent supplementary catalogs ("Base Dop List"), the recent
// tasks ("Recent File List") and the print preview's page count ("Settings").
#pragma once

#include "app/recentfilelist.h"
#include "platform/profile.h"

#include <memory>
#include <string>

class ProfileLists {
public:
    // Display length of a recent-list entry in a menu.
    static constexpr int kDisplayLength = 30;

    // Reads the profile file (a missing file is an empty profile); false with
    // a message when it exists but cannot be read (reason: why, without the path).
    bool LoadFile(const std::string& path, std::string& error, std::string* reason = nullptr);
    // Writes the profile file back when anything changed.
    bool SaveFile(const std::string& path, std::string& error);

    // Creates and reads the lists: the line styles (20) and the font (1); with
    // a non-zero count n also the two catalog lists (n each); the preview page
    // count; then the recent tasks (n).
    void LoadProfileLists(int n);
    // Writes the line styles of LineStyleTables and the font of g_LogFont into
    // their lists and all lists into the profile (the catalog lists when they
    // exist, the preview page count when it is not 0).
    void SaveProfileLists();

    // Line styles from the "Lines List" into LineStyleTables: when its first
    // entry is empty every style takes its default, else each entry is parsed
    // and a malformed one takes its own default.
    void ApplyLineStyles() const;
    // The display font from the "Fonts List" into g_LogFont, or the default font
    // when the entry is empty or malformed.
    void ApplyDisplayFont() const;

    ProfileFile m_profile;
    std::unique_ptr<RecentFileList> m_pBaseList;
    std::unique_ptr<RecentFileList> m_pBaseDopList;
    std::unique_ptr<RecentFileList> m_pLinesList;
    std::unique_ptr<RecentFileList> m_pFontsList;
    std::unique_ptr<RecentFileList> m_pRecentFileList;
    int m_nNumPreviewPages = 0;
};

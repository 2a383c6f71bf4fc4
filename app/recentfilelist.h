// A recent-item list kept in one profile section: entries "<format>" with the
// numbers 1..size ("File%d", "Line%d", ...), the most recent first.  The
// application keeps its recent tasks and recent catalogs in such lists, and
// also uses two of them as plain stores of settings strings (line styles and
// the display font), as the profile layout has always done.
#pragma once

#include <string>
#include <vector>

class ProfileFile;

class RecentFileList {
public:
    // entryFormat holds one "%d"; displayLength bounds the menu text of an entry.
    RecentFileList(std::string section, std::string entryFormat, int size, int displayLength = 30);

    const std::string& Section() const { return m_section; }
    std::string EntryName(int index) const; // zero-based index -> "File1", ...
    int GetSize() const { return static_cast<int>(m_names.size()); }

    const std::string& operator[](int index) const { return m_names.at(static_cast<std::size_t>(index)); }
    std::string& operator[](int index) { return m_names.at(static_cast<std::size_t>(index)); }

    // Puts path at the top; an entry naming the same file gives way to it
    // instead of doubling, and the oldest entry falls off a full list.  The
    // callers add the full path of the file (FullPathOf), so any spelling of
    // its folder comes to one entry; an entry added in this session also
    // keeps its real path (RealPathOf), so a link to a listed file comes to
    // its entry too.  Only path is looked up on disk, never an entry.  An empty path is ignored, and
    // so is one the profile would not give back as it is (a line break in a
    // file name, a blank at its start or end): the list never names another file.
    void Add(std::string path);
    void Remove(int index);
    // Number of leading non-empty entries (what the menu shows).
    int CountShown() const;

    void ReadList(const ProfileFile& profile);
    // Writes the non-empty entries and removes the entries of empty ones and of
    // those the profile cannot hold; an unchanged list leaves the profile's
    // text unchanged.
    void WriteList(ProfileFile& profile) const;

    // The entry shortened for a menu: "/home/.../kestrin/base.kdb".
    std::string GetDisplayName(int index) const;
    // "&1 name" for a menu item (ampersands of the name doubled).
    std::string MenuText(int index) const;

private:
    std::string m_section;
    std::string m_entryFormat;
    int m_displayLength;
    std::vector<std::string> m_names;
    // Per entry: the name it was added under and that file's real path then;
    // an entry read from the profile, or written over since, has none.
    struct Resolved {
        std::string name;
        std::string real;
    };
    std::vector<Resolved> m_resolved;
};

// Shortens a path to at most maxChars characters by putting "..." in place of
// folders after the first one; at least the file name is kept.
std::string AbbreviatePath(const std::string& path, int maxChars);

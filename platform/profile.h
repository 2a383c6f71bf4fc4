// The program's private profile: an INI file of "[Section]" headers and
// "Entry=Value" lines.  Our own reader and writer keep the file as the user
// (or the last run) left it: a value that did not change leaves its line
// untouched, a changed value is rewritten in place, a new entry goes to the end
// of its section and a new section to the end of the file, so a profile that
// is read and written back without changes is byte-identical.
//
// Sections and entries are found without regard to letter case, as INI files
// are read on Windows; values are stored as bytes
// (UTF-8 text on this system), with blanks around them trimmed on reading.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class ProfileFile {
public:
    // Reads the file at path.  A missing file gives an empty profile and
    // success; a file that exists but cannot be read gives false and a message,
    // and reason, when given, receives why in a few words, without the path.
    bool Load(const std::string& path, std::string& error, std::string* reason = nullptr);
    void LoadFromText(std::string_view text);

    // The entry's value, or def when the section or entry is absent.
    std::string GetProfileString(std::string_view section, std::string_view entry,
                                 std::string_view def = {}) const;
    // The entry's value as a decimal integer; an absent entry or one that is not
    // a whole number in the range of int gives def.
    int GetProfileInt(std::string_view section, std::string_view entry, int def) const;
    bool HasEntry(std::string_view section, std::string_view entry) const;

    // Writes the entry; false, with the profile unchanged, when the section,
    // entry or value holds a line break, which would make lines of its own.
    bool WriteProfileString(std::string_view section, std::string_view entry, std::string_view value);
    void WriteProfileInt(std::string_view section, std::string_view entry, int value);
    // Removes the entry's lines (nothing happens when it is absent).
    void DeleteEntry(std::string_view section, std::string_view entry);

    // The whole file as it would be written.
    std::string Text() const;
    // Whether anything changed since Load/LoadFromText.
    bool IsModified() const { return m_modified; }

    // Writes the file atomically, creating its folder when needed.
    bool Save(const std::string& path, std::string& error);

private:
    struct Located {
        std::size_t sectionLine = npos; // line of the "[Section]" header
        std::size_t entryLine = npos;   // line of the entry
        std::size_t lastLine = npos;    // last non-blank line of the section
    };
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    Located Locate(std::string_view section, std::string_view entry) const;

    std::vector<std::string> m_lines; // without their line ends
    bool m_crlf = false;              // the file's lines end with CR LF (kept for new lines)
    bool m_finalEol = true;           // the last line was ended
    bool m_modified = false;
};

// The blanks a value loses at its ends when a profile line is read: space,
// tab, CR, vertical tab and form feed.
bool IsProfileBlank(char c);

// Whether a value read back from the profile is exactly the one written: it
// holds no line break and does not begin or end with a blank.
bool ProfileKeepsValue(std::string_view value);

// The profile file's path: $KESTRIN_PROFILE when set (tests point it at a
// temporary file), else $XDG_CONFIG_HOME/kestrin/kestrin.ini, else
// ~/.config/kestrin/kestrin.ini.
std::string DefaultProfilePath();

#include "platform/profile.h"

#include "platform/savefile.h"
#include "platform/syserror.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <system_error>

bool IsProfileBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool ProfileKeepsValue(std::string_view value)
{
    if (value.find_first_of("\r\n") != std::string_view::npos)
        return false;
    return value.empty() || (!IsProfileBlank(value.front()) && !IsProfileBlank(value.back()));
}

namespace {

bool HoldsLineBreak(std::string_view s)
{
    return s.find_first_of("\r\n") != std::string_view::npos;
}

bool IsBlank(char c)
{
    return IsProfileBlank(c);
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

// "[Name]" (blanks allowed around) -> true with the name.
bool SectionHeader(std::string_view line, std::string_view& name)
{
    std::string_view t = Trim(line);
    if (t.size() < 2 || t.front() != '[')
        return false;
    std::size_t close = t.find(']');
    if (close == std::string_view::npos)
        return false;
    name = Trim(t.substr(1, close - 1));
    return true;
}

// "Entry=Value" -> true with both parts trimmed; comments and other lines -> false.
bool EntryLine(std::string_view line, std::string_view& key, std::string_view& value)
{
    std::string_view t = Trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '[')
        return false;
    std::size_t eq = t.find('=');
    if (eq == std::string_view::npos)
        return false;
    key = Trim(t.substr(0, eq));
    value = Trim(t.substr(eq + 1));
    return true;
}

} // namespace

bool ProfileFile::Load(const std::string& path, std::string& error, std::string* reason)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        LoadFromText({});
        return true;
    }
    std::vector<std::uint8_t> bytes;
    ReadDetails details;
    if (!ReadWholeFile(path, bytes, error, &details)) {
        if (reason)
            *reason = details.reason;
        return false;
    }
    LoadFromText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return true;
}

void ProfileFile::LoadFromText(std::string_view text)
{
    m_lines.clear();
    m_crlf = false;
    m_finalEol = true;
    m_modified = false;
    if (text.empty())
        return;
    // CR LF when every line end is CR LF; a file with mixed ends keeps its
    // CRs as part of the lines and gets LF for new lines.
    std::size_t lineEnds = 0, crlfEnds = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') {
            ++lineEnds;
            if (i > 0 && text[i - 1] == '\r')
                ++crlfEnds;
        }
    m_crlf = lineEnds > 0 && crlfEnds == lineEnds;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t nl = text.find('\n', pos);
        if (nl == std::string_view::npos) {
            m_lines.emplace_back(text.substr(pos));
            m_finalEol = false;
            break;
        }
        std::size_t end = nl;
        if (m_crlf && end > pos && text[end - 1] == '\r')
            --end;
        m_lines.emplace_back(text.substr(pos, end - pos));
        pos = nl + 1;
    }
}

ProfileFile::Located ProfileFile::Locate(std::string_view section, std::string_view entry) const
{
    Located loc;
    bool inSection = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        std::string_view name;
        if (SectionHeader(m_lines[i], name)) {
            if (inSection)
                break; // the first section of that name is the one used
            if (SameName(name, section)) {
                inSection = true;
                loc.sectionLine = i;
                loc.lastLine = i;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (!Trim(m_lines[i]).empty())
            loc.lastLine = i;
        std::string_view key, value;
        if (loc.entryLine == npos && EntryLine(m_lines[i], key, value) && SameName(key, entry))
            loc.entryLine = i;
    }
    return loc;
}

std::string ProfileFile::GetProfileString(std::string_view section, std::string_view entry,
                                          std::string_view def) const
{
    Located loc = Locate(section, entry);
    if (loc.entryLine == npos)
        return std::string(def);
    std::string_view key, value;
    EntryLine(m_lines[loc.entryLine], key, value);
    return std::string(value);
}

int ProfileFile::GetProfileInt(std::string_view section, std::string_view entry, int def) const
{
    if (!HasEntry(section, entry))
        return def;
    std::string s = GetProfileString(section, entry);
    if (s.empty())
        return def;
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(s.c_str(), &end, 10);
    if (errno != 0 || end == s.c_str() || *end != '\0' || v < std::numeric_limits<int>::min() ||
        v > std::numeric_limits<int>::max() || IsBlank(s.front()))
        return def;
    return static_cast<int>(v);
}

bool ProfileFile::HasEntry(std::string_view section, std::string_view entry) const
{
    return Locate(section, entry).entryLine != npos;
}

bool ProfileFile::WriteProfileString(std::string_view section, std::string_view entry,
                                     std::string_view value)
{
    // A line break would end the entry's line and start others: a path named
    // "x\n[Base File List]\nFile1=..." would rewrite other settings.
    if (HoldsLineBreak(section) || HoldsLineBreak(entry) || HoldsLineBreak(value))
        return false;
    Located loc = Locate(section, entry);
    if (loc.entryLine != npos) {
        std::string_view key, old;
        EntryLine(m_lines[loc.entryLine], key, old);
        if (old == value)
            return true; // unchanged: the line stays exactly as it was
        std::string line(key);
        line += '=';
        line += value;
        m_lines[loc.entryLine] = std::move(line);
        m_modified = true;
        return true;
    }
    std::string line(entry);
    line += '=';
    line += value;
    if (loc.sectionLine != npos) {
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(loc.lastLine + 1), std::move(line));
    } else {
        if (!m_lines.empty() && !Trim(m_lines.back()).empty())
            m_lines.emplace_back();
        std::string header = "[";
        header += section;
        header += ']';
        m_lines.push_back(std::move(header));
        m_lines.push_back(std::move(line));
    }
    m_finalEol = true;
    m_modified = true;
    return true;
}

void ProfileFile::WriteProfileInt(std::string_view section, std::string_view entry, int value)
{
    WriteProfileString(section, entry, std::to_string(value));
}

void ProfileFile::DeleteEntry(std::string_view section, std::string_view entry)
{
    // Every line of the entry goes: a second line of the same name, hidden
    // behind the first, would otherwise take its place and the entry would
    // come back on the next reading.
    for (Located loc = Locate(section, entry); loc.entryLine != npos; loc = Locate(section, entry)) {
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(loc.entryLine));
        m_modified = true;
    }
}

std::string ProfileFile::Text() const
{
    std::string out;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        out += m_lines[i];
        if (i + 1 < m_lines.size() || m_finalEol) {
            if (m_crlf)
                out += '\r';
            out += '\n';
        }
    }
    return out;
}

bool ProfileFile::Save(const std::string& path, std::string& error)
{
    std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(parent, ec);
        if (ec) {
            error = "не удалось создать папку " + parent.string() + ": " + SystemErrorText(ec.value());
            return false;
        }
    }
    if (!SaveFileAtomic(path, std::string_view(Text()), error))
        return false;
    m_modified = false;
    return true;
}

std::string DefaultProfilePath()
{
    if (const char* p = std::getenv("KESTRIN_PROFILE"); p && *p)
        return p;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::string config = (xdg && *xdg) ? std::string(xdg)
                         : (home && *home) ? std::string(home).append("/.config")
                                           : std::string(1, '.');
    config.append("/kestrin/kestrin.ini");
    return config;
}

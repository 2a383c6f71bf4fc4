#include "app/recentfilelist.h"

#include "platform/codepage.h"
#include "platform/filestamp.h"
#include "platform/format.h"
#include "platform/profile.h"

#include <algorithm>

namespace {

int CharCount(const std::string& s)
{
    int n = 0;
    for (std::size_t pos = 0; pos < s.size();) {
        NextUtf8(s, pos);
        ++n;
    }
    return n;
}

} // namespace

RecentFileList::RecentFileList(std::string section, std::string entryFormat, int size, int displayLength)
    : m_section(std::move(section)), m_entryFormat(std::move(entryFormat)), m_displayLength(displayLength),
      m_names(static_cast<std::size_t>(std::max(size, 0))), m_resolved(m_names.size())
{
}

std::string RecentFileList::EntryName(int index) const
{
    std::size_t at = m_entryFormat.find("%d");
    if (at == std::string::npos)
        return m_entryFormat + std::to_string(index + 1);
    return m_entryFormat.substr(0, at) + std::to_string(index + 1) + m_entryFormat.substr(at + 2);
}

void RecentFileList::Add(std::string path)
{
    if (path.empty() || m_names.empty() || !ProfileKeepsValue(path))
        return;
    // Only the file at hand is looked up; the entries are compared in the
    // form they were kept in, so an entry on a slow or dead mount never holds
    // up the open or save that adds another.  An entry added in this session
    // is also known by its real path: a link to a listed file, or the file
    // behind a listed link, takes its entry.
    std::string real = RealPathOf(path);
    std::size_t at = 0;
    while (at < m_names.size() && m_names[at] != path &&
           !(m_resolved[at].name == m_names[at] && !m_names[at].empty() && m_resolved[at].real == real))
        ++at;
    const std::size_t last = std::min(at, m_names.size() - 1);
    // Shift the entries above the freed slot down by one and put the path on top.
    std::move_backward(m_names.begin(), m_names.begin() + last, m_names.begin() + last + 1);
    std::move_backward(m_resolved.begin(), m_resolved.begin() + last, m_resolved.begin() + last + 1);
    m_resolved.front() = {path, std::move(real)};
    m_names.front() = std::move(path);
}

void RecentFileList::Remove(int index)
{
    if (index < 0 || index >= GetSize())
        return;
    m_names.erase(m_names.begin() + index);
    m_names.emplace_back();
    m_resolved.erase(m_resolved.begin() + index);
    m_resolved.emplace_back();
}

int RecentFileList::CountShown() const
{
    int n = 0;
    while (n < GetSize() && !m_names[static_cast<std::size_t>(n)].empty())
        ++n;
    return n;
}

void RecentFileList::ReadList(const ProfileFile& profile)
{
    for (int i = 0; i < GetSize(); ++i)
        m_names[static_cast<std::size_t>(i)] = profile.GetProfileString(m_section, EntryName(i));
}

void RecentFileList::WriteList(ProfileFile& profile) const
{
    for (int i = 0; i < GetSize(); ++i) {
        const std::string& name = m_names[static_cast<std::size_t>(i)];
        if (name.empty() || !profile.WriteProfileString(m_section, EntryName(i), name))
            profile.DeleteEntry(m_section, EntryName(i));
    }
}

std::string RecentFileList::GetDisplayName(int index) const
{
    return AbbreviatePath((*this)[index], m_displayLength);
}

std::string RecentFileList::MenuText(int index) const
{
    std::string name;
    for (char c : GetDisplayName(index)) {
        if (c == '&')
            name += '&';
        name += c;
    }
    int n = index + 1;
    if (n < 10)
        return StrFormat("&%d %s", n, name.c_str());
    if (n == 10)
        return "1&0 " + name;
    return StrFormat("%d %s", n, name.c_str());
}

std::string AbbreviatePath(const std::string& path, int maxChars)
{
    if (CharCount(path) <= maxChars)
        return path;
    std::size_t cut = path.find_last_of("/\\");
    if (cut == std::string::npos)
        return path;
    std::string fileName = path.substr(cut + 1);
    char sep = path[cut];
    // The root with the first folder stays ("/home/"), or the drive ("C:\").
    std::size_t first = path.find_first_of("/\\", path[0] == '/' || path[0] == '\\' ? 1 : 0);
    if (first != std::string::npos && first < cut) {
        std::string head = path.substr(0, first + 1);
        // Drop folders from the front of the rest until it fits.
        std::string rest = path.substr(first + 1);
        for (;;) {
            std::size_t next = rest.find_first_of("/\\");
            if (next == std::string::npos)
                break;
            rest = rest.substr(next + 1);
            std::string candidate = head + "..." + sep + rest;
            if (CharCount(candidate) <= maxChars)
                return candidate;
        }
    }
    return fileName;
}

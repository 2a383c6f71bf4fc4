#include "platform/savefile.h"

#include "platform/syserror.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Detail of a failed file operation: what failed, on which file, and why.
std::string Describe(const std::string& what, const std::string& path)
{
    return what + " " + path + ": " + SystemErrorText(errno);
}

bool WriteAll(int fd, const char* p, std::size_t n)
{
    while (n > 0) {
        ssize_t w = ::write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += w;
        n -= static_cast<std::size_t>(w);
    }
    return true;
}

std::string FolderOf(const std::string& path)
{
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows a chain of symbolic links to the file the last one names, so that a
// save replaces the real file and the links stay links.  A dangling link gives
// the path it names (the save creates that file).  Returns false with errno
// set on a loop or an unreadable link.
bool ResolveLinks(const std::string& path, std::string& resolved)
{
    resolved = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(resolved.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return true;  // a file, a folder, or nothing yet: save there
        std::vector<char> buf(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        ssize_t n = ::readlink(resolved.c_str(), buf.data(), buf.size());
        if (n < 0)
            return false;
        if (static_cast<std::size_t>(n) >= buf.size()) {  // grew since lstat: read again
            --hops;
            buf.resize(buf.size() * 2);
            continue;
        }
        std::string target(buf.data(), static_cast<std::size_t>(n));
        resolved = !target.empty() && target.front() == '/' ? target : FolderOf(resolved) + "/" + target;
    }
    errno = ELOOP;
    return false;
}

} // namespace

bool SaveFileAtomic(const std::string& path, std::string_view bytes, std::string& error)
{
    std::string target;
    if (path.empty()) {
        errno = ENOENT;
        error = Describe("не удалось сохранить файл", path);
        return false;
    }
    if (!ResolveLinks(path, target)) {
        error = Describe("не удалось найти файл, на который указывает ссылка", path);
        return false;
    }
    // The temporary has a short name of its own in the target's folder, so a
    // target whose name is at the length limit can still be saved; the rename
    // over the target within one folder is what makes the save atomic.
    std::string tmpl = FolderOf(target) + "/.kestrin-XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = Describe("не удалось создать временный файл для", target);
        return false;
    }
    std::string tmp(name.data());
    // mkstemp creates the file readable by the owner only: keep the mode of the
    // file it replaces, or give a new file the usual mode.
    struct stat st;
    if (::stat(target.c_str(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    bool ok = WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    if (!ok)
        error = Describe("не удалось записать файл", target);
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = Describe("не удалось записать файл", target);
    }
    if (ok && ::rename(tmp.c_str(), target.c_str()) != 0) {
        ok = false;
        error = Describe("не удалось заменить файл", target);
    }
    if (!ok)
        ::unlink(tmp.c_str());
    return ok;
}

bool SaveFileAtomic(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error)
{
    return SaveFileAtomic(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                          error);
}

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = Describe("не удалось открыть файл", path);
        return false;
    }
    bytes.clear();
    unsigned char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        bytes.insert(bytes.end(), buf, buf + n);
    bool ok = !std::ferror(f);
    if (!ok)
        error = Describe("не удалось прочитать файл", path);
    std::fclose(f);
    return ok;
}

#include "platform/savefile.h"

#include "platform/syserror.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <new>
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

// The text a symbolic link holds.  The buffer starts at the size the link
// reports and doubles while the text fills it: links under /proc report 64
// whatever their length.  No link text is longer than a path can be, so the
// growth stops there.
bool ReadLinkText(const std::string& link, std::size_t reportedSize, std::string& text)
{
    constexpr std::size_t kLongest = 1 << 16;
    std::vector<char> buf(reportedSize > 0 ? reportedSize + 1 : 256);
    for (;;) {
        ssize_t n = ::readlink(link.c_str(), buf.data(), buf.size());
        if (n < 0)
            return false;
        if (static_cast<std::size_t>(n) < buf.size()) {
            text.assign(buf.data(), static_cast<std::size_t>(n));
            return true;
        }
        if (buf.size() >= kLongest) {
            errno = ENAMETOOLONG;
            return false;
        }
        buf.resize(buf.size() * 2);
    }
}

// Follows a chain of symbolic links to the file the last one names, so that a
// save replaces the real file and the links stay links.  A dangling link gives
// the path it names (the save creates that file).  Returns false with errno
// set on a loop (more than 40 links) or an unreadable link.
bool ResolveLinks(const std::string& path, std::string& resolved)
{
    resolved = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(resolved.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return true;  // a file, a folder, or nothing yet: save there
        std::string target;
        if (!ReadLinkText(resolved, static_cast<std::size_t>(st.st_size), target))
            return false;
        resolved = !target.empty() && target.front() == '/' ? target : FolderOf(resolved) + "/" + target;
    }
    errno = ELOOP;
    return false;
}

// A write past the file-size limit raises SIGXFSZ, which would end the
// program in the middle of a save and leave its temporary behind.  Ignored
// for the length of a save, the write fails with EFBIG instead and the save
// is reported and cleaned up like any other failed write.
class FileSizeSignalIgnored {
public:
    FileSizeSignalIgnored()
    {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        m_restore = ::sigaction(SIGXFSZ, &ignore, &m_previous) == 0;
    }
    ~FileSizeSignalIgnored()
    {
        if (m_restore)
            ::sigaction(SIGXFSZ, &m_previous, nullptr);
    }
    FileSizeSignalIgnored(const FileSizeSignalIgnored&) = delete;
    FileSizeSignalIgnored& operator=(const FileSizeSignalIgnored&) = delete;

private:
    struct sigaction m_previous {};
    bool m_restore = false;
};

// The temporary takes the place of the old file: its mode, and its owner and
// group where the system lets us give them (root may; another user may keep
// the group when a member of it; otherwise the new file is the saver's, as a
// fresh file would be).  The owner goes first: changing it may clear the
// set-id bits of the mode.
void TakeOverAttributes(int fd, const struct stat* old)
{
    if (!old) {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
        return;
    }
    if (old->st_uid != ::geteuid() || old->st_gid != ::getegid()) {
        if (::fchown(fd, old->st_uid, old->st_gid) != 0)
            (void)::fchown(fd, static_cast<uid_t>(-1), old->st_gid);
    }
    ::fchmod(fd, old->st_mode & 07777);
}

// The rename is an entry of the folder: until the folder itself reaches the
// disk, a power cut can bring back the old file after a save reported as
// done.  A folder that cannot be synced (some file systems refuse it) leaves
// the save as done: the file is complete and in place either way.
void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    ::close(fd);
}

// The folder refused the temporary: the save never writes over the user's
// file in place, so the user is told to choose another folder.
bool FolderClosedForWriting(int err)
{
    return err == EACCES || err == EPERM || err == EROFS;
}

} // namespace

bool SaveFileAtomic(const std::string& path, std::string_view bytes, std::string& error, FileStamp* written)
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
    struct stat old;
    const bool exists = ::stat(target.c_str(), &old) == 0;
    // A file the user may not write is not replaced behind its permissions,
    // even though the folder would allow the rename.
    if (exists && S_ISREG(old.st_mode) && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        error = Describe("не удалось сохранить файл", target);
        return false;
    }
    // The temporary has a short name of its own in the target's folder, so a
    // target whose name is at the length limit can still be saved; the rename
    // over the target within one folder is what makes the save atomic.
    const std::string folder = FolderOf(target);
    std::string tmpl = folder + "/.kestrin-XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) {
        const bool closed = FolderClosedForWriting(errno);
        error = Describe("не удалось создать временный файл для", target);
        if (closed)
            error += ".\nПапка " + folder + " закрыта для записи: сохраните файл в другой папке.";
        return false;
    }
    std::string tmp(name.data());
    TakeOverAttributes(fd, exists ? &old : nullptr);
    bool ok;
    {
        FileSizeSignalIgnored noSignal;
        ok = WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    }
    if (!ok)
        error = Describe("не удалось записать файл", target);
    if (ok && written)
        *written = StampOfOpenFile(path, fd);
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = Describe("не удалось записать файл", target);
    }
    if (ok && ::rename(tmp.c_str(), target.c_str()) != 0) {
        ok = false;
        error = Describe("не удалось заменить файл", target);
    }
    if (!ok) {
        ::unlink(tmp.c_str());
        return false;
    }
    SyncFolder(folder);
    if (written)
        written->realPath = RealPathOf(target);  // the file exists under its name only now
    return true;
}

bool SaveFileAtomic(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error,
                    FileStamp* written)
{
    return SaveFileAtomic(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                          error, written);
}

namespace {

// Why a file that exists cannot be read as one of the program's files, or
// empty when it can: only regular files are read, so that a pipe, a device or
// a socket never blocks or feeds the reader without end.
std::string NotARegularFile(const struct stat& st)
{
    if (S_ISDIR(st.st_mode))
        return SystemErrorText(EISDIR);
    if (!S_ISREG(st.st_mode))
        return "это не обычный файл";
    return {};
}

std::string TooLong(std::uint64_t size, std::uint64_t maxBytes)
{
    return "файл длиннее, чем может быть файл программы (" + std::to_string(size) + " байт, а наибольшая длина " +
           std::to_string(maxBytes) + " байт)";
}

// Opens a regular file for reading without waiting: a pipe opened for
// reading would block until a writer comes.  Returns -1 with reason set.
int OpenRegularFile(const std::string& path, struct stat& st, std::string& reason)
{
    if (::stat(path.c_str(), &st) != 0) {
        reason = SystemErrorText(errno);
        return -1;
    }
    if (reason = NotARegularFile(st); !reason.empty())
        return -1;
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        reason = SystemErrorText(errno);
        return -1;
    }
    // The name may have been given to something else since the stat.
    if (::fstat(fd, &st) != 0 || !(reason = NotARegularFile(st)).empty()) {
        if (reason.empty())
            reason = SystemErrorText(errno);
        ::close(fd);
        return -1;
    }
    return fd;
}

// Reads fd to its end, at most maxBytes; false with reason set.
bool ReadToEnd(int fd, std::uint64_t sizeNow, std::uint64_t maxBytes, std::vector<std::uint8_t>& bytes,
               std::string& reason)
{
    try {
        bytes.clear();
        bytes.reserve(static_cast<std::size_t>(sizeNow));
        unsigned char buf[65536];
        for (;;) {
            ssize_t n = ::read(fd, buf, sizeof buf);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                reason = SystemErrorText(errno);
                return false;
            }
            if (n == 0)
                return true;
            if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) {  // grew while read
                reason = TooLong(bytes.size() + static_cast<std::size_t>(n), maxBytes);
                return false;
            }
            bytes.insert(bytes.end(), buf, buf + n);
        }
    } catch (const std::bad_alloc&) {
        bytes = {};
        reason = SystemErrorText(ENOMEM);
        return false;
    }
}

} // namespace

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error,
                   ReadDetails* details, std::uint64_t maxBytes)
{
    std::string reason;
    struct stat st;
    int fd = OpenRegularFile(path, st, reason);
    if (fd < 0) {
        error = "не удалось открыть файл " + path + ": " + reason;
    } else if (static_cast<std::uint64_t>(st.st_size) > maxBytes) {
        reason = TooLong(static_cast<std::uint64_t>(st.st_size), maxBytes);
        error = "не удалось прочитать файл " + path + ": " + reason;
    } else if (!ReadToEnd(fd, static_cast<std::uint64_t>(st.st_size), maxBytes, bytes, reason)) {
        error = "не удалось прочитать файл " + path + ": " + reason;
    } else if (details) {
        details->stamp = StampOfOpenFile(path, fd);
    }
    if (fd >= 0)
        ::close(fd);
    if (details)
        details->reason = reason;
    return reason.empty();
}

bool RegularFileOpens(const std::string& path)
{
    struct stat st;
    std::string reason;
    int fd = OpenRegularFile(path, st, reason);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

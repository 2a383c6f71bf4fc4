#include "platform/savefile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Describe(const std::string& what, const std::string& path)
{
    return what + " " + path + ": " + std::strerror(errno);
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

} // namespace

bool SaveFileAtomic(const std::string& path, std::string_view bytes, std::string& error)
{
    std::string tmpl = path + ".tmpXXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = Describe("cannot create a temporary file for", path);
        return false;
    }
    std::string tmp(name.data());
    // mkstemp creates the file readable by the owner only: keep the mode of the
    // file it replaces, or give a new file the usual mode.
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    bool ok = WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    if (!ok)
        error = Describe("cannot write", path);
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = Describe("cannot write", path);
    }
    if (ok && ::rename(tmp.c_str(), path.c_str()) != 0) {
        ok = false;
        error = Describe("cannot replace", path);
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
        error = Describe("cannot open", path);
        return false;
    }
    bytes.clear();
    unsigned char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        bytes.insert(bytes.end(), buf, buf + n);
    bool ok = !std::ferror(f);
    if (!ok)
        error = Describe("cannot read", path);
    std::fclose(f);
    return ok;
}

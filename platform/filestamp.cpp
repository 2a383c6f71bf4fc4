#include "platform/filestamp.h"

#include "platform/format.h"
#include "platform/messages.h"

#include <filesystem>
#include <sys/stat.h>

namespace {

FileStamp FromStat(const std::string& path, const struct stat& st)
{
    FileStamp s;
    s.path = path;
    s.realPath = RealPathOf(path);
    s.present = true;
    s.device = static_cast<std::uint64_t>(st.st_dev);
    s.inode = static_cast<std::uint64_t>(st.st_ino);
    s.size = static_cast<std::int64_t>(st.st_size);
    s.modifiedSeconds = static_cast<std::int64_t>(st.st_mtim.tv_sec);
    s.modifiedNanoseconds = static_cast<std::int64_t>(st.st_mtim.tv_nsec);
    return s;
}

} // namespace

std::string RealPathOf(const std::string& path)
{
    namespace fs = std::filesystem;
    if (path.empty())
        return path;
    std::error_code ec;
    const fs::path full = fs::absolute(path, ec);
    if (ec)
        return path;
    // The part that exists is resolved by the system (realpath), so ".."
    // after a link to a folder leads where the system goes, not where the
    // text suggests; only the missing rest is tidied as text.
    const fs::path real = fs::weakly_canonical(full, ec);
    return ec ? full.string() : real.string();
}

std::string FullPathOf(const std::string& path)
{
    namespace fs = std::filesystem;
    const fs::path given(path);
    const fs::path name = given.filename();
    if (name.empty() || name == "." || name == "..")
        return RealPathOf(path);
    const std::string folder = given.has_parent_path() ? given.parent_path().string() : ".";
    return (fs::path(RealPathOf(folder)) / name).string();
}

bool FileStamp::SameFileState(const FileStamp& o) const
{
    return present == o.present && device == o.device && inode == o.inode && size == o.size &&
           modifiedSeconds == o.modifiedSeconds && modifiedNanoseconds == o.modifiedNanoseconds;
}

FileStamp StampOfFile(const std::string& path)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        FileStamp none;
        none.path = path;
        return none;
    }
    return FromStat(path, st);
}

FileStamp StampOfOpenFile(const std::string& path, int fd)
{
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        FileStamp none;
        none.path = path;
        return none;
    }
    return FromStat(path, st);
}

bool ChangedOnDiskSince(const FileStamp& known)
{
    if (!known.present)
        return false;
    FileStamp now = StampOfFile(known.realPath.empty() ? known.path : known.realPath);
    return now.present && !now.SameFileState(known);
}

bool ConfirmOverwriteIfChanged(const std::string& path, const FileStamp& known, const std::string& caption,
                               bool ownName)
{
    if (!known.present)
        return true;
    const FileStamp now = StampOfFile(path);
    if (!now.present || now.SameFileState(known))
        return true;
    if (!ownName && now.realPath != known.realPath)
        return true;
    const std::string text =
        StrFormat("Файл %s\nизменен на диске после того, как программа его прочитала\n"
                  "(возможно, другой копией программы).\n"
                  "Заменить его? Изменения, сделанные в файле, будут потеряны.",
                  path.c_str());
    // Enter keeps the other copy's work: replacing it is a choice to make.
    return ShowMessage(text, caption, MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::No) == MsgAnswer::Yes;
}

// What a file was when the program read or wrote it: which file (device and
// inode), how long, and when it was last changed.  A save over that file can
// then tell whether another program, or another copy of this one, replaced or
// changed it in the meantime, and ask before writing over that change.
#pragma once

#include <cstdint>
#include <string>

struct FileStamp {
    std::string path;  // the path the caller named (the stamp belongs to it)
    bool present = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    // Same file, same length, same time of last change.
    bool SameFileState(const FileStamp& other) const;
};

// The stamp of the file at path now (links followed); present is false when
// there is no such file.
FileStamp StampOfFile(const std::string& path);
// The stamp of the file open as fd, recorded for path.
FileStamp StampOfOpenFile(const std::string& path, int fd);

// Whether the file at known.path is now another file, or the same file
// changed, than when known was taken.  A stamp of no file, or a file removed
// since, is no change: a save then loses nobody's work.
bool ChangedOnDiskSince(const FileStamp& known);

// Before saving over path: when the file there changed on disk since known
// was taken (known taken for this very path), asks whether to replace it.
// True when the save may go on; false when the user chose to keep the file on
// disk as it is.
bool ConfirmOverwriteIfChanged(const std::string& path, const FileStamp& known, const std::string& caption);

// What a file was when the program read or wrote it: which file (its real
// path, device and inode), how long, and when it was last changed.  A save
// over that file, under whatever name, can then tell whether another program,
// or another copy of this one, replaced or changed it in the meantime, and ask
// before writing over that change.
#pragma once

#include <cstdint>
#include <string>

struct FileStamp {
    std::string path;      // the path the caller named
    std::string realPath;  // the same file's path as the system resolves it (RealPathOf)
    bool present = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    // Same file, same length, same time of last change.
    bool SameFileState(const FileStamp& other) const;
};

// The full path of a file as the system resolves it: relative to the working
// folder, with ".", "..", repeated slashes and symbolic links (to the file and
// to folders on the way) resolved.  What does not exist yet is appended to the
// real path of the part that does.  One file has one real path however its
// name is spelled, so files are told apart by it.  Where the system cannot
// resolve it (a folder it may not search), the full path as given.
std::string RealPathOf(const std::string& path);

// The full path the program keeps for a file it was given: the real path of
// its folder and the file's own name, so that a link to the file keeps its
// name (a save through it writes the file it names and keeps the link) while
// every other spelling of the folder comes to one.
std::string FullPathOf(const std::string& path);

// The stamp of the file at path now (links followed); present is false when
// there is no such file.
FileStamp StampOfFile(const std::string& path);
// The stamp of the file open as fd, recorded for path.
FileStamp StampOfOpenFile(const std::string& path, int fd);

// Whether the file at known.realPath is now another file, or the same file
// changed, than when known was taken.  A stamp of no file, or a file removed
// since, is no change: a save then loses nobody's work.
bool ChangedOnDiskSince(const FileStamp& known);

// Before saving over path: asks whether to replace the file path leads to
// now when that is not the file as known was taken of it.  ownName says path
// is the name the file was read or last saved under (by whatever spelling):
// then any other file there (a link re-pointed, the file replaced or renamed
// away and another put in its place) or any change of it is asked about.
// Under another name only the file known was taken of, changed since, is
// asked about; another existing file there is the save dialog's question.
// Nothing under the name yet is never asked about: a save then loses nobody's
// work.  Only path is looked up on disk.
// True when the save may go on; false when the user chose to keep the file on
// disk as it is.  The question's default answer is No.
bool ConfirmOverwriteIfChanged(const std::string& path, const FileStamp& known, const std::string& caption,
                               bool ownName);

// Safe writing of the user's files: the bytes go to a temporary file beside the
// target, are flushed to disk, and only then renamed over the target.  A failed
// save leaves the old file as it was.  Reading takes regular files only, and
// no longer than any file of the program can be.
#pragma once

#include "platform/filestamp.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The longest file the program reads: its task, catalog and import files
// carry 32-bit lengths and were written through a file class whose lengths
// and positions are 32-bit, so none of them is longer than 4 GiB - 1 bytes.
// (Their counts and records alone would allow far more: 65535 results of
// 65535 points of 56 bytes in a task, 65535 influence matrices of order 255
// in a catalog.)
inline constexpr std::uint64_t kMaxFileBytes = 0xFFFFFFFFull;

// Returns true on success; on failure error holds a message and the target is
// untouched.  A target the user may not write is refused; the replacement
// keeps the old file's mode and, where the system allows, its owner and group.
// The save never writes in place, so a file with other hard links gets a new
// file under this name and its other names keep the old contents.
// written, when given, receives the stamp of the file as saved.
bool SaveFileAtomic(const std::string& path, std::string_view bytes, std::string& error,
                    FileStamp* written = nullptr);
bool SaveFileAtomic(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error,
                    FileStamp* written = nullptr);

// What a read tells besides the bytes.
struct ReadDetails {
    FileStamp stamp;     // the file that was read
    std::string reason;  // on failure: why, in a few words ("это папка, а не файл")
};

// Reads a whole regular file of at most maxBytes; returns false with a
// message when it cannot be read: no such file, a folder, a device, a pipe
// or a socket (refused before anything is read, so nothing blocks), a file
// longer than maxBytes, or not memory enough.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error,
                   ReadDetails* details = nullptr, std::uint64_t maxBytes = kMaxFileBytes);

// Whether path names a regular file that opens for reading (without waiting
// on a pipe or a device).
bool RegularFileOpens(const std::string& path);

// Safe writing of the user's files: the bytes go to a temporary file beside the
// target, are flushed to disk, and only then renamed over the target.  A failed
// save leaves the old file as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Returns true on success; on failure error holds a message and the target is untouched.
bool SaveFileAtomic(const std::string& path, std::string_view bytes, std::string& error);
bool SaveFileAtomic(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error);

// Reads a whole file; returns false with a message when it cannot be read.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error);

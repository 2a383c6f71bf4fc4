// The DOS-era catalog file "basek": records of a type
// byte (0-7), the item's name in the DOS code page ended by "@", and the
// item's numbers as 4-byte little-endian floats, one record after another
// with nothing between them.
#pragma once

#include <string_view>

class ArchiveReader;
class CBase;

// Reads the whole file into base (emptied first).  A damaged file (a name
// without its "@", a name longer than the DOS program could hold, a filter of
// an unknown scheme type, a value that is NaN or infinite, a record cut
// short) throws ArchiveError; base may then hold part of the file, so callers
// read into a temporary catalog.
void ReadDosBase(ArchiveReader& ar, CBase& base);

// Whether a file name names the DOS-era catalog ("basek" in any letter case).
bool IsDosBaseName(std::string_view fileName);

// Longest name the DOS program's name buffer (152 bytes) could hold.
inline constexpr std::size_t kDosNameMax = 151;

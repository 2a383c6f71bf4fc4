// Our own tables for the two Cyrillic code pages the files use: CP1251 (every
// string of the task, catalog and Dalvex files) and CP866 (names in the
// DOS-era catalog).  Both directions are reversible for all 256 byte values,
// so a string read from a file and written again gives the same bytes.
#pragma once

#include <string>
#include <string_view>

std::string Cp1251ToUtf8(std::string_view bytes);
// Characters that CP1251 cannot hold become '?'.
std::string Utf8ToCp1251(std::string_view utf8);
// The characters of a UTF-8 text that CP1251 cannot hold, each once, in the
// order they first stand in the text (an invalid sequence counts as U+FFFD).
std::u32string CharsOutsideCp1251(std::string_view utf8);

std::string Cp866ToUtf8(std::string_view bytes);
std::string Utf8ToCp866(std::string_view utf8);

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t cp);
// Decodes the next code point of a UTF-8 string at pos and advances pos; an
// invalid sequence yields U+FFFD and skips one byte.
char32_t NextUtf8(std::string_view s, std::size_t& pos);

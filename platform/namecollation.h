// The order of catalog names in sorted lists (item combos, the catalog tree):
// case-insensitive over Latin and Cyrillic letters through a small folding
// table of our own (Ё sorts with Е), every other character by its code
// point.  The same on every machine, whatever its locale.
#pragma once

#include <string>

// <0, 0 or >0 as a sorts before, with or after b (UTF-8 texts).
int CompareNamesFolded(const std::string& a, const std::string& b);

inline bool NameLess(const std::string& a, const std::string& b)
{
    return CompareNamesFolded(a, b) < 0;
}

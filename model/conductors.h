// Conductor codes and their display names.
//
// A conductor code is -1 for an empty slot, else 4*k + p: p = 0, 1, 2 phase
// A, B, C of circuit k+1 (on a DC task p = 0 the "+" and p = 1 the "-" pole
// of line k+1), p = 3 ground wire (cable screen) k+1.  A split conductor s
// occupies wire positions s and s+1 ("/1" and "/2"); positions after it show
// the code one index lower.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr int kNoConductor = -1;

inline bool IsGroundCode(int code) { return code >= 0 && code % 4 == 3; }

// True when the open task is a DC line: the document's flag when a document
// is current, else g_bDC.
bool IsDCTask();

// The display name of the conductor at a wire position of a 40-entry code
// map: "A", "1A", "+", "-", "T", "T2", "?", with "/1" or "/2" for the halves
// of the split conductor.  When buffer is given it also receives the name as
// zero-terminated text (cut to bufferSize).  A position past the map shows "?".
std::string& FormatConductorName(std::string& result, const int* codes, int split, std::uint8_t position,
                                 char* buffer = nullptr, std::size_t bufferSize = 16);
std::string FormatConductorName(const int* codes, int split, std::uint8_t position);

// Finds the mirror-symmetric wire pairs of a cross-section (x horizontal,
// y height) and writes them to g_SymWires.  Returns -1 when the section is not
// mirror-symmetric (or its first wire lies on the axis), else the number of
// wires on the axis; 0 for no wires.
int FindSymmetricWires(const double* x, const double* y, std::uint8_t n);
int FindSymmetricWiresF(const float* x, const float* y, std::uint8_t n);

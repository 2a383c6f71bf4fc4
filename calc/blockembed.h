// Helpers of the chain cascade for elements that cover only some of the
// channel's conductors: the straight link that carries a conductor through
// unchanged, and the embedding of a smaller matrix or two-port at the
// positions of the selected conductors.  Also the finiteness test the cascade
// applies to every element result.
#pragma once

#include "math/complex.h"
#include "math/twoport.h"

#include <cstdint>

// The admittance of the straight link, S: a 1 mOhm series link per conductor.
inline constexpr double kStraightLinkSiemens = 1000.0;

// blocks := the straight link of n conductors (Y0 = 1000*I, Y1 = Y2 = -1000*I).
void SetStraightLink(int n, const TwoPortBlocks& blocks);
// blocks := a diagonal series link of y siemens on each of n conductors.
void SetSeriesLink(int n, double y, const TwoPortBlocks& blocks);

// Number of the first n conductors whose flag is set.
int SelectedCount(const std::uint8_t* flags, int n);

// Embeds a len x len matrix, stored packed at the start of an n x n storage,
// into n x n: the selected conductors (flag not 0) are numbered 0, 1, ... in
// index order, the others follow; entry (a, b) of the small matrix goes to the
// positions of the a-th and b-th selected conductors, every other entry is 0.
// The flags must select exactly len of the n conductors.
void ExpandMatrix(CComplex* matrix, const std::uint8_t* flags, int len, int n);
// The same for all three blocks, with the straight link on the diagonal of the
// conductors that are not selected.
void ExpandElementBlocks(const TwoPortBlocks& blocks, const std::uint8_t* flags, int len, int n);

// True when every entry of the p x q matrix is finite.
bool MatIsFinite(const CComplex* A, int p, int q);
bool BlocksAreFinite(const TwoPortBlocks& blocks, int n);

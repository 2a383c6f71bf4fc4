// State that the line models of the calculation share with the line-section
// algebra of the math library: the per-element record of identical line
// sections, the modal-mode switch and the angular frequency of the current
// calculation point, each thread its own (the points of a frequency range run
// on several threads).  Plain data only, so that the math library does not depend
// on the calculation engine that fills it.
#pragma once

#include "math/complex.h"

// Flag bits of LineCalcRecord::flags.
inline constexpr unsigned char kLineRecStoreModal = 1;  // keep the modal data for a later section of the same cross-section
inline constexpr unsigned char kLineRecStoreBlocks = 2; // keep the blocks for a later equal section
inline constexpr unsigned char kLineRecSameSection = 4; // same cross-section as an earlier section: use its modal data
inline constexpr unsigned char kLineRecEqual = 8;       // equal to an earlier section: use its blocks

// One record per element of the chain.  A line section that lends its results
// to later sections keeps them in the matrices these pointers refer to; a
// section that borrows holds copies of the lender's pointers.  The record owns
// nothing: whoever builds the table of records allocates and frees the storage.
struct LineCalcRecord {
    unsigned char flags = 0;
    // The three admittance blocks Y0, Y1, Y2 of the section (n x n, n = the
    // element's wire positions).
    CComplex* p1 = nullptr;
    CComplex* p2 = nullptr;
    CComplex* p3 = nullptr;
    // The two modal transformation matrices (m x m): p4 the inverse of the
    // voltage mode matrix, p5 the current mode matrix scaled by the modal
    // characteristic admittances.
    CComplex* p4 = nullptr;
    CComplex* p5 = nullptr;
    // The m modal propagation constants (1/m).
    CComplex* p6 = nullptr;
};

// The record of the element being modelled; null outside a channel calculation.
extern thread_local LineCalcRecord* g_pCurLineRec;
// Non-zero while the modal parameters of one line element are calculated: the
// line models then return modal data instead of two-port blocks and leave the
// records alone.
extern thread_local int g_bModalMode;
// j*omega of the current frequency (omega in rad/s in the imaginary part).
extern thread_local CComplex g_jOmega;

// Back to the state before any calculation: no record, channel mode, omega 0.
void ResetLineCalcGlobals();

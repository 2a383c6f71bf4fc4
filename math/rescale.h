// Re-lengthening of a uniform multi-conductor line by its natural modes: from
// the admittance blocks of one repeating cell of known length (a half span with
// sagging wires, two spans with a transposition), the blocks of the whole
// section, or, in the modal-parameter calculation, the modal quantities.
#pragma once

#include "math/twoport.h"

// On entry X.Y0 holds the self block Y11 of the piece of length lenPiece (m)
// and X.Y2 its transfer block Y12 (only its square matters, so either sign
// will do); X.Y1 is work space.
//
// Channel calculation (g_bModalMode 0): on return X holds the blocks of the
// same line of length lenNew; when the current line record asks for it, the
// modal data and the finished blocks are copied into its storage.
//
// Modal parameters (g_bModalMode set): X.Y0 = the voltage mode matrix, X.Y1 =
// the current mode matrix (both with columns normalised to row 0), row 0 of
// X.Y2 = the propagation constants (1/m), row 1 = the modal characteristic
// admittances (S); other rows of X.Y2 are not changed.  In modal mode X.Y2
// must hold two rows even for n = 1 (2n values at least).
//
// A singular matrix in the eigen-solution leaves g_MatError = 2 and returns at
// once (X.Y1 already overwritten); one in a later inversion leaves the flag set
// and the outputs meaningless.  The caller tests the flag.  lenPiece must be
// positive.
void RescaleLineBlocks(const TwoPortBlocks& X, int n, double lenNew, double lenPiece);

// The cascade of a channel at one frequency: the elements of g_ppCalcElements
// are walked in chain order, each element's model gives its contribution (a
// two-port, a shunt admittance, a re-ordering of the conductors or a closing
// load) and the contributions are combined into one multi-conductor two-port.
// Taps, doublings, branchings and sections with a changed number of wires are
// nested chains of the same flat list, marked by their bracketing elements;
// they are calculated by recursion.
//
// After every element the matrix-error flag and the finiteness of the result
// are tested; the first failure is reported once, with the element's 1-based
// number, and every enclosing chain returns at once.  Elements that the
// cascade cannot take at all (a wire count that does not fit the chain, a
// nested part without its closing element) are refused with the element-data
// message and stop the run the same way.
#pragma once

#include "math/twoport.h"

// Cascades the chain that starts at element start over n conductors into the
// accumulator (n x n blocks).  inDoubling is 1 for the doubled section of a
// doubling of wires.  Returns the index of the element that closed the chain
// (its load, or the end of a branch), 0 when the chain ran to the end of the
// channel or to its end load, and 0 after an error (g_MatError set, message
// shown).  For a chain closed by a load, accumulator.Y0 holds its input
// admittance matrix.
int CalcChain(int start, const TwoPortBlocks& accumulator, int n, int inDoubling);

// The section of an attached circuit: start is the index after the change of
// the number of wires, n the conductors before it, d those inside it.  The
// added d - n conductors are terminated at both ends of the section and
// eliminated; result receives the section's two-port over the n conductors.
// Returns the index of the element that terminates the far end, 0 after an
// error.
int CalcVarModChain(int start, const TwoPortBlocks& result, int n, int d);

// Shows "Ошибка при расчетах матриц элемента N <number>.\nРасчет прекращен."
// with a stop icon when g_MatError is set; nothing otherwise.
void ReportElementMatrixError(int number);

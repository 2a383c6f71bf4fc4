// The "nice" step of a graph axis: a round number (1, 2, 2.5, 3, 4, 5, 7.5 or 8
// times a power of ten) that cuts the shown span into 5 to 10 grid intervals.
#pragma once

// Step for the span [lo, hi].  A span that is not positive and finite is first
// widened in place to 1.0 from its lower end (0 to 1 when the lower end is not
// finite either; where 1.0 vanishes in the rounding of a huge lower end, to a
// millionth of its magnitude), so every call gives a positive, finite step.
double NiceAxisStep(double& lo, double& hi);

// First grid value of the value axis: a whole number of steps at or just below
// the lower end (a negative lower end rounds down unless it lies within 1% of a
// grid value above it).
double ValueAxisBase(double lo, double step);

// First grid value of the frequency axis: a whole number of steps, truncated
// toward zero from the lower end.
double FrequencyAxisBase(double lo, double step);

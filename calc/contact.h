// Conductors that touch as typed.  Every coordinate, radius and sag reaches
// the calculation through a single-precision dialog field (a float holds
// about seven decimal digits: its rounding is at most 6e-8 of the value), and
// is then scaled to metres.  Two conductors placed exactly touching (a core on
// the pipe's wall, two wires at the sum of their radii) therefore land a few
// 1e-8 of the cross-section's size to either side of touching, and a test of
// exact doubles would calculate one of them as a short or as one conductor.
//
// A gap is taken as none when it is within kTypedTolerance of the largest
// dimension the positions are typed in (the pipe's radius, the tower's
// coordinates): 1e-6 covers the roundings of the few values that make one
// gap (each at most 6e-8 of that size) eight times over, and is 0.1 um in a
// pipe of 200 mm, a thousand times below the 0.1 mm a user types.
#pragma once

inline constexpr double kTypedTolerance = 1e-6;

// Whether two round conductors whose centres lie distance apart and whose
// radii sum to reach (or a conductor at distance from a wall it must keep
// reach from) touch or overlap, within the rounding of values of size scale.
// A value that is not a number never counts as clear.
inline bool TouchAsTyped(double distance, double reach, double scale)
{
    return !(distance - reach > kTypedTolerance * scale);
}

#pragma once

#include <cstring>

// Equal to the last bit: 0.0 and -0.0 differ, a NaN equals itself.
inline bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

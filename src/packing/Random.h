#pragma once

#include <random>

// Uniform in [0, 1): the top 53 bits of a draw of the 64-bit Mersenne
// Twister, whose sequence the standard fixes, so that a seed gives the same
// numbers with every standard library (its distributions are not fixed).
inline double unitDraw(std::mt19937_64& engine) {
  return static_cast<double>(engine() >> 11) * 0x1p-53;
}

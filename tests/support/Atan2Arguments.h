#pragma once

#include <random>

// Arguments (y, x) for testing atan2, drawn from a 64-bit Mersenne Twister.
struct TAtan2Argument {
  double y;
  double x;
};

using TAtan2Random = std::mt19937_64;

// Uniform in [low, high].
double uniformIn(TAtan2Random& random, double low, double high);

// What lensArea asks for: (s, x) for a chord at x in a disc of radius r,
// small discs or large, overlapping by anything from a hair to a disc inside
// the other.
TAtan2Argument lensArgument(TAtan2Random& random);

// Any quadrant, any scale from the subnormals to the largest doubles, the two
// exponents at most `spread` apart.
TAtan2Argument scaledArgument(TAtan2Random& random, int spread);

// Uniform in the square [-1, 1]^2.
TAtan2Argument squareArgument(TAtan2Random& random);

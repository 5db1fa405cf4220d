#pragma once

#include "base/Atan2.h"

// The arc tangent's parts, for its own units and its tests.

namespace atan2_detail {

// atan(i / 256) for i = 0 .. 256, as hi + lo with hi the nearest double.
struct TDoubleDouble {
  double hi;
  double lo;
};
constexpr int kTableSteps = 256;
extern const TDoubleDouble kAtanTable[kTableSteps + 1];

// pi / 2 and pi as hi + lo; hi is the nearest double.
inline constexpr TDoubleDouble kHalfPi = {0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54};
inline constexpr TDoubleDouble kPi = {0x1.921fb54442d18p+1, 0x1.1a62633145c07p-53};

// Whether this CPU has a fused multiply-add that the fast path can use.
bool fusedMultiplyAddAvailable();

// The fast path alone: stores the correctly rounded result and returns true,
// or returns false for zeros, infinities and NaNs and when its rounding test
// cannot decide. It computes its exact product errors with fused
// multiply-adds (only where available) or by splitting; both give the same
// results.
bool fastAtan2(double y, double x, double& result, bool fused);

// The multiprecision path alone, for finite non-zero x and y: always decides,
// starting from firstBits and doubling them until the rounding is certain.
// The fast path leaves about two arguments in a million here (190 of 10^8
// random ones), needing some 70 bits; 128 settle all but about one in 2^70
// of those.
double preciseAtan2(double y, double x, long firstBits = 128);

}  // namespace atan2_detail

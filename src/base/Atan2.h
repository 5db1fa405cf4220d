#pragma once

#include <atomic>

#include "base/FloatingPoint.h"

// The arc tangent, correctly rounded: the exact value rounded to the nearest
// double, ties to even. The C libraries' atan2 differ from one another, and
// between CPUs, in the last bit; costs are printed to the last bit, so the
// project computes every arc tangent here.

struct TAnglePair {
  double first;
  double second;
};

namespace atan2_detail {
// The implementation for this CPU, chosen at the first call.
using TAtan2One = double (*)(double y, double x);
using TAtan2Pair = TAnglePair (*)(double y1, double x1, double y2, double x2);
extern std::atomic<TAtan2One> chosenOne;
extern std::atomic<TAtan2Pair> chosenPair;
}  // namespace atan2_detail

// The angle of the point (x, y) from the positive x axis, in [-pi, pi], with
// the signed zeros, infinities and NaNs of C's atan2.
inline double crAtan2(double y, double x) {
  return atan2_detail::chosenOne.load(std::memory_order_relaxed)(y, x);
}

// crAtan2(y1, x1) and crAtan2(y2, x2), the same bits, in less time than two
// calls: the two computations overlap.
inline TAnglePair crAtan2Pair(double y1, double x1, double y2, double x2) {
  return atan2_detail::chosenPair.load(std::memory_order_relaxed)(y1, x1, y2, x2);
}

// atan(x) = atan2(x, 1): the quotient x / 1 is exact, so this is correctly
// rounded too.
inline double crAtan(double x) { return crAtan2(x, 1.0); }

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

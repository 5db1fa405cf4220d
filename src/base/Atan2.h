#pragma once

#include "base/FloatingPoint.h"

// The arc tangent, correctly rounded: the exact value rounded to the nearest
// double, ties to even. The C libraries' atan2 differ from one another, and
// between CPUs, in the last bit; costs are printed to the last bit, so the
// project computes every arc tangent here.

struct TAnglePair {
  double first;
  double second;
};

// The angle of the point (x, y) from the positive x axis, in [-pi, pi], with
// the signed zeros, infinities and NaNs of C's atan2.
double crAtan2(double y, double x);

// crAtan2(y1, x1) and crAtan2(y2, x2), the same bits, in less time than two
// calls: the two computations overlap.
TAnglePair crAtan2Pair(double y1, double x1, double y2, double x2);

// atan(x) = atan2(x, 1): the quotient x / 1 is exact, so this is correctly
// rounded too.
inline double crAtan(double x) { return crAtan2(x, 1.0); }

#include "scoring/Geometry.h"

#include <cmath>

const double PI = 4.0 * std::atan(1.0);

// Costs are reported to the last bit, so every operation below keeps the
// order in which it is written; the tolerance branches also keep the square
// root's argument from going negative.

double segmentArea(double x, double r) {
  if (x >= r - kTolerance) return 0.0;
  if (x <= -r + kTolerance) return PI * r * r;
  const double s = std::sqrt(r * r - x * x);
  return std::atan2(s, x) * r * r - x * s;
}

double lensArea(double r, double R, double d) {
  if (d >= touchingDistance(r, R)) return 0.0;
  if (d < kTolerance) {
    const double m = R < r ? R : r;
    return PI * m * m;
  }
  // Signed distance from the r-disc's centre to the common chord. A disc
  // inside the other needs no case of its own: its segment clamps to the
  // whole disc and the other one to 0.
  const double c = (d * d - R * R + r * r) / (2.0 * d);
  return segmentArea(c, r) + segmentArea(d - c, R);
}

#include "scoring/Geometry.h"

#include <cmath>

#include "base/Atan2.h"

const double PI = 4.0 * crAtan(1.0);

// Costs are reported to the last bit, so every operation below keeps the
// order in which it is written, and the arc tangent is the correctly rounded
// one, the same on every machine. The tolerance branches also keep the square
// root's argument from going negative.

namespace {

// Whether the chord at x cuts the disc of radius r: neither within the
// tolerance of the rim nor beyond it on either side.
bool chordCuts(double x, double r) { return !(x >= r - kTolerance) && !(x <= -r + kTolerance); }

// The segment beyond a cutting chord at x, given s = sqrt(r^2 - x^2) and
// the angle atan2(s, x).
double cutSegment(double angle, double x, double s, double r) { return angle * r * r - x * s; }

}  // namespace

double segmentArea(double x, double r) {
  if (x >= r - kTolerance) return 0.0;
  if (x <= -r + kTolerance) return PI * r * r;
  const double s = std::sqrt(r * r - x * x);
  return cutSegment(crAtan2(s, x), x, s, r);
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
  const double c = chordDistance(r, R, d);
  const double other = d - c;
  if (!chordCuts(c, r) || !chordCuts(other, R)) return segmentArea(c, r) + segmentArea(other, R);
  // Both segments need an arc tangent: the two are computed together.
  const double s = std::sqrt(r * r - c * c);
  const double otherS = std::sqrt(R * R - other * other);
  const TAnglePair angles = crAtan2Pair(s, c, otherS, other);
  return cutSegment(angles.first, c, s, r) + cutSegment(angles.second, other, otherS, R);
}

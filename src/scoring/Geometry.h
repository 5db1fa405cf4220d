#pragma once

#include <cmath>

// 4 * atan(1.0), set before the program's entry runs.
extern const double PI;

// Within this absolute distance a chord counts as touching the rim, and two
// centres as coinciding.
constexpr double kTolerance = 1e-8;

// A circle's centre.
struct Tocka {
  double x;
  double y;
};

// The distance of two centres, as the cost computes it: from the first
// centre's coordinates minus the second's.
inline double distance(const Tocka& a, const Tocka& b) {
  const double dx = a.x - b.x;
  const double dy = a.y - b.y;
  return std::sqrt(dx * dx + dy * dy);
}

// The area of the disc of radius r beyond a chord at signed distance x from
// its centre (away from the centre when x is positive).
double segmentArea(double x, double r);

// The distance from which on discs of radii r and R count as apart or merely
// touching, so that they have no area in common.
inline double touchingDistance(double r, double R) { return r + R - kTolerance; }

// The signed distance from the centre of the r-disc to the chord it shares
// with the R-disc whose centre lies d > 0 away, measured towards that centre.
inline double chordDistance(double r, double R, double d) {
  return (d * d - R * R + r * r) / (2.0 * d);
}

// The area common to discs of radii r and R whose centres lie d apart.
double lensArea(double r, double R, double d);

#pragma once

#include <vector>

#include "scoring/Geometry.h"

// Structured placements of n points in the unit square whose smallest
// distance is large: the near-optimal packings of many equal circles are
// rows of points, hexagonal with rows of alternating lengths, sheared, or
// square. For every number of rows that fits, each kind is fitted to the
// square, its slack spread, and cut to n points; and each also turned by a
// right angle.
struct TLattice {
  double spacing;  // The smallest distance of two of its points.
  std::vector<Tocka> points;
};

// The `count` arrangements of n points with the largest smallest distance,
// the largest first.
std::vector<TLattice> latticeStarts(int n, int count);

#pragma once

#include <vector>

#include "packing/Packing.h"

// The search's parts, for its own units and its tests.

namespace packing_detail {

// A pair's term of an objective, for discs of radii rj and rk whose centres
// lie d apart and overlap, and in `slope` its derivative by d.
using TTerm = double (*)(double rj, double rk, double d, double& slope);

// The squared depth by which the discs penetrate each other: the energy whose
// sum is 0 exactly where no two discs overlap, and which unlike a lens's area
// keeps pushing apart a disc that lies inside another.
double depthTerm(double rj, double rk, double d, double& slope);

// The lens area, the cost's own term: d(area)/dd is minus the common chord.
double lensTerm(double rj, double rk, double d, double& slope);

// The sum of a term over every overlapping pair of centres x = (x0, y0, x1,
// y1, ...) with these radii; fills `gradient`. (The minimiser keeps the
// centres in the square.)
double overlapSum(TTerm term, const std::vector<double>& radii, const std::vector<double>& x,
                  std::vector<double>& gradient);

// A few circles that move while all others stay: the sum of a term over the
// pairs that involve a moving circle, of all those that may come to overlap
// while it moves less than `margin`. Cheap where the circles are few, so that
// a local move can settle many times over in the time of one minimisation of
// the whole placement.
class TPatch {
 public:
  // `x` must outlive the patch.
  TPatch(const std::vector<double>& radii, const std::vector<double>& x, std::vector<int> moving,
         double margin);

  // The moving circles' coordinates, from x.
  std::vector<double> coordinates() const;
  // The sum at the moving circles' coordinates `local`; fills `gradient`.
  double sum(TTerm term, const std::vector<double>& local, std::vector<double>& gradient) const;
  // Writes the moving circles' coordinates into x.
  void place(const std::vector<double>& local, std::vector<double>& x) const;

 private:
  struct TPair {
    int a;  // The moving circle's slot.
    int j;  // The other circle.
  };
  const std::vector<double>& radii_;
  const std::vector<double>& x_;
  std::vector<int> moving_;
  std::vector<int> slot_;  // Each circle's place among the moving ones, or -1.
  std::vector<TPair> pairs_;
};

}  // namespace packing_detail

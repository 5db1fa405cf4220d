#pragma once

#include <algorithm>
#include <utility>
#include <vector>

#include "scoring/Geometry.h"

// The cost of a placement: the lens areas of all pairs k < j, added for j
// ascending and k ascending inside it, the later circle's radius first.
double allPairsCost(const std::vector<double>& radii, const std::vector<Tocka>& tocke);

// The same sum, bit for bit, visiting only pairs that can overlap.
double placementCost(const std::vector<double>& radii, const std::vector<Tocka>& tocke);

// Calls visit(j, k) for every pair k < j whose discs may overlap: those of
// neighbouring cells of the cost's grid, or every pair where the grid does
// not pay. For the optimiser, which needs no particular order; its centres
// may lie anywhere, NaN included.
template <typename Visit>
void forEachCandidatePair(const std::vector<double>& radii, const std::vector<Tocka>& tocke,
                          Visit visit);

// Calls visit(j, k, area) for every pair k < j whose lens area is not 0.0,
// for j ascending and k ascending inside it: the terms of the cost, in the
// order in which they are added.
template <typename Visit>
void forEachOverlap(const std::vector<double>& radii, const std::vector<Tocka>& tocke, Visit visit);

namespace cost_detail {

// Circles binned into square cells at least as wide as the largest diameter.
// Two circles whose cells are not neighbours lie more than a diameter apart
// along one axis, so their distance exceeds the sum of their radii minus the
// touching tolerance, with a margin of about 1e-8 over any rounding, and
// lensArea would return exactly 0.0 for them.
//
// Circles are added in index order, so every cell lists its circles in
// ascending order, and while circle j is being looked at, the grid holds
// exactly the circles before it.
class TGrid {
 public:
  struct Member {
    Tocka p;
    double r;
    int k;
  };

  TGrid(const std::vector<Tocka>& p, int cellsPerAxis);

  void add(int i, const Tocka& p, double r) { members_[end_[cellOf_[i]]++] = Member{p, r, i}; }

  // Calls visit(member) for every circle added so far in circle i's cell and
  // the cells around it, ascending within each cell.
  template <typename Visit>
  void forEachNeighbour(int i, Visit visit) const {
    const int y = cellOf_[i] / side_, x = cellOf_[i] % side_;
    for (int row = std::max(y - 1, 0); row <= std::min(y + 1, side_ - 1); ++row) {
      for (int column = std::max(x - 1, 0); column <= std::min(x + 1, side_ - 1); ++column) {
        const int cell = row * side_ + column;
        for (int m = start_[cell]; m < end_[cell]; ++m) visit(members_[m]);
      }
    }
  }

  // How many circles of the cells around circle i (its own included) there are
  // in all, summed over every circle.
  long neighbourhoodSizes() const;

 private:
  // A coordinate outside [0, 1] (the optimiser's, between its steps) goes to
  // the nearest cell: cells then still lie no closer than the points. The
  // clamping is done in double, before the conversion, which would be
  // undefined for a huge coordinate or NaN; NaN goes to the first cell.
  int index(double coordinate) const {
    const double scaled = coordinate * cellsPerAxis_;
    if (!(scaled > 0)) return 0;
    return scaled < cellsPerAxis_ ? static_cast<int>(scaled) : cellsPerAxis_;
  }
  // The circles a cell will hold once all are added.
  long capacity(int cell) const;

  int cellsPerAxis_;
  int side_;
  std::vector<int> cellOf_;
  std::vector<int> start_;
  std::vector<int> end_;
  std::vector<Member> members_;
};

// The cells per axis of a grid worth using for this placement, or 0 when the
// plain loop over all pairs costs less.
int gridCellsPerAxis(const std::vector<double>& radii, int n);

// Whether the circles crowd so much that the grid saves too little to pay for
// ordering the terms.
bool tooCrowded(const TGrid& grid, int n);

// Calls nearby(j, grid) for j = 1 .. n - 1 in ascending order, while the grid
// holds exactly the circles before j, and returns true; or returns false at
// once where the plain loop over all pairs costs less.
template <typename Nearby>
bool withGrid(const std::vector<double>& radii, const std::vector<Tocka>& tocke, Nearby nearby) {
  const int n = static_cast<int>(tocke.size());
  const int cellsPerAxis = gridCellsPerAxis(radii, n);
  if (cellsPerAxis == 0) return false;
  TGrid grid(tocke, cellsPerAxis);
  if (tooCrowded(grid, n)) return false;
  grid.add(0, tocke[0], radii[0]);
  for (int j = 1; j < n; ++j) {
    nearby(j, grid);
    grid.add(j, tocke[j], radii[j]);
  }
  return true;
}

// Calls visit(j, k) for every pair k < j, in the cost's order.
template <typename Visit>
void forEveryPair(int n, Visit visit) {
  for (int j = 1; j < n; ++j) {
    for (int k = 0; k < j; ++k) visit(j, k);
  }
}

}  // namespace cost_detail

template <typename Visit>
void forEachOverlap(const std::vector<double>& radii, const std::vector<Tocka>& tocke,
                    Visit visit) {
  using cost_detail::TGrid;
  // The non-zero terms of one j, put in ascending k before they are visited.
  std::vector<std::pair<int, double>> terms;
  const bool gridded = cost_detail::withGrid(radii, tocke, [&](int j, const TGrid& grid) {
    terms.clear();
    const double rj = radii[j];
    grid.forEachNeighbour(j, [&](const TGrid::Member& other) {
      const double d = distance(tocke[j], other.p);
      if (d >= touchingDistance(rj, other.r)) return;
      const double area = lensArea(rj, other.r, d);
      if (area != 0.0) terms.emplace_back(other.k, area);
    });
    std::sort(terms.begin(), terms.end());
    for (const auto& term : terms) visit(j, term.first, term.second);
  });
  if (gridded) return;
  cost_detail::forEveryPair(static_cast<int>(tocke.size()), [&](int j, int k) {
    const double area = lensArea(radii[j], radii[k], distance(tocke[j], tocke[k]));
    if (area != 0.0) visit(j, k, area);
  });
}

template <typename Visit>
void forEachCandidatePair(const std::vector<double>& radii, const std::vector<Tocka>& tocke,
                          Visit visit) {
  using cost_detail::TGrid;
  const bool gridded = cost_detail::withGrid(radii, tocke, [&](int j, const TGrid& grid) {
    grid.forEachNeighbour(j, [&](const TGrid::Member& other) { visit(j, other.k); });
  });
  if (!gridded) cost_detail::forEveryPair(static_cast<int>(tocke.size()), visit);
}

#include "scoring/Cost.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "scoring/Geometry.h"

namespace {

double distance(const Tocka& a, const Tocka& b) {
  const double dx = a.x - b.x;
  const double dy = a.y - b.y;
  return std::sqrt(dx * dx + dy * dy);
}

// Below this many circles the grid costs more than it saves.
constexpr int kMinGridCircles = 32;

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
    double x, y, r;
    int k;
  };

  TGrid(const std::vector<Tocka>& p, int cellsPerAxis)
      : cellsPerAxis_(cellsPerAxis), side_(cellsPerAxis + 1), cellOf_(p.size()) {
    // Coordinates lie in [0, 1]; the last column and row hold the coordinate 1.
    std::vector<int> count(side_ * side_, 0);
    for (std::size_t i = 0; i < p.size(); ++i) {
      cellOf_[i] = index(p[i].y) * side_ + index(p[i].x);
      ++count[cellOf_[i]];
    }
    // Each cell gets room for all its circles; `end_` marks how many it holds.
    end_.resize(count.size());
    for (std::size_t c = 0, at = 0; c < count.size(); at += count[c++]) end_[c] = at;
    start_ = end_;
    members_.resize(p.size());
  }

  void add(int i, const Tocka& p, double r) {
    members_[end_[cellOf_[i]]++] = Member{p.x, p.y, r, i};
  }

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
  long neighbourhoodSizes() const {
    long total = 0;
    for (int cell = 0; cell < side_ * side_; ++cell) {
      const int y = cell / side_, x = cell % side_;
      long around = 0;
      for (int row = std::max(y - 1, 0); row <= std::min(y + 1, side_ - 1); ++row) {
        for (int column = std::max(x - 1, 0); column <= std::min(x + 1, side_ - 1); ++column) {
          around += capacity(row * side_ + column);
        }
      }
      total += capacity(cell) * around;
    }
    return total;
  }

 private:
  int index(double coordinate) const { return static_cast<int>(coordinate * cellsPerAxis_); }
  // The circles a cell will hold once all are added.
  long capacity(int cell) const {
    const int next =
        cell + 1 < side_ * side_ ? start_[cell + 1] : static_cast<int>(members_.size());
    return next - start_[cell];
  }

  int cellsPerAxis_;
  int side_;
  std::vector<int> cellOf_;
  std::vector<int> start_;
  std::vector<int> end_;
  std::vector<Member> members_;
};

}  // namespace

double allPairsCost(const std::vector<double>& radii, const std::vector<Tocka>& tocke) {
  const int n = static_cast<int>(tocke.size());
  double cost = 0.0;
  for (int j = 1; j < n; ++j) {
    for (int k = 0; k < j; ++k) cost += lensArea(radii[j], radii[k], distance(tocke[j], tocke[k]));
  }
  return cost;
}

// Adding 0.0 leaves a sum's bits unchanged, so skipping only pairs whose area
// is exactly 0.0, and adding all others for j ascending and k ascending inside
// it, gives the all-pairs sum bit for bit.
double placementCost(const std::vector<double>& radii, const std::vector<Tocka>& tocke) {
  const int n = static_cast<int>(tocke.size());
  if (n < kMinGridCircles) return allPairsCost(radii, tocke);
  const double maxRadius = *std::max_element(radii.begin(), radii.end());
  // About one circle per cell at most; a tiny radius would ask for more.
  const int maxCells = static_cast<int>(std::sqrt(static_cast<double>(n)));
  const double fit = std::floor(1.0 / (2.0 * maxRadius));
  const int cellsPerAxis = fit >= maxCells ? maxCells : static_cast<int>(fit);
  if (cellsPerAxis < 3) return allPairsCost(radii, tocke);
  TGrid grid(tocke, cellsPerAxis);
  // Crowded layouts save too little to pay for ordering the terms.
  if (grid.neighbourhoodSizes() > static_cast<long>(n) * n / 4) return allPairsCost(radii, tocke);

  // The non-zero terms of one j, put in ascending k before they are added.
  std::vector<std::pair<int, double>> terms;
  double cost = 0.0;
  grid.add(0, tocke[0], radii[0]);
  for (int j = 1; j < n; ++j) {
    terms.clear();
    const double xj = tocke[j].x, yj = tocke[j].y, rj = radii[j];
    grid.forEachNeighbour(j, [&](const TGrid::Member& other) {
      const double dx = xj - other.x;
      const double dy = yj - other.y;
      const double d = std::sqrt(dx * dx + dy * dy);
      if (d >= touchingDistance(rj, other.r)) return;
      const double area = lensArea(rj, other.r, d);
      if (area != 0.0) terms.emplace_back(other.k, area);
    });
    std::sort(terms.begin(), terms.end());
    for (const auto& term : terms) cost += term.second;
    grid.add(j, tocke[j], rj);
  }
  return cost;
}

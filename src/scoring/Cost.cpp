#include "scoring/Cost.h"

#include <cmath>

namespace cost_detail {

namespace {
// Below this many circles the grid costs more than it saves.
constexpr int kMinGridCircles = 32;
}  // namespace

TGrid::TGrid(const std::vector<Tocka>& p, int cellsPerAxis)
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

long TGrid::neighbourhoodSizes() const {
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

long TGrid::capacity(int cell) const {
  const int next = cell + 1 < side_ * side_ ? start_[cell + 1] : static_cast<int>(members_.size());
  return next - start_[cell];
}

int gridCellsPerAxis(const std::vector<double>& radii, int n) {
  if (n < kMinGridCircles) return 0;
  const double maxRadius = *std::max_element(radii.begin(), radii.end());
  // About one circle per cell at most; a tiny radius would ask for more.
  const int maxCells = static_cast<int>(std::sqrt(static_cast<double>(n)));
  const double fit = std::floor(1.0 / (2.0 * maxRadius));
  const int cellsPerAxis = fit >= maxCells ? maxCells : static_cast<int>(fit);
  return cellsPerAxis >= 3 ? cellsPerAxis : 0;
}

bool tooCrowded(const TGrid& grid, int n) {
  return grid.neighbourhoodSizes() > static_cast<long>(n) * n / 4;
}

}  // namespace cost_detail

double allPairsCost(const std::vector<double>& radii, const std::vector<Tocka>& tocke) {
  double cost = 0.0;
  cost_detail::forEveryPair(static_cast<int>(tocke.size()), [&](int j, int k) {
    cost += lensArea(radii[j], radii[k], distance(tocke[j], tocke[k]));
  });
  return cost;
}

// Adding 0.0 leaves a sum's bits unchanged, so adding only the non-zero terms,
// in their order, gives the all-pairs sum bit for bit.
double placementCost(const std::vector<double>& radii, const std::vector<Tocka>& tocke) {
  double cost = 0.0;
  forEachOverlap(radii, tocke, [&cost](int, int, double area) { cost += area; });
  return cost;
}

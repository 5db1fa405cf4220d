#include "grading/Standing.h"

#include <algorithm>

#include "evaluator/Evaluation.h"
#include "evaluator/Report.h"

TStanding::TStanding(int cases, bool keepPlacements)
    : cases_(cases), keepPlacements_(keepPlacements) {}

void TStanding::add(const TResitev& resitev, const Rezultat& rezultat) {
  const int block = blocks_++;
  TCase& c = cases_[rezultat.caseNo - 1];
  if (c.block < 0) ++answered_;
  // Strictly less: on equal costs the block given first counts.
  if (c.block >= 0 && !(rezultat.cena < c.cost)) return;
  c.cost = rezultat.cena;
  c.block = block;
  if (keepPlacements_) c.tocke = resitev.tocke;
}

TSubmissionStanding readStanding(std::istream& text, const std::vector<TTestCase>& testCases,
                                 bool keepPlacements) {
  TStanding standing(static_cast<int>(testCases.size()), keepPlacements);
  std::string contestant = evaluateSubmission(
      text, testCases,
      [&standing](const TResitev& resitev, const Rezultat& r) { standing.add(resitev, r); });
  return {std::move(contestant), std::move(standing)};
}

int firstCaseLeftOut(const TStanding& standing) {
  for (int caseNo = 1; caseNo <= standing.cases(); ++caseNo) {
    if (!standing.answers(caseNo)) return caseNo;
  }
  return 0;
}

std::vector<double> TStanding::costs() const {
  std::vector<double> costs;
  for (const TCase& c : cases_) costs.push_back(c.cost);
  return costs;
}

double TStanding::total() const {
  double sum = 0;
  for (const TCase& c : cases_) {
    if (c.block >= 0) sum += c.cost;
  }
  return sum;
}

TStanding TStanding::withoutPlacements() const {
  TStanding copy(cases(), false);
  for (std::size_t c = 0; c < cases_.size(); ++c) {
    copy.cases_[c].cost = cases_[c].cost;
    copy.cases_[c].block = cases_[c].block;
  }
  copy.blocks_ = blocks_;
  copy.answered_ = answered_;
  return copy;
}

double caseScore(double cost, double yardstick) {
  if (cost < 0 || yardstick < 0) return 0;
  return cost <= yardstick ? 1.0 : yardstick / cost;
}

TScore scoreAgainst(const TStanding& standing, const std::vector<double>& yardsticks) {
  TScore score;
  double sum = 0;
  for (int caseNo = 1; caseNo <= standing.cases(); ++caseNo) {
    score.cases.push_back(caseScore(standing.cost(caseNo), yardsticks[caseNo - 1]));
    sum += score.cases.back();
  }
  score.total = standing.cases() > 0 ? sum / standing.cases() : 0;
  return score;
}

std::vector<double> yardsticksOf(const std::vector<double>& referenceCosts, double floor) {
  std::vector<double> yardsticks;
  for (double cost : referenceCosts) {
    yardsticks.push_back(cost < 0 ? kNoYardstick : std::max(cost, floor));
  }
  return yardsticks;
}

std::string caseTable(const std::vector<TCaseColumn>& columns) {
  TCaseColumn numbers{"case", {}};
  const std::size_t rows = columns.empty() ? 0 : columns[0].cells.size();
  for (std::size_t r = 0; r < rows; ++r) numbers.cells.push_back(std::to_string(r + 1));
  std::vector<const TCaseColumn*> all = {&numbers};
  for (const TCaseColumn& column : columns) all.push_back(&column);
  std::vector<std::size_t> widths;
  for (const TCaseColumn* column : all) {
    std::size_t width = column->heading.size();
    for (const std::string& cell : column->cells) width = std::max(width, cell.size());
    widths.push_back(width);
  }
  auto row = [&](auto cellOf) {
    std::string line;
    for (std::size_t c = 0; c < all.size(); ++c) {
      const std::string cell = cellOf(*all[c]);
      line += cell;
      // No blanks at the line's end.
      if (c + 1 < all.size()) line += std::string(widths[c] - cell.size() + 2, ' ');
    }
    return line + "\n";
  };
  std::string table = row([](const TCaseColumn& column) { return column.heading; });
  for (std::size_t r = 0; r < rows; ++r) {
    table += row([r](const TCaseColumn& column) { return column.cells[r]; });
  }
  return table;
}

std::string costCell(double cost) { return cost < 0 ? "-" : costInReport(cost); }

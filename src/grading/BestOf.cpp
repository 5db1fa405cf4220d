#include "grading/BestOf.h"

#include "grading/SubmissionText.h"

TBestOf::TBestOf(std::vector<TTestCase> testCases)
    : testCases_(std::move(testCases)), winners_(testCases_.size(), -1), best_(testCases_.size()) {}

void TBestOf::add(const TStanding& standing) {
  const int column = columns();
  for (int caseNo = 1; caseNo <= standing.cases(); ++caseNo) {
    if (!standing.answers(caseNo)) continue;
    // Strictly less: on equal costs the placement given first stays.
    const int w = winners_[caseNo - 1];
    if (w < 0 || standing.cost(caseNo) < columns_[w].cost(caseNo)) {
      winners_[caseNo - 1] = column;
      best_[caseNo - 1] = standing.placement(caseNo);
    }
  }
  columns_.push_back(standing.withoutPlacements());
}

std::vector<double> TBestOf::leastCosts() const {
  std::vector<double> least;
  for (std::size_t c = 0; c < testCases_.size(); ++c) {
    least.push_back(winners_[c] < 0 ? -1 : columns_[winners_[c]].cost(static_cast<int>(c) + 1));
  }
  return least;
}

std::string TBestOf::text(const std::string& contestant) const {
  std::string text = submissionHeader(contestant);
  for (std::size_t c = 0; c < testCases_.size(); ++c) {
    if (winners_[c] >= 0) text += caseBlock(testCases_[c].number, best_[c]);
  }
  return text;
}

void TBestOf::write(std::FILE* file, const std::string& contestant) const {
  std::fputs(submissionHeader(contestant).c_str(), file);
  for (std::size_t c = 0; c < testCases_.size(); ++c) {
    if (winners_[c] >= 0) std::fputs(caseBlock(testCases_[c].number, best_[c]).c_str(), file);
  }
}

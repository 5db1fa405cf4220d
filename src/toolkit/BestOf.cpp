#include "toolkit/BestOf.h"

#include "toolkit/Submission.h"

TBestOf::TBestOf(const std::vector<TTestCase>& testCases, int submissions)
    : testCases_(testCases),
      costs_(submissions, std::vector<double>(testCases.size(), -1)),
      winners_(testCases.size(), -1),
      best_(testCases.size()) {}

void TBestOf::add(int submission, const TResitev& resitev, const Rezultat& rezultat) {
  consider(submission, rezultat.caseNo - 1, rezultat.cena, resitev.tocke);
}

void TBestOf::add(int submission, const TBestOf& single) {
  for (std::size_t c = 0; c < winners_.size(); ++c) {
    if (single.winners_[c] >= 0)
      consider(submission, static_cast<int>(c), single.costs_[0][c], single.best_[c]);
  }
}

void TBestOf::consider(int submission, int c, double cena, const std::vector<Tocka>& tocke) {
  // Strictly less: on equal costs the placement given first stays.
  const int w = winners_[c];
  if (w < 0 || cena < costs_[w][c]) {
    winners_[c] = submission;
    best_[c] = tocke;
  }
  double& own = costs_[submission][c];
  if (own < 0 || cena < own) own = cena;
}

double TBestOf::cost(int submission, int caseNo) const { return costs_[submission][caseNo - 1]; }

int TBestOf::winner(int caseNo) const { return winners_[caseNo - 1]; }

std::string TBestOf::text(const std::string& contestant) const {
  std::vector<TTestCase> answered;
  std::vector<std::vector<Tocka>> placements;
  for (std::size_t c = 0; c < testCases_.size(); ++c) {
    if (winners_[c] < 0) continue;
    answered.push_back(testCases_[c]);
    placements.push_back(best_[c]);
  }
  return submissionText(contestant, answered, placements);
}

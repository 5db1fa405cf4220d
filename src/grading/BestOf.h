#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "grading/Standing.h"
#include "task/TaskInput.h"

// The best placement of each test case among several submissions: the one
// of least cost, the first given on equal costs. The merge tool and the
// contestants' page keep the best of many runs with it.
class TBestOf {
 public:
  // The input's cases, which it keeps.
  explicit TBestOf(std::vector<TTestCase> testCases);

  // An accepted submission's standing, built with its placements kept, as
  // the next column; only each case's new best placement is taken from it.
  void add(const TStanding& standing);

  int columns() const { return static_cast<int>(columns_.size()); }
  // A column's standing, without placements.
  const TStanding& column(int c) const { return columns_[c]; }
  // The column whose placement is the case's best, or -1 where none answers it.
  int winner(int caseNo) const { return winners_[caseNo - 1]; }
  // Each case's least cost among the columns, or -1 where none answers it.
  std::vector<double> leastCosts() const;

  // A submission answering, in the input's order, every case that one of the
  // columns answers, each with its best placement: as a text, or written to
  // a file a case at a time.
  std::string text(const std::string& contestant) const;
  void write(std::FILE* file, const std::string& contestant) const;

 private:
  std::vector<TTestCase> testCases_;
  std::vector<TStanding> columns_;
  std::vector<int> winners_;
  std::vector<std::vector<Tocka>> best_;
};

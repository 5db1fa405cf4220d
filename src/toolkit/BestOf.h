#pragma once

#include <string>
#include <vector>

#include "scoring/Placement.h"
#include "task/TaskInput.h"

// The best placement of each test case among the case blocks of several
// submissions: the one of least cost, the first given on equal costs. The
// merge tool and the contestants' page keep the best of many runs with it.
class TBestOf {
 public:
  TBestOf(const std::vector<TTestCase>& testCases, int submissions);

  // A scored block of submission `submission` (from 0). Submissions are
  // added in the order given, each one's blocks in its order.
  void add(int submission, const TResitev& resitev, const Rezultat& rezultat);
  // Every best placement of `single`, which holds one submission's blocks,
  // as submission `submission`: a submission is kept apart until the
  // evaluator has accepted the whole of it.
  void add(int submission, const TBestOf& single);

  // The least cost of the submission's blocks for case `caseNo`, or -1 where
  // it does not answer the case.
  double cost(int submission, int caseNo) const;
  // The submission whose placement is the case's best, or -1 where none
  // answers it.
  int winner(int caseNo) const;

  // A submission answering, in the input's order, every case that one of the
  // submissions answers, each with its best placement.
  std::string text(const std::string& contestant) const;

 private:
  void consider(int submission, int c, double cena, const std::vector<Tocka>& tocke);

  const std::vector<TTestCase>& testCases_;
  std::vector<std::vector<double>> costs_;  // [submission][case - 1]
  std::vector<int> winners_;
  std::vector<std::vector<Tocka>> best_;
};

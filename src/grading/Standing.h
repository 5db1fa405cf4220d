#pragma once

#include <istream>
#include <string>
#include <vector>

#include "scoring/Placement.h"
#include "task/TaskInput.h"

// What a submission achieves on each case of an input, and what that scores:
// the one definition that the judge, the merge tool and the contestants'
// page share. A case answered by several blocks counts once, with its least
// cost (the first block of that cost); a case left out is unanswered.

// One submission's standing, built from its scored blocks in their order.
class TStanding {
 public:
  // For an input of `cases` cases; with `keepPlacements`, the placement of
  // each case's counting block is kept as well.
  TStanding(int cases, bool keepPlacements);

  void add(const TResitev& resitev, const Rezultat& rezultat);

  int cases() const { return static_cast<int>(cases_.size()); }
  // How many cases it answers.
  int answered() const { return answered_; }
  bool answers(int caseNo) const { return countingBlock(caseNo) >= 0; }
  // The case's least cost, or -1 where it is unanswered.
  double cost(int caseNo) const { return cases_[caseNo - 1].cost; }
  // The block that counts for the case, by its place in the submission from
  // 0, or -1 where it is unanswered.
  int countingBlock(int caseNo) const { return cases_[caseNo - 1].block; }
  // That block's centres: empty unless placements are kept.
  const std::vector<Tocka>& placement(int caseNo) const { return cases_[caseNo - 1].tocke; }
  // Each case's least cost, or -1 where it is unanswered.
  std::vector<double> costs() const;
  // The sum of the answered cases' costs, each case once.
  double total() const;
  // The same standing without its placements.
  TStanding withoutPlacements() const;

 private:
  struct TCase {
    double cost = -1;
    int block = -1;
    std::vector<Tocka> tocke;
  };
  std::vector<TCase> cases_;
  bool keepPlacements_;
  int blocks_ = 0;  // Blocks added so far: the next one's place.
  int answered_ = 0;
};

// A submission's contestant number and standing.
struct TSubmissionStanding {
  std::string contestant;
  TStanding standing;
};

// Reads a submission's text with the evaluator's checks; with
// `keepPlacements`, each case's counting placement too. Throws EAssertion
// where the evaluator refuses it.
TSubmissionStanding readStanding(std::istream& text, const std::vector<TTestCase>& testCases,
                                 bool keepPlacements);

// The first case a standing leaves out, or 0 where it answers every case, as
// a reference must.
int firstCaseLeftOut(const TStanding& standing);

// What stands for a case that has no yardstick: one no reference answers.
constexpr double kNoYardstick = -1;

// The least yardstick, unless the judge is given another: costs up to it
// score 1, so that a case whose reference costs 0 scores a rounding error's
// overlap 1 and no cliff follows it: above the floor a case's score falls
// continuously. A lens of depth 1e-6 between discs of radius 0.5 has about
// this area. A build may fix another (MIRVASTA_DEFAULT_FLOOR), as a judge's
// checker does that cannot be given options.
#if defined(MIRVASTA_DEFAULT_FLOOR)
constexpr double kDefaultFloor = MIRVASTA_DEFAULT_FLOOR;
#else
constexpr double kDefaultFloor = 1e-9;
#endif

// One case's score: 1 where the cost is at most the yardstick, otherwise
// yardstick / cost; 0 for an unanswered case (cost below 0) or a case
// without a yardstick.
double caseScore(double cost, double yardstick);

// A submission's score: each case's against its yardstick, and their mean
// over the input's cases.
struct TScore {
  std::vector<double> cases;  // [case - 1]
  double total = 0;
};
TScore scoreAgainst(const TStanding& standing, const std::vector<double>& yardsticks);

// Each case's yardstick from the reference's costs (-1 where it leaves the
// case out, as TStanding::costs() gives them): the cost, or `floor` where
// that is more; kNoYardstick where the case is left out.
std::vector<double> yardsticksOf(const std::vector<double>& referenceCosts, double floor);

// A column of a table of the input's cases: its heading and one cell per case.
struct TCaseColumn {
  std::string heading;
  std::vector<std::string> cells;  // [case - 1]
};

// The table that the tools print for people: a row per case, led by its
// number, each column as wide as its widest cell.
std::string caseTable(const std::vector<TCaseColumn>& columns);

// A cell of a cost: as the report prints it, or "-" where unanswered.
std::string costCell(double cost);

#pragma once

#include <cmath>
#include <vector>

#include "task/TaskInput.h"
#include "text/LineReader.h"

// A circle's centre.
struct Tocka {
  double x;
  double y;
};

// The distance of two centres, as the cost computes it: from the first
// centre's coordinates minus the second's.
inline double distance(const Tocka& a, const Tocka& b) {
  const double dx = a.x - b.x;
  const double dy = a.y - b.y;
  return std::sqrt(dx * dx + dy * dy);
}

// One answered case block: its case number and its cost.
struct Rezultat {
  int caseNo;
  double cena;
};

// The placement of one case block, made afresh for each block.
struct TResitev {
  int caseNo = 0;
  const TTestCase* testCase = nullptr;
  int n = 0;
  std::vector<Tocka> tocke;
};

// Reads one centre line per circle of `testCase`, checks each centre, then
// sums the overlap areas of all pairs into `rezultat`.
void readAndScore(TResitev& resitev, TLineReader& reader, int caseNo, const TTestCase& testCase,
                  Rezultat& rezultat);

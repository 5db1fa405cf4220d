#pragma once

#include <vector>

#include "scoring/Geometry.h"
#include "task/TaskInput.h"
#include "text/LineReader.h"

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

// Reads one centre line per circle of `testCase` and checks each centre.
void readPlacement(TResitev& resitev, TLineReader& reader, int caseNo, const TTestCase& testCase);

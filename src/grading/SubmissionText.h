#pragma once

#include <string>
#include <vector>

#include "scoring/Placement.h"
#include "task/TaskInput.h"

// A submission's text: the contestant's six digits, the task's name, then
// each test case's number and its centres, one case after the other in the
// order given. Every coordinate is written exactly (the shortest decimal
// that reads back as the same double), so the evaluator scores exactly the
// placement given.
std::string submissionText(const std::string& contestant, const std::vector<TTestCase>& testCases,
                           const std::vector<std::vector<Tocka>>& placements);

// The same piece by piece: the first two lines, and a case's block.
std::string submissionHeader(const std::string& contestant);
std::string caseBlock(int caseNo, const std::vector<Tocka>& tocke);

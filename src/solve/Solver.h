#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "packing/Packing.h"

// A seed for one case, from the run's seed and the case's number, so that
// each case's search is the same whichever thread runs it and whenever.
std::uint64_t caseSeed(std::uint64_t seed, int caseNo);

// The optimiser's command line.
struct TSolveCommand {
  std::string inputPath;
  std::string outPath = "-";
  TSearchLimits limits;
  std::uint64_t seed = 1;
  std::string contestant = "000000";
  int jobs = 0;
};

// Reads the arguments (without the program's name). A step limit without
// --seconds sets no time limit, so that the run gives the same bytes at any
// load. Throws EUsageError.
TSolveCommand parseSolveCommand(const std::vector<std::string>& args);

// Runs the optimiser on its arguments (without the program's name): INPUT
// [-o SUBMISSION] [--seconds S] [--steps K] [--seed N] [--contestant
// NNNNNN] [--jobs J]. The submission goes to `out` unless -o names a file;
// progress goes to `err`. Returns the exit code: 0; kToolExitPartial where
// a signal stopped the run, which writes the cases done and the best so far
// of those running; or a tool's failure, where nothing is written.
int runSolverCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

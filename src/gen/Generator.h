#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "task/TaskInput.h"

// What a generated task input file holds.
struct TInputOptions {
  int cases = 10;
  int minCircles = 100;
  int maxCircles = 100;
  // Radii drawn uniformly from [minRadius, maxRadius], or, when coverage is
  // above 0, scaled so that the circles' areas add up to coverage times the
  // square's (each radius at most 2).
  double coverage = 0.8;
  double minRadius = 0.0;
  double maxRadius = 0.0;
  std::uint64_t seed = 1;
};

enum class TPlacement { kRandom, kGreedy, kSolve };

// What a generated submission holds.
struct TSubmissionOptions {
  std::string contestant = "000000";
  TPlacement placement = TPlacement::kGreedy;
  std::uint64_t seed = 1;
};

// A valid task input file. The same options give the same bytes.
std::string generateInput(const TInputOptions& options);

// A valid submission answering every test case once, in order. The
// optimiser's placements say how each case came out on `progress`, unless
// it is null.
std::string generateSubmission(const std::vector<TTestCase>& testCases,
                               const TSubmissionOptions& options, std::FILE* progress = nullptr);

// Runs the generator on its arguments (without the program's name); the file
// goes to `out` unless -o names one. Returns the exit code: 0, 1 for an input
// file the evaluator refuses, 2 for bad options or a file that cannot be written.
int runGeneratorCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Runs the merge tool on its arguments (without the program's name): INPUT
// SUBMISSION... -o BEST [--contestant NNNNNN]. Writes the submission that
// holds every case's best placement among the submissions, and prints a
// table of their costs: on `out`, or on `err` where the submission goes to
// `out`. Returns the exit code: 0 when every submission was taken,
// kToolExitPartial when one or more were left out (each named on `err` with
// the reason), and one of the tools' failures when nothing was written: 1
// where the evaluator refuses the input or every submission.
int runMergeCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

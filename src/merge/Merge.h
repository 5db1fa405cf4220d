#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Runs the merge tool on its arguments (without the program's name): INPUT
// SUBMISSION... -o BEST [--contestant NNNNNN]. Writes the submission that
// holds every case's best placement among the submissions, and prints a
// table of their costs: on `out`, or on `err` where the submission goes to
// `out`. Returns the exit code: 0 when every submission was taken, 1 when
// the evaluator refuses the input or one of the submissions (named on `err`
// with its error line, and left out), 2 for bad options or a file that
// cannot be read or written, 3 for a build whose costs would be wrong.
int runMergeCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "scoring/Placement.h"
#include "task/TaskInput.h"

constexpr const char* kUsage = "Uporaba: Tql25Kunep eval input.txt submission.txt report.txt\n";

// Exit codes: usage and every written report end with 0.
constexpr int kExitOk = 0;
constexpr int kExitUsage = 1;     // "eval" with fewer than three paths.
constexpr int kExitNoReport = 2;  // The report could not, or must not, be written.

// Runs the program on its arguments (without the program's name): prints the
// usage, or evaluates and writes the report. Echo lines go to `out`, a report
// that cannot be written is named on `err`. Returns the exit code.
int runCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

// Called for each scored case block, in submission order, with its placement
// and its result.
using TBlockVisitor = std::function<void(const TResitev& resitev, const Rezultat& rezultat)>;

// Checks the submission's header and scores each of its case blocks.
void evaluateSubmission(const char* path, const std::vector<TTestCase>& testCases,
                        const TBlockVisitor& onBlock);

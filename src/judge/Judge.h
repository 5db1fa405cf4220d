#pragma once

#include <cstdio>
#include <string>
#include <vector>

// The evaluator as a judge's checker: a contestant's submission scored
// against a reference submission's costs, in the forms that CMS and the
// Kattis problem package format ask for.

// Exit codes of the Kattis form; the others are those of every tool, and in
// both forms each of those is a judge error, never a score.
constexpr int kKattisAccepted = 42;
constexpr int kKattisWrongAnswer = 43;

// Runs the judge on its arguments (without the program's name): --cms INPUT
// REFERENCE CONTESTANT, or --kattis INPUT REFERENCE FEEDBACK_DIR with the
// contestant's submission on `in`; the option may stand anywhere. Without
// one, a program named "checker", as CMS names its checker, takes the CMS
// form. Returns the exit code.
int runJudgeCommandLine(const std::string& programName, const std::vector<std::string>& args,
                        std::FILE* in, std::FILE* out, std::FILE* err);

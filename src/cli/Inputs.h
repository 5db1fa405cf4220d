#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/Errors.h"
#include "evaluator/Evaluation.h"
#include "grading/Standing.h"
#include "task/TaskInput.h"

// The files the companion tools read, each checked with the evaluator's own
// checks as it is read, block by block: a tool holds a submission's
// standing, never its text.

// A file a tool reads: what it is to the tool ("input", "submission",
// "reference"), which names it in messages, and its path; or, with a
// stream, the stream, which the path then only names.
struct TInputFile {
  std::string role;
  std::string path;
  std::FILE* stream = nullptr;
};

// The test cases of the task input file at `path`. Throws EFileError, or
// ERefusedFile where the evaluator refuses the file.
std::vector<TTestCase> loadInput(const std::string& path);

// Reads a submission with the evaluator's checks and calls onBlock for each
// case block; returns the contestant's number. Throws EFileError, or
// ERefusedFile where the evaluator refuses it.
std::string readSubmission(const TInputFile& file, const std::vector<TTestCase>& testCases,
                           const TBlockVisitor& onBlock);

// A submission's contestant number and standing; with `keepPlacements`,
// each case's counting placement too.
TSubmissionStanding readStanding(const TInputFile& file, const std::vector<TTestCase>& testCases,
                                 bool keepPlacements);

// A reference submission, the yardstick of a judge: one the evaluator
// accepts that answers every case. Throws ERefusedFile naming a case it
// leaves out, as well as where readStanding throws.
TSubmissionStanding readReference(const TInputFile& file, const std::vector<TTestCase>& testCases,
                                  bool keepPlacements);

#pragma once

#include <string>
#include <vector>

// What one in-process run of the evaluator's command line gave.
struct TRunResult {
  int rc;
  std::string out;
  std::string err;
};

TRunResult run(const std::vector<std::string>& args);

// Evaluates the two files' bytes and returns the report's bytes.
std::string reportFor(const std::string& input, const std::string& submission);

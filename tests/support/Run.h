#pragma once

#include <cstdio>
#include <string>
#include <vector>

// What one in-process run of the evaluator's command line gave.
struct TRunResult {
  int rc;
  std::string out;
  std::string err;
};

TRunResult run(const std::vector<std::string>& args);

// Everything written to a temporary file so far; closes it.
std::string readAndClose(std::FILE* file);

// Evaluates the two files' bytes and returns the report's bytes.
std::string reportFor(const std::string& input, const std::string& submission);

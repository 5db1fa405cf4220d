#pragma once

#include <cstdio>
#include <string>
#include <vector>

// A temporary file to hand a program as its standard output or error, and
// what was written to it.
class TCapture {
 public:
  TCapture();
  ~TCapture();
  TCapture(const TCapture&) = delete;
  TCapture& operator=(const TCapture&) = delete;

  std::FILE* file() { return file_; }
  std::string text();
  std::vector<std::string> lines();

 private:
  std::FILE* file_;
};

// What one in-process run of a command line gave.
struct TRunResult {
  int rc;
  std::string out;
  std::string err;
};

// A program's command line: arguments without the program's name, standard
// output and error; returns the exit code.
using TMain = int (*)(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

TRunResult runMain(TMain main, const std::vector<std::string>& args);

// The evaluator's command line.
TRunResult run(const std::vector<std::string>& args);

// The report the evaluator writes for the two files' bytes, in memory.
std::string reportFor(const std::string& input, const std::string& submission);

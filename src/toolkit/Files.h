#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "run/Evaluation.h"
#include "task/TaskInput.h"

// The files of the companion tools: inputs read whole and checked with the
// evaluator's own checks, outputs checked to be writable before the work.

// A file that cannot be read or written; its text is the whole reason, as
// "cannot read 'PATH': REASON".
struct EFileError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A file the evaluator refuses; its text is the evaluator's error line.
struct ERefusedFile : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The file's bytes. Throws EFileError.
std::string readFileBytes(const std::string& path);

// The test cases of the task input file at `path`. Throws EFileError, or
// ERefusedFile where the evaluator refuses the file.
std::vector<TTestCase> loadInput(const std::string& path);

// Checks a submission's bytes as the evaluator checks them and calls
// onBlock for each case block. Throws ERefusedFile where the evaluator
// refuses it.
void loadSubmission(const std::string& bytes, const std::vector<TTestCase>& testCases,
                    const TBlockVisitor& onBlock);

// An output: a file, or standard output for "-". Made before the work
// starts, it refuses to be one of the tool's inputs and proves that the file
// can be written, without emptying a file that is there; a file it had to
// create for that is removed again if nothing is written to it.
class TOutput {
 public:
  // Throws EFileError naming the reason.
  TOutput(const std::string& path, std::FILE* out, const std::vector<std::string>& inputs);
  ~TOutput();
  TOutput(const TOutput&) = delete;
  TOutput& operator=(const TOutput&) = delete;

  // The stream to write to, emptied; then finish() once all is written.
  std::FILE* begin();
  // Throws EFileError when anything written failed to reach the file.
  void finish();
  // begin(), the text, finish().
  void write(const std::string& text);

 private:
  std::string path_;
  std::FILE* out_;
  std::FILE* file_ = nullptr;
  bool created_ = false;
  bool begun_ = false;
};

#pragma once

#include <stdexcept>
#include <string>
#include <utility>

// What a companion tool's run ends in: its exit codes, and the errors that
// end it early, each of which runTool reports with its code. (The evaluator's
// own exit codes are the grading platform's and keep their form.)

// Every failure writes nothing; only 0 and kToolExitPartial leave an output.
constexpr int kToolExitOk = 0;
constexpr int kToolExitRefusedFile = 1;  // A file the evaluator refuses.
constexpr int kToolExitUsage = 2;        // A bad option, or a file that cannot be read or written.
constexpr int kToolExitWrongArithmetic = 3;  // This build's costs would not be the correct ones.
constexpr int kToolExitUnexpected = 4;       // Anything else, out of memory for one.
// Written, but not all of it: the merge tool left out a submission, or the
// optimiser was stopped and wrote what it had.
constexpr int kToolExitPartial = 5;

// A command line that breaks the convention or a tool's own rules; its text
// is the reason, which the usage follows.
struct EUsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A file that cannot be read or written; its text is the whole reason, as
// "cannot read 'PATH': REASON".
struct EFileError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A file the evaluator refuses, or one the tool cannot use: its text names
// the file and why ("submission 'b.txt' refused: Napaka [...]").
struct ERefusedFile : std::runtime_error {
  ERefusedFile(const std::string& what, std::string errorLine)
      : std::runtime_error(what), errorLine(std::move(errorLine)) {}
  // The evaluator's error line, where it refused the file.
  std::string errorLine;
};

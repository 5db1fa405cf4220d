#pragma once

#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// The command-line convention of the companion tools (the evaluator's own
// command line is the grading platform's and keeps its form):
//   --help prints the usage on standard output, exit 0;
//   --version prints the tool's name and version, exit 0;
//   a bad option gives its reason and the usage on standard error, exit 2;
//   an option's value follows it, as "--name value" or "--name=value".

// Every failure writes nothing; only 0 and kToolExitPartial leave an output.
constexpr int kToolExitOk = 0;
constexpr int kToolExitRefusedFile = 1;  // A file the evaluator refuses.
constexpr int kToolExitUsage = 2;        // A bad option, or a file that cannot be read or written.
constexpr int kToolExitWrongArithmetic = 3;  // This build's costs would not be the correct ones.
constexpr int kToolExitUnexpected = 4;       // Anything else, out of memory for one.
// Written, but not all of it: the merge tool left out a submission, or the
// optimiser was stopped and wrote what it had.
constexpr int kToolExitPartial = 5;

// The project's version, as "1.2.0".
extern const char* const kProjectVersion;

// A command line that breaks the convention or a tool's own rules; its text
// is the reason, which the usage follows.
struct EUsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The arguments, split: options in their order with their values, and the
// arguments that are no options ("-" alone is one).
struct TArguments {
  std::vector<std::pair<std::string, std::string>> options;
  std::vector<std::string> positional;
};

// Splits `args` (without the program's name); `valued` names the options
// that take a value, `flags` those that take none. Throws EUsageError for an
// unknown option, a missing value or a value given to a flag.
TArguments splitArguments(const std::vector<std::string>& args,
                          const std::vector<std::string>& valued,
                          const std::vector<std::string>& flags);

// Runs a tool: answers --help and --version; refuses to run, as the
// evaluator refuses to grade, where this build's known answers differ; and
// reports every exception that `body` throws on `err`, after the tool's
// name, each with its exit code: an EUsageError with the usage after its
// reason, an EFileError's reason, an ERefusedFile's file and reason,
// anything else as an unexpected error. Where it reports a failure, the
// reason is also left in `*failure` if given, as it was before it was made
// printable.
int runTool(const char* name, const char* usage, const std::vector<std::string>& args,
            std::FILE* out, std::FILE* err, const std::function<int()>& body,
            std::string* failure = nullptr);

// Writes "NAME: MESSAGE" and a line end on `err`, the message made
// printable: it may quote a contestant's bytes.
void printDiagnostic(std::FILE* err, const char* name, const std::string& message);

// The value of a numeric option, all of its text: an integer type or double.
// Throws EUsageError naming the option.
template <typename Number>
Number numberOption(const std::string& text, const std::string& option);

// A contestant's number: exactly six digits. Throws EUsageError naming the
// option.
std::string contestantOption(const std::string& text, const std::string& option);

// A double that is finite.
double finiteOption(const std::string& text, const std::string& option);

// Calls due() as often as it likes; it is true once every `seconds`, for a
// progress line on a long run.
class TTicker {
 public:
  explicit TTicker(double seconds = 5);
  bool due();
  // Seconds since the ticker was made.
  double elapsed() const;

 private:
  double seconds_;
  double start_;
  double next_;
};

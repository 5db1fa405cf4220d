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
//   --version prints the project's version, exit 0;
//   a bad option gives its reason and the usage on standard error, exit 2;
//   an option's value follows it, as "--name value" or "--name=value".

constexpr int kToolExitOk = 0;
constexpr int kToolExitRefusedFile = 1;  // An input file the evaluator refuses.
constexpr int kToolExitUsage = 2;        // A bad option, or an output that cannot be written.

// "Tql25Mirvasta <version>".
extern const char* const kProjectVersion;

// A command line that breaks the convention or a tool's own rules; its text
// is the reason, which the usage follows.
struct EUsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// An output that must not or cannot be written; its text is the reason.
struct EOutputError : std::runtime_error {
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

// Runs a tool: answers --help and --version, and turns an EUsageError
// thrown by `body` into its reason and the usage on `err`, an EOutputError
// into its reason alone, each with exit code 2.
int runTool(const char* name, const char* usage, const std::vector<std::string>& args,
            std::FILE* out, std::FILE* err, const std::function<int()>& body);

// The value of a numeric option, all of its text: an integer type or double.
// Throws EUsageError naming the option.
template <typename Number>
Number numberOption(const std::string& text, const std::string& option);

// A contestant's number: exactly six digits. Throws EUsageError naming the
// option.
std::string contestantOption(const std::string& text, const std::string& option);

// A double that is finite.
double finiteOption(const std::string& text, const std::string& option);

// Opens `path` for writing, or gives `out` for "-"; throws EOutputError
// when it cannot.
std::FILE* openOutput(const std::string& path, std::FILE* out);

// Finishes an output from openOutput; throws EOutputError when anything
// written failed to reach it.
void closeOutput(std::FILE* file, const std::string& path, std::FILE* out);

// Refuses to write `output` when it is one of `inputs`: the same file by any
// path or link. Throws EOutputError naming both.
void refuseToOverwrite(const std::string& output, const std::vector<std::string>& inputs);

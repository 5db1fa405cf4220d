#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "cli/Errors.h"

// The command-line convention of the companion tools (the evaluator's own
// command line is the grading platform's and keeps its form):
//   --help prints the usage on standard output, exit 0;
//   --version prints the tool's name and version, exit 0;
//   a bad option gives its reason and the usage on standard error, exit 2;
//   an option's value follows it, as "--name value" or "--name=value".

// The project's version, as "1.2.0".
extern const char* const kProjectVersion;

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

// A tool as its users see it: its name; its usage, without the exit codes,
// which runTool adds; and the meaning of each exit code that means more to
// it than to every tool, or that is its own (a null meaning leaves a code
// out).
struct TExitCode {
  int code;
  const char* meaning;
};
struct TToolText {
  const char* name;
  const char* usage;
  std::vector<TExitCode> exitCodes = {};
};

// The usage and, after it, the legend of the exit codes.
std::string usageOf(const TToolText& tool);

// Runs a tool: answers --help and --version; refuses to run, as the
// evaluator refuses to grade, where this build's known answers differ; and
// reports every exception that `body` throws on `err`, after the tool's
// name, each with its exit code: an EUsageError with the usage after its
// reason, an EFileError's reason, an ERefusedFile's file and reason,
// anything else as an unexpected error. Where it reports a failure, the
// reason is also left in `*failure` if given, as it was before it was made
// printable.
int runTool(const TToolText& tool, const std::vector<std::string>& args, std::FILE* out,
            std::FILE* err, const std::function<int()>& body, std::string* failure = nullptr);

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

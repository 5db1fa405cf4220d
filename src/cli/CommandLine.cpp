#include "cli/CommandLine.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <new>

#include "evaluator/KnownAnswers.h"
#include "grading/Printable.h"
#include "text/Chars.h"

const char* const kProjectVersion = MIRVASTA_VERSION;

namespace {

bool contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

bool isOption(const std::string& arg) { return arg.size() > 1 && arg[0] == '-'; }

}  // namespace

TArguments splitArguments(const std::vector<std::string>& args,
                          const std::vector<std::string>& valued,
                          const std::vector<std::string>& flags) {
  TArguments split;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!isOption(arg)) {
      split.positional.push_back(arg);
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    if (contains(flags, name)) {
      if (equals != std::string::npos) throw EUsageError(name + " takes no value");
      split.options.emplace_back(name, "");
    } else if (contains(valued, name)) {
      if (equals != std::string::npos) {
        split.options.emplace_back(name, arg.substr(equals + 1));
      } else if (i + 1 < args.size()) {
        split.options.emplace_back(name, args[++i]);
      } else {
        throw EUsageError(name + " needs a value");
      }
    } else {
      throw EUsageError("unknown option: " + name);
    }
  }
  return split;
}

namespace {

// What every tool's exit codes mean.
const TExitCode kCommonExitCodes[] = {
    {kToolExitOk, "done: the output written"},
    {kToolExitRefusedFile, "the evaluator refuses an input file; nothing written"},
    {kToolExitUsage, "a bad option, or a file that cannot be read or written; nothing written"},
    {kToolExitWrongArithmetic, "this build's costs would be wrong; nothing written"},
    {kToolExitUnexpected, "an unexpected error; nothing written"},
};

}  // namespace

std::string usageOf(const TToolText& tool) {
  std::vector<TExitCode> codes(std::begin(kCommonExitCodes), std::end(kCommonExitCodes));
  for (const TExitCode& own : tool.exitCodes) {
    const auto same = std::find_if(codes.begin(), codes.end(),
                                   [&](const TExitCode& c) { return c.code == own.code; });
    if (same != codes.end()) {
      same->meaning = own.meaning;
    } else {
      codes.push_back(own);
    }
  }
  std::string legend = std::string(tool.usage) + "Exit codes:\n";
  for (const TExitCode& c : codes) {
    if (c.meaning != nullptr) {
      legend += (c.code < 10 ? "   " : "  ") + std::to_string(c.code) + "  " + c.meaning + "\n";
    }
  }
  return legend;
}

int runTool(const TToolText& tool, const std::vector<std::string>& args, std::FILE* out,
            std::FILE* err, const std::function<int()>& body, std::string* failure) {
  // --help and --version answer whatever else the line holds.
  if (contains(args, "--help") || contains(args, "-h")) {
    std::fputs(usageOf(tool).c_str(), out);
    return kToolExitOk;
  }
  if (contains(args, "--version")) {
    std::fprintf(out, "%s %s\n", tool.name, kProjectVersion);
    return kToolExitOk;
  }
  std::string reason;
  int rc = kToolExitUnexpected;
  bool withUsage = false;
  const std::string fault = knownAnswerFault();
  if (!fault.empty()) {
    reason = "this build refuses to run: " + fault;
    rc = kToolExitWrongArithmetic;
  } else {
    try {
      return body();
    } catch (const EUsageError& error) {
      reason = error.what();
      rc = kToolExitUsage;
      withUsage = true;
    } catch (const EFileError& error) {
      reason = error.what();
      rc = kToolExitUsage;
    } catch (const ERefusedFile& refused) {
      reason = refused.what();
      rc = kToolExitRefusedFile;
    } catch (const std::bad_alloc&) {
      reason = "out of memory";
    } catch (const std::exception& error) {
      reason = std::string("unexpected error: ") + error.what();
    } catch (...) {
      reason = "unexpected error";
    }
  }
  printDiagnostic(err, tool.name, reason);
  if (withUsage) std::fputs(usageOf(tool).c_str(), err);
  if (failure != nullptr) *failure = reason;
  return rc;
}

void printDiagnostic(std::FILE* err, const char* name, const std::string& message) {
  std::fprintf(err, "%s: %s\n", name, printable(message).c_str());
}

template <typename Number>
Number numberOption(const std::string& text, const std::string& option) {
  Number value{};
  const char* end = text.data() + text.size();
  const std::from_chars_result result = std::from_chars(text.data(), end, value);
  if (text.empty() || result.ec != std::errc() || result.ptr != end) {
    throw EUsageError(option + " needs a number, not \"" + text + "\"");
  }
  return value;
}

template int numberOption<int>(const std::string&, const std::string&);
template long numberOption<long>(const std::string&, const std::string&);
template std::uint64_t numberOption<std::uint64_t>(const std::string&, const std::string&);
template double numberOption<double>(const std::string&, const std::string&);

std::string contestantOption(const std::string& text, const std::string& option) {
  if (text.size() != 6 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return isDigit(c); })) {
    throw EUsageError(option + " must be six digits, not \"" + text + "\"");
  }
  return text;
}

double finiteOption(const std::string& text, const std::string& option) {
  const double value = numberOption<double>(text, option);
  if (!std::isfinite(value)) throw EUsageError(option + " needs a finite number");
  return value;
}

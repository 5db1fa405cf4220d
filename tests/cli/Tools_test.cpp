#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "accuracy/Accuracy.h"
#include "cli/CommandLine.h"
#include "cli/Inputs.h"
#include "cli/Output.h"
#include "gen/Generator.h"
#include "merge/Merge.h"
#include "solve/Solver.h"
#include "support/Run.h"
#include "support/TempFile.h"
#include "view/Viewer.h"

namespace fs = std::filesystem;

namespace {

const std::string kInput = "Mirvasta\n1\n\n1\n1\n0.5\n";
const std::string kSubmission = "123456\nMirvasta\n1\n0.5 0.5\n";

// Every tool that reads an input file and writes an output, with its
// arguments: {input}, {submission} and {out} stand for the paths.
struct TTool {
  const char* name;
  TMain main;
  std::vector<std::string> args;
};

const TTool kTools[] = {
    {"Tql25Mirvasta-gen", runGeneratorCommandLine, {"--submission", "{input}", "-o", "{out}"}},
    {"Tql25Mirvasta-solve", runSolverCommandLine, {"{input}", "-o", "{out}", "--steps", "10"}},
    {"Tql25Mirvasta-view", runViewerCommandLine, {"{input}", "{submission}", "{out}"}},
    {"Tql25Mirvasta-merge", runMergeCommandLine, {"{input}", "{submission}", "-o", "{out}"}},
};

TRunResult runTool(const TTool& tool, const std::string& input, const std::string& out) {
  TTempFile submission(kSubmission);
  std::vector<std::string> args;
  for (std::string arg : tool.args) {
    if (arg == "{input}") arg = input;
    if (arg == "{submission}") arg = submission.path();
    if (arg == "{out}") arg = out;
    args.push_back(arg);
  }
  return runMain(tool.main, args);
}

// A file a tool cannot read or write is named with the system's reason, and
// the output is found unwritable before any input is read.
TEST(Tools, NameTheFileTheyCannotReadOrWriteAndWhy) {
  TTempFile input(kInput), refused("Mirvasta\n");
  const std::string folder = fs::path(input.path()).parent_path().string();
  const std::string missing = folder + "/missing.txt", noFolder = folder + "/no/out.txt";
  for (const TTool& tool : kTools) {
    SCOPED_TRACE(tool.name);
    const struct {
      std::string input, out, err;
    } cases[] = {
        {missing, folder + "/a.txt", "cannot read '" + missing + "': No such file or directory"},
        {folder, folder + "/a.txt", "cannot read '" + folder + "': Is a directory"},
        {refused.path(), noFolder, "cannot write '" + noFolder + "': No such file or directory"},
        {input.path(), "/dev/full", "cannot write '/dev/full': No space left on device"},
    };
    for (const auto& c : cases) {
      const TRunResult result = runTool(tool, c.input, c.out);
      EXPECT_EQ(2, result.rc);
      // The last line: the optimiser has said how its case came out before.
      const std::string said = std::string(tool.name) + ": " + c.err + "\n";
      EXPECT_EQ(said,
                result.err.substr(result.err.size() - std::min(said.size(), result.err.size())))
          << result.err;
      EXPECT_FALSE(fs::exists(folder + "/a.txt"));
    }
  }
}

// --help and --version answer whatever else the line holds, on standard
// output; the version names the tool.
TEST(Tools, AnswerHelpAndVersion) {
  std::vector<TTool> tools(std::begin(kTools), std::end(kTools));
  tools.push_back({"Tql25Mirvasta-accuracy", runAccuracyCommandLine, {}});
  for (const TTool& tool : tools) {
    SCOPED_TRACE(tool.name);
    const TRunResult help = runMain(tool.main, {"--bogus", "--help"});
    EXPECT_EQ(0, help.rc);
    EXPECT_EQ(0u, help.out.find(std::string("Usage: ") + tool.name + " "));
    EXPECT_EQ("", help.err);
    const TRunResult version = runMain(tool.main, {"--version"});
    EXPECT_EQ(0, version.rc);
    EXPECT_EQ(std::string(tool.name) + " " + kProjectVersion + "\n", version.out);
  }
}

bool isPrintable(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return c == '\n' || (c >= 0x20 && c < 0x7f); });
}

// A contestant's bytes reach a terminal or a log as printable ASCII, from
// every tool: each other byte as \xNN. (The evaluator's message ends at a
// NUL, as its report's does.)
TEST(Tools, QuoteAContestantsBytesPrintably) {
  const std::string hostile = std::string("Mirvasta\x9a\xff", 10) + '\0';
  TTempFile refusedInput(hostile + "\n1\n\n1\n1\n0.5\n");
  const std::string folder = fs::path(refusedInput.path()).parent_path().string();
  for (const TTool& tool : kTools) {
    SCOPED_TRACE(tool.name);
    const TRunResult result = runTool(tool, refusedInput.path(), folder + "/a.txt");
    EXPECT_EQ(1, result.rc);
    EXPECT_NE(std::string::npos, result.err.find("Mirvasta\\x9a\\xff")) << result.err;
    EXPECT_TRUE(isPrintable(result.err)) << result.err;
  }
  TTempFile input(kInput), good(kSubmission), refused("123456\n" + hostile + "\n"), out;
  const TRunResult merged =
      runMain(runMergeCommandLine, {input.path(), good.path(), refused.path(), "-o", out.path()});
  EXPECT_EQ(5, merged.rc);
  EXPECT_EQ("Tql25Mirvasta-merge: submission '" + refused.path() +
                "' refused: Napaka [Tql25Mirvasta.cpp:249]: v drugi vrstici bi moral biti niz "
                "\"Mirvasta\", ne pa \"Mirvasta\\x9a\\xff\n",
            merged.err);
}

// Every tool's usage ends with the legend of its exit codes, written once:
// the common meanings, each tool's own in their place, its own codes after.
TEST(RunTool, EndsTheUsageWithTheExitCodes) {
  EXPECT_EQ(
      "Usage: t\nExit codes:\n"
      "   0  done: the output written\n"
      "   1  the evaluator refuses an input file; nothing written\n"
      "   2  a bad option, or a file that cannot be read or written; nothing written\n"
      "   3  this build's costs would be wrong; nothing written\n"
      "   4  an unexpected error; nothing written\n",
      usageOf({"t", "Usage: t\n"}));
  EXPECT_EQ(
      "Usage: t\nExit codes:\n"
      "   0  all of it\n"
      "   2  a bad option, or a file that cannot be read or written; nothing written\n"
      "   3  this build's costs would be wrong; nothing written\n"
      "   4  an unexpected error; nothing written\n"
      "   5  some of it\n"
      "  42  the answer\n",
      usageOf({"t",
               "Usage: t\n",
               {{0, "all of it"}, {1, nullptr}, {5, "some of it"}, {42, "the answer"}}}));
}

// Whatever a tool's work throws is said on standard error, with an exit code.
TEST(RunTool, ReportsEveryException) {
  const struct {
    std::function<int()> body;
    int rc;
    std::string err;
  } cases[] = {
      {[]() -> int { throw EUsageError("bad"); }, 2, "t: bad\n" + usageOf({"t", "Usage: t\n"})},
      {[]() -> int { throw EFileError("cannot read 'x': Is a directory"); }, 2,
       "t: cannot read 'x': Is a directory\n"},
      {[]() -> int {
         throw ERefusedFile("input 'x' refused: Napaka [Tql25Mirvasta.cpp:70]: manjka 1. vrstica",
                            "");
       },
       1, "t: input 'x' refused: Napaka [Tql25Mirvasta.cpp:70]: manjka 1. vrstica\n"},
      {[]() -> int { throw ERefusedFile("submission 'x' refused: ne pa \"a\\\x9a\"", ""); }, 1,
       "t: submission 'x' refused: ne pa \"a\\x5c\\x9a\"\n"},
      {[]() -> int { throw std::bad_alloc(); }, 4, "t: out of memory\n"},
      {[]() -> int { throw std::system_error(std::make_error_code(std::errc::io_error)); }, 4,
       "t: unexpected error: Input/output error\n"},
      {[]() -> int { throw 7; }, 4, "t: unexpected error\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.err);
    TCapture out, err;
    EXPECT_EQ(c.rc, runTool({"t", "Usage: t\n"}, {}, out.file(), err.file(), c.body));
    EXPECT_EQ(c.err, err.text());
  }
}

}  // namespace

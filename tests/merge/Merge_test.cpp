#include "merge/Merge.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <sstream>

#include "gen/Generator.h"
#include "support/Process.h"
#include "support/Run.h"
#include "support/TempFile.h"
#include "support/TextStream.h"

namespace {

// Each case's least cost in a report, as the report prints it.
std::map<int, std::string> leastCosts(const std::string& report,
                                      std::map<int, std::string> costs = {}) {
  std::istringstream lines(report);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ("OK", line) << report;
  std::getline(lines, line);
  for (int caseNo; lines >> caseNo >> line;) {
    if (!costs.count(caseNo) || std::stod(line) < std::stod(costs[caseNo])) costs[caseNo] = line;
  }
  return costs;
}

TRunResult merge(const std::vector<std::string>& submissions, const std::string& input,
                 TTempFile& out, std::vector<std::string> options = {}) {
  std::vector<std::unique_ptr<TTempFile>> files;
  files.push_back(std::make_unique<TTempFile>(input));
  std::vector<std::string> args = {files.back()->path()};
  for (const std::string& submission : submissions) {
    files.push_back(std::make_unique<TTempFile>(submission));
    args.push_back(files.back()->path());
  }
  args.insert(args.end(), {"-o", out.path()});
  args.insert(args.end(), options.begin(), options.end());
  return runMain(runMergeCommandLine, args);
}

// The evaluator's report of the merged submission holds, for every case,
// the least of the submissions' costs, to the last bit.
TEST(Merge, TheMergedReportHoldsEachCasesLeastCost) {
  TInputOptions shape;
  shape.cases = 6;
  shape.minCircles = 20;
  shape.maxCircles = 60;
  const std::string input = generateInput(shape);
  TMemoryText text(input);
  std::vector<TTestCase> testCases;
  readInput(text.is, testCases);
  std::vector<std::string> submissions;
  std::map<int, std::string> least;
  for (TPlacement placement : {TPlacement::kRandom, TPlacement::kGreedy, TPlacement::kRandom}) {
    TSubmissionOptions options;
    options.placement = placement;
    options.seed = submissions.size() + 1;
    submissions.push_back(generateSubmission(testCases, options));
    least = leastCosts(reportFor(input, submissions.back()), least);
  }
  TTempFile out;
  const TRunResult merged = merge(submissions, input, out);
  ASSERT_EQ(0, merged.rc) << merged.err;
  EXPECT_EQ(0u, out.read().find("000000\nMirvasta\n1\n"));
  EXPECT_EQ(least, leastCosts(reportFor(input, out.read())));
  EXPECT_NE(std::string::npos, merged.out.find("case ")) << merged.out;
}

// Case 1 holds two discs of radius 0.25, case 2 one.
const std::string kInput = "Mirvasta\n2\n\n1\n2\n0.25\n0.25\n\n2\n1\n0.25\n";

TEST(Merge, TakesTheLeastCostTheFirstOfEqualCostsAndLeavesOutARefusedSubmission) {
  const struct {
    std::vector<std::string> submissions;
    int rc;
    std::string merged;
  } cases[] = {
      // The third's case 1 is apart (cost 0), the fourth's too: the third's stays.
      {{"111111\nMirvasta\n1\n0.3 0.5\n0.7 0.5\n", "222222\nMirvasta\n2\n0.5 0.5\n3\n",
        "333333\nMirvasta\n2\n0.4 0.4\n1\n0.1 0.5\n0.9 0.5\n",
        "444444\nMirvasta\n1\n0.2 0.5\n0.8 0.5\n"},
       5,
       "111111\nMirvasta\n1\n0.1 0.5\n0.9 0.5\n2\n0.4 0.4\n"},
      // The contestant number is the first accepted submission's.
      {{"111111\nMirvasta\n3\n", "222222\nMirvasta\n2\n0.5 0.5\n"},
       5,
       "222222\nMirvasta\n2\n0.5 0.5\n"},
      // A case answered twice by one submission: the better block, the second.
      {{"555555\nMirvasta\n1\n0.3 0.5\n0.7 0.5\n1\n0.25 0.5\n0.75 0.5\n"},
       0,
       "555555\nMirvasta\n1\n0.25 0.5\n0.75 0.5\n"},
  };
  for (const auto& c : cases) {
    TTempFile out;
    const TRunResult merged = merge(c.submissions, kInput, out);
    EXPECT_EQ(c.rc, merged.rc);
    EXPECT_EQ(c.merged, out.read());
  }
}

TEST(Merge, NamesWhatItLeavesOut) {
  TTempFile out;
  const TRunResult merged =
      merge({"111111\nMirvasta\n2\n0.5 0.5\n3\n", "222222\nMirvasta\n2\n0.5 0.5\n"}, kInput, out,
            {"--contestant", "000007"});
  EXPECT_EQ(5, merged.rc);
  EXPECT_NE(std::string::npos,
            merged.err.find("' refused: Napaka [Tql25Mirvasta.cpp:259]: v 5. vrstici bi morala "
                            "biti stevilka testnega primera od 1 do 2, ne pa 3\n"))
      << merged.err;
  EXPECT_EQ(0u, merged.err.find("Tql25Mirvasta-merge: submission '/")) << merged.err;
  EXPECT_NE(std::string::npos, merged.out.find(" (left out)\n2: "));
  EXPECT_EQ("000007\nMirvasta\n2\n0.5 0.5\n", out.read());
}

// With -o -, standard output is the merged submission alone, as the
// evaluator reads it: the table goes to standard error.
TEST(Merge, WritesOnlyTheSubmissionToStandardOutput) {
  TTempFile input(kInput), first("111111\nMirvasta\n2\n0.5 0.5\n"),
      second("222222\nMirvasta\n1\n0.25 0.5\n0.75 0.5\n2\n0.4 0.5\n");
  const TRunResult merged =
      runMain(runMergeCommandLine, {input.path(), first.path(), second.path(), "-o", "-"});
  EXPECT_EQ(0, merged.rc) << merged.err;
  EXPECT_EQ("111111\nMirvasta\n1\n0.25 0.5\n0.75 0.5\n2\n0.5 0.5\n", merged.out);
  EXPECT_EQ(0u, merged.err.find("1: " + first.path() + "\n2: " + second.path() + "\n"))
      << merged.err;
}

// Run as a script runs it: the exit code tells a merged file written in
// full (0), one written without the submissions left out (5), and nothing
// written (1, 2), where a file that was there stays as it was.
TEST(Merge, TellsAScriptWhatItWrote) {
  TTempFile folder;
  const std::string dir = std::filesystem::path(folder.path()).parent_path().string();
  writeFile(dir + "/input.txt", kInput);
  writeFile(dir + "/good.txt", "111111\nMirvasta\n2\n0.5 0.5\n");
  writeFile(dir + "/bad.txt", "222222\nMirvasta\n3\n");
  const struct {
    std::vector<std::string> args;
    int rc;
    std::string err;  // The last line on standard error.
    bool written;
  } cases[] = {
      {{"input.txt", "good.txt", "-o", "best.txt"}, 0, "", true},
      {{"input.txt", "good.txt", "bad.txt", "-o", "best.txt"},
       5,
       "Tql25Mirvasta-merge: submission 'bad.txt' refused: Napaka [Tql25Mirvasta.cpp:259]: v 3. "
       "vrstici bi morala biti stevilka testnega primera od 1 do 2, ne pa 3",
       true},
      {{"input.txt", "good.txt", "gone.txt", "-o", "best.txt"},
       5,
       "Tql25Mirvasta-merge: cannot read 'gone.txt': No such file or directory",
       true},
      {{"input.txt", "bad.txt", "-o", "best.txt"},
       1,
       "Tql25Mirvasta-merge: no submission could be taken; nothing was written",
       false},
      {{"good.txt", "good.txt", "-o", "best.txt"},
       1,
       "Tql25Mirvasta-merge: input 'good.txt' refused: Napaka [Tql25Mirvasta.cpp:117]: v prvi "
       "vrstici bi moral biti niz \"Mirvasta\", ne pa \"111111\"",
       false},
      // An output that names a file to read, even one not there yet.
      {{"input.txt", "good.txt", "new.txt", "-o", "new.txt"},
       2,
       "Tql25Mirvasta-merge: the output 'new.txt' is the submission 'new.txt'; nothing was "
       "written",
       false},
      {{"input.txt", "good.txt", "-o", "./input.txt"},
       2,
       "Tql25Mirvasta-merge: the output './input.txt' is the input 'input.txt'; nothing was "
       "written",
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[2]);
    writeFile(dir + "/best.txt", "stale\n");
    std::vector<std::string> argv = {"/bin/sh", "-c", "cd '" + dir + "' && exec \"$0\" \"$@\"",
                                     programPath("Tql25Mirvasta-merge")};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    TProcess merge(argv);
    EXPECT_EQ(c.rc, merge.wait());
    const std::string err = merge.err();
    EXPECT_EQ(c.err, err.substr(err.rfind('\n', err.size() - 2) + 1, c.err.size())) << err;
    EXPECT_EQ(c.written, readFile(dir + "/best.txt") != "stale\n");
    EXPECT_FALSE(std::filesystem::exists(dir + "/new.txt"));
  }
}

}  // namespace

// Runs the built evaluator on every case folder under e2e/ and compares the
// report, standard output and exit code byte for byte with the folder's
// expected files. A folder holds input.txt, submission.txt, expected_rc.txt,
// expected_stdout.txt, expected_report.txt (absent when no report may be
// written) and optionally args.txt, one argument per line, in which {input},
// {submission}, {report} and {dir} stand for the scratch paths, and
// report_at.txt, which names the path whose content expected_report.txt
// gives after the run (where the report must not overwrite an input).

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/TempFile.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> caseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(E2E_CASES_DIR)) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// The evaluator under test: the build's own, or the one MIRVASTA_EVALUATOR
// names (the single-file build).
std::string evaluatorPath() {
  const char* chosen = std::getenv("MIRVASTA_EVALUATOR");
  return chosen != nullptr ? chosen : EVALUATOR_PATH;
}

// Runs the evaluator with standard output into `outPath`; returns the exit code.
int runEvaluator(const std::vector<std::string>& args, const std::string& outPath) {
  std::vector<char*> argv;
  std::string program = evaluatorPath();
  argv.push_back(program.data());
  std::vector<std::string> copies = args;
  for (std::string& a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

class EndToEnd : public testing::TestWithParam<std::string> {};

TEST_P(EndToEnd, MatchesExpectedOutput) {
  const fs::path dir = fs::path(E2E_CASES_DIR) / GetParam();
  TTempFile scratch;
  const fs::path work = fs::path(scratch.path()).parent_path();
  const std::string input = (work / "input.txt").string();
  const std::string submission = (work / "submission.txt").string();
  const std::string report = (work / "report.txt").string();
  fs::copy_file(dir / "input.txt", input);
  fs::copy_file(dir / "submission.txt", submission);

  std::vector<std::string> args = {"eval", input, submission, report};
  if (fs::exists(dir / "args.txt")) {
    args.clear();
    std::ifstream lines(dir / "args.txt");
    for (std::string a; std::getline(lines, a);) {
      a = replaced(a, "{input}", input);
      a = replaced(a, "{submission}", submission);
      a = replaced(a, "{report}", report);
      args.push_back(replaced(a, "{dir}", work.string()));
    }
  }

  std::string reportAt = report;
  if (fs::exists(dir / "report_at.txt")) {
    std::ifstream named(dir / "report_at.txt");
    std::getline(named, reportAt);
    reportAt = replaced(replaced(reportAt, "{input}", input), "{submission}", submission);
  }

  const std::string stdoutPath = (work / "stdout.txt").string();
  const int rc = runEvaluator(args, stdoutPath);
  EXPECT_EQ(std::stoi(readFile((dir / "expected_rc.txt").string())), rc);
  EXPECT_EQ(readFile((dir / "expected_stdout.txt").string()), readFile(stdoutPath));
  if (fs::exists(dir / "expected_report.txt")) {
    EXPECT_EQ(readFile((dir / "expected_report.txt").string()), readFile(reportAt));
  } else {
    EXPECT_FALSE(fs::exists(report)) << "a report was written";
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, EndToEnd, testing::ValuesIn(caseNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           return replaced(info.param, "-", "_");
                         });

}  // namespace

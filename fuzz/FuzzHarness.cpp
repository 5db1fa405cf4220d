#include "fuzz/FuzzHarness.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <vector>

#include "run/Evaluation.h"

namespace {

// A file in memory that the evaluator opens by path like any other.
class TMemoryFile {
 public:
  TMemoryFile() : fd_(memfd_create("fuzz", 0)), path_("/proc/self/fd/" + std::to_string(fd_)) {
    if (fd_ < 0) std::abort();
  }
  ~TMemoryFile() { close(fd_); }

  const std::string& path() const { return path_; }

  void write(const std::string& bytes) {
    if (ftruncate(fd_, 0) != 0 ||
        pwrite(fd_, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size())) {
      std::abort();
    }
  }

  std::string read() const {
    std::string bytes;
    char buffer[1 << 14];
    for (off_t at = 0;;) {
      const ssize_t got = pread(fd_, buffer, sizeof buffer, at);
      if (got <= 0) return bytes;
      bytes.append(buffer, got);
      at += got;
    }
  }

 private:
  int fd_;
  std::string path_;
};

void require(bool condition, const char* what, const std::string& report) {
  if (condition) return;
  std::fprintf(stderr, "report is not one block (%s):\n%s\n", what, report.c_str());
  std::abort();
}

// "OK", a count, then that many lines of a case number and a finite,
// non-negative cost; or one error block.
void checkOneBlock(const std::string& report) {
  static const std::regex error(
      "Napaka \\[Tql25Mirvasta\\.cpp:[0-9]+\\]: [^\\n]*\\n-1\\n|"
      "Nepricakovana napaka\\.  Predlagamo, da obvestis organizatorje tekmovanja\\.\\n-1\\n");
  if (report.compare(0, 3, "OK\n") != 0) {
    require(std::regex_match(report, error), "not an error block", report);
    return;
  }
  std::size_t at = 3;
  auto nextLine = [&]() {
    const std::size_t end = report.find('\n', at);
    require(end != std::string::npos, "unterminated line", report);
    std::string line = report.substr(at, end - at);
    at = end + 1;
    return line;
  };
  const int count = std::atoi(nextLine().c_str());
  for (int i = 0; i < count; ++i) {
    int caseNo = 0;
    double cost = -1;
    char rest = 0;
    const std::string line = nextLine();
    require(std::sscanf(line.c_str(), "%d %lf%c", &caseNo, &cost, &rest) == 2, "bad line", report);
    require(caseNo >= 1 && caseNo <= 100 && std::isfinite(cost) && cost >= 0, "bad result", report);
  }
  require(at == report.size(), "text after the success block", report);
}

}  // namespace

std::string evaluateOrAbort(const std::string& input, const std::string& submission) {
  static TMemoryFile inputFile, submissionFile, reportFile;
  static std::FILE* const devNull = std::fopen("/dev/null", "w");
  inputFile.write(input);
  submissionFile.write(submission);
  const int rc = runCommandLine(
      {"eval", inputFile.path(), submissionFile.path(), reportFile.path()}, devNull, devNull);
  const std::string report = reportFile.read();
  require(rc == 0, "exit code", report);
  checkOneBlock(report);
  return report;
}

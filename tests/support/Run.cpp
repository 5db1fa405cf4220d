#include "support/Run.h"

#include <cstdio>

#include "run/Evaluation.h"
#include "support/TempFile.h"

namespace {
std::string contentOf(std::FILE* f) {
  std::string content;
  std::rewind(f);
  for (int c; (c = std::fgetc(f)) != EOF;) content += static_cast<char>(c);
  std::fclose(f);
  return content;
}
}  // namespace

TRunResult run(const std::vector<std::string>& args) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  const int rc = runCommandLine(args, out, err);
  return {rc, contentOf(out), contentOf(err)};
}

std::string reportFor(const std::string& input, const std::string& submission) {
  TTempFile inputFile(input), submissionFile(submission), report;
  run({"eval", inputFile.path(), submissionFile.path(), report.path()});
  return report.read();
}

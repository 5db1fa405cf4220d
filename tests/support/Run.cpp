#include "support/Run.h"

#include <cstdio>

#include "run/Evaluation.h"
#include "support/TempFile.h"

std::string readAndClose(std::FILE* file) {
  std::string content;
  std::rewind(file);
  for (int c; (c = std::fgetc(file)) != EOF;) content += static_cast<char>(c);
  std::fclose(file);
  return content;
}

TRunResult run(const std::vector<std::string>& args) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  const int rc = runCommandLine(args, out, err);
  return {rc, readAndClose(out), readAndClose(err)};
}

std::string reportFor(const std::string& input, const std::string& submission) {
  TTempFile inputFile(input), submissionFile(submission), report;
  run({"eval", inputFile.path(), submissionFile.path(), report.path()});
  return report.read();
}

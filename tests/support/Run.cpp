#include "support/Run.h"

#include "evaluator/Evaluation.h"
#include "text/TextModeBuf.h"

TCapture::TCapture() : file_(std::tmpfile()) {}

TCapture::~TCapture() { std::fclose(file_); }

std::string TCapture::text() {
  std::fflush(file_);
  std::rewind(file_);
  std::string content;
  for (int c; (c = std::fgetc(file_)) != EOF;) content += static_cast<char>(c);
  return content;
}

std::vector<std::string> TCapture::lines() {
  const std::string all = text();
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; at < all.size(); at = end + 1) {
    end = std::min(all.find('\n', at), all.size() - 1);
    lines.push_back(all.substr(at, end + 1 - at));
  }
  return lines;
}

TRunResult runMain(TMain main, const std::vector<std::string>& args) {
  TCapture out, err;
  const int rc = main(args, out.file(), err.file());
  return {rc, out.text(), err.text()};
}

TRunResult run(const std::vector<std::string>& args) { return runMain(runCommandLine, args); }

std::string reportFor(const std::string& input, const std::string& submission) {
  TTextBytes inputText(input), submissionText(submission);
  return evaluateTexts(inputText, submissionText).report;
}

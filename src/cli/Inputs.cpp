#include "cli/Inputs.h"

#include <cerrno>
#include <cstring>
#include <streambuf>

#include "base/Assertion.h"
#include "evaluator/Report.h"
#include "text/TextModeBuf.h"

namespace {

std::string cannotRead(const std::string& path, int error) {
  return "cannot read '" + path + "': " + std::strerror(error);
}

// A C stream's bytes for the text-mode reading. A read error is kept and
// reads as the end of the file: whatever the evaluator then makes of the
// bytes, the error is the file's fault, said once the reading is over.
class TStdioSource : public std::streambuf {
 public:
  explicit TStdioSource(std::FILE* file) : file_(file) {}
  int error() const { return error_; }

 protected:
  std::streamsize xsgetn(char* s, std::streamsize n) override {
    const std::size_t got = std::fread(s, 1, static_cast<std::size_t>(n), file_);
    if (got < static_cast<std::size_t>(n) && std::ferror(file_) && error_ == 0) {
      error_ = errno != 0 ? errno : EIO;
    }
    return static_cast<std::streamsize>(got);
  }
  int_type underflow() override {
    if (xsgetn(&byte_, 1) != 1) return traits_type::eof();
    setg(&byte_, &byte_, &byte_ + 1);
    return traits_type::to_int_type(byte_);
  }

 private:
  std::FILE* file_;
  int error_ = 0;
  char byte_ = 0;
};

// Reads a file through `read`, which is given its text; the file is opened
// here unless the caller gave its stream.
template <typename Read>
auto readText(const TInputFile& file, Read read) {
  std::FILE* stream = file.stream;
  if (stream == nullptr) {
    errno = 0;
    stream = std::fopen(file.path.c_str(), "rb");
    if (stream == nullptr) throw EFileError(cannotRead(file.path, errno));
  }
  struct TCloser {
    std::FILE* opened;
    ~TCloser() {
      if (opened != nullptr) std::fclose(opened);
    }
  } closer{file.stream == nullptr ? stream : nullptr};
  TStdioSource source(stream);
  TTextStream text(source);
  try {
    auto result = read(text);
    if (source.error() != 0) throw EFileError(cannotRead(file.path, source.error()));
    return result;
  } catch (const EAssertion& refused) {
    if (source.error() != 0) throw EFileError(cannotRead(file.path, source.error()));
    throw ERefusedFile(file.role + " '" + file.path + "' refused: " + errorLine(refused),
                       errorLine(refused));
  }
}

}  // namespace

std::vector<TTestCase> loadInput(const std::string& path) {
  return readText(TInputFile{"input", path}, [](std::istream& text) {
    std::vector<TTestCase> testCases;
    readInput(text, testCases);
    return testCases;
  });
}

std::string readSubmission(const TInputFile& file, const std::vector<TTestCase>& testCases,
                           const TBlockVisitor& onBlock) {
  return readText(file,
                  [&](std::istream& text) { return evaluateSubmission(text, testCases, onBlock); });
}

TSubmissionStanding readStanding(const TInputFile& file, const std::vector<TTestCase>& testCases,
                                 bool keepPlacements) {
  return readText(
      file, [&](std::istream& text) { return readStanding(text, testCases, keepPlacements); });
}

TSubmissionStanding readReference(const TInputFile& file, const std::vector<TTestCase>& testCases,
                                  bool keepPlacements) {
  TSubmissionStanding reference = readStanding(file, testCases, keepPlacements);
  if (const int leftOut = firstCaseLeftOut(reference.standing)) {
    throw ERefusedFile(
        file.role + " '" + file.path + "' leaves out case " + std::to_string(leftOut), "");
  }
  return reference;
}

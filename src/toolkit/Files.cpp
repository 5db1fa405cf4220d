#include "toolkit/Files.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "base/Assertion.h"
#include "base/Files.h"
#include "run/Report.h"
#include "text/TextModeBuf.h"

namespace {

std::string failure(const char* verb, const std::string& path, int error) {
  return std::string("cannot ") + verb + " '" + path + "': " + std::strerror(error);
}

}  // namespace

std::string readFileBytes(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) throw EFileError(failure("read", path, errno));
  std::string bytes;
  char block[1 << 16];
  for (std::size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;) {
    bytes.append(block, got);
  }
  // A folder opens, and fails only when read.
  const int error = std::ferror(file) ? errno : 0;
  std::fclose(file);
  if (error != 0) throw EFileError(failure("read", path, error));
  return bytes;
}

std::vector<TTestCase> loadInput(const std::string& path) {
  const std::string bytes = readFileBytes(path);
  TTextBytes text(bytes);
  std::vector<TTestCase> testCases;
  try {
    readInput(text, testCases);
  } catch (const EAssertion& refused) {
    throw ERefusedFile(errorLine(refused));
  }
  return testCases;
}

void loadSubmission(const std::string& bytes, const std::vector<TTestCase>& testCases,
                    const TBlockVisitor& onBlock) {
  TTextBytes text(bytes);
  try {
    evaluateSubmission(text, testCases, onBlock);
  } catch (const EAssertion& refused) {
    throw ERefusedFile(errorLine(refused));
  }
}

TOutput::TOutput(const std::string& path, std::FILE* out, const std::vector<std::string>& inputs)
    : path_(path), out_(out) {
  if (path == "-") return;
  for (const std::string& input : inputs) {
    if (sameFile(path, input)) {
      throw EFileError("the output '" + path + "' is the input '" + input +
                       "'; nothing was written");
    }
  }
  std::error_code ignored;
  created_ = !std::filesystem::exists(path, ignored);
  // Opened to append, which proves it writable and leaves it as it is.
  std::FILE* probe = std::fopen(path.c_str(), "ab");
  if (probe == nullptr) throw EFileError(failure("write", path, errno));
  std::fclose(probe);
}

TOutput::~TOutput() {
  if (file_ != nullptr && file_ != out_) std::fclose(file_);
  if (created_ && !begun_) std::remove(path_.c_str());
}

std::FILE* TOutput::begin() {
  begun_ = true;
  if (path_ == "-") return file_ = out_;
  file_ = std::fopen(path_.c_str(), "wb");
  if (file_ == nullptr) throw EFileError(failure("write", path_, errno));
  return file_;
}

void TOutput::finish() {
  std::FILE* file = file_;
  file_ = nullptr;
  const bool written = !std::ferror(file);
  const bool closed = (file == out_ ? std::fflush(file) : std::fclose(file)) == 0;
  if (!written || !closed) {
    throw EFileError(failure("write", file == out_ ? "standard output" : path_, errno));
  }
}

void TOutput::write(const std::string& text) {
  std::FILE* file = begin();
  std::fwrite(text.data(), 1, text.size(), file);
  finish();
}

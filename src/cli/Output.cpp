#include "cli/Output.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "base/SameFile.h"
#include "cli/Interrupt.h"

namespace fs = std::filesystem;

namespace {

std::string cannotWrite(const std::string& path, int error) {
  return "cannot write '" + path + "': " + std::strerror(error);
}

// Whether two paths name one file, or would once the first is made.
bool samePlace(const std::string& a, const std::string& b) {
  if (sameFile(a, b)) return true;
  std::error_code failed;
  const fs::path pa = fs::weakly_canonical(a, failed);
  if (failed) return false;
  const fs::path pb = fs::weakly_canonical(b, failed);
  return !failed && pa == pb;
}

}  // namespace

TOutput::TOutput(const std::string& path, std::FILE* out, const std::vector<TInputFile>& inputs)
    : path_(path), out_(out) {
  if (path == "-") return;
  for (const TInputFile& input : inputs) {
    if (input.stream == nullptr && samePlace(path, input.path)) {
      throw EFileError("the output '" + path + "' is the " + input.role + " '" + input.path +
                       "'; nothing was written");
    }
  }
  std::error_code failed;
  const fs::path target = fs::weakly_canonical(path, failed);
  target_ = failed ? path : target.string();
  const fs::file_status status = fs::status(target_, failed);
  if (fs::is_directory(status)) throw EFileError(cannotWrite(path, EISDIR));
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    // Opened to append, which proves it writable and leaves it as it is.
    std::FILE* probe = std::fopen(target_.c_str(), "ab");
    if (probe == nullptr) throw EFileError(cannotWrite(path, errno));
    std::fclose(probe);
    return;
  }
  // A name of its own: "x" fails where the file is there, from another run.
  for (int attempt = 0; file_ == nullptr; ++attempt) {
    temporary_ = target_ + ".tmp" + (attempt > 0 ? std::to_string(attempt) : "");
    errno = 0;
    file_ = std::fopen(temporary_.c_str(), "wbx");
    if (file_ == nullptr && (errno != EEXIST || attempt == 100)) {
      const int error = errno;
      temporary_.clear();
      throw EFileError(cannotWrite(path, error));
    }
  }
  removeOnSignal(temporary_.c_str());
}

TOutput::~TOutput() {
  if (file_ != nullptr && file_ != out_) std::fclose(file_);
  if (!temporary_.empty()) {
    std::remove(temporary_.c_str());
    forget(temporary_.c_str());
  }
}

std::FILE* TOutput::begin() {
  if (path_ == "-") return file_ = out_;
  if (file_ != nullptr) return file_;
  file_ = std::fopen(target_.c_str(), "wb");
  if (file_ == nullptr) throw EFileError(cannotWrite(path_, errno));
  return file_;
}

void TOutput::finish() {
  std::FILE* file = file_;
  file_ = nullptr;
  const bool written = !std::ferror(file);
  const bool closed = (file == out_ ? std::fflush(file) : std::fclose(file)) == 0;
  if (!written || !closed) {
    throw EFileError(cannotWrite(file == out_ ? "standard output" : path_, errno));
  }
  if (temporary_.empty()) return;
  // The file that is replaced keeps its permissions.
  std::error_code failed;
  const fs::file_status old = fs::status(target_, failed);
  if (!failed && fs::exists(old)) fs::permissions(temporary_, old.permissions(), failed);
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
    throw EFileError(cannotWrite(path_, errno));
  }
  forget(temporary_.c_str());
  temporary_.clear();
}

void TOutput::write(const std::string& text) {
  std::FILE* file = begin();
  std::fwrite(text.data(), 1, text.size(), file);
  finish();
}

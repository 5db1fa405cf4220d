#include "cli/Output.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "base/SameFile.h"
#include "cli/Interrupt.h"

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#define MIRVASTA_POSIX_LOCKS 1
#endif

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

// Opens and holds the lock file at `lock`, emptied; the path names the
// output in messages.
std::FILE* takeLock(const std::string& lock, const std::string& path) {
#if MIRVASTA_POSIX_LOCKS
  // A run that finishes renames its lock file into place, and one that
  // fails removes it, both while they hold it: the file locked here must
  // still be the one of that name, or it is tried again.
  for (int attempt = 0; attempt < 100; ++attempt) {
    const int fd = ::open(lock.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) throw EFileError(cannotWrite(path, errno));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      ::close(fd);
      if (error == EWOULDBLOCK) {
        throw EFileError("cannot write '" + path + "': '" + lock +
                         "' is held by another run writing it");
      }
      throw EFileError(cannotWrite(path, error));
    }
    struct stat held {
    }, named{};
    if (::fstat(fd, &held) == 0 && ::stat(lock.c_str(), &named) == 0 &&
        held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
      // What a run killed outright left in it goes.
      if (::ftruncate(fd, 0) != 0) {
        const int error = errno;
        ::close(fd);
        throw EFileError(cannotWrite(path, error));
      }
      std::FILE* file = ::fdopen(fd, "wb");
      if (file == nullptr) ::close(fd);
      return file;
    }
    ::close(fd);
  }
  throw EFileError(cannotWrite(path, EBUSY));
#else
  // Without the system's locks, a lock file that is there is another run's.
  std::FILE* file = std::fopen(lock.c_str(), "wbx");
  if (file == nullptr && errno == EEXIST) {
    throw EFileError("cannot write '" + path + "': '" + lock +
                     "' is there: another run is "
                     "writing it, or one was stopped outright and left it to be removed");
  }
  if (file == nullptr) throw EFileError(cannotWrite(path, errno));
  return file;
#endif
}

// Puts the file's data on the disk, so that the rename after it can never
// leave an empty file in the output's place after a crash.
bool synced(std::FILE* file) {
#if MIRVASTA_POSIX_LOCKS
  return ::fsync(::fileno(file)) == 0;
#else
  (void)file;
  return true;
#endif
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
    // Opened once: a pipe's reader that saw a first open and close would
    // take it for the end of the output.
    file_ = std::fopen(target_.c_str(), "wb");
    if (file_ == nullptr) throw EFileError(cannotWrite(path, errno));
    return;
  }
  lock_ = target_ + ".lock";
  errno = 0;
  file_ = takeLock(lock_, path);
  if (file_ == nullptr) {
    const int error = errno;
    lock_.clear();
    throw EFileError(cannotWrite(path, error));
  }
  removeOnSignal(lock_.c_str());
}

TOutput::~TOutput() {
  // The lock file goes while it is held, so that no other run takes it over
  // half written.
  if (!lock_.empty()) {
    std::remove(lock_.c_str());
    forget(lock_.c_str());
  }
  if (file_ != nullptr && file_ != out_) std::fclose(file_);
}

std::FILE* TOutput::begin() {
  if (path_ == "-") file_ = out_;
  return file_;
}

void TOutput::finish() {
  std::FILE* file = file_;
  const bool written = std::fflush(file) == 0 && !std::ferror(file) &&
                       (file == out_ || lock_.empty() || synced(file));
  if (!written) {
    throw EFileError(cannotWrite(file == out_ ? "standard output" : path_, errno));
  }
  if (!lock_.empty()) {
    // The file that is replaced keeps its permissions.
    std::error_code failed;
    const fs::file_status old = fs::status(target_, failed);
    if (!failed && fs::exists(old)) fs::permissions(lock_, old.permissions(), failed);
    if (std::rename(lock_.c_str(), target_.c_str()) != 0) {
      throw EFileError(cannotWrite(path_, errno));
    }
    forget(lock_.c_str());
    lock_.clear();
  }
  file_ = nullptr;
  if (file != out_ && std::fclose(file) != 0) throw EFileError(cannotWrite(path_, errno));
}

void TOutput::write(const std::string& text) {
  std::FILE* file = begin();
  std::fwrite(text.data(), 1, text.size(), file);
  finish();
}

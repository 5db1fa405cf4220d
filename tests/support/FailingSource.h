#pragma once

#include <algorithm>
#include <stdexcept>
#include <streambuf>
#include <string>

// Hands out its bytes, then fails like a disk that stops answering.
class TFailingSource : public std::streambuf {
 public:
  explicit TFailingSource(std::string bytes) : bytes_(std::move(bytes)) {}

 protected:
  std::streamsize xsgetn(char* s, std::streamsize n) override {
    if (bytes_.empty()) throw std::runtime_error("read error");
    const std::streamsize got = std::min<std::streamsize>(n, bytes_.size());
    bytes_.copy(s, got);
    bytes_.erase(0, got);
    return got;
  }

 private:
  std::string bytes_;
};

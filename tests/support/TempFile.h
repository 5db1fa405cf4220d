#pragma once

#include <string>

// A file in a fresh temporary folder, removed with the object.
class TTempFile {
 public:
  explicit TTempFile(const std::string& content = "");
  ~TTempFile();
  TTempFile(const TTempFile&) = delete;
  TTempFile& operator=(const TTempFile&) = delete;

  const std::string& path() const { return path_; }
  // The file's whole content, byte for byte.
  std::string read() const;

 private:
  std::string dir_;
  std::string path_;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& content);

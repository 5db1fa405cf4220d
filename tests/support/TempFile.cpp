#include "support/TempFile.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

TTempFile::TTempFile(const std::string& content) {
  std::string pattern = (std::filesystem::temp_directory_path() / "mirvasta-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  dir_ = pattern;
  path_ = dir_ + "/file.txt";
  writeFile(path_, content);
}

TTempFile::~TTempFile() {
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

std::string TTempFile::read() const { return readFile(path_); }

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void writeFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/Inputs.h"

// An output of a tool: a file, or standard output for "-". Made before the
// work starts, it refuses to be one of the tool's inputs, by any path, and
// proves the file writable by creating a temporary file beside it. The
// output is written there and renamed over the file at the end, so that an
// interrupted or failed run leaves the file that was there, or none, never
// a part of one. A file that is not a regular file (a device, a pipe) is
// written in place.
class TOutput {
 public:
  // Throws EFileError naming the reason.
  TOutput(const std::string& path, std::FILE* out, const std::vector<TInputFile>& inputs);
  // Removes the temporary file unless finish() renamed it.
  ~TOutput();
  TOutput(const TOutput&) = delete;
  TOutput& operator=(const TOutput&) = delete;

  // The stream to write to; then finish() once all is written.
  std::FILE* begin();
  // Puts the output in place. Throws EFileError when anything written failed
  // to reach the file.
  void finish();
  // begin(), the text, finish().
  void write(const std::string& text);

 private:
  std::string path_;
  std::string target_;     // The file itself, links followed.
  std::string temporary_;  // Beside it; empty where the file is written in place.
  std::FILE* out_;
  std::FILE* file_ = nullptr;
};

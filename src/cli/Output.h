#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/Inputs.h"

// An output of a tool: a file, or standard output for "-". Made before the
// work starts, it refuses to be one of the tool's inputs, by any path, and
// takes the file's lock, as git takes its index's: it writes FILE.lock beside
// the file and renames it over the file at the end, so that an interrupted
// or failed run leaves the file that was there, or none, never a part of
// one, and a second run writing the same file fails at once, naming the
// lock. The lock is held, as an advisory lock of the system's, for as long
// as its run lives: one left by a run that was killed outright is taken
// over. A file that is not a regular one (a device, a pipe) is opened once,
// at once, and written in place.
class TOutput {
 public:
  // Throws EFileError naming the reason.
  TOutput(const std::string& path, std::FILE* out, const std::vector<TInputFile>& inputs);
  // Removes the lock file unless finish() renamed it.
  ~TOutput();
  TOutput(const TOutput&) = delete;
  TOutput& operator=(const TOutput&) = delete;

  // The stream to write to; then finish() once all is written.
  std::FILE* begin();
  // Puts the output in place, its data on the disk first. Throws EFileError
  // when anything written failed to reach the file.
  void finish();
  // begin(), the text, finish().
  void write(const std::string& text);

 private:
  std::string path_;
  std::string target_;  // The file itself, links followed.
  std::string lock_;    // Beside it; empty where the file is written in place.
  std::FILE* out_;
  std::FILE* file_ = nullptr;
};

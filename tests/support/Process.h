#pragma once

#include <regex>
#include <string>
#include <vector>

#include "support/TempFile.h"

// A program run as a script or a judge runs it, in a process of its own:
// standard input from a file, standard output and error to files.
class TProcess {
 public:
  // argv[0] is the program's path; `in` names the file on standard input
  // ("" for none).
  explicit TProcess(const std::vector<std::string>& argv, const std::string& in = "");
  // Kills the program if it still runs.
  ~TProcess();
  TProcess(const TProcess&) = delete;
  TProcess& operator=(const TProcess&) = delete;

  // Waits until standard error holds `text`, for up to `seconds`; whether it does.
  bool awaitErr(const std::string& text, double seconds);
  // The same for a line that matches `pattern`.
  bool awaitErr(const std::regex& pattern, double seconds);
  void signal(int number);
  // The exit code, or 128 plus the number of the signal that ended it.
  int wait();
  std::string out() const { return out_.read(); }
  std::string err() const { return err_.read(); }

 private:
  TTempFile out_, err_;
  int pid_ = -1;
};

// A path of a program that the build made, by its name.
std::string programPath(const std::string& name);

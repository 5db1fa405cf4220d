// The evaluator: Tql25Mirvasta eval input.txt submission.txt report.txt

#include <cstdio>
#include <string>
#include <vector>

#include "evaluator/Evaluation.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char* argv[]) {
#ifdef _WIN32
  // The echo lines end in a line feed alone, as on every other platform.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  return runCommandLine(std::vector<std::string>(argv + 1, argv + argc), stdout, stderr);
}

// The evaluator: Tql25Mirvasta eval input.txt submission.txt report.txt

#include <cstdio>
#include <string>
#include <vector>

#include "run/Evaluation.h"

int main(int argc, char* argv[]) {
  return runCommandLine(std::vector<std::string>(argv + 1, argv + argc), stdout, stderr);
}

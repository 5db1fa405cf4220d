// The evaluator as a judge's checker: Tql25Mirvasta-judge --cms|--kattis ...

#include <cstdio>
#include <string>
#include <vector>

#include "judge/Judge.h"

int main(int argc, char* argv[]) {
  return runJudgeCommandLine(argc > 0 ? argv[0] : "",
                             std::vector<std::string>(argv + 1, argv + argc), stdin, stdout,
                             stderr);
}

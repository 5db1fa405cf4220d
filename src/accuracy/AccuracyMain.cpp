// The accuracy check of the geometry: Tql25Mirvasta-accuracy segment|lens|search [--passes N]

#include <cstdio>
#include <string>
#include <vector>

#include "accuracy/Accuracy.h"

int main(int argc, char* argv[]) {
  return runAccuracyCommandLine(std::vector<std::string>(argv + 1, argv + argc), stdout, stderr);
}

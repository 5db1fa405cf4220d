// The test-data generator: Tql25Mirvasta-gen --help

#include <cstdio>
#include <string>
#include <vector>

#include "gen/Generator.h"

int main(int argc, char* argv[]) {
  return runGeneratorCommandLine(std::vector<std::string>(argv + 1, argv + argc), stdout, stderr);
}

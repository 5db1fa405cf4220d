// The accuracy self-test: Tql25Mirvasta-selftest segment|lens|search [--passes N]

#include <cstdio>
#include <string>
#include <vector>

#include "selftest/SelfTest.h"

int main(int argc, char* argv[]) {
  return runSelfTestCommandLine(std::vector<std::string>(argv + 1, argv + argc), stdout, stderr);
}

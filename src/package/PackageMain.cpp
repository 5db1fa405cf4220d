// The package tool: Tql25Mirvasta-package INPUT REFERENCE -o DIR

#include <cstdio>
#include <string>
#include <vector>

#include "package/Package.h"

int main(int argc, char* argv[]) {
  return runPackageCommandLine(std::vector<std::string>(argv + 1, argv + argc), stdout, stderr);
}

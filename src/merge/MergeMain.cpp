// The merge tool: Tql25Mirvasta-merge INPUT SUBMISSION... -o BEST

#include <cstdio>
#include <string>
#include <vector>

#include "merge/Merge.h"

int main(int argc, char* argv[]) {
  return runMergeCommandLine(std::vector<std::string>(argv + 1, argv + argc), stdout, stderr);
}

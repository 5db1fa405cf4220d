// The placement viewer: Tql25Mirvasta-view INPUT SUBMISSION OUT.html

#include <cstdio>
#include <string>
#include <vector>

#include "view/Viewer.h"

int main(int argc, char* argv[]) {
  return runViewerCommandLine(std::vector<std::string>(argv + 1, argv + argc), stdout, stderr);
}

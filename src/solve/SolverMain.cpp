// The optimiser: Tql25Mirvasta-solve INPUT [-o SUBMISSION] [--seconds S] ...

#include <cstdio>
#include <string>
#include <vector>

#include "solve/Solver.h"

int main(int argc, char* argv[]) {
  return runSolverCommandLine(std::vector<std::string>(argv + 1, argv + argc), stdout, stderr);
}

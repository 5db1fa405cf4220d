#pragma once

#include <string>

// The single source files that a package holds, as the build wrote them
// (build/single/): the evaluator, and the judge's checker.
std::string evaluatorSource();
std::string judgeSource();

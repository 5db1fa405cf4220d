#pragma once

#include <string>

// Runs the complete evaluation on an input file and a submission given as
// bytes and returns the report's bytes. Aborts, so that the fuzzer reports
// it, unless the run ends with exit code 0 and a report of exactly one
// well-formed block.
std::string evaluateOrAbort(const std::string& input, const std::string& submission);

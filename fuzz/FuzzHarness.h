#pragma once

#include <string>

// Runs the complete evaluation, in memory, on an input file and a submission
// given as bytes and returns the report's bytes. Aborts, so that the fuzzer
// reports it, unless the report is exactly one well-formed block.
std::string evaluateOrAbort(const std::string& input, const std::string& submission);

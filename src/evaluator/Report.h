#pragma once

#include <string>
#include <vector>

#include "base/Assertion.h"
#include "scoring/Placement.h"

// The name the error block gives as the failing check's source file.
extern const char* const kSourceFileName;

// A cost as the report prints it, "%.20e": every bit shows.
std::string costInReport(double cena);

// "OK", the number of results, then one line per result. Each result's echo
// line, with six decimals, is appended to `echo`.
std::string successBlock(const std::vector<Rezultat>& results, std::string& echo);

// The error block's first line, without its line end: the failed check's line
// and message, which ends at a NUL byte if it holds one.
std::string errorLine(const EAssertion& failure);

// The first line of the block for a failure that is not a check's.
extern const char* const kUnexpectedErrorLine;

// The error line, then the score line -1.
std::string errorBlock(const EAssertion& failure);

// For a failure that is not a check's: a fixed text and the score line -1.
std::string unexpectedErrorBlock();

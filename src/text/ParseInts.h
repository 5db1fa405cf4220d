#pragma once

#include <string>
#include <vector>

// Splits a line into decimal ints separated by white space, checking every
// byte and the int range. `values` is cleared first; `lineNo` names the line
// in messages.
void parseInts(const std::string& line, std::vector<int>& values, bool allowNegative, int lineNo);

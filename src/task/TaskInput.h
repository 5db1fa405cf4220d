#pragma once

#include <string>
#include <vector>

#include "text/LineReader.h"

// The task's name: line 1 of the input file and line 2 of a submission.
extern const std::string kTaskName;

constexpr int kMaxTestCases = 100;
constexpr int kMaxCircles = 1000;
constexpr double kMaxRadius = 2.0;

// One test case of the task's input file.
struct TTestCase {
  std::string name;
  int number = 0;
  int nCircles = 0;
  std::vector<double> radii;
};

// Loads and checks the whole input file through the reader of its text; on
// success `testCases` holds the cases in file order, case k + 1 at index k.
// After a failure the reader's lineNo names the line concerned.
void readInput(TLineReader& reader, std::vector<TTestCase>& testCases);

// The same from a text stream, and from the file at `path`, which reads as
// empty when it cannot be opened.
void readInput(std::istream& is, std::vector<TTestCase>& testCases);
void readInput(const char* path, std::vector<TTestCase>& testCases);

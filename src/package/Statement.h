#pragma once

#include <string>

#include "document/Document.h"

// The task's statement, as the package gives it to contestants.

// What the statement says that depends on the package and its judge.
struct TStatementFacts {
  // Kattis and DOMjudge run a program that prints the submission; CMS takes
  // the submission as a file.
  bool program = false;
  int codeLimitKiB = 0;    // The longest program, where one is run.
  double floor = 0;        // The judge's least yardstick.
  std::string inputName;   // The input file, as contestants get it.
  std::string submitName;  // CMS: the name of the field a file is uploaded in.
  // The sample: a small input of its own, and a simple placement of it,
  // shown with its cost. Kattis's statements show its files themselves.
  std::string sampleInput, sampleAnswer;
  double sampleCost = 0;
  bool showSampleFiles = true;
};

// The statement in a language the package writes ("sl" or "en").
TDocument statementOf(const std::string& language, const TStatementFacts& facts);

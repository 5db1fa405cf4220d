#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "task/TaskInput.h"

// A large submission graded by two workers at once: the page's worker checks
// every line and scores the case blocks before a share point, and a helper
// worker scores the blocks from there on, by the same code, from a copy of
// the same bytes. The helper's costs are taken only for blocks that the
// worker found on the same line with the same case number, so a share point
// badly placed costs time, never a cost.

// Where the helper's share of a submission's bytes starts: the first line,
// at or after the first line start at or after `from` (at least 1), that the
// evaluator would read as a case number. npos where there is none, or where
// the text would end first (byte 26).
std::size_t shareStart(std::string_view bytes, std::size_t from);

// The lines before byte `offset`, a line start, as the evaluator counts them.
long long linesBefore(std::string_view bytes, std::size_t offset);

// A case block the helper scored: its case line, counted from the share's
// start (1 its first line), its case number and its cost.
struct TScoredBlock {
  int line;
  int caseNo;
  double cost;
};

// The case blocks of `share`, checked and scored as the evaluator does.
std::vector<TScoredBlock> scoreShare(std::string_view share,
                                     const std::vector<TTestCase>& testCases);

#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Runs the viewer on its arguments (INPUT SUBMISSION OUT.html [--blocks
// LIST], without the program's name); "-" for the page is `out`. The page
// holds itself whole: a list of the blocks, each block's data, and the
// drawing code that shows the chosen one (drawing/draw.js): every disc, each
// lens in a colour of its area, zoom and pan, the cost as the report prints
// it and the list of every overlapping pair. Returns the
// exit code: 0, 1 for files the evaluator refuses (its error line goes to
// `err`, no page is written), 2 for a wrong command line or a page that must
// not or cannot be written.
int runViewerCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

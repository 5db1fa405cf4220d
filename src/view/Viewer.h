#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "scoring/Placement.h"

// One answered case block as the viewer shows it.
struct TViewedBlock {
  Rezultat rezultat;
  std::vector<double> radii;
  std::vector<Tocka> tocke;
};

// Writes the self-contained page: a list of the blocks, and for the chosen
// one a view of the unit square and every disc, the circles coloured by
// their share of the cost (half of each of their lens areas) with a legend
// and a tooltip each, the overlapping regions shaded, the cost as the report
// prints it, and the ten largest overlapping pairs, whose circles a click on
// their row highlights.
void writePage(std::FILE* page, const std::vector<TViewedBlock>& blocks);

// Runs the viewer on its arguments (INPUT SUBMISSION OUT.html [--blocks
// LIST], without the program's name); "-" for the page is `out`. Returns the
// exit code: 0, 1 for files the evaluator refuses (its error line goes to
// `err`, no page is written), 2 for a wrong command line or a page that must
// not or cannot be written.
int runViewerCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

#pragma once

#include <string>
#include <vector>

#include "scoring/Placement.h"

// What the placement viewer and the contestants' page draw, with one drawing
// code: a block's data as JSON here, and the script and style that draw it
// in a browser (drawing/draw.js, drawing/draw.css).

// One answered case block as it is drawn.
struct TViewedBlock {
  Rezultat rezultat;
  std::vector<double> radii;
  std::vector<Tocka> tocke;
};

// {"caseNo": N, "cost": "<the cost as the report prints it>", "r": [radii],
// "x": [..], "y": [..], "pairs": [[a, b, area], ...]}: every number exact, the
// circles numbered from 1, and every overlapping pair, the largest area
// first (a < b, and ascending a and b among equal areas).
std::string blockJson(const TViewedBlock& block);

// The drawing code, for pages to hold inline: the script, which names
// mirvastaPlacement and mirvastaText on the page (src/drawing/viewer.js and
// the modules it imports, joined into one), and the style.
std::string drawingScript();
std::string drawingStyle();

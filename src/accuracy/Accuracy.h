#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Diagnostics that compare the closed-form areas with counts of grid points.
// Each check prints a line to `out` whenever the largest difference seen so
// far, `maxRazlika`, grows, and flushes it: the drivers run until stopped,
// and a line still buffered then would be lost.

// The segment of the disc of radius r beyond the chord at x, relative to r*r.
void checkSegment(double x, double r, double& maxRazlika, std::FILE* out);

// The lens of the r-disc at the origin and the R-disc at (d, 0), relative to r*r.
void checkLens(double r, double R, double d, double& maxRazlika, std::FILE* out);

// The drivers draw from a 64-bit Mersenne Twister seeded with 123. A negative
// `passes` runs forever; otherwise each stops after that many passes and
// returns its largest difference (the search driver its best cost). Every
// few seconds a line on `progress`, unless it is null, says how far it has
// come.
double runSegmentDriver(long passes, std::FILE* out, std::FILE* progress = nullptr);
double runLensDriver(long passes, std::FILE* out, std::FILE* progress = nullptr);
double runPlacementSearch(long passes, std::FILE* out, std::FILE* progress = nullptr);

constexpr const char* kAccuracyUsage =
    "Usage: Tql25Mirvasta-accuracy DRIVER [--passes N]\n"
    "Compares the overlap geometry with grid counts; runs until stopped unless\n"
    "--passes N is given. DRIVER is one of:\n"
    "  segment  the area beyond a chord, for random chords and radii\n"
    "  lens     the area common to two discs, one inside the other\n"
    "  search   the cost of a fixed placement of four circles\n"
    "A progress line goes to standard error every 5 s. --help prints this,\n"
    "--version the version.\n";

// Runs the driver named in `args` (without the program's name); returns the
// exit code: 2, with the reason and the usage on `err`, for anything but a
// valid driver.
int runAccuracyCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

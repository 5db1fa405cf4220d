#include "run/Report.h"

const char* const kSourceFileName = "Tql25Mirvasta.cpp";

void writeSuccessBlock(std::FILE* report, std::FILE* out, const std::vector<Rezultat>& results) {
  std::fprintf(report, "OK\n%d\n", static_cast<int>(results.size()));
  for (const Rezultat& r : results) {
    std::fprintf(report, "%d %.20e\n", r.caseNo, r.cena);
    std::fprintf(out, "Testni primer %d: cena %.6f.\n", r.caseNo, r.cena);
  }
}

// The message is an argument, never the format: it may hold the contestant's
// own text, percent signs included. A NUL byte in it ends it.
void writeErrorBlock(std::FILE* report, const EAssertion& failure) {
  std::fprintf(report, "Napaka [%s:%d]: %s\n-1\n", kSourceFileName, failure.line,
               failure.message.c_str());
}

void writeUnexpectedErrorBlock(std::FILE* report) {
  std::fputs("Nepricakovana napaka.  Predlagamo, da obvestis organizatorje tekmovanja.\n-1\n",
             report);
}

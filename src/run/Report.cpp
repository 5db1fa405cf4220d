#include "run/Report.h"

const char* const kSourceFileName = "Tql25Mirvasta.cpp";

void writeSuccessBlock(std::FILE* report, std::FILE* out, const std::vector<Rezultat>& results) {
  std::fprintf(report, "OK\n%d\n", static_cast<int>(results.size()));
  for (const Rezultat& r : results) {
    std::fprintf(report, "%d %.20e\n", r.caseNo, r.cena);
    std::fprintf(out, "Testni primer %d: cena %.6f.\n", r.caseNo, r.cena);
  }
}

const char* const kUnexpectedErrorLine =
    "Nepricakovana napaka.  Predlagamo, da obvestis organizatorje tekmovanja.";

// The message may hold the contestant's own text, percent signs included, so
// it is never a format. It ends at a NUL byte, as a C string printed into the
// report would.
std::string errorLine(const EAssertion& failure) {
  return "Napaka [" + std::string(kSourceFileName) + ":" + std::to_string(failure.line) +
         "]: " + failure.message.c_str();
}

void writeErrorBlock(std::FILE* report, const EAssertion& failure) {
  std::fprintf(report, "%s\n-1\n", errorLine(failure).c_str());
}

void writeUnexpectedErrorBlock(std::FILE* report) {
  std::fprintf(report, "%s\n-1\n", kUnexpectedErrorLine);
}

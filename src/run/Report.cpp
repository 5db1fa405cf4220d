#include "run/Report.h"

#include <string>

#include "base/Format.h"

const char* const kSourceFileName = "Tql25Mirvasta.cpp";

std::string costInReport(double cena) { return scientificDecimal(cena, 20); }

void writeSuccessBlock(std::FILE* report, std::FILE* out, const std::vector<Rezultat>& results) {
  std::fputs(("OK\n" + std::to_string(results.size()) + "\n").c_str(), report);
  for (const Rezultat& r : results) {
    const std::string caseNo = std::to_string(r.caseNo);
    std::fputs((caseNo + " " + costInReport(r.cena) + "\n").c_str(), report);
    std::fputs(("Testni primer " + caseNo + ": cena " + fixedDecimal(r.cena, 6) + ".\n").c_str(),
               out);
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
  std::fputs((errorLine(failure) + "\n-1\n").c_str(), report);
}

void writeUnexpectedErrorBlock(std::FILE* report) {
  std::fputs((std::string(kUnexpectedErrorLine) + "\n-1\n").c_str(), report);
}

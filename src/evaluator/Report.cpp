#include "evaluator/Report.h"

#include "base/Format.h"

const char* const kSourceFileName = "Tql25Mirvasta.cpp";

std::string costInReport(double cena) { return scientificDecimal(cena, 20); }

std::string successBlock(const std::vector<Rezultat>& results, std::string& echo) {
  std::string block = "OK\n" + std::to_string(results.size()) + "\n";
  for (const Rezultat& r : results) {
    const std::string caseNo = std::to_string(r.caseNo);
    block += caseNo + " " + costInReport(r.cena) + "\n";
    echo += "Testni primer " + caseNo + ": cena " + fixedDecimal(r.cena, 6) + ".\n";
  }
  return block;
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

std::string errorBlock(const EAssertion& failure) { return errorLine(failure) + "\n-1\n"; }

std::string unexpectedErrorBlock() { return std::string(kUnexpectedErrorLine) + "\n-1\n"; }

#include "task/TaskInput.h"

#include "base/Assertion.h"
#include "base/Format.h"
#include "text/Scan.h"
#include "text/TextModeBuf.h"

const std::string kTaskName = "Mirvasta";

void readInput(const char* path, std::vector<TTestCase>& testCases) {
  TTextFile is(path);
  readInput(is, testCases);
}

void readInput(std::istream& is, std::vector<TTestCase>& testCases) {
  TLineReader reader(is);
  readInput(reader, testCases);
}

namespace {

// Reads one case, from its empty first line to its last radius.
void readTestCase(TTestCase& testCase, TLineReader& reader, const std::string& problemName) {
  testCase.name = problemName;

  std::string vrstica;
  reader.readLine(vrstica);
  CHECK(vrstica.empty(), 91, "pred vsakim testnim primerom mora biti prazna vrstica");

  std::vector<int> v;
  reader.readInts(v, 1, false);
  testCase.number = v[0];
  reader.readInts(v, 1, false);
  testCase.nCircles = v[0];
  CHECK(testCase.nCircles >= 1 && testCase.nCircles <= kMaxCircles, 96,
        "stevilo krogov bi moralo biti od 1 do ", kMaxCircles, ", ne pa ", testCase.nCircles);

  testCase.radii.assign(testCase.nCircles, 0.0);
  for (int i = 0; i < testCase.nCircles; ++i) {
    reader.readLine(vrstica);
    double& radius = testCase.radii[i];
    const int c = scanReal(vrstica, radius);
    CHECK(c <= 1, 104, "za ", i, "-tim polmerom bi moral biti konec vrstice");
    CHECK(c == 1, 105, "napaka pri branju ", i, "-tega polmera");
    // Written so that NaN fails as well.
    CHECK(radius > 0 && radius <= kMaxRadius, 106,
          "polmer bi moral biti vecji od 0 in ne vecji od ", fixedDecimal(kMaxRadius, 6));
  }
}

}  // namespace

void readInput(TLineReader& reader, std::vector<TTestCase>& testCases) {
  std::string problemName;
  reader.readLine(problemName);
  CHECK(problemName == kTaskName, 117, "v prvi vrstici bi moral biti niz \"", kTaskName,
        "\", ne pa \"", problemName, "\"");

  std::string s;
  reader.readLine(s);
  const TScannedInt scanned = scanInt(s);
  int nTestCases = 0;
  CHECK(scanned.count == 1 && scanned.within(1, kMaxTestCases, nTestCases), 122,
        "v drugi vrstici bi moralo biti stevilo testnih primerov, ne pa \"", s, "\"");

  testCases.clear();
  for (int i = 1; i <= nTestCases; ++i) {
    const int before = reader.lineNo;
    TTestCase testCase{};
    readTestCase(testCase, reader, problemName);
    CHECK(testCase.number == i, 129, "v vrsticah ", before, "..", reader.lineNo,
          " bi moral biti testni primer stevilka ", i, ", ne pa ", testCase.number);
    testCases.push_back(testCase);
  }
  reader.expectEnd();
}

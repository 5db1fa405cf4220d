#include "scoring/Placement.h"

#include <string>

#include "base/Assertion.h"
#include "text/Scan.h"

void readPlacement(TResitev& resitev, TLineReader& reader, int caseNo, const TTestCase& testCase) {
  resitev.caseNo = caseNo;
  resitev.testCase = &testCase;
  resitev.n = testCase.nCircles;
  resitev.tocke.resize(resitev.n);

  std::string vrstica;
  for (int i = 0; i < resitev.n; ++i) {
    reader.readLine(vrstica);
    double x = 0, y = 0;
    const int m = scanRealPair(vrstica, x, y);
    const int L = reader.lineNo;
    CHECK(m <= 2, 203, "v ", L, ". vrstici je za koordinatama se nekaj");
    CHECK(m >= 2, 204, "v ", L, ". vrstici bi morali biti dve realni stevili (koordinati sredisca ",
          i + 1, "-tega kroga)");
    // Negated comparisons, so that NaN fails.
    CHECK(x >= 0.0, 205, "v ", L, ". vrstici bi morala biti x-koordinata vecja ali enaka 0");
    CHECK(y >= 0.0, 206, "v ", L, ". vrstici bi morala biti y-koordinata vecja ali enaka 0");
    CHECK(x <= 1.0, 207, "v ", L, ". vrstici bi morala biti x-koordinata manjsa ali enaka 1");
    CHECK(y <= 1.0, 208, "v ", L, ". vrstici bi morala biti y-koordinata manjsa ali enaka 1");
    resitev.tocke[i] = Tocka{x, y};
  }
}

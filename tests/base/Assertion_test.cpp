#include "base/Assertion.h"

#include <gtest/gtest.h>

namespace {

TEST(JoinMessage, ConcatenatesPiecesInOrder) {
  const std::string line("a\0b", 3);
  EXPECT_EQ("v 12. vrstici \"a" + std::string("\0b", 2) + "\" -3x",
            joinMessage("v ", 12, ". vrstici \"", line, "\" ", -3, 'x'));
  EXPECT_EQ("-2147483648", joinMessage(INT32_MIN));
}

int piecesBuilt = 0;
std::string countedPiece() {
  ++piecesBuilt;
  return "piece";
}

TEST(Check, PassingCheckBuildsNoMessage) {
  piecesBuilt = 0;
  CHECK(1 + 1 == 2, 70, countedPiece());
  EXPECT_EQ(0, piecesBuilt);
}

TEST(Check, FailingCheckThrowsMessageAndFixedLine) {
  try {
    CHECK(1 + 1 == 3, 259, "od 1 do ", 6, ", ne pa ", countedPiece());
    FAIL() << "no failure raised";
  } catch (const EAssertion& failure) {
    EXPECT_EQ("od 1 do 6, ne pa piece", failure.message);
    EXPECT_EQ(259, failure.line);
    EXPECT_NE(std::string::npos, failure.file.find("Assertion_test.cpp"));
  }
}

TEST(SoftCheck, ReportsOnlyAFalseConditionAndReturnsIt) {
  testing::internal::CaptureStderr();
  EXPECT_TRUE(softCheck(true, "a.cpp", 1, "never shown"));
  EXPECT_FALSE(softCheck(false, "Tql25Mirvasta.cpp", 42, "n > 0"));
  EXPECT_EQ("[Tql25Mirvasta.cpp:42] Assertion failure (n > 0)\n",
            testing::internal::GetCapturedStderr());
}

}  // namespace

#include "task/TaskInput.h"

#include <gtest/gtest.h>

#include "support/Failure.h"
#include "support/TempFile.h"

namespace {

std::string load(const std::string& content, std::vector<TTestCase>& testCases) {
  TTempFile file(content);
  return failureOf([&] { readInput(file.path().c_str(), testCases); });
}

TEST(ReadInput, LoadsEveryCaseInFileOrder) {
  std::vector<TTestCase> testCases;
  ASSERT_EQ("", load("Mirvasta\n2\n\n1\n2\n0.5\n  0.25\n\n2\n1\n2", testCases));
  ASSERT_EQ(2u, testCases.size());
  EXPECT_EQ("Mirvasta", testCases[0].name);
  EXPECT_EQ(1, testCases[0].number);
  EXPECT_EQ(2, testCases[0].nCircles);
  EXPECT_EQ((std::vector<double>{0.5, 0.25}), testCases[0].radii);
  EXPECT_EQ(2, testCases[1].number);
  EXPECT_EQ((std::vector<double>{2.0}), testCases[1].radii);
}

TEST(ReadInput, CrLfLineEndsReadAsLineFeeds) {
  std::vector<TTestCase> lf, crlf;
  ASSERT_EQ("", load("Mirvasta\n1\n\n1\n1\n1e-3\n", lf));
  ASSERT_EQ("", load("Mirvasta\r\n1\r\n\r\n1\r\n1\r\n1e-3\r\n\x1a", crlf));
  EXPECT_EQ(lf[0].radii, crlf[0].radii);
}

// A file with one case of one circle, its lines replaced one at a time.
std::string oneCase(const std::string& count = "1", const std::string& blank = "",
                    const std::string& number = "1", const std::string& circles = "1",
                    const std::string& radius = "0.5") {
  return "Mirvasta\n" + count + "\n" + blank + "\n" + number + "\n" + circles + "\n" + radius +
         "\n";
}

TEST(ReadInput, ReportsTheFirstDefectInReadingOrder) {
  const struct {
    std::string content;
    std::string failure;
  } cases[] = {
      {"", "70: manjka 1. vrstica"},
      {"Mirvasta ", "117: v prvi vrstici bi moral biti niz \"Mirvasta\", ne pa \"Mirvasta \""},
      {"mirvasta\n1\n", "117: v prvi vrstici bi moral biti niz \"Mirvasta\", ne pa \"mirvasta\""},
      {"Mirvasta", "70: manjka 2. vrstica"},
      {oneCase("  7"), "70: manjka 7. vrstica"},
      {oneCase("+1"), ""},
      {oneCase("7 "), "122: v drugi vrstici bi moralo biti stevilo testnih primerov, ne pa \"7 \""},
      {oneCase("7.0"),
       "122: v drugi vrstici bi moralo biti stevilo testnih primerov, ne pa \"7.0\""},
      {oneCase("0"), "122: v drugi vrstici bi moralo biti stevilo testnih primerov, ne pa \"0\""},
      {oneCase("101"),
       "122: v drugi vrstici bi moralo biti stevilo testnih primerov, ne pa \"101\""},
      {oneCase(""), "122: v drugi vrstici bi moralo biti stevilo testnih primerov, ne pa \"\""},
      // Wraps to 1 in the C library's scan; must not be taken for 1.
      {oneCase("4294967297"),
       "122: v drugi vrstici bi moralo biti stevilo testnih primerov, ne pa \"4294967297\""},
      {oneCase("1", " "), "91: pred vsakim testnim primerom mora biti prazna vrstica"},
      {oneCase("1", "", "1 1"), "73: v 4. vrstici bi moralo biti 1 stevil, ne pa 2"},
      {oneCase("1", "", "1", "0"), "96: stevilo krogov bi moralo biti od 1 do 1000, ne pa 0"},
      {oneCase("1", "", "1", "1001"), "96: stevilo krogov bi moralo biti od 1 do 1000, ne pa 1001"},
      {oneCase("1", "", "1", "-1"), "49: namesto stevke se v 5. vrstici pojavlja znak '-' (minus)"},
      {oneCase("1", "", "1", "1", "0.5 "), "104: za 0-tim polmerom bi moral biti konec vrstice"},
      {oneCase("1", "", "1", "1", "0.5x"), "104: za 0-tim polmerom bi moral biti konec vrstice"},
      {oneCase("1", "", "1", "1", std::string("0.5\0", 4)),
       "104: za 0-tim polmerom bi moral biti konec vrstice"},
      {oneCase("1", "", "1", "1", ""), "105: napaka pri branju 0-tega polmera"},
      {oneCase("1", "", "1", "1", "abc"), "105: napaka pri branju 0-tega polmera"},
      {oneCase("1", "", "1", "1", "0"),
       "106: polmer bi moral biti vecji od 0 in ne vecji od 2.000000"},
      {oneCase("1", "", "1", "1", "-0.5"),
       "106: polmer bi moral biti vecji od 0 in ne vecji od 2.000000"},
      {oneCase("1", "", "1", "1", "2.0000001"),
       "106: polmer bi moral biti vecji od 0 in ne vecji od 2.000000"},
      {oneCase("1", "", "1", "1", "nan"),
       "106: polmer bi moral biti vecji od 0 in ne vecji od 2.000000"},
      {oneCase("1", "", "1", "1", "inf"),
       "106: polmer bi moral biti vecji od 0 in ne vecji od 2.000000"},
      {oneCase("1", "", "1", "1", "2"), ""},
      {oneCase("1", "", "2"),
       "129: v vrsticah 2..6 bi moral biti testni primer stevilka 1, ne pa 2"},
      // The radius is read before the case number is compared.
      {oneCase("1", "", "2", "1", "x"), "105: napaka pri branju 0-tega polmera"},
      {oneCase() + "\n", "74: prisotna je tudi 7. vrstica, pricakoval bi konec datoteke"},
      {oneCase() + "x", "74: prisotna je tudi 7. vrstica, pricakoval bi konec datoteke"},
      {"Mirvasta\n2\n\n1\n1\n0.5\n\n3\n1\n0.5\n",
       "129: v vrsticah 6..10 bi moral biti testni primer stevilka 2, ne pa 3"},
      {"Mirvasta\n1\n\n1\n2\n0.5\n3\n",
       "106: polmer bi moral biti vecji od 0 in ne vecji od 2.000000"},
      {"Mirvasta\n1\n\n1\n3\n0.5\n1\n", "70: manjka 8. vrstica"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.content));
    std::vector<TTestCase> testCases;
    EXPECT_EQ(c.failure, load(c.content, testCases));
  }
}

TEST(ReadInput, NamesTheRadiusByItsIndexFromZero) {
  std::vector<TTestCase> testCases;
  EXPECT_EQ("105: napaka pri branju 2-tega polmera",
            load("Mirvasta\n1\n\n1\n3\n0.5\n0.5\n\n", testCases));
}

}  // namespace

#include "evaluator/Report.h"

#include <gtest/gtest.h>

namespace {

// The blocks' exact bytes: the platform reads them, and the contestants.
TEST(Report, WritesEachBlockToTheByte) {
  EXPECT_EQ("Nepricakovana napaka.  Predlagamo, da obvestis organizatorje tekmovanja.\n-1\n",
            unexpectedErrorBlock());
  EXPECT_EQ("Napaka [Tql25Mirvasta.cpp:258]: v 3. vrstici 100%\n-1\n",
            errorBlock(EAssertion("v 3. vrstici 100%", "a.cpp", 258)));
  std::string echo;
  EXPECT_EQ("OK\n2\n2 0.00000000000000000000e+00\n1 1.50000000000000000000e+00\n",
            successBlock({{2, 0.0}, {1, 1.5}}, echo));
  EXPECT_EQ("Testni primer 2: cena 0.000000.\nTestni primer 1: cena 1.500000.\n", echo);
}

}  // namespace

#include "text/LineReader.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/Failure.h"
#include "support/TextStream.h"

namespace {

TEST(LineReader, ReadsEveryLineWithOrWithoutAFinalLineFeed) {
  for (std::string bytes : {"a\nb", "a\nb\n", "a\r\nb\r\n", "a\r\nb\x1a\nc"}) {
    SCOPED_TRACE(testing::PrintToString(bytes));
    TMemoryText file(bytes);
    TLineReader reader(file.is);
    std::string line = "old";
    reader.readLine(line);
    EXPECT_EQ("a", line);
    reader.readLine(line);
    EXPECT_EQ("b", line);
    EXPECT_EQ(2, reader.lineNo);
    EXPECT_EQ("", failureOf([&] { reader.expectEnd(); }));
    EXPECT_EQ("70: manjka 4. vrstica", failureOf([&] { reader.readLine(line); }));
  }
}

TEST(LineReader, NamesTheMissingOrSurplusLine) {
  {
    TMemoryText file("");
    TLineReader reader(file.is);
    std::string line;
    EXPECT_EQ("70: manjka 1. vrstica", failureOf([&] { reader.readLine(line); }));
  }
  {
    TMemoryText file("a\nb\n\n");
    TLineReader reader(file.is);
    std::string line;
    reader.readLine(line);
    reader.readLine(line);
    EXPECT_EQ("74: prisotna je tudi 3. vrstica, pricakoval bi konec datoteke",
              failureOf([&] { reader.expectEnd(); }));
  }
  {
    TMemoryText file("\n\n");
    TLineReader reader(file.is);
    std::string line = "old";
    reader.readLine(line);
    EXPECT_EQ("", line);
    EXPECT_EQ(1, reader.lineNo);
  }
}

TEST(LineReader, RefusesToCountPastTheIntRange) {
  TMemoryText file("a\nb\nc\n");
  TLineReader reader(file.is);
  reader.lineNo = INT32_MAX - 1;
  std::string line;
  reader.readLine(line);
  EXPECT_EQ(INT32_MAX, reader.lineNo);
  EXPECT_THROW(reader.readLine(line), std::overflow_error);
  EXPECT_THROW(reader.nextLine(line), std::overflow_error);
}

TEST(LineReader, ReadIntsChecksTheCountAfterTheFields) {
  const struct {
    std::string line;
    int count;
    std::string failure;
  } cases[] = {
      {"", 1, "73: v 1. vrstici bi moralo biti 1 stevil, ne pa 0"},
      {"3 4", 1, "73: v 1. vrstici bi moralo biti 1 stevil, ne pa 2"},
      {"3 x", 1, "51: namesto stevke se v 1. vrstici pojavlja znak s kodo 120"},
      {"-3", 1, "49: namesto stevke se v 1. vrstici pojavlja znak '-' (minus)"},
      {" 7 ", 1, ""},
      {"1 2 3", -1, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    TMemoryText file(c.line + "\n");
    TLineReader reader(file.is);
    std::vector<int> values;
    EXPECT_EQ(c.failure, failureOf([&] { reader.readInts(values, c.count, false); }));
  }
}

}  // namespace

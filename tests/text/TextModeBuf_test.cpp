#include "text/TextModeBuf.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/FailingSource.h"
#include "support/TempFile.h"
#include "support/TextStream.h"

namespace {

std::string translate(const std::string& bytes) {
  TMemoryText file(bytes);
  return std::string(std::istreambuf_iterator<char>(file.is), {});
}

TEST(TextModeBuf, DropsOnlyACarriageReturnBeforeALineFeedAndStopsAtByte26) {
  const struct {
    std::string raw, text;
  } cases[] = {
      {"", ""},
      {"a\r\nb\r\n", "a\nb\n"},
      {"a\nb\r\n", "a\nb\n"},
      {"a\rb", "a\rb"},
      {"a\r\r\n", "a\r\n"},
      {"a\r", "a\r"},
      {"a\r\x1a\n", "a\r"},
      {"ab\x1a"
       "cd\n",
       "ab"},
      {"\x1a", ""},
      {"a\n\r\n\r\n", "a\n\n\n"},
      {std::string("a\0\r\n", 4), std::string("a\0\n", 3)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.raw));
    EXPECT_EQ(c.text, translate(c.raw));
  }
}

// The raw file is read in blocks of 65536 bytes; a carriage return at a
// block's end must wait for the next block.
TEST(TextModeBuf, PairsACarriageReturnWithALineFeedAcrossBlocks) {
  const std::size_t block = 1 << 16;
  for (std::size_t at : {block - 2, block - 1, block, 2 * block - 1}) {
    SCOPED_TRACE(at);
    std::string crlf(at, 'x');
    crlf += "\r\ny\r";
    EXPECT_EQ(std::string(at, 'x') + "\ny\r", translate(crlf));
    std::string lone(at, 'x');
    lone += "\rz";
    EXPECT_EQ(lone, translate(lone));
    std::string ctrlZ(at, 'x');
    ctrlZ += "\r\x1a\n";
    EXPECT_EQ(std::string(at, 'x') + "\r", translate(ctrlZ));
  }
}

TEST(TextStream, ASourceFailingAtOnceReadsAsEmpty) {
  TFailingSource source("");
  TTextStream is(source);
  std::string line;
  EXPECT_FALSE(std::getline(is, line));
}

TEST(TextStream, AReadErrorAfterTheFirstBytesIsNotTakenForTheEnd) {
  TFailingSource source("line 1\nline");
  TTextStream is(source);
  std::string line;
  ASSERT_TRUE(std::getline(is, line));
  EXPECT_THROW(std::getline(is, line), std::runtime_error);
}

TEST(TextFile, ReadsAFileAsTextAndAMissingFileOrAFolderAsEmpty) {
  TTempFile file(
      "a\r\nb\x1a"
      "c");
  std::string line;
  TTextFile is(file.path().c_str());
  ASSERT_TRUE(std::getline(is, line));
  EXPECT_EQ("a", line);
  ASSERT_TRUE(std::getline(is, line));
  EXPECT_EQ("b", line);
  EXPECT_FALSE(std::getline(is, line));

  for (std::string path : {file.path() + ".missing", std::string("/")}) {
    SCOPED_TRACE(path);
    TTextFile missing(path.c_str());
    EXPECT_FALSE(std::getline(missing, line));
  }
}

}  // namespace

#include "text/LineReader.h"

#include <climits>
#include <stdexcept>

#include "base/Assertion.h"
#include "text/ParseInts.h"
#include "text/TextModeBuf.h"

// The counter moves before a read is judged, so that a message about a missing
// or surplus line names that line. A read fails only when it extracts no byte
// at all; reaching the end after a last line without a line feed does not.

// Only a file of more than two thousand million lines gets here: not a
// submission to grade, and no line number to name in a message.
void TLineReader::countLine() {
  if (lineNo == INT_MAX) throw std::overflow_error("more lines than an int counts");
  ++lineNo;
}

TLineReader::TLineReader(std::istream& is)
    : is_(is), text_(dynamic_cast<TTextModeBuf*>(is.rdbuf())) {}

bool TLineReader::getLine(std::string& line) {
  // libc++'s getline, the page's, extracts a byte at a time; this takes a
  // block at a time, with the same result and the same state of the stream.
  if (text_ == nullptr || !is_.good()) {
    std::getline(is_, line);
    return !is_.fail();
  }
  bool ended = false;
  const bool any = text_->takeLine(line, ended);
  if (ended) is_.setstate(any ? std::ios::eofbit : std::ios::eofbit | std::ios::failbit);
  return any;
}

void TLineReader::readLine(std::string& line) {
  getLine(line);
  countLine();
  CHECK(!is_.fail(), 70, "manjka ", lineNo, ". vrstica");
}

void TLineReader::readInts(std::vector<int>& values, int count, bool allowNegative) {
  std::string line;
  readLine(line);
  parseInts(line, values, allowNegative, lineNo);
  CHECK(count < 0 || static_cast<int>(values.size()) == count, 73, "v ", lineNo,
        ". vrstici bi moralo biti ", count, " stevil, ne pa ", static_cast<int>(values.size()));
}

bool TLineReader::nextLine(std::string& line) {
  if (!getLine(line)) return false;
  countLine();
  return true;
}

void TLineReader::expectEnd() {
  std::string line;
  getLine(line);
  countLine();
  CHECK(is_.fail(), 74, "prisotna je tudi ", lineNo, ". vrstica, pricakoval bi konec datoteke");
}

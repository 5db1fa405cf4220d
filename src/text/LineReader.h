#pragma once

#include <istream>
#include <string>
#include <vector>

// Reads an open text stream line by line and counts the lines consumed, so
// that every message can name the line concerned.
class TLineReader {
 public:
  explicit TLineReader(std::istream& is);
  TLineReader(const TLineReader&) = delete;
  TLineReader& operator=(const TLineReader&) = delete;

  // Replaces `line` with the next line, without its line feed.
  void readLine(std::string& line);
  // Reads the next line as integers; a count of 0 or more is the number of
  // values the line must hold.
  void readInts(std::vector<int>& values, int count, bool allowNegative);
  // Requires that no further line follows.
  void expectEnd();
  // Replaces `line` with the next line and counts it, or returns false at the
  // end of the input, where a missing line is no failure.
  bool nextLine(std::string& line);

  // Lines consumed so far.
  int lineNo = 0;

 private:
  // Throws std::overflow_error past the int range.
  void countLine();
  // std::getline(is_, line); whether it read a line.
  bool getLine(std::string& line);

  std::istream& is_;
  class TTextModeBuf* text_;  // The stream's buffer, where it reads text mode itself.
};

#pragma once

#include <fstream>
#include <istream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

// Byte 26 (Ctrl-Z), which ends a text as the grading platform reads it.
constexpr char kEndOfText = 26;

// Shows a byte source as the grading platform's text mode reads a file: a
// carriage return immediately followed by a line feed is dropped, any other
// carriage return stays, and byte 26 (Ctrl-Z) ends the input. Every read of a
// stream over this buffer sees the translation, whether through a line reader
// or straight from the stream.
class TTextModeBuf : public std::streambuf {
 public:
  explicit TTextModeBuf(std::streambuf& source);

  // What std::getline extracts, taken a block at a time: `line` becomes the
  // rest of the current line, without its line feed, which is consumed.
  // Returns whether any byte, a line feed included, was taken; `ended` says
  // whether the end of the input was reached.
  bool takeLine(std::string& line, bool& ended);

 protected:
  int_type underflow() override;

 private:
  // Reads the next raw block and translates it into the get area; false once
  // the source is exhausted.
  bool refill();

  std::streambuf& source_;
  std::vector<char> buffer_;
  bool pendingCr_ = false;  // A carriage return whose successor is not read yet.
  bool ended_ = false;
  bool deliveredAny_ = false;
};

// A byte source read as text, through a TTextModeBuf. A source that fails
// before its first byte reads as empty, like a file that cannot be opened; a
// read error after the first bytes is thrown out of the read, so that it is
// never taken for the end of the input.
class TTextStream : public std::istream {
 public:
  explicit TTextStream(std::streambuf& source);

 private:
  TTextModeBuf text_;
};

namespace text_detail {
// The byte sources, as bases that are built before the stream over them.
struct TFileSource {
  std::filebuf file;
};
struct TBytesSource : std::streambuf {
  TBytesSource(const char* data, std::size_t size);
};
}  // namespace text_detail

// An input file opened for reading as text. A file that cannot be opened or
// read at all reads as an empty file.
class TTextFile : private text_detail::TFileSource, public TTextStream {
 public:
  explicit TTextFile(const char* path);
};

// Bytes in memory read as text, without a copy: they must outlive the stream.
class TTextBytes : private text_detail::TBytesSource, public TTextStream {
 public:
  explicit TTextBytes(std::string_view bytes);
};

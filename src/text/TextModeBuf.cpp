#include "text/TextModeBuf.h"

#include <cstring>

namespace {
constexpr std::size_t kBlockSize = 1 << 16;

// The first carriage return or byte 26 in [in, end), or end.
const char* findSpecial(const char* in, const char* end) {
  const void* cr = std::memchr(in, '\r', end - in);
  const char* stop = cr ? static_cast<const char*>(cr) : end;
  const void* eot = std::memchr(in, kEndOfText, stop - in);
  return eot ? static_cast<const char*>(eot) : stop;
}
}  // namespace

// One byte more than a block: a carriage return held back from the previous
// block may have to be written in front of the new block's bytes.
TTextModeBuf::TTextModeBuf(std::streambuf& source) : source_(source), buffer_(kBlockSize + 1) {}

TTextModeBuf::int_type TTextModeBuf::underflow() {
  while (gptr() == egptr()) {
    if (!refill()) return traits_type::eof();
  }
  return traits_type::to_int_type(*gptr());
}

bool TTextModeBuf::takeLine(std::string& line, bool& ended) {
  line.clear();
  ended = false;
  bool any = false;
  for (;;) {
    if (gptr() == egptr() && underflow() == traits_type::eof()) {
      ended = true;
      return any;
    }
    const char* const begin = gptr();
    const std::size_t size = egptr() - begin;
    const void* feed = std::memchr(begin, '\n', size);
    const std::size_t taken = feed ? static_cast<const char*>(feed) - begin : size;
    line.append(begin, taken);
    any = true;
    // A block is at most kBlockSize + 1 bytes: an int counts it.
    gbump(static_cast<int>(feed ? taken + 1 : taken));
    if (feed) return true;
  }
}

bool TTextModeBuf::refill() {
  if (ended_) return false;
  char* const begin = buffer_.data();
  char* const raw = begin + 1;
  std::streamsize got;
  try {
    got = source_.sgetn(raw, kBlockSize);
  } catch (...) {
    // A source that fails before its first byte was never readable: like a
    // file that could not be opened, it reads as empty.
    if (!deliveredAny_) {
      ended_ = true;
      return false;
    }
    throw;
  }
  deliveredAny_ = deliveredAny_ || got > 0;

  // Translates in place. The output starts at the raw bytes, or one byte
  // earlier when a held-back CR goes in front of them, so it never overtakes
  // the input. Runs free of CR and byte 26, most files whole, stay where they are.
  const char* in = raw;
  const char* const end = raw + got;
  char* start = raw;
  if (pendingCr_ && in < end) {
    pendingCr_ = false;
    if (*in != '\n') *--start = '\r';
  }
  char* out = raw;
  while (in < end) {
    const char* special = findSpecial(in, end);
    if (out != in) std::memmove(out, in, special - in);
    out += special - in;
    in = special;
    if (in == end) break;
    if (*in++ == kEndOfText) {
      ended_ = true;
      break;
    }
    // A carriage return: dropped before a line feed, held back at the block's end.
    if (in == end) {
      pendingCr_ = true;
    } else if (*in != '\n') {
      *out++ = '\r';
    }
  }
  if (got == 0) {
    ended_ = true;
    if (pendingCr_) *out++ = '\r';
    pendingCr_ = false;
  }
  setg(start, start, out);
  return out > start || !ended_;
}

TTextStream::TTextStream(std::streambuf& source) : std::istream(nullptr), text_(source) {
  rdbuf(&text_);
  // A read error reaches the caller instead of reading as the end.
  exceptions(std::ios::badbit);
}

namespace text_detail {
TBytesSource::TBytesSource(const char* data, std::size_t size) {
  // The get area is only read, never written through.
  char* begin = const_cast<char*>(data);
  setg(begin, begin, begin + size);
}
}  // namespace text_detail

TTextFile::TTextFile(const char* path) : TTextStream(file) {
  // Unbuffered: the text-mode buffer reads whole blocks itself.
  file.pubsetbuf(nullptr, 0);
  file.open(path, std::ios::in | std::ios::binary);
}

TTextBytes::TTextBytes(std::string_view bytes)
    : TBytesSource(bytes.data(), bytes.size()), TTextStream(static_cast<TBytesSource&>(*this)) {}

#include "text/TextModeBuf.h"

#include <cstring>

namespace {
constexpr std::size_t kBlockSize = 1 << 16;
constexpr char kEndOfText = 26;
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

  // Translates in place: the output never overtakes the input, because it
  // starts one byte earlier and never grows by more than the held-back CR.
  char* out = begin;
  const char* in = raw;
  const char* const end = raw + got;
  if (pendingCr_ && in < end) {
    pendingCr_ = false;
    if (*in != '\n') *out++ = '\r';
  }
  while (in < end) {
    const char c = *in++;
    if (c == kEndOfText) {
      ended_ = true;
      break;
    }
    if (c == '\r') {
      if (in == end) {
        pendingCr_ = true;
        break;
      }
      if (*in == '\n') continue;
    }
    *out++ = c;
  }
  if (got == 0) {
    ended_ = true;
    if (pendingCr_) *out++ = '\r';
    pendingCr_ = false;
  }
  setg(begin, begin, out);
  return out > begin || !ended_;
}

TTextFile::TTextFile(const char* path) : std::istream(nullptr), text_(file_) {
  // Unbuffered: the text-mode buffer reads whole blocks itself.
  file_.pubsetbuf(nullptr, 0);
  file_.open(path, std::ios::in | std::ios::binary);
  rdbuf(&text_);
  exceptions(std::ios::badbit);
}

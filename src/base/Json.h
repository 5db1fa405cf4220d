#pragma once

#include <string>
#include <vector>

#include "base/Format.h"

// A JSON text, written value by value: the one writer of every JSON the
// project writes (the drawing's data, the page's answers). A string may hold
// any bytes: each byte stands for the character of its value, so that a
// reader recovers the bytes exactly; doubles are written exactly, as the
// shortest decimal that reads back as the same double.
class TJson {
 public:
  TJson& beginObject() { return open('{'); }
  TJson& endObject() { return close('}'); }
  TJson& beginArray() { return open('['); }
  TJson& endArray() { return close(']'); }
  // An object's member name; its value follows.
  TJson& key(const char* name) {
    value();
    quoted(name);
    text_ += ':';
    afterKey_ = true;
    return *this;
  }
  TJson& text(const std::string& bytes) {
    value();
    quoted(bytes);
    return *this;
  }
  TJson& number(int n) { return number(static_cast<long long>(n)); }
  TJson& number(long long n) {
    value();
    text_ += std::to_string(n);
    return *this;
  }
  TJson& number(double x) {
    value();
    text_ += shortestDecimal(x);
    return *this;
  }
  TJson& boolean(bool b) {
    value();
    text_ += b ? "true" : "false";
    return *this;
  }
  TJson& null() {
    value();
    text_ += "null";
    return *this;
  }
  const std::string& str() const { return text_; }

 private:
  // Before a value or a key: a comma unless it is its container's first.
  void value() {
    if (afterKey_) {
      afterKey_ = false;
    } else if (!first_.empty()) {
      if (!first_.back()) text_ += ',';
      first_.back() = false;
    }
  }
  TJson& open(char bracket) {
    value();
    text_ += bracket;
    first_.push_back(true);
    return *this;
  }
  TJson& close(char bracket) {
    first_.pop_back();
    text_ += bracket;
    return *this;
  }
  void quoted(const std::string& bytes) {
    static const char* const kHex = "0123456789abcdef";
    text_ += '"';
    for (unsigned char c : bytes) {
      if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
        text_ += static_cast<char>(c);
      } else {
        text_ += {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 15]};
      }
    }
    text_ += '"';
  }

  std::string text_;
  std::vector<bool> first_;  // For each open container: no value in it yet.
  bool afterKey_ = false;
};

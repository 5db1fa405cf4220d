#pragma once

// Byte classes as the C library sees them in its default locale; bytes of
// 128 or more are never blanks or digits.

// Blank, tab, line feed, vertical tab, form feed, carriage return.
inline bool isBlank(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

inline bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

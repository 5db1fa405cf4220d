#pragma once

#include <string>

// Formatted scans of a whole line, done here rather than by the C library,
// whose scans differ between platforms on exactly the unusual forms. Each
// returns what the grading platform's sscanf returns for its format, judged
// on the whole text: a NUL byte counts as an ordinary character, not as the
// end of the line.

// An integer as "%d%c" scans it, with its exact value however large.
struct TScannedInt {
  int count = -1;  // Items "%d%c" would assign; -1 for an empty or blank line.
  bool negative = false;
  std::string magnitude;  // Decimal digits without leading zeros ("0" for zero).

  // The exact value in decimal, as an integer prints.
  std::string decimal() const;
  // Stores the value when it lies within [low, high].
  bool within(int low, int high, int& value) const;
};

TScannedInt scanInt(const std::string& line);

// The two real scans take what "%lf" takes: blanks, a sign, then "nan",
// "inf" or "infinity" in any case, a hexadecimal number after "0x", or a
// decimal one; an exponent letter is taken even without digits after it.
// Values are correctly rounded.

// "%lf%c" into `value`.
int scanReal(const std::string& line, double& value);

// "%lf %lf%c" into `x` and `y`.
int scanRealPair(const std::string& line, double& x, double& y);

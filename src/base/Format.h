#pragma once

#include <string>

// Doubles in decimal, exactly as C's printf writes them in its default
// locale, but by an exact conversion of our own standard library rather
// than the platform's printf, whose last digits differ between C libraries.

// "%.<decimals>f".
std::string fixedDecimal(double value, int decimals);

// "%.<digits>e".
std::string scientificDecimal(double value, int digits);

// The shortest decimal that reads back as the same double.
std::string shortestDecimal(double value);

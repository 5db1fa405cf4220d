#include "base/Format.h"

#include <gtest/gtest.h>

namespace {

// Decimal ties round to even, on the exact binary value: 2^-7 is 0.0078125.
TEST(Format, WritesWhatPrintfWrites) {
  const struct {
    double value;
    const char* fixed6;
    const char* scientific20;
  } cases[] = {
      {0.0, "0.000000", "0.00000000000000000000e+00"},
      {0x1p-7, "0.007812", "7.81250000000000000000e-03"},
      {0x1.8p-6, "0.023438", "2.34375000000000000000e-02"},
      {1.02602291656132105224, "1.026023", "1.02602291656132105224e+00"},
      {2.0, "2.000000", "2.00000000000000000000e+00"},
      {0x1p-1074, "0.000000", "4.94065645841246544177e-324"},
      {123456789.5, "123456789.500000", "1.23456789500000000000e+08"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.fixed6, fixedDecimal(c.value, 6));
    EXPECT_EQ(c.scientific20, scientificDecimal(c.value, 20));
  }
}

}  // namespace

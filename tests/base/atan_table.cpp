// Prints the table of atan(i / 256) that src/base/Atan2.cpp holds, from
// MPFR: the rows to paste when the table's size changes.

#include <cstdio>

#include "base/Atan2_detail.h"
#include "support/Mpfr.h"

int main() {
  for (int i = 0; i <= atan2_detail::kTableSteps; ++i) {
    double hi, lo;
    mpfrAtanOfStep(i, hi, lo);
    std::printf("    {%a, %a},\n", hi, lo);
  }
}

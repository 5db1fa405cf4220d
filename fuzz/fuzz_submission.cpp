// Fuzzes a submission against a fixed valid input, so that the fuzzer spends
// its time on case blocks, centre lines and costs.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzHarness.h"

namespace {
const char* const kInput =
    "Mirvasta\n4\n"
    "\n1\n1\n0.5\n"
    "\n2\n3\n0.1\n0.25\n0.3\n"
    "\n3\n2\n2\n1e-3\n"
    "\n4\n40\n";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string input = [] {
    // Case 4 has enough circles for the cost's grid to take over.
    std::string text = kInput;
    for (int i = 0; i < 40; ++i) text += i % 2 ? "0.01\n" : "0.03\n";
    return text;
  }();
  evaluateOrAbort(input, std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}

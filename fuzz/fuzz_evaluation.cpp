// Fuzzes both files: the data is a task input file, then a line "====", then
// a submission.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t separator = bytes.find("====\n");
  if (separator == std::string::npos) {
    evaluateOrAbort(bytes, "");
  } else {
    evaluateOrAbort(bytes.substr(0, separator), bytes.substr(separator + 5));
  }
  return 0;
}

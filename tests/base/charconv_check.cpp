// Prints how the evaluator reads and writes a large set of numbers: edge
// texts and random ones, decimal and hexadecimal, and random doubles of every
// scale. Built once with the standard library's <charconv> and once with the
// stand-in, natively and for the page under node, they must print the same
// lines (charconv_check.py compares them).

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "base/Format.h"
#include "text/Scan.h"

namespace {

std::uint64_t bits(double value) {
  std::uint64_t b;
  std::memcpy(&b, &value, sizeof b);
  return b;
}

void printScan(const std::string& text) {
  double value = 0;
  const int count = scanReal(text, value);
  std::printf("scan %s %d %016" PRIx64 "\n", text.c_str(), count, bits(value));
}

void printFormats(double value) {
  std::printf("format %016" PRIx64 " %s %s %s %s %s\n", bits(value),
              scientificDecimal(value, 20).c_str(), scientificDecimal(value, 6).c_str(),
              fixedDecimal(value, 6).c_str(), fixedDecimal(value, 2).c_str(),
              shortestDecimal(value).c_str());
}

std::string digits(std::mt19937_64& random, int count, const char* alphabet, int base) {
  std::string text;
  for (int i = 0; i < count; ++i) text += alphabet[random() % base];
  return text;
}

}  // namespace

int main() {
  std::mt19937_64 random(20261208);
  const char* decimal = "0123456789";
  const char* hex = "0123456789abcdefABCDEF";
  const std::vector<std::string> edges = {
      "0.5",
      "1e-320",
      "4.9e-324",
      "2.4703282292062327e-324",
      "2.4703282292062328e-324",
      "1.7976931348623157e308",
      "1.7976931348623158e308",
      "1.7976931348623159e308",
      "2.2250738585072011e-308",
      "2.2250738585072012e-308",
      "0x1p-1074",
      "0x1p-1075",
      "0x1.8p-1075",
      "0x1.0000000000001p-1075",
      "0x3p-1076",
      "0x1.fffffffffffffp1023",
      "0x1.fffffffffffff8p1023",
      "0x1.fffffffffffff7ffp1023",
      "0x.8p-1073",
      "0x1p1024",
      "0xffffffffffffffffffffp-80",
      "0x1.00000000000008p0",
      "0x1.000000000000080001p0",
      "0x1.00000000000018p0",
      "0x0.0000000000000000001p+0",
      // Half the least subnormal, and a hair above and below: a mantissa of
      // one and bits below the kept digits is no halfway case.
      "0x1.0000000000000001p-1075",
      "0x1.00000000000000000000001p-1075",
      "0x0.ffffffffffffffffp-1074",
      "0x0.80000000000000001p-1074",
      "0x1.0000000000000001p-1076",
      "0x1.0000000000000001p-1",
      "1" + std::string(400, '0'),
      "0." + std::string(400, '0') + "1",
      "0x1" + std::string(300, '0') + "p-1200",
  };
  for (const std::string& text : edges) printScan(text);
  for (int i = 0; i < 30000; ++i) {
    // Decimal: up to 25 digits with a point somewhere and an exponent of
    // any size that keeps near the range.
    std::string text = digits(random, 1 + random() % 25, decimal, 10);
    if (random() % 2) text.insert(random() % (text.size() + 1), ".");
    if (random() % 2) text += "e" + std::to_string(static_cast<int>(random() % 700) - 350);
    printScan(text);
    // Hexadecimal: up to 30 digits and an exponent of 2 of any size.
    std::string h = digits(random, 1 + random() % 30, hex, 22);
    if (random() % 2) h.insert(random() % (h.size() + 1), ".");
    h = "0x" + h + "p" + std::to_string(static_cast<int>(random() % 2300) - 1200);
    printScan(h);
  }
  for (int i = 0; i < 20000; ++i) {
    double value;
    do {
      const std::uint64_t b = random();
      std::memcpy(&value, &b, sizeof value);
    } while (!std::isfinite(value) || std::fabs(value) > 1e300);
    printFormats(value);
    // Powers of two and their neighbours, where the shortest text is hardest.
    const double power = std::ldexp(1.0, static_cast<int>(random() % 2000) - 1000);
    printFormats(power);
    printFormats(std::nextafter(power, 0.0));
    printFormats(std::nextafter(power, 2 * power));
    printFormats(std::ldexp(static_cast<double>(random() % 1000000), -20));
  }
  return 0;
}

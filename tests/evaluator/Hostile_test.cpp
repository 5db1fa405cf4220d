// Files written by careless or hostile contestants: every byte value in the
// lines that get scanned, huge lines, huge submissions, empty files and
// extreme numbers. Each must end in exactly the block the rules give.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "support/Run.h"
#include "support/TempFile.h"

namespace {

const std::string kOneCircle = "Mirvasta\n1\n\n1\n1\n0.5\n";
const std::string kHeader = "123456\nMirvasta\n";
const std::string kOneCost = "OK\n1\n1 0.00000000000000000000e+00\n";

// The error block; a message ends at a NUL byte, as the block's format prints it.
std::string error(int line, const std::string& message) {
  return "Napaka [Tql25Mirvasta.cpp:" + std::to_string(line) +
         "]: " + message.substr(0, message.find('\0')) + "\n-1\n";
}

// The lines of a file as the platform's text mode shows them, worked out the
// simple way: cut at byte 26, drop CR before LF, split at LF.
std::vector<std::string> textLines(std::string bytes) {
  bytes = bytes.substr(0, bytes.find('\x1a'));
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) text += bytes[i];
  }
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// What the C library's scan returns for the line's text up to a NUL byte,
// plus the one item a "%c" would take from the NUL itself.
template <typename... Targets>
int scan(const std::string& line, const char* format, Targets*... targets) {
  char dummy;
  const int count = std::sscanf(line.c_str(), format, targets..., &dummy);
  const bool stoppedAtNul = line.find('\0') != std::string::npos && count == sizeof...(Targets);
  return stoppedAtNul ? count + 1 : count;
}

// The report for a submission against kOneCircle, from the submission's rules.
std::string expectedReport(const std::string& submission) {
  const std::vector<std::string> lines = textLines(submission);
  int results = 0;
  for (std::size_t i = 2; i < lines.size(); ++i) {
    const std::string L = std::to_string(i + 1);
    if (lines[i].empty()) continue;
    int caseNo = 0;
    if (scan(lines[i], "%d%c", &caseNo) != 1) {
      return error(258, "v " + L + ". vrstici bi morala biti stevilka testnega primera, ne pa \"" +
                            lines[i] + "\"");
    }
    if (caseNo != 1) {
      return error(259, "v " + L +
                            ". vrstici bi morala biti stevilka testnega primera od 1 do 1, " +
                            "ne pa " + std::to_string(caseNo));
    }
    if (++i == lines.size()) return error(70, "manjka " + std::to_string(i + 1) + ". vrstica");
    const std::string C = std::to_string(i + 1);
    double x = 0, y = 0;
    const int m = scan(lines[i], "%lf %lf%c", &x, &y);
    if (m > 2) return error(203, "v " + C + ". vrstici je za koordinatama se nekaj");
    if (m < 2) {
      return error(204, "v " + C + ". vrstici bi morali biti dve realni stevili " +
                            "(koordinati sredisca 1-tega kroga)");
    }
    if (!(x >= 0.0))
      return error(205, "v " + C + ". vrstici bi morala biti x-koordinata vecja ali enaka 0");
    if (!(y >= 0.0))
      return error(206, "v " + C + ". vrstici bi morala biti y-koordinata vecja ali enaka 0");
    if (!(x <= 1.0))
      return error(207, "v " + C + ". vrstici bi morala biti x-koordinata manjsa ali enaka 1");
    if (!(y <= 1.0))
      return error(208, "v " + C + ". vrstici bi morala biti y-koordinata manjsa ali enaka 1");
    ++results;
  }
  std::string report = "OK\n" + std::to_string(results) + "\n";
  for (int i = 0; i < results; ++i) report += "1 0.00000000000000000000e+00\n";
  return report;
}

// The report for an input file of one circle whose radius line is `line`.
std::string expectedReportForRadius(const std::string& input) {
  const std::vector<std::string> lines = textLines(input);
  if (lines.size() < 6) return error(70, "manjka 6. vrstica");
  double r = 0;
  const int c = scan(lines[5], "%lf%c", &r);
  if (c > 1) return error(104, "za 0-tim polmerom bi moral biti konec vrstice");
  if (c != 1) return error(105, "napaka pri branju 0-tega polmera");
  if (!(r > 0 && r <= 2))
    return error(106, "polmer bi moral biti vecji od 0 in ne vecji od 2.000000");
  if (lines.size() > 6)
    return error(74, "prisotna je tudi 7. vrstica, pricakoval bi konec datoteke");
  return kOneCost;
}

// A byte at the start of a line, after its first `middle` bytes, or at its end.
std::vector<std::string> withByte(const std::string& line, std::size_t middle, char byte) {
  return {byte + line, line.substr(0, middle) + byte + line.substr(middle), line + byte};
}

TEST(HostileBytes, InARadiusLine) {
  for (int b = 0; b < 256; ++b) {
    for (const std::string& line : withByte("0.5", 1, static_cast<char>(b))) {
      SCOPED_TRACE(testing::PrintToString(line));
      const std::string input = "Mirvasta\n1\n\n1\n1\n" + line + "\n";
      EXPECT_EQ(expectedReportForRadius(input), reportFor(input, kHeader + "1\n0.5 0.5\n"));
    }
  }
}

TEST(HostileBytes, InACentreLine) {
  for (int b = 0; b < 256; ++b) {
    for (const std::string& line : withByte("0.5 0.5", 4, static_cast<char>(b))) {
      SCOPED_TRACE(testing::PrintToString(line));
      const std::string submission = kHeader + "1\n" + line + "\n";
      EXPECT_EQ(expectedReport(submission), reportFor(kOneCircle, submission));
    }
  }
}

TEST(HostileBytes, InACaseNumberLine) {
  for (int b = 0; b < 256; ++b) {
    for (const std::string& line : withByte("01", 1, static_cast<char>(b))) {
      SCOPED_TRACE(testing::PrintToString(line));
      const std::string submission = kHeader + line + "\n0.5 0.5\n";
      EXPECT_EQ(expectedReport(submission), reportFor(kOneCircle, submission));
    }
  }
}

TEST(HostileFiles, EmptyOrOnlyByte26) {
  for (std::string nothing : {"", "\x1a", "\x1a\x1a\n"}) {
    SCOPED_TRACE(testing::PrintToString(nothing));
    EXPECT_EQ(error(70, "manjka 1. vrstica"), reportFor(nothing, kHeader));
    EXPECT_EQ(error(70, "manjka 1. vrstica"), reportFor(kOneCircle, nothing));
  }
}

TEST(HostileFiles, AFolderForAFileReadsAsEmpty) {
  TTempFile file(kOneCircle);
  const std::string folder = std::filesystem::path(file.path()).parent_path().string();
  for (const auto& paths : {std::pair{folder, file.path()}, std::pair{file.path(), folder}}) {
    TTempFile report;
    EXPECT_EQ(0, run({"eval", paths.first, paths.second, report.path()}).rc);
    EXPECT_EQ(error(70, "manjka 1. vrstica"), report.read());
  }
}

TEST(HostileFiles, ExtremeReals) {
  const struct {
    std::string radius, centre, report;
  } cases[] = {
      {"1e308", "0 0", error(106, "polmer bi moral biti vecji od 0 in ne vecji od 2.000000")},
      {"1e-320", "1e-320 1", kOneCost},
      {"4.9e-324", "0 4.9e-324", kOneCost},
      {"2e-324", "0 0", error(106, "polmer bi moral biti vecji od 0 in ne vecji od 2.000000")},
      {"nan", "0 0", error(106, "polmer bi moral biti vecji od 0 in ne vecji od 2.000000")},
      {"inf", "0 0", error(106, "polmer bi moral biti vecji od 0 in ne vecji od 2.000000")},
      {"-0", "0 0", error(106, "polmer bi moral biti vecji od 0 in ne vecji od 2.000000")},
      {"0x1p-1", "0x1p-1 0X.8P0", kOneCost},
      {"0x1p1", "-0 -0", kOneCost},
      {"1", "1e308 0", error(207, "v 4. vrstici bi morala biti x-koordinata manjsa ali enaka 1")},
      {"1", "nan 0", error(205, "v 4. vrstici bi morala biti x-koordinata vecja ali enaka 0")},
      {"1", "0 -nan", error(206, "v 4. vrstici bi morala biti y-koordinata vecja ali enaka 0")},
      {"1", "0 inf", error(208, "v 4. vrstici bi morala biti y-koordinata manjsa ali enaka 1")},
      {"1", "-1e-320 0", error(205, "v 4. vrstici bi morala biti x-koordinata vecja ali enaka 0")},
      {"1", "0 1.0000000000000002",
       error(208, "v 4. vrstici bi morala biti y-koordinata manjsa ali enaka 1")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.radius + " / " + c.centre);
    EXPECT_EQ(c.report, reportFor("Mirvasta\n1\n\n1\n1\n" + c.radius + "\n",
                                  kHeader + "1\n" + c.centre + "\n"));
  }
}

TEST(HostileFiles, VeryLongLines) {
  const std::string million(1000000, '0');
  const std::string blanks(5 << 20, ' ');
  // Numbers of a million digits convert exactly: 0.5, 0 (too small) and too large.
  EXPECT_EQ(kOneCost, reportFor("Mirvasta\n1\n\n1\n1\n0.5" + million + "\n", kHeader + "1\n0 0\n"));
  EXPECT_EQ(error(106, "polmer bi moral biti vecji od 0 in ne vecji od 2.000000"),
            reportFor("Mirvasta\n1\n\n1\n1\n0." + million + "1\n", kHeader));
  EXPECT_EQ(error(106, "polmer bi moral biti vecji od 0 in ne vecji od 2.000000"),
            reportFor("Mirvasta\n1\n\n1\n1\n1" + million + "\n", kHeader));
  // Megabytes of blanks around valid numbers change nothing.
  EXPECT_EQ(kOneCost,
            reportFor(kOneCircle, kHeader + blanks + "1\n" + blanks + "0.5" + blanks + "0.5\n"));
  // A case number of a million digits is refused with its exact value.
  EXPECT_EQ(error(259, "v 3. vrstici bi morala biti stevilka testnega primera od 1 do 1, ne pa 9" +
                           million),
            reportFor(kOneCircle, kHeader + "9" + million + "\n"));
  EXPECT_EQ(error(70, "manjka 1. vrstica"), reportFor(kOneCircle, ""));
  EXPECT_EQ(error(243, "stevilka tekmovalca bi morala imeti 6 stevk"),
            reportFor(kOneCircle, blanks));
}

TEST(HostileFiles, ManyThousandsOfCaseBlocks) {
  std::string submission = kHeader;
  for (int i = 0; i < 50000; ++i) submission += i % 2 ? "1\n0.5 0.5\n" : "\n1\n0 1\n";
  // Line by line, so that a failure names its first wrong line, not megabytes.
  std::istringstream report(reportFor(kOneCircle, submission));
  std::string line;
  std::getline(report, line);
  ASSERT_EQ("OK", line);
  std::getline(report, line);
  ASSERT_EQ("50000", line);
  for (int i = 0; i < 50000; ++i) {
    ASSERT_TRUE(std::getline(report, line)) << "the report ends after " << i << " results";
    ASSERT_EQ("1 0.00000000000000000000e+00", line) << "result " << i + 1;
  }
  EXPECT_FALSE(std::getline(report, line)) << "a line after the last result: " << line;
}

}  // namespace

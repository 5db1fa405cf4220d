#include "view/Viewer.h"

#include <algorithm>

#include "base/Format.h"
#include "cli/CommandLine.h"
#include "cli/Inputs.h"
#include "cli/Output.h"
#include "drawing/Drawing.h"

namespace {

const char* const kHead = R"(<!DOCTYPE html>
<html lang="sl"><head><meta charset="utf-8"><title>Mirvasta: postavitev krogov</title>
<style>
body { margin: 16px; font: 14px sans-serif; color: #222; background: #fff; }
h1 { font-size: 18px; margin: 0 0 8px; }
#blocks { display: flex; flex-wrap: wrap; gap: 4px; max-height: 120px; overflow: auto; margin: 0 0 12px; padding: 0; list-style: none; }
#blocks button { font: inherit; border: 1px solid #bbb; background: #fff; padding: 1px 6px; cursor: pointer; }
#blocks button.chosen { background: #1d3b53; color: #fff; }
)";

const char* const kBody = R"(</style></head><body>
<h1>Mirvasta: postavitev krogov</h1>
<ol id="blocks">
)";

const char* const kScript = R"(
function showBlock(index) {
  mirvastaPlacement(document.getElementById("placement"), blocks[index], mirvastaText.sl);
  document.querySelectorAll("#blocks button").forEach(
      (b) => b.classList.toggle("chosen", Number(b.dataset.block) === index));
}
const blocks = JSON.parse(document.getElementById("data").textContent);
document.querySelectorAll("#blocks button").forEach(
    (b) => b.addEventListener("click", () => showBlock(Number(b.dataset.block))));
if (blocks.length > 0) showBlock(0);
</script>
</body></html>
)";

// The self-contained page.
void writePage(std::FILE* page, const std::vector<TViewedBlock>& blocks) {
  std::fputs(kHead, page);
  std::fputs(drawingStyle().c_str(), page);
  std::fputs(kBody, page);
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    std::fprintf(page, "<li><button data-block=\"%zu\">primer %d: cena %s</button></li>\n", i,
                 blocks[i].rezultat.caseNo, fixedDecimal(blocks[i].rezultat.cena, 6).c_str());
  }
  std::fprintf(page, "</ol>\n%s<div id=\"placement\"></div>\n",
               blocks.empty() ? "<p>Oddaja ne reši nobenega testnega primera.</p>\n" : "");
  // The blocks' data holds numbers and digits only, never "</".
  std::fputs("<script type=\"application/json\" id=\"data\">[", page);
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    std::fputs(i > 0 ? ",\n" : "\n", page);
    std::fputs(blockJson(blocks[i]).c_str(), page);
  }
  std::fputs("]</script>\n<script>\n", page);
  std::fputs(drawingScript().c_str(), page);
  std::fputs(kScript, page);
}

constexpr const char* kViewerUsage =
    "Usage: Tql25Mirvasta-view INPUT SUBMISSION OUT.html [--blocks LIST]\n"
    "Writes a page that shows each answered case block of SUBMISSION, checked as the\n"
    "evaluator checks it; OUT.html - writes it to standard output.\n"
    "  --blocks LIST   only these blocks, by their place in the submission: 3 or 1,4-6\n"
    "--help prints this, --version the version.\n";

// Above this a browser opens the page slowly, if at all.
constexpr long kLargePage = 50L << 20;

// "3" or "1,4-6": places of blocks, from 1.
std::vector<std::pair<int, int>> blockRanges(const std::string& list) {
  std::vector<std::pair<int, int>> ranges;
  std::size_t at = 0;
  do {
    const std::size_t comma = std::min(list.find(',', at), list.size());
    const std::string item = list.substr(at, comma - at);
    const std::size_t dash = item.find('-');
    const int first = numberOption<int>(item.substr(0, dash), "--blocks");
    const int last =
        dash == std::string::npos ? first : numberOption<int>(item.substr(dash + 1), "--blocks");
    if (first < 1 || last < first) throw EUsageError("--blocks needs places from 1, as 3 or 1,4-6");
    ranges.emplace_back(first, last);
    at = comma + 1;
  } while (at <= list.size());
  return ranges;
}

bool chosen(const std::vector<std::pair<int, int>>& ranges, int place) {
  return ranges.empty() || std::any_of(ranges.begin(), ranges.end(), [place](const auto& r) {
           return r.first <= place && place <= r.second;
         });
}

int view(const TArguments& split, std::FILE* out, std::FILE* err) {
  if (split.positional.size() != 3) throw EUsageError("give INPUT, SUBMISSION and OUT.html");
  std::vector<std::pair<int, int>> ranges;
  for (const auto& option : split.options) ranges = blockRanges(option.second);
  const std::string& pagePath = split.positional[2];
  const TInputFile submission{"submission", split.positional[1]};
  TOutput output(pagePath, out, {{"input", split.positional[0]}, submission});

  const std::vector<TTestCase> testCases = loadInput(split.positional[0]);
  std::vector<TViewedBlock> blocks;
  int places = 0;
  readSubmission(submission, testCases, [&](const TResitev& resitev, const Rezultat& rezultat) {
    if (chosen(ranges, ++places)) {
      blocks.push_back({rezultat, resitev.testCase->radii, resitev.tocke});
    }
  });
  for (const auto& range : ranges) {
    if (range.second > places) {
      throw EUsageError("--blocks names block " + std::to_string(range.second) +
                        ", but the submission has " + std::to_string(places));
    }
  }

  std::FILE* page = output.begin();
  writePage(page, blocks);
  const long size = std::ftell(page);
  output.finish();
  if (size > kLargePage) {
    std::fprintf(err,
                 "Tql25Mirvasta-view: the page is %ld MiB, which browsers open slowly; --blocks "
                 "LIST shows fewer blocks\n",
                 size >> 20);
  }
  return kToolExitOk;
}

}  // namespace

int runViewerCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
  return runTool({"Tql25Mirvasta-view", kViewerUsage}, args, out, err,
                 [&] { return view(splitArguments(args, {"--blocks"}, {}), out, err); });
}

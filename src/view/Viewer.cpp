#include "view/Viewer.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "base/Format.h"
#include "run/Report.h"
#include "scoring/Cost.h"
#include "toolkit/CommandLine.h"
#include "toolkit/Files.h"

namespace {

struct TPair {
  int j, k;
  double area;
};

// The pairs that overlap, in the cost's order, and each circle's share of
// the cost (half of each of its lens areas, over the cost).
struct TOverlaps {
  std::vector<TPair> pairs;
  std::vector<double> shares;
};

TOverlaps overlapsOf(const TViewedBlock& block) {
  TOverlaps overlaps;
  overlaps.shares.assign(block.tocke.size(), 0.0);
  forEachOverlap(block.radii, block.tocke, [&](int j, int k, double area) {
    overlaps.pairs.push_back({j, k, area});
    overlaps.shares[j] += area / 2;
    overlaps.shares[k] += area / 2;
  });
  if (block.rezultat.cena > 0) {
    for (double& share : overlaps.shares) share /= block.rezultat.cena;
  }
  return overlaps;
}

// Enough digits for a drawing.
std::string brief(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

// From pale blue for no overlap through green and yellow to orange for the
// largest share; red is kept for the overlaps themselves.
std::string colourAt(double t) {
  char text[48];
  std::snprintf(text, sizeof text, "hsl(%.0f,75%%,%.0f%%)", 210 - 180 * t, 82 - 30 * t);
  return text;
}

std::string shareColour(double share, double largest) {
  return colourAt(largest > 0 ? share / largest : 0.0);
}

std::string percent(double share) { return fixedDecimal(100 * share, 2) + " %"; }

// A square view that holds the unit square and every disc, with a margin:
// a disc's overlap beyond the square counts in full, so it must show.
struct TView {
  double left, bottom, side;
};

TView viewOf(const TViewedBlock& block) {
  double left = 0, bottom = 0, right = 1, top = 1;
  for (std::size_t i = 0; i < block.tocke.size(); ++i) {
    const double r = block.radii[i];
    left = std::min(left, block.tocke[i].x - r);
    right = std::max(right, block.tocke[i].x + r);
    bottom = std::min(bottom, block.tocke[i].y - r);
    top = std::max(top, block.tocke[i].y + r);
  }
  const double side = std::max(right - left, top - bottom);
  const double margin = 0.05 * side;
  return {(left + right - side) / 2 - margin, (bottom + top - side) / 2 - margin,
          side + 2 * margin};
}

// The region two discs share: the smaller disc when one holds the other,
// otherwise the arc of each disc that lies inside the other.
void writeLens(std::FILE* page, const TViewedBlock& block, const TPair& pair) {
  const Tocka a = block.tocke[pair.j], b = block.tocke[pair.k];
  const double ra = block.radii[pair.j], rb = block.radii[pair.k];
  const double dx = b.x - a.x, dy = b.y - a.y, d = std::sqrt(dx * dx + dy * dy);
  if (d <= std::abs(ra - rb) || d < kTolerance) {
    const Tocka c = ra < rb ? a : b;
    std::fprintf(page, "<circle class=\"lens\" cx=\"%s\" cy=\"%s\" r=\"%s\"/>\n",
                 brief(c.x).c_str(), brief(c.y).c_str(), brief(std::min(ra, rb)).c_str());
    return;
  }
  const double along = chordDistance(ra, rb, d);
  const double half = std::sqrt(std::max(0.0, ra * ra - along * along));
  const double ux = dx / d, uy = dy / d;
  const double px = a.x + along * ux, py = a.y + along * uy;
  const double x1 = px - half * uy, y1 = py + half * ux, x2 = px + half * uy, y2 = py - half * ux;
  std::fprintf(page, "<path class=\"lens\" d=\"M%s %sA%s %s 0 %d 0 %s %sA%s %s 0 %d 0 %s %sZ\"/>\n",
               brief(x1).c_str(), brief(y1).c_str(), brief(ra).c_str(), brief(ra).c_str(),
               along < 0 ? 1 : 0, brief(x2).c_str(), brief(y2).c_str(), brief(rb).c_str(),
               brief(rb).c_str(), d - along < 0 ? 1 : 0, brief(x1).c_str(), brief(y1).c_str());
}

void writeBlock(std::FILE* page, const TViewedBlock& block, int index) {
  const TOverlaps overlaps = overlapsOf(block);
  const double largest = *std::max_element(overlaps.shares.begin(), overlaps.shares.end());
  const TView view = viewOf(block);
  std::fprintf(page, "<template id=\"block-%d\">\n", index);
  // Mathematical orientation: y grows upwards, hence the flip.
  std::fprintf(page,
               "<svg viewBox=\"%s %s %s %s\" width=\"640\" height=\"640\">"
               "<g transform=\"scale(1 -1)\">\n"
               "<rect class=\"square\" x=\"0\" y=\"0\" width=\"1\" height=\"1\"/>\n",
               brief(view.left).c_str(), brief(-(view.bottom + view.side)).c_str(),
               brief(view.side).c_str(), brief(view.side).c_str());
  for (std::size_t i = 0; i < block.tocke.size(); ++i) {
    const std::string x = shortestDecimal(block.tocke[i].x), y = shortestDecimal(block.tocke[i].y);
    const std::string r = shortestDecimal(block.radii[i]);
    std::fprintf(page,
                 "<circle data-i=\"%zu\" cx=\"%s\" cy=\"%s\" r=\"%s\" fill=\"%s\">"
                 "<title>krog %zu: sredisce (%s, %s), polmer %s, delez cene %s</title></circle>\n",
                 i + 1, x.c_str(), y.c_str(), r.c_str(),
                 shareColour(overlaps.shares[i], largest).c_str(), i + 1, x.c_str(), y.c_str(),
                 r.c_str(), percent(overlaps.shares[i]).c_str());
  }
  for (const TPair& pair : overlaps.pairs) writeLens(page, block, pair);
  // The square's outline on top of every disc.
  std::fprintf(page,
               "<rect class=\"outline\" x=\"0\" y=\"0\" width=\"1\" height=\"1\"/>\n"
               "</g></svg>\n");

  std::fprintf(page,
               "<div class=\"details\"><h2>Testni primer %d</h2>\n"
               "<p>Cena: <span class=\"cost\">%s</span></p>\n"
               "<p>%zu krogov, %zu prekrivajocih se parov.</p>\n",
               block.rezultat.caseNo, costInReport(block.rezultat.cena).c_str(), block.tocke.size(),
               overlaps.pairs.size());
  std::fprintf(page,
               "<p class=\"legend\">Delez cene: <span>0 %%</span><span class=\"scale\" "
               "style=\"background: linear-gradient(to right");
  for (double t : {0.0, 0.25, 0.5, 0.75, 1.0}) std::fprintf(page, ", %s", colourAt(t).c_str());
  std::fprintf(page, ")\"></span><span>%s</span></p>\n", percent(largest).c_str());
  std::vector<TPair> top = overlaps.pairs;
  const std::size_t shown = std::min<std::size_t>(10, top.size());
  std::partial_sort(top.begin(), top.begin() + shown, top.end(),
                    [](const TPair& a, const TPair& b) {
                      return std::tie(b.area, a.j, a.k) < std::tie(a.area, b.j, b.k);
                    });
  if (shown > 0) {
    std::fprintf(page,
                 "<table><tr><th></th><th>krog</th><th>krog</th><th>ploscina prekrivanja</th></tr>"
                 "\n");
    for (std::size_t i = 0; i < shown; ++i) {
      std::fprintf(page,
                   "<tr data-a=\"%d\" data-b=\"%d\"><td>%zu.</td><td>%d</td><td>%d</td>"
                   "<td>%s</td></tr>\n",
                   top[i].k + 1, top[i].j + 1, i + 1, top[i].k + 1, top[i].j + 1,
                   scientificDecimal(top[i].area, 6).c_str());
    }
    std::fprintf(page, "</table>\n<p>Klik na vrstico oznaci njena kroga.</p>\n");
  }
  std::fprintf(page, "</div>\n</template>\n");
}

const char* const kHead = R"(<!DOCTYPE html>
<html lang="sl"><head><meta charset="utf-8"><title>Mirvasta: postavitev krogov</title>
<style>
body { margin: 0; font: 14px sans-serif; color: #222; background: #fff; }
#view { position: absolute; left: 16px; top: 16px; width: 640px; height: 640px; }
#side { position: absolute; left: 672px; top: 16px; right: 16px; }
h1 { font-size: 18px; margin: 0 0 8px; } h2 { font-size: 16px; margin: 12px 0 4px; }
#blocks { max-height: 200px; overflow: auto; margin: 0; padding-left: 28px; }
#blocks button { font: inherit; border: 0; background: none; padding: 1px 4px; cursor: pointer; }
#blocks button.chosen { background: #234; color: #fff; }
.square { fill: #fff; stroke: none; }
.outline { fill: none; stroke: #222; stroke-width: 1.5px; stroke-dasharray: 6 3; vector-effect: non-scaling-stroke; }
circle[data-i] { fill-opacity: 0.6; stroke: #234; stroke-width: 1px; vector-effect: non-scaling-stroke; }
circle[data-i].chosen { fill-opacity: 0.9; stroke: #000; stroke-width: 3px; }
.lens { fill: #d00; fill-opacity: 0.75; stroke: none; pointer-events: none; }
.cost { font-family: monospace; }
.legend span { display: inline-block; vertical-align: middle; margin: 0 4px; }
.legend .scale { width: 160px; height: 12px; border: 1px solid #888; }
table { border-collapse: collapse; } td, th { padding: 2px 8px; text-align: right; }
tr[data-a] { cursor: pointer; } tr.chosen { background: #fe8; }
</style></head><body>
<div id="view"></div>
<div id="side"><h1>Mirvasta: postavitev krogov</h1>
<p>Barva kroga kaze njegov delez cene, od blede modre prek zelene in rumene do oranzne
za najvecjega; rdeca obmocja so prekrivanja, crtkani kvadrat je enotski kvadrat. Podatki
o krogu se pokazejo pod kazalcem.</p>
<ol id="blocks">
)";

const char* const kScript = R"(<script>
function highlight(row) {
  document.querySelectorAll("#view circle.chosen").forEach((c) => c.classList.remove("chosen"));
  for (const i of [row.dataset.a, row.dataset.b]) {
    document.querySelector('#view circle[data-i="' + i + '"]').classList.add("chosen");
  }
  document.querySelectorAll("#details tr").forEach((r) => r.classList.toggle("chosen", r === row));
}
function show(index) {
  const template = document.getElementById("block-" + index);
  const content = template.content.cloneNode(true);
  document.getElementById("view").replaceChildren(content.querySelector("svg"));
  document.getElementById("details").replaceChildren(content.querySelector(".details"));
  document.querySelectorAll("#details tr[data-a]").forEach(
      (r) => r.addEventListener("click", () => highlight(r)));
  document.querySelectorAll("#blocks button").forEach(
      (b) => b.classList.toggle("chosen", b.dataset.block == index));
}
document.querySelectorAll("#blocks button").forEach(
    (b) => b.addEventListener("click", () => show(b.dataset.block)));
if (document.getElementById("block-0")) show(0);
</script>
</body></html>
)";

}  // namespace

void writePage(std::FILE* page, const std::vector<TViewedBlock>& blocks) {
  std::fputs(kHead, page);
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    std::fprintf(page, "<li><button data-block=\"%zu\">primer %d: cena %s</button></li>\n", i,
                 blocks[i].rezultat.caseNo, fixedDecimal(blocks[i].rezultat.cena, 6).c_str());
  }
  std::fprintf(page, "</ol>\n%s<div id=\"details\"></div></div>\n",
               blocks.empty() ? "<p>Oddaja ne resi nobenega testnega primera.</p>\n" : "");
  for (std::size_t i = 0; i < blocks.size(); ++i) writeBlock(page, blocks[i], static_cast<int>(i));
  std::fputs(kScript, page);
}

namespace {

constexpr const char* kViewerUsage =
    "Usage: Tql25Mirvasta-view INPUT SUBMISSION OUT.html [--blocks LIST]\n"
    "Writes a page that shows each answered case block of SUBMISSION, checked as the\n"
    "evaluator checks it; OUT.html - writes it to standard output.\n"
    "  --blocks LIST   only these blocks, by their place in the submission: 3 or 1,4-6\n"
    "--help prints this, --version the version. Exit codes: 0 written, 1 files the\n"
    "evaluator refuses, 2 a bad option or a file that cannot be read or written,\n"
    "3 a build whose costs would be wrong, 4 an unexpected error.\n";

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
  TOutput output(pagePath, out, {split.positional[0], split.positional[1]});

  const std::vector<TTestCase> testCases = loadInput(split.positional[0]);
  std::vector<TViewedBlock> blocks;
  int places = 0;
  loadSubmission(readFileBytes(split.positional[1]), testCases,
                 [&](const TResitev& resitev, const Rezultat& rezultat) {
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
  return runTool("Tql25Mirvasta-view", kViewerUsage, args, out, err,
                 [&] { return view(splitArguments(args, {"--blocks"}, {}), out, err); });
}

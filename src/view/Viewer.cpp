#include "view/Viewer.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "run/Evaluation.h"
#include "run/Report.h"
#include "scoring/Cost.h"

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

// Exact coordinates, so that each circle stands where its centre line puts it.
std::string exact(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

// Enough digits for a drawing.
std::string brief(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

// From pale blue for no overlap to orange for the largest share; red is
// kept for the overlaps themselves.
std::string shareColour(double share, double largest) {
  const double t = largest > 0 ? share / largest : 0.0;
  char text[48];
  std::snprintf(text, sizeof text, "hsl(%.0f,75%%,%.0f%%)", 210 - 180 * t, 82 - 30 * t);
  return text;
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
  const double along = (ra * ra - rb * rb + d * d) / (2 * d);
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
  std::fprintf(page, "<template id=\"block-%d\">\n", index);
  // The square in mathematical orientation: y grows upwards.
  std::fprintf(page,
               "<svg viewBox=\"-0.05 -0.05 1.1 1.1\" width=\"640\" height=\"640\">"
               "<g transform=\"matrix(1 0 0 -1 0 1)\">\n"
               "<rect class=\"square\" x=\"0\" y=\"0\" width=\"1\" height=\"1\"/>\n");
  for (std::size_t i = 0; i < block.tocke.size(); ++i) {
    std::fprintf(page, "<circle data-i=\"%zu\" cx=\"%s\" cy=\"%s\" r=\"%s\" fill=\"%s\"/>\n", i + 1,
                 exact(block.tocke[i].x).c_str(), exact(block.tocke[i].y).c_str(),
                 exact(block.radii[i]).c_str(), shareColour(overlaps.shares[i], largest).c_str());
  }
  for (const TPair& pair : overlaps.pairs) writeLens(page, block, pair);
  std::fprintf(page, "</g></svg>\n");

  std::fprintf(page,
               "<div class=\"details\"><h2>Testni primer %d</h2>\n"
               "<p>Cena: <span class=\"cost\">%s</span></p>\n"
               "<p>%zu krogov, %zu prekrivajocih se parov.</p>\n",
               block.rezultat.caseNo, costInReport(block.rezultat.cena).c_str(), block.tocke.size(),
               overlaps.pairs.size());
  std::vector<TPair> top = overlaps.pairs;
  const std::size_t shown = std::min<std::size_t>(10, top.size());
  std::partial_sort(top.begin(), top.begin() + shown, top.end(),
                    [](const TPair& a, const TPair& b) {
                      return std::tie(b.area, a.j, a.k) < std::tie(a.area, b.j, b.k);
                    });
  if (shown > 0) {
    std::fprintf(
        page, "<table><tr><th></th><th>krog</th><th>krog</th><th>ploscina prekrivanja</th></tr>\n");
    for (std::size_t i = 0; i < shown; ++i) {
      std::fprintf(page, "<tr><td>%zu.</td><td>%d</td><td>%d</td><td>%.6e</td></tr>\n", i + 1,
                   top[i].k + 1, top[i].j + 1, top[i].area);
    }
    std::fprintf(page, "</table>\n");
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
.square { fill: #fff; stroke: #222; stroke-width: 0.003; }
circle[data-i] { fill-opacity: 0.6; stroke: #234; stroke-width: 1px; vector-effect: non-scaling-stroke; }
.lens { fill: #d00; fill-opacity: 0.75; stroke: none; }
.cost { font-family: monospace; }
table { border-collapse: collapse; } td, th { padding: 2px 8px; text-align: right; }
</style></head><body>
<div id="view"></div>
<div id="side"><h1>Mirvasta: postavitev krogov</h1>
<p>Barva kroga kaze njegov delez cene (od modre do oranzne), rdeca obmocja so prekrivanja.</p>
<ol id="blocks">
)";

const char* const kScript = R"(<script>
function show(index) {
  const template = document.getElementById("block-" + index);
  const content = template.content.cloneNode(true);
  document.getElementById("view").replaceChildren(content.querySelector("svg"));
  document.getElementById("details").replaceChildren(content.querySelector(".details"));
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
    std::fprintf(page, "<li><button data-block=\"%zu\">primer %d: cena %.6f</button></li>\n", i,
                 blocks[i].rezultat.caseNo, blocks[i].rezultat.cena);
  }
  std::fprintf(page, "</ol>\n%s<div id=\"details\"></div></div>\n",
               blocks.empty() ? "<p>Oddaja ne resi nobenega testnega primera.</p>\n" : "");
  for (std::size_t i = 0; i < blocks.size(); ++i) writeBlock(page, blocks[i], static_cast<int>(i));
  std::fputs(kScript, page);
}

int runViewerCommandLine(const std::vector<std::string>& args, std::FILE* err) {
  if (args.size() != 3) {
    std::fputs("Usage: Tql25Mirvasta-view INPUT SUBMISSION OUT.html\n", err);
    return 2;
  }
  std::vector<TViewedBlock> blocks;
  try {
    std::vector<TTestCase> testCases;
    readInput(args[0].c_str(), testCases);
    evaluateSubmission(args[1].c_str(), testCases,
                       [&blocks](const TResitev& resitev, const Rezultat& rezultat) {
                         blocks.push_back({rezultat, resitev.testCase->radii, resitev.tocke});
                       });
  } catch (const EAssertion& failure) {
    std::fprintf(err, "%s\n", errorLine(failure).c_str());
    return 1;
  } catch (...) {
    std::fprintf(err, "%s\n", kUnexpectedErrorLine);
    return 1;
  }
  std::FILE* page = std::fopen(args[2].c_str(), "w");
  if (page != nullptr) writePage(page, blocks);
  if (page == nullptr || std::ferror(page) || std::fclose(page) != 0) {
    std::fprintf(err, "Tql25Mirvasta-view: cannot write '%s'\n", args[2].c_str());
    return 2;
  }
  return 0;
}

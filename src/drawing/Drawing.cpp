#include "drawing/Drawing.h"

#include <algorithm>
#include <tuple>

#include "base/Format.h"
#include "evaluator/Report.h"
#include "scoring/Cost.h"

namespace {

struct TPair {
  int a, b;
  double area;
};

template <typename Number>
void appendArray(std::string& json, const char* name, const std::vector<Number>& values) {
  json += std::string(",\"") + name + "\":[";
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) json += ',';
    json += shortestDecimal(values[i]);
  }
  json += ']';
}

}  // namespace

std::string blockJson(const TViewedBlock& block) {
  std::vector<TPair> pairs;
  forEachOverlap(block.radii, block.tocke, [&pairs](int j, int k, double area) {
    pairs.push_back({k + 1, j + 1, area});
  });
  std::sort(pairs.begin(), pairs.end(), [](const TPair& p, const TPair& q) {
    return std::tie(q.area, p.a, p.b) < std::tie(p.area, q.a, q.b);
  });
  std::string json = "{\"caseNo\":" + std::to_string(block.rezultat.caseNo) + ",\"cost\":\"" +
                     costInReport(block.rezultat.cena) + "\"";
  appendArray(json, "r", block.radii);
  std::vector<double> x, y;
  for (const Tocka& p : block.tocke) {
    x.push_back(p.x);
    y.push_back(p.y);
  }
  appendArray(json, "x", x);
  appendArray(json, "y", y);
  json += ",\"pairs\":[";
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    json += (i > 0 ? ",[" : "[") + std::to_string(pairs[i].a) + "," + std::to_string(pairs[i].b) +
            "," + shortestDecimal(pairs[i].area) + "]";
  }
  return json + "]}";
}

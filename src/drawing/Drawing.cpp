#include "drawing/Drawing.h"

#include <algorithm>
#include <tuple>

#include "base/Json.h"
#include "evaluator/Report.h"
#include "scoring/Cost.h"

namespace {

struct TPair {
  int a, b;
  double area;
};

}  // namespace

std::string blockJson(const TViewedBlock& block) {
  std::vector<TPair> pairs;
  forEachOverlap(block.radii, block.tocke, [&pairs](int j, int k, double area) {
    pairs.push_back({k + 1, j + 1, area});
  });
  std::sort(pairs.begin(), pairs.end(), [](const TPair& p, const TPair& q) {
    return std::tie(q.area, p.a, p.b) < std::tie(p.area, q.a, q.b);
  });
  TJson json;
  json.beginObject().key("caseNo").number(block.rezultat.caseNo);
  json.key("cost").text(costInReport(block.rezultat.cena));
  json.key("r").beginArray();
  for (double r : block.radii) json.number(r);
  json.endArray().key("x").beginArray();
  for (const Tocka& p : block.tocke) json.number(p.x);
  json.endArray().key("y").beginArray();
  for (const Tocka& p : block.tocke) json.number(p.y);
  json.endArray().key("pairs").beginArray();
  for (const TPair& pair : pairs) {
    json.beginArray().number(pair.a).number(pair.b).number(pair.area).endArray();
  }
  return json.endArray().endObject().str();
}

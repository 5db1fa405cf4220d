// The drawing's arithmetic, under node: no browser needed.
import assert from "node:assert/strict";
import { test } from "node:test";

import { chord, lensClasses, pairView, scientific, zoomed } from "../../src/drawing/geometry.js";
import { circleFinder } from "../../src/drawing/grid.js";
import { placeLabels } from "../../src/drawing/labels.js";
import { MAX_LENSES, paint } from "../../src/drawing/paint.js";
import { pairsOf } from "../../src/drawing/pairs.js";
import { english, slovenian } from "../../src/drawing/plural.js";

test("Slovenian has four forms by the last two digits; English two", () => {
  const forms = ["krog", "kroga", "krogi", "krogov"];
  const cases = [[1, "1 krog"], [2, "2 kroga"], [3, "3 krogi"], [4, "4 krogi"], [5, "5 krogov"],
                 [0, "0 krogov"], [11, "11 krogov"], [101, "101 krog"], [102, "102 kroga"],
                 [104, "104 krogi"], [111, "111 krogov"], [1001, "1001 krog"]];
  for (const [n, expected] of cases) assert.equal(slovenian(n, forms), expected);
  assert.deepEqual([english(1, "pair", "pairs"), english(0, "pair", "pairs")],
                   ["1 pair", "0 pairs"]);
});

test("rims cross at the chord's ends, and nowhere where a disc holds the other", () => {
  // Discs of radius 0.5 at distance 0.6: the chord at 0.3, half of it 0.4 long.
  const [x0, y0, x1, y1] = chord(0, 0, 0.5, 0.6, 0, 0.5);
  for (const [x, y, expected] of [[x0, y0, 0.4], [x1, y1, -0.4]]) {
    assert.ok(Math.abs(x - 0.3) < 1e-15 && Math.abs(y - expected) < 1e-15, `${x} ${y}`);
  }
  assert.equal(chord(0, 0, 0.5, 0.1, 0, 0.2), null);
  assert.equal(chord(0, 0, 0.5, 0, 0, 0.5), null);
});

test("numbers print as %.6e does", () => {
  assert.deepEqual([scientific(0.0181324701591044), scientific(1e-9), scientific(12345.678)],
                   ["1.813247e-02", "1.000000e-09", "1.234568e+04"]);
});

test("lens colours run from the least area to the largest, on a logarithmic scale", () => {
  // Five classes of a decade each, from 1e-6 to 1e-1.
  const classes = lensClasses([[1, 2, 1e-1], [1, 3, 5e-4], [2, 3, 1e-6]]);
  assert.deepEqual([1e-6, 5e-6, 5e-4, 5e-2, 1e-1].map(classes.classOf), [0, 0, 2, 4, 4]);
  assert.equal(classes.least, 1e-6);
  assert.equal(lensClasses([]).any, false);
});

test("a chosen pair fills the view; zoom stays within its limits", () => {
  const block = { r: [0.1, 0.1], x: [0.2, 0.3], y: [0.5, 0.5], pairs: [[1, 2, 0.01]] };
  const view = pairView(block, 0);
  assert.ok(Math.abs(view.w - 1.25 * 0.3) < 1e-15 && Math.abs(view.x - (0.25 - view.w / 2)) < 1e-15);
  const whole = { x: 0, y: -1, w: 1 };
  assert.equal(zoomed({ ...whole, w: 4 }, 2, { x: 0, y: 0 }, whole), null);
  assert.equal(zoomed({ ...whole }, 1.25, { x: 0, y: 0 }, whole).w, 1.25);
});

test("the circle under a point is the smallest that holds it", () => {
  const at = circleFinder({ r: [0.4, 0.1, 0.05], x: [0.5, 0.5, 0.9], y: [0.5, 0.5, 0.9] });
  assert.deepEqual([at(0.5, 0.5), at(0.7, 0.5), at(0.9, 0.92), at(0.05, 0.05)], [2, 1, 3, 0]);
});

test("no two numbers shown overlap, and the chosen pair's come first", () => {
  const n = 400, radii = [], xs = [], ys = [];
  for (let i = 0; i < n; ++i) {
    radii.push(0.02 + 0.01 * ((i * 7) % 5));
    xs.push(((i * 37) % 100) / 100);
    ys.push(((i * 61) % 100) / 100);
  }
  const screen = (i) => ({ x: xs[i] * 640, y: ys[i] * 640, r: radii[i] * 640 });
  const labels = placeLabels(radii, [...Array(n).keys()], [5, 6], screen, 640);
  assert.deepEqual(labels.slice(0, 2).map((l) => l.circle), [6, 7]);
  for (const a of labels) {
    for (const b of labels) {
      if (a === b) continue;
      const apart = a.box.x1 <= b.box.x0 || a.box.x0 >= b.box.x1 || a.box.y1 <= b.box.y0 ||
                    a.box.y0 >= b.box.y1;
      assert.ok(apart, `${a.circle} and ${b.circle}`);
    }
  }
});

// A 2D context that counts what is drawn.
function recorder() {
  const counts = { fill: 0, arc: 0, fillText: 0 };
  return new Proxy(counts, {
    get: (target, name) => name in target ? (...args) => { ++target[name]; } :
      name === "counts" ? counts : () => {},
    set: () => true,
  });
}

test("every overlap in view is drawn, up to a cap of thousands", () => {
  // 60 discs on top of one another: all 1770 pairs overlap.
  const n = 60, r = new Array(n).fill(0.2);
  const x = r.map((_, i) => 0.5 + i * 1e-3), y = r.map(() => 0.5);
  const pairs = [];
  for (let a = 1; a <= n; ++a) for (let b = a + 1; b <= n; ++b) pairs.push([a, b, 0.1]);
  const g = recorder();
  paint(g, { r, x, y, pairs }, { x: -0.1, y: -1.1, w: 1.2 }, 640, -1, lensClasses(pairs));
  assert.ok(MAX_LENSES >= 1770);
  assert.equal(g.counts.fill, n + pairs.length);
});

test("the list of pairs filters by a circle's number", () => {
  const pairs = [[1, 2, 3], [2, 3, 2], [3, 4, 1]];
  assert.deepEqual([pairsOf(pairs, ""), pairsOf(pairs, " 3 "), pairsOf(pairs, "9")],
                   [[0, 1, 2], [1, 2], []]);
});

// The drawing's arithmetic, apart from any page: where rims cross, how a
// number is printed, each lens's colour and each circle's share of the cost.

// A disc's opacity: k discs over a point cover it 1 - (1 - a)^k.
export const DISC_OPACITY = 0.3;
// The lenses' colours, from the smallest areas to the largest.
export const LENS_COLOURS = ["#fee391", "#fec44f", "#fe9929", "#d95f0e", "#993404"];

// The two points where the rims of discs a and b cross, in placement
// coordinates, or null where one disc holds the other.
export function chord(ax, ay, ra, bx, by, rb) {
  const dx = bx - ax, dy = by - ay, d = Math.hypot(dx, dy);
  if (d <= Math.abs(ra - rb) || d < 1e-12) return null;
  const along = (d * d - rb * rb + ra * ra) / (2 * d);
  const half = Math.sqrt(Math.max(0, ra * ra - along * along));
  const ux = dx / d, uy = dy / d, px = ax + along * ux, py = ay + along * uy;
  return [px - half * uy, py + half * ux, px + half * uy, py - half * ux];
}

// A number as "%.6e" prints it: six decimals, an exponent of two digits.
export function scientific(value) {
  return value.toExponential(6).replace(/e([+-])(\d)$/, "e$10$2");
}

// The lenses' colour classes, by the logarithm of the area between the
// block's least and largest (its pairs come largest first): the lower bound
// of each class but the first, and the class of an area.
export function lensClasses(pairs) {
  const areas = pairs.map((p) => p[2]).filter((a) => a > 0);
  const least = areas.length ? areas[areas.length - 1] : 1;
  const largest = areas.length ? areas[0] : 1;
  const bounds = [];
  for (let c = 1; c < LENS_COLOURS.length; ++c) {
    bounds.push(least * Math.pow(largest / least, c / LENS_COLOURS.length));
  }
  const classOf = (area) => {
    let c = 0;
    while (c < bounds.length && area >= bounds[c]) ++c;
    return c;
  };
  return { any: areas.length > 0, least, bounds, classOf };
}

// Each circle's share of the cost: half of each of its lens areas.
export function shares(n, pairs) {
  const share = new Array(n).fill(0);
  for (const [a, b, area] of pairs) {
    share[a - 1] += area / 2;
    share[b - 1] += area / 2;
  }
  return share;
}

// A square view of the unit square and every disc, with a margin, as
// {x: its left, y: its top as -y, w: its width}: y grows upwards in the
// placement and downwards on screen.
export function wholeView(block) {
  let left = 0, bottom = 0, right = 1, top = 1;
  for (let i = 0; i < block.r.length; ++i) {
    left = Math.min(left, block.x[i] - block.r[i]);
    right = Math.max(right, block.x[i] + block.r[i]);
    bottom = Math.min(bottom, block.y[i] - block.r[i]);
    top = Math.max(top, block.y[i] + block.r[i]);
  }
  const side = Math.max(right - left, top - bottom) * 1.1;
  return { x: (left + right - side) / 2, y: -(bottom + top + side) / 2, w: side };
}

// The view that shows pair k's two discs whole, with a margin, however
// small they are.
export function pairView(block, k) {
  const [a, b] = block.pairs[k];
  const x0 = Math.min(block.x[a - 1] - block.r[a - 1], block.x[b - 1] - block.r[b - 1]);
  const x1 = Math.max(block.x[a - 1] + block.r[a - 1], block.x[b - 1] + block.r[b - 1]);
  const y0 = -Math.max(block.y[a - 1] + block.r[a - 1], block.y[b - 1] + block.r[b - 1]);
  const y1 = -Math.min(block.y[a - 1] - block.r[a - 1], block.y[b - 1] - block.r[b - 1]);
  const w = 1.25 * Math.max(x1 - x0, y1 - y0);
  return { x: (x0 + x1 - w) / 2, y: (y0 + y1 - w) / 2, w };
}

// The view zoomed by `factor` about the point p, its width kept from 1e-5
// to 4 times the whole view's; null where it is at that limit already.
export function zoomed(view, factor, p, whole) {
  const w = Math.min(whole.w * 4, Math.max(whole.w * 1e-5, view.w * factor));
  if (w === view.w) return null;
  return { x: p.x - (p.x - view.x) * w / view.w, y: p.y - (p.y - view.y) * w / view.w, w };
}

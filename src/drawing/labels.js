// Where the circles' numbers go on screen: never over one another, the
// chosen pair's first, then the others from the largest disc down, each
// where its box is free. Only discs that are large enough on screen get one.

// A circle's number shows from this radius on screen, in pixels.
export const LABEL_PIXELS = 9;

// The labels of the `visible` circles (indices from 0), the `first` ones
// before all others: each {circle: its number, x, y, size, box}, in screen
// pixels; `screen` maps a circle to {x, y, r} on screen, within a square of
// `pixels` on a side.
export function placeLabels(radii, visible, first, screen, pixels) {
  const cells = new Map();
  const shown = [];
  // The boxes in cells of 32 pixels, so that each looks only at its
  // neighbours.
  const cellsOf = (box, visit) => {
    for (let gx = Math.floor(box.x0 / 32); gx <= Math.floor(box.x1 / 32); ++gx) {
      for (let gy = Math.floor(box.y0 / 32); gy <= Math.floor(box.y1 / 32); ++gy) {
        visit(gx * 65536 + gy);
      }
    }
  };
  const place = (i, x, y, size) => {
    const label = String(i + 1);
    const half = 0.3 * size * label.length + 1, rise = 0.5 * size + 1;
    const box = { x0: x - half, x1: x + half, y0: y - rise, y1: y + rise };
    if (box.x1 < 0 || box.x0 > pixels || box.y1 < 0 || box.y0 > pixels) return false;
    let free = true;
    cellsOf(box, (k) => {
      for (const t of cells.get(k) || []) {
        if (!(box.x1 <= t.x0 || box.x0 >= t.x1 || box.y1 <= t.y0 || box.y0 >= t.y1)) free = false;
      }
    });
    if (!free) return false;
    cellsOf(box, (k) => {
      if (!cells.has(k)) cells.set(k, []);
      cells.get(k).push(box);
    });
    shown.push({ circle: i + 1, x, y, size, box });
    return true;
  };
  const sizeOf = (i) => Math.round(Math.max(10, Math.min(16, 0.8 * screen(i).r)));
  // The chosen pair's numbers stand on their discs, or beside each other
  // where they would meet.
  for (const i of first) {
    const { x, y } = screen(i), size = sizeOf(i);
    place(i, x, y, size) || place(i, x, y - size - 2, size) || place(i, x, y + size + 2, size) ||
        place(i, x + 2 * size, y, size);
  }
  const order = visible.filter((i) => screen(i).r >= LABEL_PIXELS && !first.includes(i));
  order.sort((i, j) => radii[j] - radii[i] || i - j);
  for (const i of order) place(i, screen(i).x, screen(i).y, sizeOf(i));
  return shown;
}

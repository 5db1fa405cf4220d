// The circles by the cells of a grid, to find the one under a point at once.

// Returns at(x, y): the number (from 1) of the smallest disc that holds the
// point of the placement, so that a disc inside another can be pointed at
// too, or 0 for none. A disc larger than many cells stands apart.
export function circleFinder(block) {
  const n = block.r.length;
  const cell = Math.max(1e-3, 2 * [...block.r].sort((a, b) => a - b)[n >> 1]);
  const grid = new Map(), large = [];
  const key = (cx, cy) => cx * 1048576 + cy;
  for (let i = 0; i < n; ++i) {
    const x0 = Math.floor((block.x[i] - block.r[i]) / cell);
    const x1 = Math.floor((block.x[i] + block.r[i]) / cell);
    const y0 = Math.floor((block.y[i] - block.r[i]) / cell);
    const y1 = Math.floor((block.y[i] + block.r[i]) / cell);
    if ((x1 - x0 + 1) * (y1 - y0 + 1) > 64) {
      large.push(i);
      continue;
    }
    for (let cx = x0; cx <= x1; ++cx) {
      for (let cy = y0; cy <= y1; ++cy) {
        const k = key(cx, cy);
        if (!grid.has(k)) grid.set(k, []);
        grid.get(k).push(i);
      }
    }
  }
  return (x, y) => {
    let found = -1;
    const consider = (i) => {
      const dx = x - block.x[i], dy = y - block.y[i];
      if (dx * dx + dy * dy <= block.r[i] * block.r[i] &&
          (found < 0 || block.r[i] < block.r[found])) found = i;
    };
    (grid.get(key(Math.floor(x / cell), Math.floor(y / cell))) || []).forEach(consider);
    large.forEach(consider);
    return found + 1;
  };
}

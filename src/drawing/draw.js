// Draws one case block's placement: the placement viewer's page and the
// contestants' page both hold this script. The block is the data of
// blockJson (src/drawing/Drawing.cpp); every number in it is exact.
//
// The view is a canvas: the unit square and every disc, also where a disc
// reaches beyond the square (its overlap there counts in full). Discs are
// blue and translucent, so that a point is the darker the more discs cover
// it, and each lens is filled in a colour of its area, from pale yellow to
// dark brown, colours that colour-blind readers tell apart from the blue.
// The wheel or + and - zoom, a drag or the arrow keys pan, a double click or
// 0 shows everything; circle numbers show where they fit, never over one
// another; the list of every overlapping pair, largest first, filters by a
// circle's number, and a pair chosen there is drawn on top and zoomed to.
// One frame redraws only what is in view, so that a step of the wheel at a
// thousand circles draws at once.

"use strict";

// A disc's opacity: k discs over a point cover it 1 - (1 - a)^k.
const MIRVASTA_DISC_OPACITY = 0.3;
// A circle's number shows from this radius on screen, in pixels.
const MIRVASTA_LABEL_PIXELS = 9;
// Lenses drawn in a frame, the largest first: enough to see where a
// placement overlaps, few enough to keep a frame quick where all overlap.
const MIRVASTA_LENSES = 4000;
// The lenses' colours, from the smallest areas to the largest.
const MIRVASTA_LENS_COLOURS = ["#fee391", "#fec44f", "#fe9929", "#d95f0e", "#993404"];
// Rows of the list of pairs, in pixels: the list draws only those in view.
const MIRVASTA_ROW_PIXELS = 22;

// The two points where the rims of discs a and b cross, in placement
// coordinates, or null where one disc holds the other.
function mirvastaChord(ax, ay, ra, bx, by, rb) {
  const dx = bx - ax, dy = by - ay, d = Math.hypot(dx, dy);
  if (d <= Math.abs(ra - rb) || d < 1e-12) return null;
  const along = (d * d - rb * rb + ra * ra) / (2 * d);
  const half = Math.sqrt(Math.max(0, ra * ra - along * along));
  const ux = dx / d, uy = dy / d, px = ax + along * ux, py = ay + along * uy;
  return [px - half * uy, py + half * ux, px + half * uy, py - half * ux];
}

// A number as "%.6e" prints it: six decimals, an exponent of two digits.
function mirvastaScientific(value) {
  return value.toExponential(6).replace(/e([+-])(\d)$/, "e$10$2");
}

// Slovenian nouns after a number: one, two (the dual), three and four, the rest.
function mirvastaSlovenian(n, forms) {
  const m = n % 100;
  return `${n} ${forms[m === 1 ? 0 : m === 2 ? 1 : m === 3 || m === 4 ? 2 : 3]}`;
}

function mirvastaNode(name, attributes = {}, parent = null, text = null) {
  const node = document.createElement(name);
  for (const key in attributes) node.setAttribute(key, attributes[key]);
  if (text !== null) node.textContent = text;
  if (parent) parent.appendChild(node);
  return node;
}

// Draws `block` into the element `root`, in the words of `text` (see
// mirvastaText below). `options.view` restores a view the caller kept.
// Returns the drawing's handle, also as root.mirvasta: select(k) chooses
// pair k of block.pairs, view() the view shown ({x, y, w}: the left, the
// top as -y and the width, in placement units), at(x, y) the circle at a
// point of the placement (0 for none), labels() the numbers shown.
function mirvastaPlacement(root, block, text, options = {}) {
  const n = block.r.length, cost = Number(block.cost);
  root.replaceChildren();
  root.classList.add("mv");
  const viewBox = mirvastaNode("div", { class: "mv-view", tabindex: "0", role: "img" }, root);
  const canvas = mirvastaNode("canvas", { class: "mv-canvas" }, viewBox);
  const tip = mirvastaNode("div", { class: "mv-tip" }, viewBox);
  const details = mirvastaNode("div", { class: "mv-details" }, root);
  viewBox.setAttribute("aria-label", text.caseTitle(block.caseNo));

  // A square view of the unit square and every disc, with a margin; y grows
  // upwards in the placement and downwards on screen, hence the minus signs.
  let left = 0, bottom = 0, right = 1, top = 1;
  for (let i = 0; i < n; ++i) {
    left = Math.min(left, block.x[i] - block.r[i]);
    right = Math.max(right, block.x[i] + block.r[i]);
    bottom = Math.min(bottom, block.y[i] - block.r[i]);
    top = Math.max(top, block.y[i] + block.r[i]);
  }
  const side = Math.max(right - left, top - bottom) * 1.1;
  const whole = { x: (left + right - side) / 2, y: -(bottom + top + side) / 2, w: side };
  let view = options.view ? { ...options.view } : { ...whole };

  // Each circle's share of the cost: half of each of its lens areas.
  const share = new Array(n).fill(0);
  for (const [a, b, area] of block.pairs) {
    share[a - 1] += area / 2;
    share[b - 1] += area / 2;
  }
  // The lenses' colour classes, by the logarithm of the area between the
  // block's least and largest.
  const areas = block.pairs.map((p) => p[2]).filter((a) => a > 0);
  const least = areas.length ? areas[areas.length - 1] : 1;
  const largest = areas.length ? areas[0] : 1;
  const classes = MIRVASTA_LENS_COLOURS.length;
  const bounds = [];
  for (let c = 1; c < classes; ++c) {
    bounds.push(least * Math.pow(largest / least, c / classes));
  }
  const classOf = (area) => {
    let c = 0;
    while (c < bounds.length && area >= bounds[c]) ++c;
    return c;
  };

  // The circles by the cells of a grid, to find the one under a point and
  // those in view at once; a disc larger than many cells stands apart.
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
  // The circle at a point of the placement: the smallest disc that holds
  // it, so that a disc inside another can be pointed at too.
  function at(x, y) {
    let found = -1;
    const consider = (i) => {
      const dx = x - block.x[i], dy = y - block.y[i];
      if (dx * dx + dy * dy <= block.r[i] * block.r[i] &&
          (found < 0 || block.r[i] < block.r[found])) found = i;
    };
    (grid.get(key(Math.floor(x / cell), Math.floor(y / cell))) || []).forEach(consider);
    large.forEach(consider);
    return found + 1;
  }

  let chosen = -1;
  let shownLabels = [];
  let scheduled = false;
  const context = canvas.getContext("2d");

  function draw() {
    scheduled = false;
    const ratio = window.devicePixelRatio || 1;
    const pixels = canvas.clientWidth;
    if (pixels === 0) return;
    if (canvas.width !== Math.round(pixels * ratio)) {
      canvas.width = canvas.height = Math.round(pixels * ratio);
    }
    const scale = pixels / view.w;
    const sx = (x) => (x - view.x) * scale, sy = (y) => (-y - view.y) * scale;
    const inView = (i, margin = 0) =>
      block.x[i] + block.r[i] >= view.x - margin && block.x[i] - block.r[i] <= view.x + view.w + margin &&
      -block.y[i] + block.r[i] >= view.y - margin && -block.y[i] - block.r[i] <= view.y + view.w + margin;
    const g = context;
    g.setTransform(ratio, 0, 0, ratio, 0, 0);
    g.fillStyle = "#f4f4f4";
    g.fillRect(0, 0, pixels, pixels);
    g.fillStyle = "#fff";
    g.fillRect(sx(0), sy(1), scale, scale);

    // Each disc filled on its own, so that covered points darken; the rims
    // in one stroke.
    const visible = [];
    for (let i = 0; i < n; ++i) if (inView(i)) visible.push(i);
    g.fillStyle = "#0072b2";
    g.globalAlpha = MIRVASTA_DISC_OPACITY;
    for (const i of visible) {
      g.beginPath();
      g.arc(sx(block.x[i]), sy(block.y[i]), block.r[i] * scale, 0, 2 * Math.PI);
      g.fill();
    }
    g.globalAlpha = 1;
    g.strokeStyle = "#1d3b53";
    g.lineWidth = 1;
    g.beginPath();
    for (const i of visible) {
      const cx = sx(block.x[i]), cy = sy(block.y[i]), r = block.r[i] * scale;
      g.moveTo(cx + r, cy);
      g.arc(cx, cy, r, 0, 2 * Math.PI);
    }
    g.stroke();

    // A lens as a closed part of the current path.
    const lens = (a, b) => {
      const chord = mirvastaChord(block.x[a], block.y[a], block.r[a],
                                  block.x[b], block.y[b], block.r[b]);
      if (!chord) {
        const i = block.r[a] < block.r[b] ? a : b;
        const r = block.r[i] * scale;
        g.moveTo(sx(block.x[i]) + r, sy(block.y[i]));
        g.arc(sx(block.x[i]), sy(block.y[i]), r, 0, 2 * Math.PI);
        return;
      }
      // Along a's rim inside b, then back along b's rim inside a.
      const angle = (i, x, y) => Math.atan2(-(y - block.y[i]), x - block.x[i]);
      g.arc(sx(block.x[a]), sy(block.y[a]), block.r[a] * scale, angle(a, chord[0], chord[1]),
            angle(a, chord[2], chord[3]));
      g.arc(sx(block.x[b]), sy(block.y[b]), block.r[b] * scale, angle(b, chord[2], chord[3]),
            angle(b, chord[0], chord[1]));
      g.closePath();
    };
    // Each lens filled on its own (a path of many far-apart parts fills
    // slower), those of one colour together.
    const lenses = Math.min(block.pairs.length, MIRVASTA_LENSES);
    const byColour = MIRVASTA_LENS_COLOURS.map(() => []);
    for (let k = 0; k < lenses; ++k) {
      const [a, b, area] = block.pairs[k];
      if (inView(a - 1) && inView(b - 1)) byColour[classOf(area)].push(k);
    }
    byColour.forEach((ks, c) => {
      g.fillStyle = MIRVASTA_LENS_COLOURS[c];
      for (const k of ks) {
        g.beginPath();
        lens(block.pairs[k][0] - 1, block.pairs[k][1] - 1);
        g.fill();
      }
    });

    g.setLineDash([6, 3]);
    g.strokeStyle = "#222";
    g.lineWidth = 1.5;
    g.strokeRect(sx(0), sy(1), scale, scale);
    g.setLineDash([]);

    const labelled = [];
    if (chosen >= 0) {
      const [a, b] = block.pairs[chosen];
      g.beginPath();
      lens(a - 1, b - 1);
      g.fillStyle = "#e69f00";
      g.fill();
      g.strokeStyle = "#000";
      g.lineWidth = 3;
      for (const i of [a - 1, b - 1]) {
        g.beginPath();
        g.arc(sx(block.x[i]), sy(block.y[i]), block.r[i] * scale, 0, 2 * Math.PI);
        g.stroke();
      }
      labelled.push(a - 1, b - 1);
    }
    shownLabels = drawLabels(g, visible, labelled, sx, sy, scale, pixels);
    viewBox.dataset.labels = shownLabels.length;
  }

  // The circles' numbers, never over one another: the chosen pair's first,
  // then the others from the largest disc down, each where its box is free.
  function drawLabels(g, visible, first, sx, sy, scale, pixels) {
    const taken = [];
    const free = (box) => taken.every((t) => box.x1 <= t.x0 || box.x0 >= t.x1 ||
                                             box.y1 <= t.y0 || box.y0 >= t.y1);
    const order = visible.filter((i) => block.r[i] * scale >= MIRVASTA_LABEL_PIXELS &&
                                        !first.includes(i));
    order.sort((i, j) => block.r[j] - block.r[i] || i - j);
    g.textAlign = "center";
    g.textBaseline = "middle";
    g.fillStyle = "#10202c";
    const shown = [];
    let font = 0;
    // The boxes in cells of a grid of 32 pixels, so that each looks only
    // at its neighbours.
    const cells = new Map();
    const place = (i, cx, cy, size) => {
      const label = String(i + 1);
      const half = 0.3 * size * label.length + 1, rise = 0.5 * size + 1;
      const box = { x0: cx - half, x1: cx + half, y0: cy - rise, y1: cy + rise };
      if (box.x1 < 0 || box.x0 > pixels || box.y1 < 0 || box.y0 > pixels) return false;
      const gx0 = Math.floor(box.x0 / 32), gx1 = Math.floor(box.x1 / 32);
      const gy0 = Math.floor(box.y0 / 32), gy1 = Math.floor(box.y1 / 32);
      taken.length = 0;
      for (let gx = gx0; gx <= gx1; ++gx) {
        for (let gy = gy0; gy <= gy1; ++gy) taken.push(...(cells.get(gx * 65536 + gy) || []));
      }
      if (!free(box)) return false;
      for (let gx = gx0; gx <= gx1; ++gx) {
        for (let gy = gy0; gy <= gy1; ++gy) {
          const k = gx * 65536 + gy;
          if (!cells.has(k)) cells.set(k, []);
          cells.get(k).push(box);
        }
      }
      // Setting a font parses it: only when the size changes.
      if (size !== font) {
        font = size;
        g.font = `${size}px sans-serif`;
      }
      g.fillText(label, cx, cy);
      shown.push({ circle: i + 1, box });
      return true;
    };
    const sizeOf = (i) => Math.round(Math.max(10, Math.min(16, 0.8 * block.r[i] * scale)));
    // The chosen pair's numbers stand on their discs, or beside each other
    // where they would meet.
    for (const i of first) {
      const cx = sx(block.x[i]), cy = sy(block.y[i]);
      const size = sizeOf(i);
      place(i, cx, cy, size) || place(i, cx, cy - size - 2, size) ||
          place(i, cx, cy + size + 2, size) || place(i, cx + 2 * size, cy, size);
    }
    for (const i of order) place(i, sx(block.x[i]), sy(block.y[i]), sizeOf(i));
    return shown;
  }

  function redraw() {
    if (!scheduled) {
      scheduled = true;
      requestAnimationFrame(draw);
    }
  }
  // The point of the placement under a point of the screen.
  function pointAt(clientX, clientY) {
    const box = canvas.getBoundingClientRect();
    return { x: view.x + (clientX - box.left) / box.width * view.w,
             y: view.y + (clientY - box.top) / box.height * view.w };
  }
  function zoom(factor, p) {
    const w = Math.min(whole.w * 4, Math.max(whole.w * 1e-5, view.w * factor));
    view = { x: p.x - (p.x - view.x) * w / view.w, y: p.y - (p.y - view.y) * w / view.w, w };
    redraw();
  }
  const centre = () => ({ x: view.x + view.w / 2, y: view.y + view.w / 2 });

  canvas.addEventListener("wheel", (event) => {
    event.preventDefault();
    zoom(Math.exp(Math.max(-1, Math.min(1, event.deltaY * 0.002))),
         pointAt(event.clientX, event.clientY));
  }, { passive: false });
  let drag = null;
  canvas.addEventListener("pointerdown", (event) => {
    drag = { x: event.clientX, y: event.clientY, view: { ...view } };
    canvas.setPointerCapture(event.pointerId);
  });
  canvas.addEventListener("pointermove", (event) => {
    if (drag) {
      const scale = view.w / canvas.getBoundingClientRect().width;
      view = { x: drag.view.x - (event.clientX - drag.x) * scale,
               y: drag.view.y - (event.clientY - drag.y) * scale, w: view.w };
      tip.style.display = "none";
      redraw();
      return;
    }
    const p = pointAt(event.clientX, event.clientY);
    const i = at(p.x, -p.y);
    if (!i) {
      tip.style.display = "none";
      return;
    }
    tip.textContent = text.circle(i, block.x[i - 1], block.y[i - 1], block.r[i - 1],
                                  cost > 0 ? share[i - 1] / cost : 0);
    const box = viewBox.getBoundingClientRect();
    tip.style.left = `${event.clientX - box.left + 14}px`;
    tip.style.top = `${event.clientY - box.top + 14}px`;
    tip.style.display = "block";
  });
  canvas.addEventListener("pointerup", () => { drag = null; });
  canvas.addEventListener("pointerleave", () => { tip.style.display = "none"; });
  const showAll = () => {
    view = { ...whole };
    redraw();
  };
  canvas.addEventListener("dblclick", showAll);
  viewBox.addEventListener("keydown", (event) => {
    const step = view.w / 10;
    const moves = { ArrowLeft: [-step, 0], ArrowRight: [step, 0], ArrowUp: [0, -step],
                    ArrowDown: [0, step] };
    if (event.key === "+" || event.key === "=") zoom(1 / 1.25, centre());
    else if (event.key === "-") zoom(1.25, centre());
    else if (event.key === "0") showAll();
    else if (moves[event.key]) {
      view = { x: view.x + moves[event.key][0], y: view.y + moves[event.key][1], w: view.w };
      redraw();
    } else return;
    event.preventDefault();
  });
  new ResizeObserver(redraw).observe(canvas);

  // The details beside the view: the cost, the counts, the legends, the
  // buttons and the list of pairs.
  mirvastaNode("h2", {}, details, text.caseTitle(block.caseNo));
  const figures = mirvastaNode("p", {}, details, `${text.cost}: `);
  mirvastaNode("span", { class: "mv-cost" }, figures, block.cost);
  mirvastaNode("br", {}, figures);
  figures.appendChild(document.createTextNode(text.counts(n, block.pairs.length)));
  const discLegend = mirvastaNode("p", { class: "mv-legend" }, details, text.legend + " ");
  for (const k of [1, 2, 3, 4]) {
    const swatch = mirvastaNode("span", { class: "mv-swatch" }, discLegend);
    swatch.style.opacity = 1 - Math.pow(1 - MIRVASTA_DISC_OPACITY, k);
    discLegend.appendChild(document.createTextNode(k < 4 ? ` ${k} ` : " 4+"));
  }
  if (areas.length > 0) {
    const lensLegend = mirvastaNode("p", { class: "mv-legend mv-lens-legend" }, details,
                                    text.lensLegend);
    MIRVASTA_LENS_COLOURS.forEach((colour, c) => {
      const item = mirvastaNode("span", { class: "mv-lens-item" }, lensLegend);
      const swatch = mirvastaNode("span", { class: "mv-swatch" }, item);
      swatch.style.background = colour;
      const from = c === 0 ? least : bounds[c - 1];
      item.appendChild(document.createTextNode(` ${c === 0 ? "" : "≥ "}` +
                                               `${from.toExponential(1)}`));
    });
  }
  const buttons = mirvastaNode("p", { class: "mv-buttons" }, details);
  mirvastaNode("button", { type: "button", class: "mv-all" }, buttons, text.showAll)
      .addEventListener("click", showAll);
  mirvastaNode("button", { type: "button", class: "mv-png" }, buttons, text.exportPng)
      .addEventListener("click", () => canvas.toBlob((blob) => {
        const link = mirvastaNode("a", { href: URL.createObjectURL(blob),
                                         download: `mirvasta-${block.caseNo}.png` }, document.body);
        link.click();
        link.remove();
      }));
  mirvastaNode("p", { class: "mv-hint" }, details, text.hint);

  // Every overlapping pair, largest first, filtered by a circle's number; a
  // list that draws only the rows in view, keyed like a list box.
  let rows = block.pairs.map((_, k) => k);
  let active = -1;
  let list = null, spacer = null, count = null;
  if (block.pairs.length > 0) {
    const search = mirvastaNode("label", { class: "mv-search" }, details, text.search + " ");
    const field = mirvastaNode("input", { type: "search", inputmode: "numeric", size: "6" }, search);
    count = mirvastaNode("span", { class: "mv-count" }, search);
    mirvastaNode("div", { class: "mv-pair mv-head", "aria-hidden": "true" }, details).append(
        ...["", text.circleWord, text.circleWord, text.overlap].map((h) =>
          mirvastaNode("span", {}, null, h)));
    list = mirvastaNode("div", { class: "mv-pairs", tabindex: "0", role: "listbox",
                                 "aria-label": text.pairsLabel }, details);
    spacer = mirvastaNode("div", { class: "mv-spacer" }, list);
    field.addEventListener("input", () => {
      const circle = Number(field.value.trim());
      rows = block.pairs.map((_, k) => k).filter((k) => field.value.trim() === "" ||
          block.pairs[k][0] === circle || block.pairs[k][1] === circle);
      active = -1;
      list.scrollTop = 0;
      fillList();
    });
    list.addEventListener("scroll", fillList);
    list.addEventListener("keydown", (event) => {
      const page = Math.max(1, Math.floor(list.clientHeight / MIRVASTA_ROW_PIXELS) - 1);
      const moves = { ArrowDown: 1, ArrowUp: -1, PageDown: page, PageUp: -page,
                      Home: -rows.length, End: rows.length };
      if (moves[event.key] !== undefined) {
        active = Math.max(0, Math.min(rows.length - 1, active + moves[event.key]));
        const y = active * MIRVASTA_ROW_PIXELS;
        if (y < list.scrollTop) list.scrollTop = y;
        if (y + MIRVASTA_ROW_PIXELS > list.scrollTop + list.clientHeight) {
          list.scrollTop = y + MIRVASTA_ROW_PIXELS - list.clientHeight;
        }
        fillList();
      } else if (event.key === "Enter" && active >= 0) {
        select(rows[active]);
      } else {
        return;
      }
      event.preventDefault();
    });
    fillList();
  }

  function fillList() {
    if (!list) return;
    spacer.style.height = `${rows.length * MIRVASTA_ROW_PIXELS}px`;
    count.textContent = rows.length === block.pairs.length ? "" : text.found(rows.length);
    const first = Math.floor(list.scrollTop / MIRVASTA_ROW_PIXELS);
    const last = Math.min(rows.length, first + Math.ceil(list.clientHeight / MIRVASTA_ROW_PIXELS) + 2);
    const shown = [];
    for (let r = first; r < last; ++r) {
      const k = rows[r];
      const [a, b, area] = block.pairs[k];
      const row = mirvastaNode("div", { class: "mv-pair", role: "option", "data-pair": k,
                                        id: `mv-pair-${block.caseNo}-${k}` });
      row.style.top = `${r * MIRVASTA_ROW_PIXELS}px`;
      row.append(...[`${k + 1}.`, a, b, mirvastaScientific(area)].map((cell) =>
        mirvastaNode("span", {}, null, String(cell))));
      row.classList.toggle("mv-chosen", k === chosen);
      row.classList.toggle("mv-active", r === active);
      row.setAttribute("aria-selected", k === chosen ? "true" : "false");
      row.addEventListener("click", () => {
        active = r;
        select(k);
      });
      shown.push(row);
    }
    spacer.replaceChildren(...shown);
    if (active >= 0) list.setAttribute("aria-activedescendant", `mv-pair-${block.caseNo}-${rows[active]}`);
  }

  // Draws pair k on top and zooms to it: the two discs fill the view, with
  // a margin, however small they are.
  function select(k) {
    chosen = k;
    const [a, b] = block.pairs[k];
    const x0 = Math.min(block.x[a - 1] - block.r[a - 1], block.x[b - 1] - block.r[b - 1]);
    const x1 = Math.max(block.x[a - 1] + block.r[a - 1], block.x[b - 1] + block.r[b - 1]);
    const y0 = -Math.max(block.y[a - 1] + block.r[a - 1], block.y[b - 1] + block.r[b - 1]);
    const y1 = -Math.min(block.y[a - 1] - block.r[a - 1], block.y[b - 1] - block.r[b - 1]);
    const w = 1.25 * Math.max(x1 - x0, y1 - y0);
    view = { x: (x0 + x1 - w) / 2, y: (y0 + y1 - w) / 2, w };
    fillList();
    redraw();
  }

  draw();
  const handle = {
    select,
    view: () => ({ ...view }),
    at: (x, y) => at(x, y),
    labels: () => shownLabels.map((l) => ({ ...l })),
    draw,
  };
  root.mirvasta = handle;
  return handle;
}

// The words of the drawing, in Slovenian and in English.
const mirvastaText = {
  sl: {
    caseTitle: (k) => `Testni primer ${k}`,
    cost: "Cena",
    counts: (n, pairs) => `${mirvastaSlovenian(n, ["krog", "kroga", "krogi", "krogov"])}, ` +
                          `${mirvastaSlovenian(pairs, ["par", "para", "pari", "parov"])}, ki se ` +
                          `${mirvastaSlovenian(pairs, ["prekriva", "prekrivata", "prekrivajo",
                                                       "prekrivajo"]).split(" ")[1]}.`,
    legend: "Število krogov, ki pokrivajo točko:",
    lensLegend: "Ploščina prekrivanja:",
    circleWord: "krog",
    overlap: "ploščina prekrivanja",
    pairsLabel: "Pari krogov, ki se prekrivajo, največji najprej",
    search: "Krog št.:",
    found: (k) => ` (${mirvastaSlovenian(k, ["par", "para", "pari", "parov"])})`,
    showAll: "Pokaži vse",
    exportPng: "Shrani sliko (PNG)",
    hint: "Klik na par ga pokaže; kolesce ali + in − povečujeta, vlečenje ali puščice " +
          "premikajo, dvojni klik ali 0 pokaže vse.",
    circle: (i, x, y, r, s) => `krog ${i}: središče (${x}, ${y}), polmer ${r}, ` +
                               `delež cene ${(100 * s).toFixed(2)} %`,
  },
  en: {
    caseTitle: (k) => `Test case ${k}`,
    cost: "Cost",
    counts: (n, pairs) => `${n} ${n === 1 ? "circle" : "circles"}, ${pairs} overlapping ` +
                          `${pairs === 1 ? "pair" : "pairs"}.`,
    legend: "Circles covering a point:",
    lensLegend: "Overlap area:",
    circleWord: "circle",
    overlap: "overlap area",
    pairsLabel: "Overlapping pairs of circles, the largest first",
    search: "Circle no.:",
    found: (k) => ` (${k} ${k === 1 ? "pair" : "pairs"})`,
    showAll: "Show everything",
    exportPng: "Save the picture (PNG)",
    hint: "Click a pair to show it; the wheel or + and − zoom, a drag or the arrow keys " +
          "pan, a double click or 0 shows everything.",
    circle: (i, x, y, r, s) => `circle ${i}: centre (${x}, ${y}), radius ${r}, ` +
                               `share of the cost ${(100 * s).toFixed(2)} %`,
  },
};

// Draws one case block's placement: the placement viewer's page and the
// contestants' page both hold this script. The block is the data of
// blockJson (src/drawing/Drawing.cpp); every number in it is exact.
//
// The view shows the unit square and every disc, also where a disc reaches
// beyond the square (its overlap there counts in full). Discs are blue and
// translucent, so that a point is the darker the more discs cover it: the
// overlaps show by how many discs meet there, in colours that colour-blind
// readers tell apart (blue and orange, never red against green). The wheel
// zooms about the pointer, a drag pans, circle numbers appear where they are
// large enough to read, and a pair chosen in the table of the largest
// overlaps is drawn in orange on top and brought into view.

"use strict";

const MIRVASTA_SVG = "http://www.w3.org/2000/svg";
// A disc's opacity: k discs over a point cover it 1 - (1 - a)^k.
const MIRVASTA_DISC_OPACITY = 0.3;
// Rows of the table of the largest overlaps.
const MIRVASTA_PAIR_ROWS = 10;
// A circle's number shows from this radius on screen, in pixels.
const MIRVASTA_LABEL_PIXELS = 9;

function mirvastaElement(name, attributes, parent) {
  const element = document.createElementNS(MIRVASTA_SVG, name);
  for (const key in attributes) element.setAttribute(key, attributes[key]);
  if (parent) parent.appendChild(element);
  return element;
}

// The region two discs share, as an SVG path in the view's coordinates (y
// downwards): the smaller disc where one holds the other, otherwise an arc of
// each disc inside the other.
function mirvastaLensPath(ax, ay, ra, bx, by, rb) {
  const dx = bx - ax, dy = by - ay, d = Math.hypot(dx, dy);
  if (d <= Math.abs(ra - rb) || d < 1e-8) {
    const [cx, cy, r] = ra < rb ? [ax, ay, ra] : [bx, by, rb];
    return `M${cx - r} ${-cy}a${r} ${r} 0 1 0 ${2 * r} 0a${r} ${r} 0 1 0 ${-2 * r} 0Z`;
  }
  const along = (d * d - rb * rb + ra * ra) / (2 * d);
  const half = Math.sqrt(Math.max(0, ra * ra - along * along));
  const ux = dx / d, uy = dy / d, px = ax + along * ux, py = ay + along * uy;
  const x1 = px - half * uy, y1 = py + half * ux, x2 = px + half * uy, y2 = py - half * ux;
  return `M${x1} ${-y1}A${ra} ${ra} 0 ${along < 0 ? 1 : 0} 1 ${x2} ${-y2}` +
         `A${rb} ${rb} 0 ${d - along < 0 ? 1 : 0} 1 ${x1} ${-y1}Z`;
}

// A number as "%.6e" prints it: six decimals, an exponent of two digits.
function mirvastaScientific(value) {
  return value.toExponential(6).replace(/e([+-])(\d)$/, "e$10$2");
}

// Draws `block` into the element `root`, in the words of `text` (see
// mirvastaText below), and returns { svg, select(pairIndex) }.
function mirvastaPlacement(root, block, text) {
  const n = block.r.length, cost = Number(block.cost);
  root.replaceChildren();
  root.classList.add("mv");
  const viewBox = document.createElement("div");
  viewBox.className = "mv-view";
  root.appendChild(viewBox);
  const details = document.createElement("div");
  details.className = "mv-details";
  root.appendChild(details);

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
  let view = { ...whole };

  const svg = mirvastaElement("svg", { class: "mv-svg" }, viewBox);
  mirvastaElement("rect", { class: "mv-square", x: 0, y: -1, width: 1, height: 1 }, svg);
  const discs = mirvastaElement("g", { class: "mv-discs" }, svg);
  mirvastaElement("rect", { class: "mv-outline", x: 0, y: -1, width: 1, height: 1 }, svg);
  const labels = mirvastaElement("g", { class: "mv-labels" }, svg);
  const chosen = mirvastaElement("g", { class: "mv-chosen" }, svg);
  const labelOf = [];
  for (let i = 0; i < n; ++i) {
    mirvastaElement("circle", { "data-i": i + 1, cx: block.x[i], cy: -block.y[i],
                                r: block.r[i] }, discs);
    const label = mirvastaElement("text", { x: block.x[i], y: -block.y[i],
                                            "font-size": block.r[i] }, labels);
    label.textContent = i + 1;
    labelOf.push(label);
  }

  // Each circle's share of the cost: half of each of its lens areas.
  const share = new Array(n).fill(0);
  for (const [a, b, area] of block.pairs) {
    share[a - 1] += area / 2;
    share[b - 1] += area / 2;
  }

  function show() {
    svg.setAttribute("viewBox", `${view.x} ${view.y} ${view.w} ${view.w}`);
    const pixels = svg.clientWidth / view.w;
    for (let i = 0; i < n; ++i) {
      labelOf[i].style.display = block.r[i] * pixels >= MIRVASTA_LABEL_PIXELS ? "" : "none";
    }
  }
  // The point of the view under a pointer.
  function pointAt(event) {
    const box = svg.getBoundingClientRect();
    return { x: view.x + (event.clientX - box.left) / box.width * view.w,
             y: view.y + (event.clientY - box.top) / box.height * view.w };
  }
  svg.addEventListener("wheel", (event) => {
    event.preventDefault();
    const p = pointAt(event);
    const factor = Math.exp(Math.max(-1, Math.min(1, event.deltaY * 0.002)));
    const w = Math.min(whole.w * 4, Math.max(whole.w * 1e-5, view.w * factor));
    view = { x: p.x - (p.x - view.x) * w / view.w, y: p.y - (p.y - view.y) * w / view.w, w };
    show();
  }, { passive: false });
  let drag = null;
  svg.addEventListener("pointerdown", (event) => {
    drag = { x: event.clientX, y: event.clientY, view: { ...view } };
    svg.setPointerCapture(event.pointerId);
  });
  svg.addEventListener("pointermove", (event) => {
    if (drag) {
      const scale = view.w / svg.getBoundingClientRect().width;
      view = { x: drag.view.x - (event.clientX - drag.x) * scale,
               y: drag.view.y - (event.clientY - drag.y) * scale, w: view.w };
      show();
      return;
    }
    const i = Number(event.target.dataset && event.target.dataset.i);
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
  svg.addEventListener("pointerup", () => { drag = null; });
  svg.addEventListener("pointerleave", () => { tip.style.display = "none"; });
  svg.addEventListener("dblclick", () => {
    view = { ...whole };
    show();
  });
  const tip = document.createElement("div");
  tip.className = "mv-tip";
  viewBox.appendChild(tip);

  const heading = document.createElement("h2");
  heading.textContent = text.caseTitle(block.caseNo);
  details.appendChild(heading);
  const figures = document.createElement("p");
  figures.innerHTML = `${text.cost}: <span class="mv-cost"></span><br>`;
  figures.querySelector(".mv-cost").textContent = block.cost;
  figures.appendChild(document.createTextNode(text.counts(n, block.pairs.length)));
  details.appendChild(figures);
  const legend = document.createElement("p");
  legend.className = "mv-legend";
  legend.appendChild(document.createTextNode(text.legend + " "));
  for (const k of [1, 2, 3, 4]) {
    const swatch = document.createElement("span");
    swatch.className = "mv-swatch";
    swatch.style.opacity = 1 - Math.pow(1 - MIRVASTA_DISC_OPACITY, k);
    legend.appendChild(swatch);
    legend.appendChild(document.createTextNode(k < 4 ? ` ${k} ` : " 4+"));
  }
  details.appendChild(legend);

  const rows = [];
  if (block.pairs.length > 0) {
    const table = document.createElement("table");
    table.className = "mv-pairs";
    table.innerHTML = `<tr><th></th><th>${text.circleWord}</th><th>${text.circleWord}</th>` +
                      `<th>${text.overlap}</th></tr>`;
    block.pairs.slice(0, MIRVASTA_PAIR_ROWS).forEach(([a, b, area], k) => {
      const row = table.insertRow();
      row.dataset.pair = k;
      for (const cell of [`${k + 1}.`, a, b, mirvastaScientific(area)]) {
        row.insertCell().textContent = cell;
      }
      row.addEventListener("click", () => select(k));
      rows.push(row);
    });
    details.appendChild(table);
    const hint = document.createElement("p");
    hint.textContent = text.hint;
    details.appendChild(hint);
  }

  // Draws pair k on top and brings it into view.
  function select(k) {
    const [a, b] = block.pairs[k];
    chosen.replaceChildren();
    for (const i of [a, b]) {
      mirvastaElement("circle", { "data-i": i, cx: block.x[i - 1], cy: -block.y[i - 1],
                                  r: block.r[i - 1] }, chosen);
    }
    mirvastaElement("path", { class: "mv-lens", d: mirvastaLensPath(
        block.x[a - 1], block.y[a - 1], block.r[a - 1],
        block.x[b - 1], block.y[b - 1], block.r[b - 1]) }, chosen);
    rows.forEach((row, i) => row.classList.toggle("mv-chosen", i === k));
    const x0 = Math.min(block.x[a - 1] - block.r[a - 1], block.x[b - 1] - block.r[b - 1]);
    const x1 = Math.max(block.x[a - 1] + block.r[a - 1], block.x[b - 1] + block.r[b - 1]);
    const y0 = -Math.max(block.y[a - 1] + block.r[a - 1], block.y[b - 1] + block.r[b - 1]);
    const y1 = -Math.min(block.y[a - 1] - block.r[a - 1], block.y[b - 1] - block.r[b - 1]);
    const inside = x0 >= view.x && x1 <= view.x + view.w && y0 >= view.y &&
                   y1 <= view.y + view.w;
    if (!inside) {
      const w = Math.max(view.w, 1.2 * Math.max(x1 - x0, y1 - y0));
      view = { x: (x0 + x1 - w) / 2, y: (y0 + y1 - w) / 2, w };
    }
    show();
  }

  show();
  return { svg, select };
}

// The words of the drawing, in Slovenian and in English.
const mirvastaText = {
  sl: {
    caseTitle: (k) => `Testni primer ${k}`,
    cost: "Cena",
    counts: (n, pairs) => `${n} krogov, ${pairs} parov, ki se prekrivajo.`,
    legend: "Število krogov, ki pokrivajo točko:",
    circleWord: "krog",
    overlap: "ploščina prekrivanja",
    hint: "Klik na vrstico pokaže njen par; kolesce povečuje, vlečenje premika, " +
          "dvojni klik pokaže vse.",
    circle: (i, x, y, r, s) => `krog ${i}: središče (${x}, ${y}), polmer ${r}, ` +
                               `delež cene ${(100 * s).toFixed(2)} %`,
  },
  en: {
    caseTitle: (k) => `Test case ${k}`,
    cost: "Cost",
    counts: (n, pairs) => `${n} circles, ${pairs} overlapping pairs.`,
    legend: "Circles covering a point:",
    circleWord: "circle",
    overlap: "overlap area",
    hint: "Click a row to show its pair; the wheel zooms, a drag pans, " +
          "a double click shows everything.",
    circle: (i, x, y, r, s) => `circle ${i}: centre (${x}, ${y}), radius ${r}, ` +
                               `share of the cost ${(100 * s).toFixed(2)} %`,
  },
};

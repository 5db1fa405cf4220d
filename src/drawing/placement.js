// Draws one case block's placement: the placement viewer's page and the
// contestants' page both hold this code. The block is the data of blockJson
// (src/drawing/Drawing.cpp); every number in it is exact.
//
// The view is a canvas: the unit square and every disc, also where a disc
// reaches beyond the square (its overlap there counts in full). Discs are
// blue and translucent, so that a point is the darker the more discs cover
// it, and each lens is filled in a colour of its area, from pale yellow to
// dark brown, colours that colour-blind readers tell apart from the blue.
// Beside it: the cost, the legends, and the list of overlapping pairs.

import { attachControls } from "./controls.js";
import { node } from "./dom.js";
import { DISC_OPACITY, LENS_COLOURS, lensClasses, pairView, shares, wholeView }
  from "./geometry.js";
import { circleFinder } from "./grid.js";
import { paint } from "./paint.js";
import { pairList } from "./pairs.js";

// Draws `block` into the element `root`, in the words of `text`
// (drawingText.sl or .en); `options.view` restores a view the caller kept.
// Returns the drawing's handle, also as root.mirvasta: select(k) chooses
// pair k of block.pairs, view() the view shown ({x, y, w}: the left, the
// top as -y and the width, in placement units), at(x, y) the circle at a
// point of the placement (0 for none), labels() the numbers shown.
export function placement(root, block, text, options = {}) {
  root.replaceChildren();
  root.classList.add("mv");
  const viewBox = node("div", { class: "mv-view", tabindex: "0", role: "img",
                                "aria-label": text.caseTitle(block.caseNo) }, root);
  const canvas = node("canvas", { class: "mv-canvas" }, viewBox);
  const tip = node("div", { class: "mv-tip" }, viewBox);
  const details = node("div", { class: "mv-details" }, root);
  const whole = wholeView(block), classes = lensClasses(block.pairs);
  const at = circleFinder(block), share = shares(block.r.length, block.pairs);
  let current = options.view ? { ...options.view } : { ...whole };
  let chosen = -1, shownLabels = [], scheduled = false;

  const draw = () => {
    scheduled = false;
    const pixels = canvas.clientWidth, ratio = window.devicePixelRatio || 1;
    if (pixels === 0) return;
    if (canvas.width !== Math.round(pixels * ratio)) {
      canvas.width = canvas.height = Math.round(pixels * ratio);
    }
    const g = canvas.getContext("2d");
    g.setTransform(ratio, 0, 0, ratio, 0, 0);
    shownLabels = paint(g, block, current, pixels, chosen, classes);
    viewBox.dataset.labels = shownLabels.length;
  };
  const view = {
    get: () => ({ ...current }),
    set: (next) => {
      current = next;
      if (!scheduled) {
        scheduled = true;
        requestAnimationFrame(draw);
      }
    },
  };
  attachControls(canvas, viewBox, view, whole, (point) => {
    const i = point ? at(point.x, point.y) : 0;
    tip.style.display = i ? "block" : "none";
    if (!i) return;
    const cost = Number(block.cost);
    tip.textContent = text.circle(i, block.x[i - 1], block.y[i - 1], block.r[i - 1],
                                  cost > 0 ? share[i - 1] / cost : 0);
    tip.style.left = `${point.left + 14}px`;
    tip.style.top = `${point.top + 14}px`;
  });
  new ResizeObserver(() => view.set(current)).observe(canvas);

  let list = null;
  const select = (k) => {
    chosen = k;
    if (list) list.choose(k);
    view.set(pairView(block, k));
  };
  list = writeDetails(details, block, text, classes, { showAll: () => view.set({ ...whole }),
                                                       select, canvas });
  draw();
  const handle = { select, view: view.get, at, labels: () => shownLabels.map((l) => ({ ...l })),
                   draw };
  root.mirvasta = handle;
  return handle;
}

// The details beside the view: the cost, the counts, the legends, the
// buttons, the keys and the list of pairs (returned, where there are pairs).
function writeDetails(details, block, text, classes, { showAll, select, canvas }) {
  node("h2", {}, details, text.caseTitle(block.caseNo));
  const figures = node("p", {}, details, `${text.cost}: `);
  node("span", { class: "mv-cost" }, figures, block.cost);
  node("br", {}, figures);
  figures.appendChild(document.createTextNode(text.counts(block.r.length, block.pairs.length)));
  const discLegend = node("p", { class: "mv-legend" }, details, text.legend + " ");
  for (const k of [1, 2, 3, 4]) {
    const swatch = node("span", { class: "mv-swatch" }, discLegend);
    swatch.style.opacity = 1 - Math.pow(1 - DISC_OPACITY, k);
    discLegend.appendChild(document.createTextNode(k < 4 ? ` ${k} ` : " 4+"));
  }
  if (classes.any) {
    const lensLegend = node("p", { class: "mv-legend mv-lens-legend" }, details, text.lensLegend);
    LENS_COLOURS.forEach((colour, c) => {
      // A blank between the items, where a narrow screen breaks the line.
      lensLegend.appendChild(document.createTextNode(" "));
      const item = node("span", { class: "mv-lens-item" }, lensLegend);
      node("span", { class: "mv-swatch" }, item).style.background = colour;
      const from = c === 0 ? classes.least : classes.bounds[c - 1];
      item.appendChild(document.createTextNode(` ${c === 0 ? "" : "≥ "}${from.toExponential(1)}`));
    });
  }
  const buttons = node("p", { class: "mv-buttons" }, details);
  node("button", { type: "button", class: "mv-all" }, buttons, text.showAll)
      .addEventListener("click", showAll);
  node("button", { type: "button", class: "mv-png" }, buttons, text.exportPng)
      .addEventListener("click", () => canvas.toBlob((blob) => {
        const link = node("a", { href: URL.createObjectURL(blob),
                                 download: `mirvasta-${block.caseNo}.png` }, document.body);
        link.click();
        link.remove();
      }));
  node("p", { class: "mv-hint mv-keys" }, details, text.keys);
  if (block.pairs.length === 0) return null;
  return pairList(details, block, text, select);
}

// One frame of the drawing on a canvas's 2D context: the square, the discs,
// the lenses in their colours, the chosen pair on top, the numbers. Only
// what is in view is drawn, so that a frame at a thousand circles is quick.

import { chord, DISC_OPACITY, LENS_COLOURS } from "./geometry.js";
import { placeLabels } from "./labels.js";

// Lenses drawn in a frame, the largest first: enough to see where a
// placement overlaps, few enough to keep a frame quick where all overlap.
export const MAX_LENSES = 4000;

// Draws `block` as `view` shows it in a square of `pixels`, with pair
// `chosen` (or -1) on top; `classes` are the lenses' colour classes.
// Returns the labels shown.
export function paint(g, block, view, pixels, chosen, classes) {
  const scale = pixels / view.w;
  const at = { sx: (x) => (x - view.x) * scale, sy: (y) => (-y - view.y) * scale, scale };
  const visible = [];
  for (let i = 0; i < block.r.length; ++i) if (inView(block, view, i)) visible.push(i);
  g.fillStyle = "#f4f4f4";
  g.fillRect(0, 0, pixels, pixels);
  g.fillStyle = "#fff";
  g.fillRect(at.sx(0), at.sy(1), scale, scale);
  paintDiscs(g, block, visible, at);
  paintLenses(g, block, view, classes, at);
  g.setLineDash([6, 3]);
  g.strokeStyle = "#222";
  g.lineWidth = 1.5;
  g.strokeRect(at.sx(0), at.sy(1), scale, scale);
  g.setLineDash([]);
  const first = chosen >= 0 ? paintChosen(g, block, chosen, at) : [];
  const screen = (i) => ({ x: at.sx(block.x[i]), y: at.sy(block.y[i]), r: block.r[i] * scale });
  const labels = placeLabels(block.r, visible, first, screen, pixels);
  g.textAlign = "center";
  g.textBaseline = "middle";
  g.fillStyle = "#10202c";
  let font = 0;
  for (const label of labels) {
    // Setting a font parses it: only when the size changes.
    if (label.size !== font) g.font = `${(font = label.size)}px sans-serif`;
    g.fillText(String(label.circle), label.x, label.y);
  }
  return labels;
}

function inView(block, view, i) {
  return block.x[i] + block.r[i] >= view.x && block.x[i] - block.r[i] <= view.x + view.w &&
         -block.y[i] + block.r[i] >= view.y && -block.y[i] - block.r[i] <= view.y + view.w;
}

// Each disc filled on its own, so that covered points darken; the rims in
// one stroke.
function paintDiscs(g, block, visible, at) {
  g.fillStyle = "#0072b2";
  g.globalAlpha = DISC_OPACITY;
  for (const i of visible) {
    g.beginPath();
    g.arc(at.sx(block.x[i]), at.sy(block.y[i]), block.r[i] * at.scale, 0, 2 * Math.PI);
    g.fill();
  }
  g.globalAlpha = 1;
  g.strokeStyle = "#1d3b53";
  g.lineWidth = 1;
  g.beginPath();
  for (const i of visible) {
    const cx = at.sx(block.x[i]), cy = at.sy(block.y[i]), r = block.r[i] * at.scale;
    g.moveTo(cx + r, cy);
    g.arc(cx, cy, r, 0, 2 * Math.PI);
  }
  g.stroke();
}

// Each lens in view filled on its own (a path of many far-apart parts fills
// slower), those of one colour together.
function paintLenses(g, block, view, classes, at) {
  const lenses = Math.min(block.pairs.length, MAX_LENSES);
  const byColour = LENS_COLOURS.map(() => []);
  for (let k = 0; k < lenses; ++k) {
    const [a, b, area] = block.pairs[k];
    if (inView(block, view, a - 1) && inView(block, view, b - 1)) {
      byColour[classes.classOf(area)].push(k);
    }
  }
  byColour.forEach((ks, c) => {
    g.fillStyle = LENS_COLOURS[c];
    for (const k of ks) {
      g.beginPath();
      lensPath(g, block, block.pairs[k][0] - 1, block.pairs[k][1] - 1, at);
      g.fill();
    }
  });
}

// The chosen pair's lens in orange and its rims in black; returns its circles.
function paintChosen(g, block, chosen, at) {
  const [a, b] = block.pairs[chosen];
  g.beginPath();
  lensPath(g, block, a - 1, b - 1, at);
  g.fillStyle = "#e69f00";
  g.fill();
  g.strokeStyle = "#000";
  g.lineWidth = 3;
  for (const i of [a - 1, b - 1]) {
    g.beginPath();
    g.arc(at.sx(block.x[i]), at.sy(block.y[i]), block.r[i] * at.scale, 0, 2 * Math.PI);
    g.stroke();
  }
  return [a - 1, b - 1];
}

// A lens as a closed part of the current path: along a's rim inside b, then
// back along b's rim inside a; the smaller disc where one holds the other.
function lensPath(g, block, a, b, at) {
  const crossing = chord(block.x[a], block.y[a], block.r[a], block.x[b], block.y[b], block.r[b]);
  if (!crossing) {
    const i = block.r[a] < block.r[b] ? a : b;
    const r = block.r[i] * at.scale;
    g.moveTo(at.sx(block.x[i]) + r, at.sy(block.y[i]));
    g.arc(at.sx(block.x[i]), at.sy(block.y[i]), r, 0, 2 * Math.PI);
    return;
  }
  const angle = (i, x, y) => Math.atan2(-(y - block.y[i]), x - block.x[i]);
  g.arc(at.sx(block.x[a]), at.sy(block.y[a]), block.r[a] * at.scale,
        angle(a, crossing[0], crossing[1]), angle(a, crossing[2], crossing[3]));
  g.arc(at.sx(block.x[b]), at.sy(block.y[b]), block.r[b] * at.scale,
        angle(b, crossing[2], crossing[3]), angle(b, crossing[0], crossing[1]));
  g.closePath();
}

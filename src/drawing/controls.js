// What moves the view: the wheel while the pointer is on the drawing (at
// its limits the page scrolls instead), a drag, the keys + - 0 and the
// arrows, a double click; and the tip that names the circle under the
// pointer. Each input only changes the view; one animation frame draws it.

import { zoomed } from "./geometry.js";

// `view` has get() and set(view), `whole` is the view of everything;
// onPoint is told the placement's point under the pointer and where that is
// in the view box, or null when the pointer leaves or drags.
export function attachControls(canvas, viewBox, view, whole, onPoint) {
  const pointAt = (clientX, clientY) => {
    const box = canvas.getBoundingClientRect(), v = view.get();
    return { x: v.x + (clientX - box.left) / box.width * v.w,
             y: v.y + (clientY - box.top) / box.height * v.w };
  };
  const zoom = (factor, p) => {
    const next = zoomed(view.get(), factor, p, whole);
    if (next) view.set(next);
    return next !== null;
  };
  const centre = () => {
    const v = view.get();
    return { x: v.x + v.w / 2, y: v.y + v.w / 2 };
  };
  canvas.addEventListener("wheel", (event) => {
    const factor = Math.exp(Math.max(-1, Math.min(1, event.deltaY * 0.002)));
    if (zoom(factor, pointAt(event.clientX, event.clientY))) event.preventDefault();
  }, { passive: false });
  let drag = null;
  canvas.addEventListener("pointerdown", (event) => {
    drag = { x: event.clientX, y: event.clientY, view: view.get() };
    canvas.setPointerCapture(event.pointerId);
  });
  canvas.addEventListener("pointermove", (event) => {
    if (drag) {
      const scale = drag.view.w / canvas.getBoundingClientRect().width;
      view.set({ x: drag.view.x - (event.clientX - drag.x) * scale,
                 y: drag.view.y - (event.clientY - drag.y) * scale, w: drag.view.w });
      onPoint(null);
      return;
    }
    const p = pointAt(event.clientX, event.clientY);
    const box = viewBox.getBoundingClientRect();
    onPoint({ x: p.x, y: -p.y, left: event.clientX - box.left, top: event.clientY - box.top });
  });
  canvas.addEventListener("pointerup", () => { drag = null; });
  canvas.addEventListener("pointerleave", () => onPoint(null));
  canvas.addEventListener("dblclick", () => view.set({ ...whole }));
  viewBox.addEventListener("keydown", (event) => {
    const v = view.get(), step = v.w / 10;
    const moves = { ArrowLeft: [-step, 0], ArrowRight: [step, 0], ArrowUp: [0, -step],
                    ArrowDown: [0, step] };
    if (event.key === "+" || event.key === "=") zoom(1 / 1.25, centre());
    else if (event.key === "-") zoom(1.25, centre());
    else if (event.key === "0") view.set({ ...whole });
    else if (moves[event.key]) {
      view.set({ x: v.x + moves[event.key][0], y: v.y + moves[event.key][1], w: v.w });
    } else return;
    event.preventDefault();
  });
}

// The list of every overlapping pair, the largest first, filtered by a
// circle's number: a list box that draws only the rows in view and that the
// keyboard walks. Choosing a row calls onChoose(k), k the pair's place in
// block.pairs.

import { node } from "./dom.js";
import { scientific } from "./geometry.js";

// Rows of the list, in pixels.
export const ROW_PIXELS = 22;

// The pairs of `pairs` that involve circle `circle`, or all for "".
export function pairsOf(pairs, filter) {
  const all = pairs.map((_, k) => k);
  if (filter.trim() === "") return all;
  const circle = Number(filter.trim());
  return all.filter((k) => pairs[k][0] === circle || pairs[k][1] === circle);
}

export function pairList(details, block, text, onChoose) {
  const search = node("label", { class: "mv-search" }, details, text.search + " ");
  const field = node("input", { type: "search", inputmode: "numeric", size: "6" }, search);
  const count = node("span", { class: "mv-count" }, search);
  node("div", { class: "mv-pair mv-head", "aria-hidden": "true" }, details).append(
      ...["", text.circleWord, text.circleWord, text.overlap].map((h) =>
        node("span", {}, null, h)));
  const list = node("div", { class: "mv-pairs", tabindex: "0", role: "listbox",
                             "aria-label": text.pairsLabel }, details);
  const spacer = node("div", { class: "mv-spacer" }, list);
  let rows = pairsOf(block.pairs, "");
  let active = -1, chosen = -1;

  function fill() {
    spacer.style.height = `${rows.length * ROW_PIXELS}px`;
    count.textContent = rows.length === block.pairs.length ? "" : text.found(rows.length);
    const first = Math.floor(list.scrollTop / ROW_PIXELS);
    const last = Math.min(rows.length, first + Math.ceil(list.clientHeight / ROW_PIXELS) + 2);
    const shown = [];
    for (let r = first; r < last; ++r) shown.push(row(r));
    spacer.replaceChildren(...shown);
    if (active >= 0) {
      list.setAttribute("aria-activedescendant", `mv-pair-${block.caseNo}-${rows[active]}`);
    }
  }
  function row(r) {
    const k = rows[r];
    const [a, b, area] = block.pairs[k];
    const made = node("div", { class: "mv-pair", role: "option", "data-pair": k,
                               id: `mv-pair-${block.caseNo}-${k}` });
    made.style.top = `${r * ROW_PIXELS}px`;
    made.append(...[`${k + 1}.`, a, b, scientific(area)].map((cell) =>
      node("span", {}, null, String(cell))));
    made.classList.toggle("mv-chosen", k === chosen);
    made.classList.toggle("mv-active", r === active);
    made.setAttribute("aria-selected", k === chosen ? "true" : "false");
    made.addEventListener("click", () => {
      active = r;
      onChoose(k);
    });
    return made;
  }
  field.addEventListener("input", () => {
    rows = pairsOf(block.pairs, field.value);
    active = -1;
    list.scrollTop = 0;
    fill();
  });
  list.addEventListener("scroll", fill);
  list.addEventListener("keydown", (event) => {
    const page = Math.max(1, Math.floor(list.clientHeight / ROW_PIXELS) - 1);
    const moves = { ArrowDown: 1, ArrowUp: -1, PageDown: page, PageUp: -page,
                    Home: -rows.length, End: rows.length };
    if (moves[event.key] !== undefined) {
      active = Math.max(0, Math.min(rows.length - 1, active + moves[event.key]));
      const y = active * ROW_PIXELS;
      if (y < list.scrollTop) list.scrollTop = y;
      if (y + ROW_PIXELS > list.scrollTop + list.clientHeight) {
        list.scrollTop = y + ROW_PIXELS - list.clientHeight;
      }
      fill();
    } else if (event.key === "Enter" && active >= 0) {
      onChoose(rows[active]);
    } else {
      return;
    }
    event.preventDefault();
  });
  fill();
  return {
    choose: (k) => {
      chosen = k;
      fill();
    },
  };
}
